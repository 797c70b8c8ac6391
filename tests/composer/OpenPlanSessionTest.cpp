// The open plan without any window: opening, linked tables, saving and
// closing through the session alone. This program links no widgets.

#include "composer/OpenPlanSession.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "FakePlatform.h"
#include "PlanFixture.h"
#include "platform/AtomicFile.h"
#include "shell/CurrentPlan.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace qv;
using namespace qv::test;
using composer::OpenPlanSession;

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The fixture's plan with Tbl0201!A3 linked to Tbl0101!A2 (twice its value).
struct LinkedPlan
{
    LinkedPlan()
    {
        const QString linked = QDir(fixture.planFolder()).filePath(QStringLiteral("Tbl0201.vts"));
        workbook::Workbook book;
        book.read(linked);
        book.setFormula(3, 1, QStringLiteral("=[Tbl0101]Sheet1!$A$2*2"));
        book.write(linked);
        shell::replaceCurrentPlan();
    }
    ~LinkedPlan() { shell::releaseCurrentPlan(); }
    QString file(const char *name) const { return QDir(fixture.planFolder()).filePath(QLatin1String(name)); }

    PlanFixture fixture;
};

} // namespace

TEST(OpenPlanSession, AChangeReachesALinkedTableAndASaveCommitsBothWithoutAnyWindow)
{
    LinkedPlan plan;
    OpenPlanSession session;
    QSignalSpy opened(&session, &OpenPlanSession::planOpened);
    ASSERT_TRUE(session.OpenPlan(plan.fixture.documentPath()).ok());
    EXPECT_EQ(opened.count(), 1);
    EXPECT_EQ(session.getTables().count(), 3);
    workbook::Workbook *source = session.table(QStringLiteral("tbl0101"));
    workbook::Workbook *linked = session.table(QStringLiteral("Tbl0201"));
    ASSERT_TRUE(source && linked);
    EXPECT_EQ(linked->number(3, 1), 200.0);
    EXPECT_FALSE(session.isModified());

    QSignalSpy changed(&session, &OpenPlanSession::tableChanged);
    QSignalSpy modified(&session, &OpenPlanSession::modifiedChanged);
    source->setNumber(2, 1, 321);
    EXPECT_EQ(linked->number(3, 1), 642.0);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.first().first().toString(), QStringLiteral("Tbl0101"));
    EXPECT_TRUE(session.isModified());
    EXPECT_EQ(modified.count(), 1);

    const QByteArray linkedBefore = readFile(plan.file("Tbl0201.vts"));
    const QByteArray unrelatedBefore = readFile(plan.file("Tbl0301.vts"));
    QSignalSpy started(&session, &OpenPlanSession::saveStarted);
    QSignalSpy finished(&session, &OpenPlanSession::saveFinished);
    ASSERT_TRUE(session.SavePlan().ok());
    EXPECT_EQ(started.count(), 1);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_TRUE(finished.first().first().toBool());
    EXPECT_FALSE(session.isModified());
    EXPECT_TRUE(QDir(plan.fixture.planFolder()).entryList({QStringLiteral("*.tbf")}, QDir::Files).isEmpty());
    EXPECT_NE(readFile(plan.file("Tbl0201.vts")), linkedBefore);
    EXPECT_EQ(readFile(plan.file("Tbl0301.vts")), unrelatedBefore);
    EXPECT_TRUE(fakes().messages->shown.isEmpty());

    // Both committed files hold the change: a fresh session reads it back.
    ASSERT_TRUE(session.ClosePlan());
    OpenPlanSession reopened;
    ASSERT_TRUE(reopened.OpenPlan(plan.fixture.documentPath()).ok());
    EXPECT_EQ(reopened.table(QStringLiteral("Tbl0101"))->number(2, 1), 321.0);
    EXPECT_EQ(reopened.table(QStringLiteral("Tbl0201"))->number(3, 1), 642.0);
    EXPECT_EQ(reopened.table(QStringLiteral("Tbl0201"))->formula(3, 1), QStringLiteral("=[Tbl0101]Sheet1!$A$2*2"));

    EXPECT_TRUE(QGuiApplication::topLevelWindows().isEmpty());
}

TEST(OpenPlanSession, ClosingWithNoDiscardsEveryUnsavedEdit)
{
    LinkedPlan plan;
    OpenPlanSession session;
    ASSERT_TRUE(session.OpenPlan(plan.fixture.documentPath()).ok());
    const QByteArray before = readFile(plan.file("Tbl0101.vts"));
    session.table(QStringLiteral("Tbl0101"))->setNumber(2, 1, 9);
    ASSERT_TRUE(session.writeChangedTables().ok());
    EXPECT_TRUE(QFile::exists(plan.file("Tbl0101.tbf")));

    QSignalSpy closed(&session, &OpenPlanSession::planClosed);
    fakes().messages->setNextAnswer(platform::Answer::No);
    EXPECT_TRUE(session.ClosePlan());
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_EQ(fakes().messages->shown[0].buttons, platform::Buttons::YesNoCancel);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(QFile::exists(plan.file("Tbl0101.tbf")));
    EXPECT_EQ(readFile(plan.file("Tbl0101.vts")), before);
    EXPECT_FALSE(session.isTableChanged(QStringLiteral("Tbl0101")));
}

TEST(OpenPlanSession, CancelKeepsThePlanOpenAndAnUnmodifiedPlanClosesWithoutAQuestion)
{
    LinkedPlan plan;
    OpenPlanSession session;
    ASSERT_TRUE(session.OpenPlan(plan.fixture.documentPath()).ok());
    session.markModified();
    fakes().messages->setNextAnswer(platform::Answer::Cancel);
    EXPECT_FALSE(session.ClosePlan());
    EXPECT_TRUE(session.isModified());

    session.setModified(false);
    fakes().messages->shown.clear();
    EXPECT_TRUE(session.ClosePlan());
    EXPECT_TRUE(fakes().messages->shown.isEmpty());
}

TEST(OpenPlanSession, FindsTablesByTheStartOfTheirNameInPlanOrder)
{
    LinkedPlan plan;
    OpenPlanSession session;
    ASSERT_TRUE(session.OpenPlan(plan.fixture.documentPath()).ok());
    const auto place = session.findTable(QStringLiteral("tbl02"));
    ASSERT_TRUE(place.table);
    EXPECT_EQ(place.table->name(), QStringLiteral("Tbl0201"));
    EXPECT_EQ(place.chapter, 2);
    EXPECT_EQ(place.section, 1);
    EXPECT_EQ(session.findTable(QStringLiteral("Tbl0")).table->name(), QStringLiteral("Tbl0101"));
    EXPECT_FALSE(session.findTable(QStringLiteral("Tbl9")).table);
    EXPECT_FALSE(session.findTable(QString()).table);
}

TEST(OpenPlanSession, ARefusedDocumentLeavesTheOpenPlanAsItWas)
{
    LinkedPlan plan;
    OpenPlanSession session;
    ASSERT_TRUE(session.OpenPlan(plan.fixture.documentPath()).ok());
    plan::Plan *before = shell::currentPlan();
    const QString broken = QDir(plan.fixture.root()).filePath(QStringLiteral("Broken.bpl"));
    ASSERT_TRUE(platform::writeFileAtomically(broken, "not a plan").isEmpty());

    const Result<void> opened = session.OpenPlan(broken);
    ASSERT_FALSE(opened.ok());
    EXPECT_FALSE(opened.failure().description.isEmpty());
    EXPECT_EQ(shell::currentPlan(), before);
    EXPECT_EQ(session.getTables().count(), 3);
    EXPECT_TRUE(fakes().messages->shown.isEmpty()); // the caller reports it
}

TEST(OpenPlanSession, AWindowsHeldEditIsWrittenFirstAndItsFailureReportedWhileTheSaveGoesOn)
{
    LinkedPlan plan;
    OpenPlanSession session;
    ASSERT_TRUE(session.OpenPlan(plan.fixture.documentPath()).ok());
    QObject window;
    int writes = 0;
    session.addEditWriter(&window, [&writes] {
        ++writes;
        return Result<void>(Failure{75, QStringLiteral("Disk full"), QStringLiteral("Saving Ans00001.tmp")});
    });
    session.table(QStringLiteral("Tbl0301"))->setNumber(2, 1, 4);

    const Result<void> saved = session.SavePlan();
    EXPECT_FALSE(saved.ok());
    EXPECT_EQ(writes, 1);
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_EQ(fakes().messages->shown[0].text, QStringLiteral("Error: Disk full (75)\r\nSaving Ans00001.tmp"));
    EXPECT_FALSE(QFile::exists(plan.file("Tbl0301.tbf"))); // committed all the same

    {
        QObject gone;
        session.addEditWriter(&gone, [&writes] {
            ++writes;
            return success();
        });
    }
    fakes().messages->shown.clear();
    (void)session.SavePlan();
    EXPECT_EQ(writes, 2); // only the window still there
}
