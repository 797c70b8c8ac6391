#include "ComposerTestSupport.h"

#include "composer/PlanLock.h"
#include "composer/SamplePlanChooser.h"
#include "plan/ModEnglish.h"
#include "platform/Folders.h"
#include "platform/Settings.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QToolButton>

#include <csignal>
#include <optional>

using namespace qv;
using namespace qv::test;
using platform::Answer;

TEST(ComposerOpen, OpensThePlanAndShowsItsFirstSection)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    // The title names the open plan's document.
    EXPECT_EQ(c.window->windowTitle(), QStringLiteral("Plan Composer - Acme"));
    QTreeWidgetItem *root = c.tree()->topLevelItem(0);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->text(0), QStringLiteral("Acme Plan"));
    EXPECT_TRUE(root->isExpanded());
    EXPECT_TRUE(root->child(0)->isExpanded());
    EXPECT_EQ(nodeKey(c.tree()->currentItem()), QStringLiteral("Plan.1.1"));
    EXPECT_TRUE(c.editor()->toPlainText().contains(PlanFixture::textOf(1, 1)));
    EXPECT_EQ(c.child<QLabel>("lblSectionName")->text(), QStringLiteral("1.1 - Section 1.1"));
    EXPECT_EQ(c.child<QLabel>("sbarPlan_1")->text(), QStringLiteral("1.1"));
    EXPECT_EQ(c.child<QLabel>("sbarPlan_2")->toolTip(), QStringLiteral("Current Chapter: Chapter 1"));
    EXPECT_EQ(c.child<QLabel>("sbarPlan_3")->toolTip(), QStringLiteral("Current Section: Section 1.1"));
    EXPECT_EQ(platform::Settings::get(QStringLiteral("Options"), QStringLiteral("Last_B_File")),
              shell::currentPlan()->fullPath());
    EXPECT_FALSE(shell::currentPlan()->modified());
    EXPECT_TRUE(fakes().messages->shown.isEmpty()) << fakes().messages->lastText().toStdString();
}

TEST(ComposerOpen, ARefusedDocumentLeavesTheShownPlanUntouched)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    plan::Plan *before = shell::currentPlan();
    const QString path = before->fullPath();
    const QString bad = QDir(c.fixture.root()).filePath(QStringLiteral("Broken.mpl"));
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("this is no plan document");
    file.close();

    EXPECT_FALSE(c.window->OpenPlan(bad));
    EXPECT_EQ(shell::currentPlan(), before);
    EXPECT_EQ(shell::currentPlan()->fullPath(), path);
    EXPECT_EQ(shell::currentPlan()->planInfo().planType(), plan::BusinessPlan);
    EXPECT_EQ(nodeKey(c.tree()->currentItem()), QStringLiteral("Plan.1.1"));
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_EQ(fakes().messages->shown[0].icon, platform::Icon::Exclamation);
    EXPECT_FALSE(fakes().messages->lastText().isEmpty());
}

TEST(ComposerOpen, AMarketingPlanFileOpensAsMarketingPlan)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    const QString marketing = QDir(c.fixture.root()).filePath(QStringLiteral("Acme.MPL"));
    ASSERT_TRUE(QFile::copy(c.fixture.documentPath(), marketing));
    ASSERT_TRUE(c.window->OpenPlan(marketing));
    EXPECT_EQ(shell::currentPlan()->planInfo().planType(), plan::MarketingPlan);
    EXPECT_EQ(platform::Settings::get(QStringLiteral("Options"), QStringLiteral("Last_M_File")),
              shell::currentPlan()->fullPath());
}

TEST(ComposerOpen, TheOpenDialogOffersPlansOfTheShownType)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    fakes().dialogs->setNextFileName(c.fixture.documentPath());
    c.child<QAction>("mnuFileOpen_0")->trigger();
    ASSERT_EQ(fakes().dialogs->requests.size(), 1);
    EXPECT_EQ(fakes().dialogs->requests[0].title, QStringLiteral("Open Plan"));
    EXPECT_EQ(fakes().dialogs->requests[0].filter, QStringLiteral("Business Plan Files (*.bpl)|*.bpl"));
    EXPECT_EQ(nodeKey(c.tree()->currentItem()), QStringLiteral("Plan.1.1"));
}

TEST(ComposerOpen, SamplePlanShowsTheRegisteredChooserForTheShownPlanType)
{
    composer::setSamplePlanChooser(nullptr);
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    QAction *sample = c.child<QAction>("mnuFileOpen_1");
    EXPECT_EQ(sample->text(), QStringLiteral("&Sample Plan"));
    // Without the opening dialog's windows there is nothing to show.
    EXPECT_FALSE(sample->isEnabled());

    QList<int> shownFor;
    QList<QWidget *> owners;
    composer::setSamplePlanChooser([&](int planType, QWidget *owner) {
        shownFor << planType;
        owners << owner;
    });
    emit c.window->findChild<QMenu *>(QStringLiteral("mnuFileOpenMenu"))->aboutToShow();
    ASSERT_TRUE(sample->isEnabled());
    sample->trigger();
    EXPECT_EQ(shownFor, QList<int>{plan::BusinessPlan});
    EXPECT_EQ(owners, QList<QWidget *>{c.window.get()});
    // The plan stays open and unchanged.
    EXPECT_EQ(nodeKey(c.tree()->currentItem()), QStringLiteral("Plan.1.1"));
    EXPECT_FALSE(shell::currentPlan()->modified());

    const QString marketing = QDir(c.fixture.root()).filePath(QStringLiteral("Acme.mpl"));
    ASSERT_TRUE(QFile::copy(c.fixture.documentPath(), marketing));
    ASSERT_TRUE(c.window->OpenPlan(marketing));
    sample->trigger();
    EXPECT_EQ(shownFor, (QList<int>{plan::BusinessPlan, plan::MarketingPlan}));
    composer::setSamplePlanChooser(nullptr);
}

TEST(ComposerClose, APlanWithoutChangesClosesWithoutAQuestion)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    EXPECT_TRUE(c.window->ClosePlan());
    EXPECT_TRUE(fakes().messages->shown.isEmpty());
}

TEST(ComposerClose, NoDiscardsTheWorkingCopies)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    c.type(QStringLiteral(" edited"));
    c.select(QStringLiteral("Plan.1.2")); // writes the working copy of 1.1
    ASSERT_EQ(filesIn(c.fixture.planFolder(), QStringLiteral("*.tmp")), QStringList{QStringLiteral("Ans00001.tmp")});
    fakes().messages->setNextAnswer(Answer::No);
    EXPECT_TRUE(c.window->ClosePlan());
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_EQ(fakes().messages->shown[0].text, QStringLiteral("Save Plan"));
    EXPECT_EQ(fakes().messages->shown[0].buttons, platform::Buttons::YesNoCancel);
    EXPECT_EQ(fakes().messages->shown[0].icon, platform::Icon::Question);
    EXPECT_TRUE(filesIn(c.fixture.planFolder(), QStringLiteral("*.tmp")).isEmpty());
    EXPECT_FALSE(readFile(QDir(c.fixture.planFolder()).filePath(QStringLiteral("Ans00001.rtf"))).contains("edited"));
}

TEST(ComposerClose, YesSavesTheShownTextAndCommitsIt)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    c.type(QStringLiteral(" edited"));
    fakes().messages->setNextAnswer(Answer::Yes);
    EXPECT_TRUE(c.window->ClosePlan());
    EXPECT_TRUE(filesIn(c.fixture.planFolder(), QStringLiteral("*.tmp")).isEmpty());
    EXPECT_TRUE(readFile(QDir(c.fixture.planFolder()).filePath(QStringLiteral("Ans00001.rtf"))).contains("edited"));
    EXPECT_FALSE(shell::currentPlan()->modified());
}

TEST(ComposerClose, CancelChangesNothing)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    c.type(QStringLiteral(" edited"));
    c.select(QStringLiteral("Plan.1.2"));
    fakes().messages->setNextAnswer(Answer::Cancel);
    EXPECT_FALSE(c.window->ClosePlan());
    EXPECT_TRUE(shell::currentPlan()->modified());
    EXPECT_EQ(filesIn(c.fixture.planFolder(), QStringLiteral("*.tmp")).size(), 1);
}

TEST(ComposerClose, CancelKeepsTheWindowOpen)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    c.window->show();
    c.type(QStringLiteral(" edited"));
    fakes().messages->setNextAnswer(Answer::Cancel);
    EXPECT_FALSE(c.window->close());
    EXPECT_TRUE(c.window->isVisible());
    fakes().messages->setNextAnswer(Answer::No);
    EXPECT_TRUE(c.window->close());
}

TEST(ComposerClose, ExitReleasesThePlan)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    c.child<QAction>("mnuFile_15")->trigger();
    EXPECT_EQ(shell::currentPlan(), nullptr);
    EXPECT_TRUE(fakes().messages->shown.isEmpty());
}

TEST(ComposerMenus, FileMenuItemsCarryTheirCaptions)
{
    OpenComposer c;
    EXPECT_EQ(c.child<QAction>("mnuFile_0")->text(), QStringLiteral("&New"));
    EXPECT_EQ(c.child<QAction>("mnuFile_2")->text(), QStringLiteral("&Save"));
    EXPECT_EQ(c.child<QAction>("mnuFile_3")->text(), QStringLiteral("&Open"));
    EXPECT_EQ(c.child<QAction>("mnuFile_5")->text(), QStringLiteral("Pre&ference"));
    EXPECT_EQ(c.child<QAction>("mnuFile_6")->text(), QStringLiteral("Plan &Profile"));
    EXPECT_EQ(c.child<QAction>("mnuFile_7")->text(), QStringLiteral("&Compile Plan"));
    EXPECT_EQ(c.child<QAction>("mnuFile_14")->text(), QStringLiteral("&Main Menu"));
    EXPECT_EQ(c.child<QAction>("mnuFile_15")->text(), QStringLiteral("E&xit"));
    EXPECT_TRUE(c.child<QAction>("mnuFile_6")->isEnabled());
    EXPECT_TRUE(c.child<QAction>("mnuFile_7")->isEnabled());
    for (const char *name : {"tvwOutline", "splitMain", "picHelper", "optHelper_0", "optHelper_2", "sbsIEWeb",
                             "f1Helper", "tabWorkArea", "rtfWorkArea", "fOne", "lblSectionName", "sbarPlan",
                             "picToolbar", "cmdToolBar_0", "cmdToolBar_9", "timerSave", "cmdTables",
                             "mnuExtraTablesPopUp"})
        EXPECT_NE(c.window->findChild<QObject *>(QLatin1String(name)), nullptr) << name;
}

TEST(ComposerMenus, GoOnlineOpensTheWebSiteThroughTheShell)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    platform::Settings::save(QStringLiteral("Preferences"), QStringLiteral("Browser"), QStringLiteral("/usr/bin/browser"));
    c.window->findChild<QToolButton *>(QStringLiteral("cmdToolBar_8"))->click();
    ASSERT_EQ(fakes().shell->opened.size(), 1) << fakes().messages->lastText().toStdString();
    EXPECT_EQ(fakes().shell->opened[0].first, QStringLiteral("/usr/bin/browser"));
}

TEST(ComposerOpen, APlanOpenInAnotherWindowOpensAsAReadOnlyCopyThatNeverWritesIt)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    // A second plan, which another window holds.
    const QString other = QDir(c.fixture.root()).filePath(QStringLiteral("Other.bpl"));
    const QString otherFolder = QDir(c.fixture.root()).filePath(QStringLiteral("OtherB"));
    ASSERT_TRUE(QFile::copy(c.fixture.documentPath(), other));
    QDir().mkpath(otherFolder);
    for (const QString &name : QDir(c.fixture.planFolder()).entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(QDir(c.fixture.planFolder()).filePath(name), QDir(otherFolder).filePath(name)));
    composer::PlanLock held;
    QString refusal;
    ASSERT_TRUE(held.take(otherFolder, QStringLiteral("Other"), refusal));
    const QByteArray document = readFile(other);

    // No: nothing opens.
    fakes().messages->setNextAnswer(Answer::No);
    EXPECT_FALSE(c.window->OpenPlan(other));
    EXPECT_TRUE(fakes().messages->lastText().contains(QStringLiteral("already open in another Quorvex window")));
    EXPECT_TRUE(fakes().messages->lastText().contains(QStringLiteral("read-only copy")));
    EXPECT_EQ(shell::currentPlan()->fullPath(), c.fixture.documentPath());

    // Yes: the copy opens, says so, and is never saved over the plan.
    fakes().messages->setNextAnswer(Answer::Yes);
    ASSERT_TRUE(c.window->OpenPlan(other));
    EXPECT_EQ(c.window->windowTitle(), QStringLiteral("Plan Composer - Other (Read-Only Copy)"));
    EXPECT_NE(QFileInfo(shell::currentPlan()->fullPath()).absolutePath(), QFileInfo(other).absolutePath());
    EXPECT_EQ(platform::Settings::get(QStringLiteral("Options"), QStringLiteral("Last_B_File")), c.fixture.documentPath())
        << "the copy is not the plan to reopen";
    shell::currentPlan()->setModified(true);
    EXPECT_FALSE(c.window->SavePlan());
    EXPECT_TRUE(fakes().messages->lastText().contains(QStringLiteral("read-only copy of \"Other\"")));
    EXPECT_EQ(readFile(other), document);

    // Closing discards the copy's changes only when told to.
    fakes().messages->setNextAnswer(Answer::No);
    EXPECT_FALSE(c.window->ClosePlan());
    const QString copyFolder = QFileInfo(shell::currentPlan()->fullPath()).absolutePath();
    fakes().messages->setNextAnswer(Answer::Yes);
    EXPECT_TRUE(c.window->ClosePlan());
    EXPECT_FALSE(QFileInfo::exists(copyFolder)) << "the copy goes with it";
    EXPECT_EQ(readFile(other), document);
}

// A composer killed while its user types: what was typed before the kill is
// offered back when the plan is next opened. The dying composer runs in a
// fresh run of this test program (the way a crash takes a real one), on this
// run's plan, whose place it finds in the environment.
TEST(ComposerKilledDeathTest, TextTypedBeforeTheKillIsOfferedBackWhenThePlanIsNextOpened)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    constexpr char planVariable[] = "QV_TEST_KILLED_COMPOSER_PLAN";
    constexpr char installVariable[] = "QV_TEST_KILLED_COMPOSER_INSTALL";
    std::optional<PlanFixture> fixture;
    if (!qEnvironmentVariableIsSet(planVariable)) {
        fixture.emplace();
        qputenv(planVariable, fixture->documentPath().toUtf8());
        qputenv(installVariable, fixture->installFolder().toUtf8());
    }
    const QString document = qEnvironmentVariable(planVariable);
    const QString typed = QStringLiteral("Typed a moment before the kill");

    EXPECT_EXIT(
        {
            platform::Folders::setInstallFolder(qEnvironmentVariable(installVariable));
            support::frmAdvise::setRunner([](support::frmAdvise &advice) { advice.accept(); });
            shell::replaceCurrentPlan();
            auto *window = new composer::frmMain; // never closed: the kill ends it
            if (!window->OpenPlan(document))
                std::_Exit(1);
            QTextCursor cursor = window->findChild<richtext::TextEditor *>(QStringLiteral("rtfWorkArea"))->textCursor();
            cursor.movePosition(QTextCursor::End);
            cursor.insertText(QStringLiteral(" ") + typed);
            // The user pauses; the composer keeps the typing in its working copy.
            const QString workingCopy = QDir(plan::ModEnglish::PlanFolderOfDocument(document)).filePath(QStringLiteral("Ans00001.tmp"));
            for (int waited = 0; waited < 20000; waited += 50) {
                QTest::qWait(50);
                if (readFile(workingCopy).contains(typed.toUtf8()))
                    raise(SIGKILL);
            }
            std::_Exit(2);
        },
        testing::KilledBySignal(SIGKILL), "");
    qunsetenv(planVariable);
    qunsetenv(installVariable);
    ASSERT_TRUE(fixture);

    // The next composer finds the dead one's lock and working copy, asks,
    // and shows the recovered text.
    shell::replaceCurrentPlan();
    support::frmAdvise::setRunner([](support::frmAdvise &advice) { advice.accept(); });
    auto window = std::make_unique<composer::frmMain>();
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    fakes().messages->setNextAnswer(Answer::Yes);
    ASSERT_TRUE(window->OpenPlan(document));
    ASSERT_FALSE(fakes().messages->shown.isEmpty());
    EXPECT_TRUE(fakes().messages->shown[0].text.contains(QStringLiteral("(text)")))
        << fakes().messages->shown[0].text.toStdString();
    EXPECT_TRUE(window->findChild<richtext::TextEditor *>(QStringLiteral("rtfWorkArea"))->toPlainText().contains(typed));
    EXPECT_TRUE(shell::currentPlan()->modified()) << "closing asks to save what was recovered";
    window->unload();
    window.reset();
    shell::releaseCurrentPlan();
    support::frmAdvise::setRunner(nullptr);
}
