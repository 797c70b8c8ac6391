// pwiz_mi, pwiz_mx, pwiz_mp: the setup assistants that start a new plan.
// They hand their answers to "quorvex -q FILE" and end.

#include "create/wizard/WizardLaunch.h"
#include "create/wizard/gui/PlanWizard.h"
#include "platform/Application.h"
#include "platform/gui/DesktopServices.h"
#include "resources/ResText.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Corvane"));
    QApplication::setApplicationName(QStringLiteral("Quorvex"));
    qv::platform::installDesktopServices();
    qv::platform::setApplicationTitle(qv::GetResText(302));

    constexpr auto kind = qv::wizard::WizardKind::QV_WIZARD_KIND;
    qv::wizard::PlanWizard wizard(kind, qv::wizard::installedQuestions(kind));
    wizard.setOrigin(qv::wizard::originFromArguments(QApplication::arguments().mid(1)));
    wizard.show();
    app.exec();
    return wizard.outcome() == qv::wizard::PlanWizard::Outcome::Failed ? 1 : 0;
}
