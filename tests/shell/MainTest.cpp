#include "FakePlatform.h"
#include "ShellTestSupport.h"

#include "platform/Application.h"
#include "platform/Settings.h"
#include "resources/ResText.h"
#include "shell/MMain.h"
#include "shell/frmSplash.h"

#include <QDir>

using namespace qv::shell;
using qv::test::fakes;
using qv::test::visibleWindows;

namespace
{

// Routes that note each call, and what was on screen at the time.
struct RecordingRoutes {
    QStringList calls;
    bool splashShownDuringWelcome = false;
    bool frameShownDuringWelcome = false;
    int eventRunsBeforeWelcome = -1;
    int planTypeAtOpening = -1;

    StartupRoutes routes()
    {
        StartupRoutes r;
        r.createPlanFromAnswers = [this](const QString &file) {
            calls << QStringLiteral("create:") + file;
            frmParent::load(); // the progress window lives in the frame
        };
        r.openPlanFile = [this](const QString &file) { calls << QStringLiteral("open:") + file; };
        r.showWelcomeMenu = [this] {
            calls << QStringLiteral("welcome");
            for (QWidget *w : visibleWindows()) {
                if (w->objectName() == QLatin1String("frmSplash"))
                    splashShownDuringWelcome = true;
                if (w->objectName() == QLatin1String("frmParent"))
                    frameShownDuringWelcome = true;
            }
            eventRunsBeforeWelcome = fakes().clock->eventRuns;
        };
        r.showOpeningDialog = [this] {
            calls << QStringLiteral("opening");
            planTypeAtOpening = currentPlan()->planInfo().planType();
        };
        return r;
    }
};

class MainTest : public qv::test::ShellTest
{
protected:
    RecordingRoutes recorder;
    bool run(const QString &line) { return Main(line, recorder.routes()); }
};

} // namespace

TEST_F(MainTest, NoCommandLineShowsTheSplashThenTheFrameWithTheWelcomeMenu)
{
    EXPECT_TRUE(run(QString()));
    EXPECT_EQ(recorder.calls, QStringList{QStringLiteral("welcome")});
    EXPECT_TRUE(recorder.splashShownDuringWelcome);
    EXPECT_TRUE(recorder.frameShownDuringWelcome);
    EXPECT_EQ(recorder.eventRunsBeforeWelcome, 1);
    qv::test::processDeferredDeletes();
    EXPECT_EQ(QApplication::topLevelWidgets().count(), 1); // the splash is unloaded
    ASSERT_NE(frmParent::loaded(), nullptr);
    EXPECT_TRUE(frmParent::loaded()->isVisible());
    EXPECT_NE(currentPlan(), nullptr);
}

TEST_F(MainTest, BlanksOnlyEndsWithoutAWindow)
{
    EXPECT_FALSE(run(QStringLiteral("   ")));
    EXPECT_TRUE(recorder.calls.isEmpty());
    EXPECT_TRUE(visibleWindows().isEmpty());
    EXPECT_EQ(frmParent::loaded(), nullptr);
    EXPECT_TRUE(fakes().messages->shown.isEmpty());
}

TEST_F(MainTest, AnUnknownSwitchEndsSilently)
{
    for (const char *line : {"-zzz", "-x plan.bpl", "/some/plan.bpl", "-oplan.bpl"}) {
        EXPECT_FALSE(run(QString::fromUtf8(line))) << line;
        EXPECT_TRUE(recorder.calls.isEmpty()) << line;
        EXPECT_TRUE(visibleWindows().isEmpty()) << line;
    }
    EXPECT_TRUE(fakes().messages->shown.isEmpty());
}

TEST_F(MainTest, StartUpSetsTitleHelpFileInstallPathAndPlanFirst)
{
    qv::platform::setApplicationTitle(QStringLiteral("x"));
    run(QStringLiteral("-zzz"));
    EXPECT_EQ(qv::platform::applicationTitle(), QStringLiteral("Quorvex 8.0"));
    EXPECT_TRUE(qv::platform::applicationHelpFile().endsWith(QStringLiteral("/Help/BPlan8.hlp")));
    EXPECT_EQ(qv::platform::Settings::get(QStringLiteral("Paths"), QStringLiteral("Install")),
              qv::platform::Folders::installFolder());
    EXPECT_NE(currentPlan(), nullptr);
}

TEST_F(MainTest, AMissingSystemFileEndsBeforeAnythingElse)
{
    QFile::remove(m_system.filePath(QStringLiteral("American.vtd")));
    EXPECT_FALSE(run(QString()));
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_EQ(fakes().messages->shown.first().text, qv::GetResText(624));
    EXPECT_EQ(fakes().messages->shown.first().icon, qv::platform::Icon::Critical);
    EXPECT_TRUE(recorder.calls.isEmpty());
    EXPECT_TRUE(visibleWindows().isEmpty());
    EXPECT_EQ(currentPlan(), nullptr);
    EXPECT_TRUE(qv::platform::Settings::get(QStringLiteral("Paths"), QStringLiteral("Install")).isEmpty());
}

TEST_F(MainTest, CapitalOOpensThePathWithItsCaseAndBlanks)
{
    run(QStringLiteral("-O /home/Dana/My Plans/Harbour Line.bpl"));
    EXPECT_EQ(recorder.calls, QStringList{QStringLiteral("open:/home/Dana/My Plans/Harbour Line.bpl")});
    EXPECT_EQ(frmParent::loaded(), nullptr);
}

TEST_F(MainTest, QCreatesThePlanThenUnloadsTheFrame)
{
    EXPECT_FALSE(run(QStringLiteral("-q /tmp/answers.txt")));
    EXPECT_EQ(recorder.calls, QStringList{QStringLiteral("create:/tmp/answers.txt")});
    EXPECT_TRUE(visibleWindows().isEmpty());
    qv::test::processDeferredDeletes();
    EXPECT_EQ(frmParent::loaded(), nullptr);
}

TEST_F(MainTest, NsShowsTheWelcomeMenuAloneWithoutSplashOrFrameDisplay)
{
    run(QStringLiteral("-ns"));
    EXPECT_EQ(recorder.calls, QStringList{QStringLiteral("welcome")});
    EXPECT_FALSE(recorder.splashShownDuringWelcome);
    EXPECT_FALSE(recorder.frameShownDuringWelcome);
    EXPECT_EQ(fakes().clock->eventRuns, 0);
}

TEST_F(MainTest, BAndMStartAFreshPlanOfTheirTypeForTheOpeningDialog)
{
    ensureCurrentPlan().planInfo().setBusinessKind(3);
    run(QStringLiteral("-b"));
    EXPECT_EQ(recorder.calls, QStringList{QStringLiteral("opening")});
    EXPECT_EQ(recorder.planTypeAtOpening, 0);
    EXPECT_EQ(currentPlan()->planInfo().businessKind(), 0); // a new plan, not the old one

    currentPlan()->planInfo().setBusinessKind(2);
    run(QStringLiteral("-M"));
    EXPECT_EQ(recorder.planTypeAtOpening, 1);
    EXPECT_EQ(currentPlan()->planInfo().planType(), 1);
    EXPECT_EQ(currentPlan()->planInfo().businessKind(), 0);
}

TEST_F(MainTest, WithoutAComposerTheFrameSaysWhichPlanItCannotOpen)
{
    EXPECT_TRUE(Main(QStringLiteral("-o /plans/Acme.bpl")));
    ASSERT_NE(frmParent::loaded(), nullptr);
    EXPECT_TRUE(frmParent::loaded()->isVisible());
    EXPECT_TRUE(frmParent::loaded()->statusText().contains(QStringLiteral("\"/plans/Acme.bpl\"")));
}

TEST_F(MainTest, WithoutAnOpeningDialogTheFrameNamesThePlanType)
{
    EXPECT_TRUE(Main(QStringLiteral("-m")));
    ASSERT_NE(frmParent::loaded(), nullptr);
    EXPECT_TRUE(frmParent::loaded()->statusText().contains(QStringLiteral("Marketing Plan")));
}

TEST_F(MainTest, WithoutAWelcomeMenuTheFrameShowsItsBackdrop)
{
    EXPECT_TRUE(Main(QString()));
    ASSERT_NE(frmParent::loaded(), nullptr);
    EXPECT_TRUE(frmParent::loaded()->childWindows().isEmpty());
    EXPECT_TRUE(frmParent::loaded()->findChild<QWidget *>(QStringLiteral("picBackdrop"))->isVisible());
}

TEST_F(MainTest, WithoutPlanCreationTheUserIsToldAndTheProgramEnds)
{
    EXPECT_FALSE(Main(QStringLiteral("-q /tmp/answers.txt")));
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_TRUE(fakes().messages->shown.first().text.contains(QStringLiteral("\"/tmp/answers.txt\"")));
    EXPECT_TRUE(visibleWindows().isEmpty());
}
