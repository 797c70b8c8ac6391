// The plan-creation progress window: its captions, its lines, closing it
// while it works, and "-q" from the command line to the composer showing
// the new plan. Templates are made by CreationLibrary.
#include "CreationLibrary.h"
#include "FakePlatform.h"
#include "TestFiles.h"

#include "composer/frmMain.h"
#include "create/creation/gui/frmCreateProgress.h"
#include "platform/Application.h"
#include "platform/Folders.h"
#include "platform/Paths.h"
#include "plan/Plan.h"
#include "resources/ResText.h"
#include "shell/CurrentPlan.h"
#include "shell/MMain.h"
#include "shell/frmParent.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace qv;
using qv::create::frmCreateProgress;
using qv::test::CreationLibrary;
using qv::test::fakes;

namespace {

class CreateProgressTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(test::useSystemFolderWithDictionary(m_system));
        platform::setApplicationTitle(GetResText(302));
        shell::releaseCurrentPlan();
    }
    void TearDown() override
    {
        if (composer::frmMain *composer = composer::frmMain::loaded())
            composer->unload();
        shell::frmParent::Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        shell::releaseCurrentPlan();
    }

    static QString text(QWidget *window, const char *name)
    {
        auto *label = window->findChild<QLabel *>(QLatin1String(name));
        return label ? label->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
    }

    // The messages of the creation itself; the composer adds its own about
    // the section texts and instructions these small templates lack.
    static QStringList creationReports()
    {
        QStringList texts;
        for (const platform::Message &m : fakes().messages->shown)
            if (m.text.contains(QStringLiteral("could not be applied")) || m.text.contains(QStringLiteral("no plan was made")))
                texts << m.text;
        return texts;
    }

    static shell::StartupRoutes routes()
    {
        shell::StartupRoutes r;
        r.createPlanFromAnswers = [](const QString &answers) { frmCreateProgress::createPlanFromQA(answers); };
        return r;
    }

    QTemporaryDir m_system;
};

} // namespace

TEST_F(CreateProgressTest, LoadsItsCaptionsWithTheBarHidden)
{
    frmCreateProgress window;
    EXPECT_EQ(window.objectName(), QStringLiteral("frmCreateProgress"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Creating New Plan"));
    EXPECT_EQ(text(&window, "pnlCaption"), QStringLiteral("Corvane"));
    EXPECT_EQ(text(&window, "lblInformation"), QStringLiteral("Please wait while your plan is being created."));
    EXPECT_EQ(text(&window, "lblStatus"), QStringLiteral("Quorvex 8.0: Initialilizing Plan"));
    EXPECT_TRUE(text(&window, "lblDetail").isEmpty());
    window.takeIcon(shell::frmParent::load().windowIcon());
    EXPECT_FALSE(window.findChild<QLabel *>(QStringLiteral("picIcon"))->pixmap().isNull());
    window.show();
    EXPECT_FALSE(window.findChild<QProgressBar *>(QStringLiteral("prgProgress"))->isVisible());
}

TEST_F(CreateProgressTest, ShowsStatusDetailAndProgress)
{
    frmCreateProgress window;
    window.show();
    window.setMessage(QStringLiteral("Copying Tables"));
    window.setDetailMessage(QStringLiteral("   Loading Tbl0301.vts  "));
    EXPECT_EQ(text(&window, "lblStatus"), QStringLiteral("Quorvex 8.0: Copying Tables"));
    EXPECT_EQ(text(&window, "lblDetail"), QStringLiteral("Loading Tbl0301.vts"));
    auto *bar = window.findChild<QProgressBar *>(QStringLiteral("prgProgress"));
    window.startProgress(3);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->maximum(), 3);
    EXPECT_EQ(bar->value(), 0);
    for (int i = 0; i < 5; ++i)
        window.advanceProgress();
    EXPECT_EQ(bar->value(), 3);
    const int before = fakes().clock->eventRuns;
    window.yieldToWindowSystem();
    EXPECT_EQ(fakes().clock->eventRuns, before + 1);
}

TEST_F(CreateProgressTest, ALongDetailIsShortenedInTheMiddle)
{
    frmCreateProgress window;
    window.show();
    const QString path = QStringLiteral("Creating File: /home/user/My Plans/") + QString(300, QLatin1Char('x')) +
                         QStringLiteral("/Acme.bpl");
    window.setDetailMessage(path);
    const QString shown = text(&window, "lblDetail");
    EXPECT_LT(shown.size(), path.size());
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Creating File:")));
    EXPECT_TRUE(shown.endsWith(QStringLiteral("Acme.bpl")));
    EXPECT_EQ(window.findChild<QLabel *>(QStringLiteral("lblDetail"))->toolTip(), path);
}

TEST_F(CreateProgressTest, ClosedWhileWorkingItStopsReportingAndThePlanIsStillMade)
{
    CreationLibrary library;
    library.addBusiness(plan::Retail, true);
    const QString answers = library.writeAnswers(library.businessHeader(QStringLiteral("Retail"), true));
    frmCreateProgress window;
    window.show();
    window.setDetailMessage(QStringLiteral("before"));
    window.close();
    EXPECT_TRUE(window.isClosed());
    const create::CreationResult result = window.creation().createPlanFromQA(answers);
    EXPECT_TRUE(result.planMade()) << result.reportText().toStdString();
    EXPECT_EQ(text(&window, "lblDetail"), QStringLiteral("before"));
    EXPECT_FALSE(window.isVisible());
}

TEST_F(CreateProgressTest, AHiddenWindowUnloadsAtItsNextDetailLine)
{
    frmCreateProgress window;
    window.show();
    window.hide();
    window.setDetailMessage(QStringLiteral("Loading Tbl0301.vts"));
    EXPECT_TRUE(window.isClosed());
    EXPECT_TRUE(text(&window, "lblDetail").isEmpty());
}

TEST_F(CreateProgressTest, TheQuestionSwitchShowsTheNewPlanInTheComposer)
{
    CreationLibrary library;
    library.addBusiness(plan::Retail, true);
    QStringList lines = library.businessHeader(QStringLiteral("Retail"), true);
    lines << QStringLiteral("[FIELD1.5]=Acme Tools");
    const QString answers = library.writeAnswers(lines);

    EXPECT_TRUE(shell::Main(QStringLiteral("-q ") + answers, routes()));
    composer::frmMain *composer = composer::frmMain::loaded();
    ASSERT_NE(composer, nullptr);
    EXPECT_TRUE(composer->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // The frame is unloaded once the composer has the plan.
    EXPECT_TRUE(!shell::frmParent::loaded() || !shell::frmParent::loaded()->isVisible());
    EXPECT_EQ(frmCreateProgress::loaded(), nullptr);
    ASSERT_NE(shell::currentPlan(), nullptr);
    const QString document = platform::joinPath(library.plansFolder(), QStringLiteral("Acme.bpl"));
    EXPECT_EQ(shell::currentPlan()->fullPath(), document);
    EXPECT_EQ(shell::currentPlan()->planInfo().businessKind(), plan::Retail);
    EXPECT_EQ(shell::currentPlan()->planInfo().businessName(), QStringLiteral("Acme Tools"));
    auto *tree = composer->findChild<QTreeWidget *>(QStringLiteral("tvwOutline"));
    ASSERT_NE(tree, nullptr);
    ASSERT_GT(tree->topLevelItemCount(), 0);
    EXPECT_GT(tree->topLevelItem(0)->childCount(), 0);
    EXPECT_TRUE(QFileInfo(document).isFile());
    EXPECT_FALSE(QFileInfo::exists(answers)); // read to its end, then deleted
    EXPECT_TRUE(creationReports().isEmpty()) << creationReports().join(QLatin1Char('\n')).toStdString();
}

TEST_F(CreateProgressTest, AnswersNotAppliedAreListedInOneMessage)
{
    CreationLibrary library;
    library.addBusiness(plan::Retail, true);
    QStringList lines = library.businessHeader(QStringLiteral("Retail"), true);
    lines << QStringLiteral("Tbl9999:B1=1") << QStringLiteral("Tbl9998:C2=$5");
    EXPECT_TRUE(shell::Main(QStringLiteral("-q ") + library.writeAnswers(lines), routes()));
    ASSERT_NE(composer::frmMain::loaded(), nullptr);
    EXPECT_TRUE(composer::frmMain::loaded()->isVisible());
    ASSERT_EQ(creationReports().size(), 1);
    const QString message = creationReports().first();
    EXPECT_TRUE(message.contains(QStringLiteral("TBL9999"), Qt::CaseInsensitive)) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("TBL9998"), Qt::CaseInsensitive)) << message.toStdString();
}

TEST_F(CreateProgressTest, AMissingAnswerFileIsReportedAndTheProgramEnds)
{
    CreationLibrary library;
    const QString missing = platform::joinPath(library.plansFolder(), QStringLiteral("none.txt"));
    EXPECT_FALSE(shell::Main(QStringLiteral("-q ") + missing, routes()));
    EXPECT_EQ(composer::frmMain::loaded(), nullptr);
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_TRUE(fakes().messages->lastText().contains(missing));
    EXPECT_EQ(fakes().messages->shown.first().icon, platform::Icon::Critical);
    for (QWidget *w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
}

TEST_F(CreateProgressTest, TheQuestionSwitchAsksBeforeReplacingAPlan)
{
    CreationLibrary library;
    library.addBusiness(plan::Retail, true);
    const QString document = platform::joinPath(library.plansFolder(), QStringLiteral("Acme.bpl"));
    const QString oldText = platform::joinPath(library.plansFolder(), QStringLiteral("AcmeB/Sec00001.rtf"));
    ASSERT_TRUE(shell::Main(QStringLiteral("-q ") + library.writeAnswers(library.businessHeader(QStringLiteral("Retail"), true)),
                            routes()));
    composer::frmMain::loaded()->unload();
    QFile marker(oldText);
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    fakes().messages->shown.clear();

    // No: the old plan stays as it was, and no composer opens.
    fakes().messages->setNextAnswer(platform::Answer::No);
    EXPECT_FALSE(shell::Main(QStringLiteral("-q ") + library.writeAnswers(library.businessHeader(QStringLiteral("Retail"), true)),
                             routes()));
    ASSERT_GE(fakes().messages->shown.size(), 1);
    const platform::Message question = fakes().messages->shown[0];
    EXPECT_TRUE(question.text.contains(QStringLiteral("\"Acme\""))) << question.text.toStdString();
    EXPECT_EQ(question.buttons, platform::Buttons::YesNo);
    EXPECT_EQ(question.defaultButton, 1);
    EXPECT_TRUE(QFileInfo::exists(oldText));
    EXPECT_TRUE(!composer::frmMain::loaded() || !composer::frmMain::loaded()->isVisible());

    // Yes: the new plan takes the place and the old one is in the trash.
    fakes().messages->shown.clear();
    fakes().messages->setNextAnswer(platform::Answer::Yes);
    EXPECT_TRUE(shell::Main(QStringLiteral("-q ") + library.writeAnswers(library.businessHeader(QStringLiteral("Retail"), true)),
                            routes()));
    EXPECT_FALSE(QFileInfo::exists(oldText));
    EXPECT_TRUE(QFileInfo(document).isFile());
    const QString trash = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Trash/files");
    EXPECT_FALSE(QDir(trash).entryList({QStringLiteral("AcmeB*")}, QDir::Dirs).isEmpty()) << trash.toStdString();
    composer::frmMain::loaded()->unload();

    // The wizard's yes for this plan is not asked again.
    fakes().messages->shown.clear();
    QStringList agreed = library.businessHeader(QStringLiteral("Retail"), true);
    agreed.insert(1, QStringLiteral("[REPLACE]=") + document);
    EXPECT_TRUE(shell::Main(QStringLiteral("-q ") + library.writeAnswers(agreed), routes()));
    for (const platform::Message &m : fakes().messages->shown)
        EXPECT_NE(m.buttons, platform::Buttons::YesNo) << m.text.toStdString();
}

// Not a check: saves a picture of the window at work when QV_SCREENSHOT_DIR is set.
TEST_F(CreateProgressTest, Picture)
{
    const QString folder = qEnvironmentVariable("QV_SCREENSHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "QV_SCREENSHOT_DIR not set";
    QDir().mkpath(folder);
    frmCreateProgress window;
    window.takeIcon(shell::frmParent::load().windowIcon());
    window.show();
    window.setMessage(GetResText(449));
    window.startProgress(24);
    for (int i = 0; i < 9; ++i)
        window.advanceProgress();
    window.setDetailMessage(QStringLiteral("Updating cell: TBL0503:J1"));
    QApplication::processEvents();
    EXPECT_TRUE(window.grab().save(QDir(folder).filePath(QStringLiteral("create_progress.png"))));
}

// Not a check: a picture of the composer showing a plan made through "-q".
TEST_F(CreateProgressTest, PictureOfTheNewPlan)
{
    const QString folder = qEnvironmentVariable("QV_SCREENSHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "QV_SCREENSHOT_DIR not set";
    CreationLibrary library;
    library.addBusiness(plan::Retail, true);
    QStringList lines = library.businessHeader(QStringLiteral("Retail"), true);
    lines << QStringLiteral("[FIELD1.5]=Acme Tools") << QStringLiteral("[FIELD1.6]=1999")
          << QStringLiteral("[FIELD3A.X]=7");
    ASSERT_TRUE(shell::Main(QStringLiteral("-q ") + library.writeAnswers(lines), routes()));
    composer::frmMain *composer = composer::frmMain::loaded();
    ASSERT_NE(composer, nullptr);
    composer->showNormal();
    composer->resize(1000, 640);
    QApplication::processEvents();
    EXPECT_TRUE(composer->grab().save(QDir(folder).filePath(QStringLiteral("create_new_plan.png"))));
}
