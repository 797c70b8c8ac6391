#include "ComposerTestSupport.h"

#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "platform/Settings.h"
#include "shell/modBusinessRule.h"

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <functional>

using namespace qv;
using namespace qv::test;
using platform::Answer;

namespace {

// A clock that runs a probe whenever the save lets window messages run, as
// a user's click would arrive while a save is under way.
class ProbingClock final : public platform::Clock
{
public:
    QDateTime now() override { return current; }
    void pause(int milliseconds) override
    {
        current = current.addMSecs(milliseconds);
        processEvents();
    }
    void processEvents() override
    {
        if (probe)
            probe();
    }
    QDateTime current = QDateTime(QDate(2026, 1, 15), QTime(9, 30, 55));
    std::function<void()> probe;
};

// The probing clock in place of the platform's clock.
std::shared_ptr<ProbingClock> installProbingClock()
{
    auto clock = std::make_shared<ProbingClock>();
    platform::Services services;
    services.clock = clock;
    platform::installServices(services);
    return clock;
}

void setPreference(const char *key, const QString &value)
{
    platform::Settings::save(QStringLiteral("Preferences"), QLatin1String(key), value);
}

// Autosave on, every `minutes`.
void autosaveEvery(const OpenComposer &c, int minutes)
{
    setPreference("AutoSave", QStringLiteral("-1"));
    setPreference("Minutes", QString::number(minutes));
    c.window->ApplyPreferences();
}

QAction *action(const OpenComposer &c, const QString &name)
{
    return c.window->findChild<QAction *>(name);
}

} // namespace

TEST(ComposerSave, ASaveWithoutWorkingCopiesOnlySavesTheDocument)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    const QStringList before = filesIn(c.fixture.planFolder(), QStringLiteral("*"));
    shell::currentPlan()->setModified(true);
    EXPECT_TRUE(c.window->SavePlan());
    EXPECT_FALSE(shell::currentPlan()->modified());
    EXPECT_EQ(filesIn(c.fixture.planFolder(), QStringLiteral("*")), before);
    EXPECT_TRUE(fakes().messages->shown.isEmpty());
}

TEST(ComposerSave, AFailedCommitIsReportedWithTheFileAndTheRestGoesOn)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    const QDir folder(c.fixture.planFolder());
    // A folder in the way of the table's file: its commit cannot replace it.
    ASSERT_TRUE(QFile::remove(folder.filePath(QStringLiteral("Tbl0201.vts"))));
    ASSERT_TRUE(folder.mkpath(QStringLiteral("Tbl0201.vts/blocked")));
    QFile copy(folder.filePath(QStringLiteral("Tbl0201.tbf")));
    ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
    copy.write("table");
    copy.close();
    c.type(QStringLiteral("more"));
    fakes().messages->shown.clear();

    EXPECT_FALSE(c.window->SavePlan());
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    const platform::Message &report = fakes().messages->shown[0];
    EXPECT_TRUE(report.text.startsWith(QStringLiteral("Error: "))) << report.text.toStdString();
    EXPECT_TRUE(report.text.endsWith(QStringLiteral(" (75)\r\nSaving ") + folder.filePath(QStringLiteral("Tbl0201.vts"))))
        << report.text.toStdString();
    EXPECT_EQ(report.icon, platform::Icon::None);
    EXPECT_EQ(report.buttons, platform::Buttons::Ok);
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("Tbl0201.tbf"))));
    EXPECT_TRUE(filesIn(c.fixture.planFolder(), QStringLiteral("*.tmp")).isEmpty()); // the text went on
}

TEST(ComposerSave, TablesChangedThroughLinksAreWrittenToo)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    workbook::WorkbookSet &tables = c.window->getTables();
    tables.find(QStringLiteral("Tbl0201"))->setFormula(3, 1, QStringLiteral("=[Tbl0101]Sheet1!$A$2+1"));
    ASSERT_TRUE(c.window->SavePlan());
    const QString linkedFile = QDir(c.fixture.planFolder()).filePath(QStringLiteral("Tbl0201.vts"));
    const QString unrelatedFile = QDir(c.fixture.planFolder()).filePath(QStringLiteral("Tbl0301.vts"));
    const QByteArray linkedBefore = readFile(linkedFile);
    const QByteArray unrelatedBefore = readFile(unrelatedFile);

    tables.find(QStringLiteral("Tbl0101"))->setNumber(2, 1, 555);
    EXPECT_EQ(tables.find(QStringLiteral("Tbl0201"))->number(3, 1), 556.0);
    ASSERT_TRUE(c.window->SavePlan());
    EXPECT_NE(readFile(linkedFile), linkedBefore);
    EXPECT_EQ(readFile(unrelatedFile), unrelatedBefore);
    workbook::Workbook reread;
    reread.read(linkedFile);
    EXPECT_EQ(reread.formula(3, 1), QStringLiteral("=[Tbl0101]Sheet1!$A$2+1"));
}

TEST(ComposerSave, WhileASaveRunsAnotherSaveAnAutosaveAndACloseAreRefused)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    platform::Settings::save(QStringLiteral("Options"), QStringLiteral("Commit Pause"), QStringLiteral("5"));
    autosaveEvery(c, 1);
    const auto clock = installProbingClock();

    c.type(QStringLiteral("edited"));
    c.window->getTables().find(QStringLiteral("Tbl0101"))->setNumber(4, 1, 9);
    int probes = 0;
    bool anySecondSave = false;
    bool anyClose = false;
    QStringList titles;
    clock->probe = [&] {
        ++probes;
        EXPECT_TRUE(c.window->saving());
        anySecondSave = anySecondSave || c.window->SavePlan();
        anyClose = anyClose || c.window->ClosePlan();
        c.window->autosaveTick();
        titles << c.window->windowTitle();
        // No working copy is gone before its commit.
        EXPECT_FALSE(c.window->close());
    };
    const QDateTime start = clock->now();
    EXPECT_TRUE(c.window->SavePlan());
    clock->probe = nullptr;
    EXPECT_GT(probes, 0);
    EXPECT_FALSE(anySecondSave);
    EXPECT_FALSE(anyClose);
    EXPECT_FALSE(c.window->saving());
    EXPECT_EQ(start.secsTo(clock->now()), 12); // two files, six seconds each (the minute turned)
    EXPECT_TRUE(filesIn(c.fixture.planFolder(), QStringLiteral("*.t?p")).isEmpty());
    EXPECT_TRUE(filesIn(c.fixture.planFolder(), QStringLiteral("*.tbf")).isEmpty());
}

TEST(ComposerAutosave, TheTimerFollowsThePreferences)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    auto *timer = c.window->findChild<QTimer *>(QStringLiteral("timerSave"));
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(timer->isActive()); // off by default
    setPreference("AutoSave", QStringLiteral("-1"));
    c.window->ApplyPreferences();
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 60000);
    EXPECT_EQ(timer->property("tag").toString(), QStringLiteral("0"));
    setPreference("AutoSave", QStringLiteral("0"));
    c.window->ApplyPreferences();
    EXPECT_FALSE(timer->isActive());
}

TEST(ComposerAutosave, SavesOnTheIntervalsTickUnderItsCaption)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    autosaveEvery(c, 3);
    const auto clock = installProbingClock();
    QStringList captions;
    clock->probe = [&] { captions << c.window->windowTitle(); };
    const QString caption = c.window->windowTitle();
    auto *timer = c.window->findChild<QTimer *>(QStringLiteral("timerSave"));

    c.type(QStringLiteral("autosaved words"));
    c.window->autosaveTick();
    c.window->autosaveTick();
    EXPECT_EQ(timer->property("tag").toString(), QStringLiteral("2"));
    EXPECT_TRUE(shell::currentPlan()->modified());
    EXPECT_TRUE(captions.isEmpty());
    c.window->autosaveTick();
    EXPECT_EQ(timer->property("tag").toString(), QStringLiteral("0"));
    EXPECT_FALSE(shell::currentPlan()->modified());
    EXPECT_TRUE(captions.contains(QStringLiteral("Auto saving")));
    EXPECT_EQ(c.window->windowTitle(), caption);
    EXPECT_TRUE(filesIn(c.fixture.planFolder(), QStringLiteral("*.tmp")).isEmpty());
    EXPECT_TRUE(fakes().messages->shown.isEmpty()); // it never asks

    // Interval 1: every tick saves, changed or not.
    autosaveEvery(c, 1);
    for (int minute = 0; minute < 2; ++minute) {
        shell::currentPlan()->setModified(true);
        c.window->autosaveTick();
        EXPECT_FALSE(shell::currentPlan()->modified()); // saved on this tick
        EXPECT_EQ(timer->property("tag").toString(), QStringLiteral("0"));
    }
    EXPECT_TRUE(fakes().messages->shown.isEmpty());
}

TEST(ComposerAutosave, WaitsWhileAQuestionIsOpen)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    autosaveEvery(c, 1);
    c.type(QStringLiteral("not yet"));
    QDialog question(c.window.get());
    question.setModal(true);
    question.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &question);
    c.window->autosaveTick();
    EXPECT_TRUE(shell::currentPlan()->modified());
    question.hide();
    c.window->autosaveTick();
    EXPECT_FALSE(shell::currentPlan()->modified());
}

TEST(ComposerRecentFiles, TheFileMenuListsTheEntriesAndOpensThem)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    const QString missing = QDir(c.fixture.root()).filePath(QStringLiteral("Gone Away.bpl"));
    platform::Settings::save(shell::recentFilesSection(), shell::recentFileKey(0), missing);
    platform::Settings::save(shell::recentFilesSection(), shell::recentFileKey(2), c.fixture.documentPath());
    c.window->ApplyPreferences();
    QAction *first = action(c, QStringLiteral("mnuFile_9"));
    QAction *second = action(c, QStringLiteral("mnuFile_10"));
    QAction *third = action(c, QStringLiteral("mnuFile_11"));
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->text(), QStringLiteral("&1 ") + missing);
    EXPECT_FALSE(second->isVisible()); // an empty entry in the middle
    EXPECT_TRUE(third->isVisible());
    EXPECT_EQ(third->text(), QStringLiteral("&3 ") + c.fixture.documentPath());
    EXPECT_FALSE(action(c, QStringLiteral("mnuFile_13"))->isVisible());

    // The screenshot of the File menu with its entries.
    c.window->resize(1100, 700);
    c.window->show();
    auto *file = c.window->findChild<QMenu *>(QStringLiteral("mnuFileTop"));
    file->popup(c.window->mapToGlobal(QPoint(0, c.window->menuBar()->height())));
    QApplication::processEvents();
    const QString folder = QStringLiteral(QV_BINARY_DIR "/screenshots");
    QDir().mkpath(folder);
    file->grab().save(folder + QStringLiteral("/composer-file-menu.png"));
    file->hide();

    fakes().messages->shown.clear();
    first->trigger();
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_EQ(fakes().messages->lastText(), QStringLiteral("File not found:\r\n") + missing);
    EXPECT_EQ(fakes().messages->shown[0].icon, platform::Icon::Information);

    third->trigger();
    EXPECT_EQ(shell::currentPlan()->fullPath(), QFileInfo(c.fixture.documentPath()).absoluteFilePath());
    EXPECT_EQ(nodeKey(c.tree()->currentItem()), QStringLiteral("Plan.1.1"));
    // A plan already listed keeps its place when it closes.
    EXPECT_EQ(shell::ReadRecentFiles().at(0), missing);
    EXPECT_EQ(shell::ReadRecentFiles().at(2), shell::currentPlan()->fullPath());
}

TEST(ComposerRecentFiles, TheListCanBeHidden)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    platform::Settings::save(shell::recentFilesSection(), shell::recentFileKey(0), c.fixture.documentPath());
    setPreference("Recent Files", QStringLiteral("0"));
    c.window->ApplyPreferences();
    for (int index = 9; index <= 13; ++index)
        EXPECT_FALSE(action(c, QStringLiteral("mnuFile_%1").arg(index))->isVisible());
}
