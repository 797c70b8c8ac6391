// Every window and dialog of the program, opened offscreen on the screen the
// test runs with (ctest runs it at 1024x768 and at 1920x1080), looked over by
// auditWindow: no visible caption is empty and every text fits its control.
//
// A new window joins the audit with one more entry in scenes() below: a name
// and a function that opens it (in each state worth seeing) and hands it to
// Audit::check.

#include "WindowAudit.h"

#include "FakePlatform.h"
#include "WizardDriver.h"

#include "composer/frmMain.h"
#include "composer/frmTables.h"
#include "create/creation/CreationProgress.h"
#include "create/creation/PlanCreation.h"
#include "create/creation/gui/frmCreateProgress.h"
#include "create/opening/gui/frmOpening.h"
#include "create/opening/gui/frmSamplePlan.h"
#include "create/wizard/gui/PlanWizard.h"
#include "plan/Plan.h"
#include "platform/Application.h"
#include "platform/Folders.h"
#include "resources/ResText.h"
#include "shell/CurrentPlan.h"
#include "shell/frmParent.h"
#include "shell/frmSplash.h"
#include "support/HelpFiles.h"
#include "support/gui/HelpViewer.h"
#include "support/gui/frmAboutBox.h"
#include "support/gui/frmPreferences.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QWizard>

#include <functional>
#include <map>

using namespace qv;

namespace {

class Audit
{
public:
    explicit Audit(QString scene) : m_scene(std::move(scene)) {}

    static QSize screen() { return QGuiApplication::primaryScreen()->size(); }

    // Looks the window over in its present state; `state` says which.
    void check(QWidget *window, const QString &state = QString(), const test::AuditOptions &options = {},
               bool fillsScreen = false)
    {
        ASSERT_NE(window, nullptr) << m_scene.toStdString();
        const QString where = m_scene + (state.isEmpty() ? QString() : QStringLiteral(" (") + state + u')');
        const QString placed = test::placeOnScreen(window, screen(), fillsScreen);
        QApplication::processEvents();
        if (!placed.isEmpty())
            ADD_FAILURE() << where.toStdString() << ": " << placed.toStdString();
        for (const QString &problem : test::auditWindow(window, options))
            ADD_FAILURE() << where.toStdString() << ": " << problem.toStdString();
        save(window, where);
    }

private:
    // With QV_SCREENSHOT_DIR set, a picture of every state audited.
    static void save(QWidget *window, const QString &where)
    {
        const QString folder = qEnvironmentVariable("QV_SCREENSHOT_DIR");
        if (folder.isEmpty())
            return;
        QDir().mkpath(folder);
        QString name = QStringLiteral("audit_%1x%2_%3.png").arg(screen().width()).arg(screen().height()).arg(where);
        name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.x-]+")), QStringLiteral("_"));
        window->grab().save(QDir(folder).filePath(name));
    }

    QString m_scene;
};

using Scene = std::function<void(Audit &)>;

// ---- The scenes ----------------------------------------------------------------------

void wizardPages(Audit &audit, wizard::WizardKind kind)
{
    QTemporaryDir plans;
    wizard::PlanWizard wizard(kind, wizard::installedQuestions(kind));
    test::WizardDriver d(wizard);
    wizard.show();
    const test::AuditOptions options{{QStringLiteral("lblBusinessNameError"), QStringLiteral("lblDocumentError")}, {}};
    for (int page = 0; page < 40 && !d.find<QAbstractButton>(QStringLiteral("cmdFinish"))->isVisible(); ++page) {
        audit.check(&wizard, d.pageName(), options);
        if (d.pageName() == QStringLiteral("pageKind"))
            d.click(QStringLiteral("optKind_3"));
        else if (d.pageName() == QStringLiteral("pageBusinessName"))
            d.type(QStringLiteral("txtBusinessName"), QStringLiteral("Rosie's Corner Bakery"));
        else if (d.pageName() == QStringLiteral("pageDocument"))
            d.type(QStringLiteral("txtDocumentPath"), plans.path() + QStringLiteral("/Rosie's Corner Bakery"));
        if (!d.next())
            break;
    }
    audit.check(&wizard, d.pageName(), options);
}

void progressWindow(Audit &audit)
{
    create::frmCreateProgress window;
    window.takeIcon(shell::frmParent::load().windowIcon());
    window.show();
    audit.check(&window, QStringLiteral("starting"), {{QStringLiteral("lblDetail")}, {}});
    window.setMessage(GetResText(449));
    window.setDetailMessage(QStringLiteral("Updating cell: TBL0503:J1"));
    window.startProgress(24);
    audit.check(&window, QStringLiteral("customizing"));
    shell::frmParent::Unload();
}

void welcomeMenu(Audit &audit)
{
    shell::frmParent::Display();
    audit.check(shell::frmParent::loaded(), QString(), {}, true);
    shell::frmParent::Unload();
}

void openingDialog(Audit &audit, int planType)
{
    create::frmOpening dialog(planType);
    dialog.load();
    dialog.resize(Audit::screen());
    audit.check(&dialog, QString(), {}, true);
}

void sampleChooser(Audit &audit)
{
    create::frmSamplePlan chooser(0);
    chooser.load();
    audit.check(&chooser);
}

void preferences(Audit &audit)
{
    support::frmPreferences dialog;
    dialog.show(); // as the composer shows it
    audit.check(&dialog);
}

void aboutBox(Audit &audit)
{
    support::frmAboutBox about;
    about.load();
    audit.check(&about);
}

void helpViewer(Audit &audit)
{
    support::OpenHelpFile(nullptr, support::kMainHelpFile);
    audit.check(support::HelpViewer::instance());
    support::HelpViewer::instance()->close();
}

// A plan made from the installed library with the demonstration answers of
// a new retail business, as a user's first plan would be.
QString makeDemoPlan(const QString &folder)
{
    QFile demo(QStringLiteral(QV_SOURCE_DIR "/data/demo/Retail-New.qa"));
    if (!demo.open(QIODevice::ReadOnly))
        return {};
    QString answers = QString::fromUtf8(demo.readAll());
    answers.replace(QStringLiteral("@MYPLANS@"), folder);
    const QString path = QDir(folder).filePath(QStringLiteral("answers.qa"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(answers.toUtf8());
    file.close();
    create::SilentProgress progress;
    create::PlanCreation creation(progress);
    return creation.createPlanFromQA(path).documentPath;
}

void composerWindow(Audit &audit)
{
    QTemporaryDir plans;
    const QString document = makeDemoPlan(plans.path());
    ASSERT_FALSE(document.isEmpty());
    composer::frmMain &window = composer::frmMain::load();
    ASSERT_TRUE(window.OpenPlan(document));
    const test::AuditOptions options{{}, {}};
    using Layout = composer::frmMain::Layout;
    window.setLayout(Layout::ViewAll);
    for (const char *helper : {"optHelper_0", "optHelper_1"}) {
        window.findChild<QAbstractButton *>(QLatin1String(helper))->click();
        audit.check(&window, QStringLiteral("text, ") + QLatin1String(helper), options, true);
    }
    ASSERT_TRUE(window.gotoTable(QStringLiteral("Tbl0802")));
    window.findChild<QAbstractButton *>(QStringLiteral("optHelper_2"))->click();
    audit.check(&window, QStringLiteral("projected statements"), options, true);
    window.setLayout(Layout::HideNavigator);
    audit.check(&window, QStringLiteral("hide navigator"), options, true);
    window.setLayout(Layout::ExpandWorkspace);
    audit.check(&window, QStringLiteral("expand workspace"), options, true);
    window.setLayout(Layout::ViewAll);
    window.showListOfTables();
    audit.check(window.listOfTables(), QStringLiteral("list of tables"));
    window.listOfTables()->close();
    window.unload();
}

void splash(Audit &audit)
{
    shell::frmSplash window;
    audit.check(&window);
}

const std::map<std::string, Scene> &scenes()
{
    static const std::map<std::string, Scene> all = {
        {"Splash", splash},
        {"WelcomeMenu", welcomeMenu},
        {"OpeningBusiness", [](Audit &a) { openingDialog(a, 0); }},
        {"OpeningMarketing", [](Audit &a) { openingDialog(a, 1); }},
        {"SampleChooser", sampleChooser},
        {"NewBusinessPlanWizard", [](Audit &a) { wizardPages(a, wizard::WizardKind::Business); }},
        {"BusinessPlanWizard", [](Audit &a) { wizardPages(a, wizard::WizardKind::BusinessWithFigures); }},
        {"MarketingPlanWizard", [](Audit &a) { wizardPages(a, wizard::WizardKind::Marketing); }},
        {"CreationProgress", progressWindow},
        {"Preferences", preferences},
        {"About", aboutBox},
        {"Help", helpViewer},
        {"Composer", composerWindow},
    };
    return all;
}

std::vector<std::string> sceneNames()
{
    std::vector<std::string> names;
    for (const auto &[name, scene] : scenes())
        names.push_back(name);
    return names;
}

class WindowAudit : public ::testing::TestWithParam<std::string>
{
protected:
    void SetUp() override
    {
        platform::setApplicationTitle(GetResText(302));
        // The fonts of a real system, as a printer would report them.
        test::fakes().printers->fonts.clear();
    }
    void TearDown() override
    {
        shell::frmParent::Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        shell::releaseCurrentPlan();
    }
};

} // namespace

TEST_P(WindowAudit, ShowsEveryCaptionInFull)
{
    Audit audit(QString::fromStdString(GetParam()));
    scenes().at(GetParam())(audit);
}

INSTANTIATE_TEST_SUITE_P(Windows, WindowAudit, ::testing::ValuesIn(sceneNames()),
                         [](const ::testing::TestParamInfo<std::string> &info) { return info.param; });
