// quorvex: the Quorvex 8.0 desktop program.

#include "create/opening/gui/frmOpening.h"
#include "composer/frmMain.h"
#include "platform/gui/DesktopServices.h"
#include "resources/art/Artwork.h"
#include "shell/MMain.h"
#include "shell/frmWelcome.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Corvane"));
    QApplication::setApplicationName(QStringLiteral("Quorvex"));
    qv::platform::installDesktopServices();
    // Every window and dialog carries the program icon unless it sets its own.
    QApplication::setWindowIcon(qv::resources::LoadResIcon(101));

    // The windows each start-up switch leads to; the ones not listed here are
    // answered by the frame, which says what it cannot show.
    qv::shell::StartupRoutes routes;
    routes.showWelcomeMenu = qv::shell::frmWelcome::Display;
    routes.showOpeningDialog = [] { qv::create::frmOpening::Display(); };
    routes.openPlanFile = [](const QString &planFile) {
        qv::composer::frmMain &composer = qv::composer::frmMain::load();
        composer.OpenPlan(planFile);
        composer.show();
    };

    // The command line is the program's arguments joined with single blanks.
    const QString commandLine = QApplication::arguments().mid(1).join(QLatin1Char(' '));
    if (!qv::shell::Main(commandLine, routes))
        return 0;
    return app.exec();
}
