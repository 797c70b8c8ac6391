// One writer per plan, and edits that a crashed program left unsaved
// offered back when the plan opens again.

#include "composer/LeftoverEdits.h"
#include "composer/OpenPlanSession.h"
#include "composer/PlanCheck.h"
#include "composer/PlanLock.h"
#include "composer/SectionFiles.h"
#include "controls/workbook/Workbook.h"
#include "FakePlatform.h"
#include "TestFiles.h"
#include "PlanFixture.h"
#include "plan/Outline.h"
#include "plan/Plan.h"
#include "plan/WorkingCopies.h"
#include "platform/AtomicFile.h"
#include "shell/CurrentPlan.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QFile>
#include <QCoreApplication>
#include <QSysInfo>

#include <gtest/gtest.h>

using namespace qv;
using namespace qv::test;
using composer::OpenPlanSession;

namespace {

struct FixturePlan
{
    FixturePlan() { shell::replaceCurrentPlan(); }
    ~FixturePlan() { shell::releaseCurrentPlan(); }
    QString file(const QString &name) const { return QDir(fixture.planFolder()).filePath(name); }
    PlanFixture fixture;
};

// A session that ends as a crash would: its working copies stay behind. The
// lock goes with the session; a crashed program's lock is stale, which the
// next test shows is taken over.
void crashWithEdits(const FixturePlan &plan)
{
    OpenPlanSession session;
    ASSERT_TRUE(session.OpenPlan(plan.fixture.documentPath()).ok());
    session.table(QStringLiteral("Tbl0101"))->setNumber(2, 1, 4321);
    ASSERT_TRUE(session.writeChangedTables().ok());
    const plan::Section &first = *session.plan().outline().chapters().item(1)->sections().item(1);
    PlanFixture::writeRtf(plan.file(first.primaryTextFileName()), QStringLiteral("Typed before the crash"));
    ASSERT_TRUE(QFile::exists(plan.file(QStringLiteral("Tbl0101.tbf"))));
}

} // namespace

TEST(PlanLock, ASecondWindowIsToldThePlanIsOpenUntilTheFirstClosesIt)
{
    FixturePlan plan;
    OpenPlanSession first;
    ASSERT_TRUE(first.OpenPlan(plan.fixture.documentPath()).ok());

    OpenPlanSession second;
    const Result<void> refused = second.OpenPlan(plan.fixture.documentPath());
    ASSERT_FALSE(refused.ok());
    EXPECT_TRUE(refused.failure().description.contains(QStringLiteral("already open in another Quorvex window")))
        << refused.failure().description.toStdString();
    EXPECT_TRUE(refused.failure().description.contains(QString::number(QCoreApplication::applicationPid())));
    EXPECT_EQ(&shell::ensureCurrentPlan(), &first.plan()) << "the refused plan replaced nothing";

    // The first may open its own plan again (a reload) without refusing itself.
    ASSERT_TRUE(first.OpenPlan(plan.fixture.documentPath()).ok());
    EXPECT_TRUE(first.ClosePlan());
    EXPECT_TRUE(second.OpenPlan(plan.fixture.documentPath()).ok());
}

TEST(PlanLock, ALockLeftByAProgramThatIsGoneIsTakenOver)
{
    FixturePlan plan;
    // The lock file of a process that no longer runs on this computer.
    QFile stale(plan.file(composer::PlanLock::fileName()));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("2147483000\nquorvex\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();
    OpenPlanSession session;
    EXPECT_TRUE(session.OpenPlan(plan.fixture.documentPath()).ok());
}

TEST(PlanLock, AnEmptyLockLeftByAProgramKilledWhileTakingItIsTakenOver)
{
    FixturePlan plan;
    // Killed between making the lock file and writing who holds it.
    QFile empty(plan.file(composer::PlanLock::fileName()));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    OpenPlanSession session;
    const Result<void> opened = session.OpenPlan(plan.fixture.documentPath());
    EXPECT_TRUE(opened.ok()) << opened.failure().description.toStdString();
}

TEST(LeftoverEdits, RecoveringKeepsTheEditsForTheNextSave)
{
    FixturePlan plan;
    crashWithEdits(plan);

    OpenPlanSession session;
    fakes().messages->setNextAnswer(platform::Answer::Yes);
    ASSERT_TRUE(session.OpenPlan(plan.fixture.documentPath()).ok());
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    const QString question = fakes().messages->shown[0].text;
    EXPECT_TRUE(question.contains(QStringLiteral("(text)"))) << question.toStdString();
    EXPECT_TRUE(question.contains(QStringLiteral("(table)"))) << question.toStdString();
    EXPECT_EQ(session.table(QStringLiteral("Tbl0101"))->number(2, 1), 4321);
    EXPECT_TRUE(session.isModified()) << "closing asks to save what was recovered";
    ASSERT_TRUE(session.SavePlan().ok());
    EXPECT_FALSE(QFile::exists(plan.file(QStringLiteral("Tbl0101.tbf"))));
    EXPECT_TRUE(composer::leftoverEdits(plan.fixture.planFolder(), session.plan().outline()).isEmpty());
}

TEST(LeftoverEdits, DiscardingOpensThePlanAsLastSaved)
{
    FixturePlan plan;
    workbook::Workbook saved;
    saved.read(plan.file(QStringLiteral("Tbl0101.vts")));
    crashWithEdits(plan);

    OpenPlanSession session;
    fakes().messages->setNextAnswer(platform::Answer::No);
    ASSERT_TRUE(session.OpenPlan(plan.fixture.documentPath()).ok());
    EXPECT_EQ(session.table(QStringLiteral("Tbl0101"))->number(2, 1), saved.number(2, 1));
    EXPECT_FALSE(session.isModified());
    EXPECT_TRUE(composer::leftoverEdits(plan.fixture.planFolder(), session.plan().outline()).isEmpty());
}

// A section's first text is named by the plan document only from the next
// save; a crash before it must not leave that text belonging to no section.
TEST(LeftoverEdits, AFirstTextMadeSinceTheLastSaveIsRecoveredIntoItsSection)
{
    FixturePlan plan;
    QString madeName;
    {
        OpenPlanSession session;
        ASSERT_TRUE(session.OpenPlan(plan.fixture.documentPath()).ok());
        plan::Section &section = *session.plan().outline().chapters().item(2)->sections().item(1);
        section.setTextFileName(QString());
        session.markModified();
        ASSERT_TRUE(session.SavePlan().ok()); // saved without a text for 2.1
        ASSERT_TRUE(composer::createSectionTextFile(section, QStringLiteral("Arial"), 12).isEmpty());
        madeName = section.textFileName();
        PlanFixture::writeRtf(plan.file(section.primaryTextFileName()), QStringLiteral("Typed before the crash"));
    } // the crash: no save, no close

    OpenPlanSession session;
    fakes().messages->setNextAnswer(platform::Answer::Yes);
    ASSERT_TRUE(session.OpenPlan(plan.fixture.documentPath()).ok());
    const plan::Section &section = *session.plan().outline().chapters().item(2)->sections().item(1);
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_TRUE(fakes().messages->shown[0].text.contains(section.name() + QStringLiteral(" (text)")))
        << fakes().messages->shown[0].text.toStdString();
    EXPECT_EQ(section.textFileName(), madeName);
    ASSERT_TRUE(session.SavePlan().ok());
    EXPECT_TRUE(readFile(plan.file(madeName)).contains("Typed before the crash"));
    EXPECT_FALSE(QFile::exists(plan.file(QLatin1String(plan::NewSectionTextsFile))));
}

TEST(LeftoverEdits, ANewTextsNoteGivesOnlyAPlainTextOfThePlanFolderToTheOneSectionItNames)
{
    FixturePlan plan;
    OpenPlanSession session;
    ASSERT_TRUE(session.OpenPlan(plan.fixture.documentPath()).ok());
    plan::PlanOutline &outline = session.plan().outline();
    plan::Section &section = *outline.chapters().item(2)->sections().item(1);
    const QString taken = outline.chapters().item(1)->sections().item(1)->textFileName();
    section.setTextFileName(QString());
    writeTestFile(plan.file(QStringLiteral("Ans09999.rtf")), "a text");
    const QString note = plan.file(QLatin1String(plan::NewSectionTextsFile));
    const auto entry = [&](const QString &key, const QString &name, const QString &file) {
        return QStringLiteral(R"({"key":"%1","name":"%2","file":"%3"})").arg(key, name, file);
    };
    const QString key = section.key(), name = section.name();
    for (const QString &hostile :
         {QStringLiteral("not json"), entry(key, name, QStringLiteral("../../etc/passwd.rtf")),
          entry(key, name, QStringLiteral("/tmp/Ans09999.rtf")), entry(key, name, QStringLiteral("Ans05555.rtf")),
          entry(key, name, taken), entry(key, QStringLiteral("Another name"), QStringLiteral("Ans09999.rtf")),
          entry(key, name, QStringLiteral("Ans09999.vts"))}) {
        SCOPED_TRACE(hostile.toStdString());
        writeTestFile(note, (hostile.startsWith(u'{') ? QStringLiteral("[%1]").arg(hostile) : hostile).toUtf8());
        EXPECT_EQ(plan::adoptNewSectionTexts(plan.fixture.planFolder(), outline), 0);
        EXPECT_TRUE(section.textFileName().isEmpty());
    }
    writeTestFile(note, QStringLiteral("[%1]").arg(entry(key, name, QStringLiteral("Ans09999.rtf"))).toUtf8());
    EXPECT_EQ(plan::adoptNewSectionTexts(plan.fixture.planFolder(), outline), 1);
    EXPECT_EQ(section.textFileName(), QStringLiteral("Ans09999.rtf"));
}

TEST(PlanCheck, FindsADamagedTableAndALinkToATableThePlanLacks)
{
    FixturePlan plan;
    OpenPlanSession session;
    ASSERT_TRUE(session.OpenPlan(plan.fixture.documentPath()).ok());
    EXPECT_TRUE(composer::checkPlanFiles(session.plan()).isEmpty());

    workbook::Workbook linked;
    linked.read(plan.file(QStringLiteral("Tbl0201.vts")));
    linked.setFormula(3, 1, QStringLiteral("=[Tbl9999]Sheet1!$A$2*2"));
    linked.write(plan.file(QStringLiteral("Tbl0201.vts")));
    QFile damaged(plan.file(QStringLiteral("Tbl0301.vts")));
    ASSERT_TRUE(damaged.open(QIODevice::ReadWrite));
    damaged.resize(damaged.size() / 2);
    damaged.close();

    const QStringList problems = composer::checkPlanFiles(session.plan());
    ASSERT_EQ(problems.size(), 2) << problems.join(u'\n').toStdString();
    EXPECT_TRUE(problems[0].contains(QStringLiteral("Tbl9999")));
    EXPECT_TRUE(problems[1].contains(QStringLiteral("Tbl0301.vts")));
}

TEST(FailingWrites, ADiskThatFillsDuringASaveKeepsEveryFileWholeAndTheNextSaveCompletes)
{
    int failedSaves = 0;
    for (qint64 budget : {0, 16, 300, 2000, 8000, 30000, 120000, 1000000}) {
        SCOPED_TRACE(budget);
        FixturePlan plan;
        OpenPlanSession session;
        ASSERT_TRUE(session.OpenPlan(plan.fixture.documentPath()).ok());
        const double typed = 1000.0 + double(budget);
        session.table(QStringLiteral("Tbl0101"))->setNumber(2, 1, typed);
        session.markTableChanged(QStringLiteral("Tbl0101"));
        const plan::Section &first = *session.plan().outline().chapters().item(1)->sections().item(1);
        PlanFixture::writeRtf(plan.file(first.primaryTextFileName()), QStringLiteral("Typed before the disk filled"));
        session.markTextChanged();

        platform::failWritesAfter(budget);
        const Result<void> saved = session.SavePlan();
        platform::failWritesAfter(-1);
        if (!saved.ok()) {
            ++failedSaves;
            const QString why = saved.failure().description;
            EXPECT_TRUE(why.contains(QStringLiteral("No space left on device"))) << why.toStdString();
            EXPECT_TRUE(why.contains(plan.fixture.planFolder()) || why.contains(plan.fixture.documentPath()))
                << "the message names the file: " << why.toStdString();
            // What is on disk is the plan as it was, or partly saved, but whole.
            plan::Plan onDisk;
            onDisk.setFilePath(plan.fixture.documentPath());
            ASSERT_TRUE(onDisk.Open()) << onDisk.lastError().toStdString();
            EXPECT_EQ(composer::checkPlanFiles(onDisk), QStringList());
        }
        // The plan stays open with its edits, and the save goes through once there is room.
        const Result<void> again = session.SavePlan();
        ASSERT_TRUE(again.ok()) << again.failure().description.toStdString();
        workbook::Workbook table;
        table.read(plan.file(QStringLiteral("Tbl0101.vts")));
        EXPECT_EQ(table.number(2, 1), typed);
        QFile text(plan.file(first.textFileName()));
        ASSERT_TRUE(text.open(QIODevice::ReadOnly));
        EXPECT_TRUE(text.readAll().contains("Typed before the disk filled"));
    }
    EXPECT_GE(failedSaves, 4) << "small budgets fill the disk during the save";
}

TEST(FailingWrites, ATableThatIsALinkToAFileElsewhereIsReplacedNotWrittenThrough)
{
    FixturePlan plan;
    QTemporaryDir elsewhere;
    const QString outside = elsewhere.filePath(QStringLiteral("notes.txt"));
    QFile notes(outside);
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("not a table");
    notes.close();
    // The plan's table is read from the link (it is the user's own file) ...
    const QString table = plan.file(QStringLiteral("Tbl0101.vts"));
    ASSERT_TRUE(QFile::copy(table, outside + QStringLiteral(".vts")));
    ASSERT_TRUE(QFile::remove(table));
    ASSERT_TRUE(QFile::link(outside, table));

    OpenPlanSession session;
    ASSERT_TRUE(session.OpenPlan(plan.fixture.documentPath()).ok());
    session.table(QStringLiteral("Tbl0101"))->setNumber(2, 1, 77);
    session.markTableChanged(QStringLiteral("Tbl0101"));
    ASSERT_TRUE(session.SavePlan().ok());
    // ... but a save replaces the link, never the file it points to.
    EXPECT_FALSE(QFileInfo(table).isSymLink());
    ASSERT_TRUE(notes.open(QIODevice::ReadOnly));
    EXPECT_EQ(notes.readAll(), "not a table");
}

TEST(PlanCheck, ReadsTheAnalysisWorkbookAndTheLinksOfEverySheet)
{
    FixturePlan plan;
    OpenPlanSession session;
    ASSERT_TRUE(session.OpenPlan(plan.fixture.documentPath()).ok());
    session.plan().profile().setAnalysis(true);
    session.plan().profile().setAnalysisFileName(QStringLiteral("ANRT.vts"));
    EXPECT_TRUE(composer::checkPlanFiles(session.plan()).isEmpty()) << "no analysis file yet is no problem";

    workbook::Workbook analysis;
    analysis.setFormula(1, 1, QStringLiteral("=[Tbl0101]Sheet1!$A$2"));
    analysis.setActiveSheet(analysis.addSheet());
    analysis.setFormula(1, 1, QStringLiteral("=[Tbl9999]Sheet1!$A$2"));
    analysis.write(plan.file(QStringLiteral("ANRT.vts")));
    const QStringList problems = composer::checkPlanFiles(session.plan());
    ASSERT_EQ(problems.size(), 1) << problems.join(u'\n').toStdString();
    EXPECT_TRUE(problems[0].contains(QStringLiteral("ANRT.vts")));
    EXPECT_TRUE(problems[0].contains(QStringLiteral("Tbl9999")));
}
