// One writer per plan, and edits that a crashed program left unsaved
// offered back when the plan opens again.

#include "composer/LeftoverEdits.h"
#include "composer/OpenPlanSession.h"
#include "composer/PlanCheck.h"
#include "composer/PlanLock.h"
#include "controls/workbook/Workbook.h"
#include "FakePlatform.h"
#include "PlanFixture.h"
#include "plan/Outline.h"
#include "plan/Plan.h"
#include "shell/CurrentPlan.h"

#include <QDir>
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
