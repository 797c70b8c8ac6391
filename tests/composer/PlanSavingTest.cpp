#include "composer/PlanSaving.h"

#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "FakePlatform.h"
#include "TestFiles.h"
#include "platform/Settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace qv;
using namespace qv::composer;
using namespace qv::test;

namespace {

QStringList files(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

TEST(CommitPause, EndsWhenTheSecondsMovedOnByMoreThanTheLength)
{
    EXPECT_FALSE(pauseOver(10, 15, 5));
    EXPECT_TRUE(pauseOver(10, 16, 5));
    EXPECT_FALSE(pauseOver(10, 10, 5));
}

TEST(CommitPause, CountsAcrossTheTurnOfTheMinute)
{
    EXPECT_FALSE(pauseOver(55, 0, 5));
    EXPECT_FALSE(pauseOver(58, 3, 5));
    EXPECT_TRUE(pauseOver(58, 4, 5));
    EXPECT_TRUE(pauseOver(59, 5, 5));
}

TEST(CommitPause, LengthZeroNeverWaits)
{
    EXPECT_TRUE(pauseOver(10, 10, 0));
    const QDateTime before = fakes().clock->now();
    pauseAfterCommit(0);
    EXPECT_TRUE(fakes().clock->pauses.isEmpty());
    EXPECT_EQ(fakes().clock->now(), before);
}

TEST(CommitPause, FiveSecondsOnThePlatformClockLettingMessagesRun)
{
    fakes().clock->current = QDateTime(QDate(2026, 1, 15), QTime(9, 30, 20));
    const QDateTime before = fakes().clock->now();
    pauseAfterCommit(5);
    EXPECT_EQ(before.secsTo(fakes().clock->now()), 6);
    EXPECT_GT(fakes().clock->eventRuns, 10); // messages ran all along
}

TEST(CommitPause, AStartAtSecondFiftyFiveStillPausesFiveSeconds)
{
    fakes().clock->current = QDateTime(QDate(2026, 1, 15), QTime(9, 30, 55, 500));
    const QDateTime before = fakes().clock->now();
    pauseAfterCommit(5);
    const qint64 waited = before.msecsTo(fakes().clock->now());
    EXPECT_GE(waited, 5000);
    EXPECT_LE(waited, 7000);
    EXPECT_EQ(fakes().clock->now().time().minute(), 31);
}

TEST(CommitPause, ADefaultOfZeroAndAnUpperLimit)
{
    EXPECT_EQ(commitPauseSeconds(), 0);
    platform::Settings::save(QStringLiteral("Options"), QStringLiteral("Commit Pause"), QStringLiteral("5"));
    EXPECT_EQ(commitPauseSeconds(), 5);
    platform::Settings::save(QStringLiteral("Options"), QStringLiteral("Commit Pause"), QStringLiteral("900"));
    EXPECT_EQ(commitPauseSeconds(), kMaxCommitPauseSeconds);
    platform::Settings::save(QStringLiteral("Options"), QStringLiteral("Commit Pause"), QStringLiteral("soon"));
    EXPECT_EQ(commitPauseSeconds(), 0);
}

TEST(CommitWorkingFiles, TablesThenTextsEachOverItsFile)
{
    QTemporaryDir folder;
    const QDir dir(folder.path());
    writeTestFile(dir.filePath(QStringLiteral("Tbl0101.vts")), "old table");
    writeTestFile(dir.filePath(QStringLiteral("Tbl0101.tbf")), "new table");
    writeTestFile(dir.filePath(QStringLiteral("Ans00001.tmp")), "new text");
    QStringList order;
    const auto failures = commitWorkingFiles(folder.path(), 0, {}, [&](const QString &name, bool committed) {
        EXPECT_TRUE(committed);
        order << name;
    });
    EXPECT_TRUE(failures.isEmpty());
    EXPECT_EQ(order, (QStringList{QStringLiteral("Tbl0101.tbf"), QStringLiteral("Ans00001.tmp")}));
    EXPECT_EQ(files(folder.path()), (QStringList{QStringLiteral("Ans00001.rtf"), QStringLiteral("Tbl0101.vts")}));
    EXPECT_EQ(readFile(dir.filePath(QStringLiteral("Tbl0101.vts"))), "new table");
    EXPECT_EQ(readFile(dir.filePath(QStringLiteral("Ans00001.rtf"))), "new text");
}

TEST(CommitWorkingFiles, UpperCaseExtensionsEndAsLowerCaseTargets)
{
    QTemporaryDir folder;
    const QDir dir(folder.path());
    writeTestFile(dir.filePath(QStringLiteral("TBL0404.TBF")), "table");
    writeTestFile(dir.filePath(QStringLiteral("ANS00002.TMP")), "text");
    EXPECT_TRUE(commitWorkingFiles(folder.path(), 0, {}).isEmpty());
    EXPECT_EQ(files(folder.path()), (QStringList{QStringLiteral("ANS00002.rtf"), QStringLiteral("TBL0404.vts")}));
}

TEST(CommitWorkingFiles, PausesAfterEachFile)
{
    QTemporaryDir folder;
    const QDir dir(folder.path());
    writeTestFile(dir.filePath(QStringLiteral("Tbl0101.tbf")), "a");
    writeTestFile(dir.filePath(QStringLiteral("Ans00001.tmp")), "b");
    fakes().clock->current = QDateTime(QDate(2026, 1, 15), QTime(9, 30, 57));
    const QDateTime before = fakes().clock->now();
    EXPECT_TRUE(commitWorkingFiles(folder.path(), 5, {}).isEmpty());
    EXPECT_EQ(before.secsTo(fakes().clock->now()), 12);
}

TEST(CommitWorkingFiles, AFailureIsReportedAndTheOthersGoOn)
{
    QTemporaryDir folder;
    const QDir dir(folder.path());
    // A folder where the table's file should be: the rename cannot replace it.
    ASSERT_TRUE(dir.mkdir(QStringLiteral("Tbl0101.vts")));
    writeTestFile(dir.filePath(QStringLiteral("Tbl0101.vts/inside")), "keep");
    writeTestFile(dir.filePath(QStringLiteral("Tbl0101.tbf")), "table");
    writeTestFile(dir.filePath(QStringLiteral("Ans00001.tmp")), "text");
    QList<CommitFailure> reported;
    const auto failures =
        commitWorkingFiles(folder.path(), 0, [&](const CommitFailure &failure) { reported << failure; });
    ASSERT_EQ(failures.size(), 1);
    ASSERT_EQ(reported.size(), 1);
    EXPECT_EQ(reported[0].target, dir.filePath(QStringLiteral("Tbl0101.vts")));
    EXPECT_FALSE(reported[0].description.isEmpty());
    EXPECT_EQ(reported[0].number, 75);
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("Tbl0101.tbf")))); // kept for the next save
    EXPECT_EQ(readFile(dir.filePath(QStringLiteral("Ans00001.rtf"))), "text");
}

TEST(CommitWorkingFiles, NoWorkingCopiesNoChange)
{
    QTemporaryDir folder;
    writeTestFile(QDir(folder.path()).filePath(QStringLiteral("Tbl0101.vts")), "same");
    EXPECT_TRUE(commitWorkingFiles(folder.path(), 5, {}).isEmpty());
    EXPECT_TRUE(fakes().clock->pauses.isEmpty());
    EXPECT_EQ(files(folder.path()), QStringList{QStringLiteral("Tbl0101.vts")});
}

TEST(CommitWorkingFilesDeathTest, ACrashMidCommitLeavesOldOrNewFilesNeverBrokenOnes)
{
    // The dying save runs in a fresh run of this test, so both runs work in
    // one known folder.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    struct
    {
        QString path() const { return QStringLiteral(QV_BINARY_DIR "/crash-mid-commit"); }
    } folder;
    QDir(folder.path()).removeRecursively();
    ASSERT_TRUE(QDir().mkpath(folder.path()));
    const QDir dir(folder.path());
    for (int n = 1; n <= 3; ++n) {
        writeTestFile(dir.filePath(QStringLiteral("Tbl010%1.vts").arg(n)), "old table " + QByteArray::number(n));
        writeTestFile(dir.filePath(QStringLiteral("Tbl010%1.tbf").arg(n)), "new table " + QByteArray::number(n));
        writeTestFile(dir.filePath(QStringLiteral("Ans0000%1.rtf").arg(n)), "old text " + QByteArray::number(n));
        writeTestFile(dir.filePath(QStringLiteral("Ans0000%1.tmp").arg(n)), "new text " + QByteArray::number(n));
    }
    // The program dies after the second file of the save.
    EXPECT_EXIT(
        {
            int committed = 0;
            commitWorkingFiles(folder.path(), 0, {}, [&](const QString &, bool) {
                if (++committed == 2)
                    std::_Exit(3);
            });
            std::_Exit(0);
        },
        testing::ExitedWithCode(3), "");

    for (int n = 1; n <= 3; ++n) {
        const QByteArray table = readFile(dir.filePath(QStringLiteral("Tbl010%1.vts").arg(n)));
        EXPECT_EQ(table, (n <= 2 ? "new table " : "old table ") + QByteArray::number(n));
        EXPECT_EQ(QFile::exists(dir.filePath(QStringLiteral("Tbl010%1.tbf").arg(n))), n > 2);
        EXPECT_EQ(readFile(dir.filePath(QStringLiteral("Ans0000%1.rtf").arg(n))), "old text " + QByteArray::number(n));
    }
    // Nothing half-written lies about, and the next save finishes the job.
    EXPECT_EQ(files(folder.path()).size(), 3 + 1 + 6);
    EXPECT_TRUE(commitWorkingFiles(folder.path(), 0, {}).isEmpty());
    for (int n = 1; n <= 3; ++n) {
        EXPECT_EQ(readFile(dir.filePath(QStringLiteral("Tbl010%1.vts").arg(n))), "new table " + QByteArray::number(n));
        EXPECT_EQ(readFile(dir.filePath(QStringLiteral("Ans0000%1.rtf").arg(n))), "new text " + QByteArray::number(n));
    }
    EXPECT_EQ(files(folder.path()).size(), 6);
}

TEST(DeleteMatchingFiles, MatchesThePatternWithoutCase)
{
    QTemporaryDir folder;
    const QDir dir(folder.path());
    for (const char *name : {"a.tmp", "B.TMP", "c.tbf", "d.rtf", "tmp"})
        writeTestFile(dir.filePath(QLatin1String(name)), "x");
    EXPECT_EQ(DeleteMatchingFiles(folder.path(), QStringLiteral("*.tmp")), 2);
    EXPECT_EQ(files(folder.path()), (QStringList{QStringLiteral("c.tbf"), QStringLiteral("d.rtf"), QStringLiteral("tmp")}));
    EXPECT_EQ(DeleteMatchingFiles(QString(), QStringLiteral("*.tbf")), 0);
    EXPECT_EQ(DeleteMatchingFiles(folder.path() + QStringLiteral("/missing"), QStringLiteral("*.tbf")), 0);
}

TEST(Autosave, IntervalOneSavesOnEveryTick)
{
    AutosaveTick tick{0, false};
    for (int minute = 0; minute < 3; ++minute) {
        tick = autosaveTick(tick.counter, 1);
        EXPECT_TRUE(tick.save);
        EXPECT_EQ(tick.counter, 0);
    }
}

TEST(Autosave, IntervalTenSavesOnTheTenthTick)
{
    int counter = 0;
    QList<int> saves;
    for (int minute = 1; minute <= 25; ++minute) {
        const AutosaveTick tick = autosaveTick(counter, 10);
        counter = tick.counter;
        if (tick.save)
            saves << minute;
    }
    EXPECT_EQ(saves, (QList<int>{10, 20}));
    EXPECT_EQ(counter, 5);
}

TEST(Autosave, ACounterPastAShortenedIntervalSavesAtOnce)
{
    const AutosaveTick tick = autosaveTick(7, 3);
    EXPECT_TRUE(tick.save);
    EXPECT_EQ(tick.counter, 0);
}

TEST(TableDigest, ChangesWhenALinkRecalculatesTheTable)
{
    workbook::WorkbookSet set;
    workbook::Workbook *source = set.create(QStringLiteral("Tbl0101"));
    workbook::Workbook *linked = set.create(QStringLiteral("Tbl0201"));
    source->setNumber(1, 1, 10);
    linked->addSheet(QStringLiteral("Second"));
    linked->setActiveSheet(1);
    linked->setFormula(2, 2, QStringLiteral("=[Tbl0101]Sheet1!$A$1*2"));
    linked->setActiveSheet(0);
    const QByteArray before = formulaResultsDigest(*linked);
    EXPECT_EQ(formulaResultsDigest(*linked), before);
    EXPECT_EQ(linked->activeSheet(), 0);
    source->setNumber(1, 1, 11);
    EXPECT_NE(formulaResultsDigest(*linked), before);
}
