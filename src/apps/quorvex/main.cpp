// quorvex: the Quorvex 8.0 desktop program.

#include "create/creation/gui/frmCreateProgress.h"
#include "create/opening/gui/frmOpening.h"
#include "create/opening/gui/frmSamplePlan.h"
#include "composer/RecentPlans.h"
#include "composer/SamplePlanChooser.h"
#include "composer/frmMain.h"
#include "create/opening/OpeningCommands.h"
#include "platform/gui/DesktopServices.h"
#include "resources/art/Artwork.h"
#include "shell/MMain.h"
#include "shell/StartupCommand.h"
#include "shell/frmWelcome.h"
#include "shell/modBusinessRule.h"
#include "viewer/CViewer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>

#include <cstdio>

// Opens a plan in the composer and shows it; a composer that was loaded only
// for a plan it could not open goes away again.
static bool openInComposer(const QString &planFile)
{
    const bool wasLoaded = qv::composer::frmMain::loaded() != nullptr;
    qv::composer::frmMain &composer = qv::composer::frmMain::load();
    if (!composer.OpenPlan(planFile)) {
        if (!wasLoaded)
            composer.unload();
        return false;
    }
    composer.show();
    return true;
}

// The smoke run of CI (QUORVEX_SMOKE set): once the composer shows a
// section, says which, saves when there is anything to save, and leaves
// through File > Exit, so that the program ends as a user's would. Exit
// code 4 when the save failed, 3 when no section showed within a minute.
static void watchForSmokeRun()
{
    if (qEnvironmentVariableIsEmpty("QUORVEX_SMOKE"))
        return;
    auto *poll = new QTimer(qApp);
    QElapsedTimer clock;
    clock.start();
    QObject::connect(poll, &QTimer::timeout, [poll, clock] {
        qv::composer::frmMain *composer = qv::composer::frmMain::loaded();
        if (composer && composer->isVisible() && composer->currentSection()) {
            poll->stop();
            std::printf("composer shows section: %s\n", qPrintable(composer->currentSection()->name()));
            std::fflush(stdout);
            // Showing a section may complete the plan (its new text file),
            // so the run saves as a user answering Yes would; then Exit asks
            // nothing.
            if (composer->session().isModified() && !composer->session().SavePlan())
                QCoreApplication::exit(4);
            else
                composer->exitComposer();
            return;
        }
        if (clock.elapsed() > 60000) {
            std::fprintf(stderr, "quorvex smoke run: the composer showed no section within a minute\n");
            QCoreApplication::exit(3);
        }
    });
    poll->start(100);
}

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
    // "-q": the progress window makes the plan and the composer shows it.
    routes.createPlanFromAnswers = [](const QString &answers) { qv::create::frmCreateProgress::createPlanFromQA(answers); };
    // A plan that cannot be opened (its reason already shown) leaves the
    // user at the welcome menu rather than in an empty composer.
    routes.openPlanFile = [](const QString &planFile) {
        if (!openInComposer(planFile))
            qv::shell::frmWelcome::Display();
    };
    qv::create::setPlanOpener(openInComposer);
    qv::composer::setRecentPlanRecorder(qv::shell::AddRecentFile);
    // The composer reaches the opening dialog's sample chooser through this.
    qv::composer::setSamplePlanChooser(qv::create::frmSamplePlan::showModal);
    // Samples and compiled plans show in the viewer program beside this one.
    qv::viewer::registerInstalledViewer();

    const QString commandLine = qv::shell::commandLineFromArguments(QApplication::arguments().mid(1));
    if (!qv::shell::Main(commandLine, routes))
        return 0;
    watchForSmokeRun();
    return app.exec();
}
