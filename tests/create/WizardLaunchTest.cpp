// Handing the answers to Quorvex, and going back to the opening dialog.

#include "create/wizard/WizardLaunch.h"

#include "FakePlatform.h"
#include "platform/Folders.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace qv::wizard;
using qv::test::fakes;

namespace {
WizardAnswers answersIn(const QString &folder)
{
    WizardAnswers a;
    a.documentPath = folder + QStringLiteral("/Acme.bpl");
    a.businessName = QStringLiteral("Acme");
    a.firstYear = 2026;
    a.month = 1;
    a.projectedYears = 3;
    return a;
}
} // namespace

TEST(WizardLaunch, StartsQuorvexWithTheAnswerFile)
{
    QTemporaryDir dir;
    const Handover h = handOverAnswers(answersIn(dir.path()), dir.path());
    ASSERT_TRUE(h.done) << h.error.toStdString();
    ASSERT_EQ(fakes().processes->started.size(), 1);
    const auto &start = fakes().processes->started[0];
    EXPECT_EQ(start.program, quorvexProgram());
    EXPECT_EQ(start.arguments, (QStringList{QStringLiteral("-q"), h.answerFile}));
    EXPECT_TRUE(QFile::exists(h.answerFile));
    EXPECT_TRUE(h.answerFile.startsWith(dir.path()));
}

TEST(WizardLaunch, AnswersThatCannotBeSavedStartNothing)
{
    QTemporaryDir dir;
    const QString blocker = dir.filePath(QStringLiteral("not-a-folder"));
    QFile(blocker).open(QIODevice::WriteOnly);
    const Handover h = handOverAnswers(answersIn(dir.path()), blocker + QStringLiteral("/sub"));
    EXPECT_FALSE(h.done);
    EXPECT_TRUE(h.answerFile.isEmpty());
    EXPECT_FALSE(h.error.isEmpty());
    EXPECT_TRUE(fakes().processes->started.isEmpty());
}

TEST(WizardLaunch, QuorvexThatCannotStartKeepsTheAnswers)
{
    QTemporaryDir dir;
    fakes().processes->succeed = false;
    const Handover h = handOverAnswers(answersIn(dir.path()), dir.path());
    EXPECT_FALSE(h.done);
    EXPECT_TRUE(QFile::exists(h.answerFile));
    EXPECT_TRUE(h.error.contains(h.answerFile));
}

TEST(WizardLaunch, BackToTheOpeningDialogOfThePlanType)
{
    EXPECT_TRUE(returnToOpeningDialog(PlanType::Business));
    EXPECT_TRUE(returnToOpeningDialog(PlanType::Marketing));
    ASSERT_EQ(fakes().processes->started.size(), 2);
    EXPECT_EQ(fakes().processes->started[0].arguments, QStringList{QStringLiteral("-b")});
    EXPECT_EQ(fakes().processes->started[1].arguments, QStringList{QStringLiteral("-m")});
    EXPECT_EQ(QDir(fakes().processes->started[0].workingFolder).absolutePath(),
              QDir(qv::platform::Folders::installFolder()).absolutePath());
}

TEST(WizardLaunch, CancelReturnsToWhereTheWizardWasStarted)
{
    EXPECT_EQ(originFromArguments({}).place, WizardOrigin::Place::OpeningDialog);
    const WizardOrigin menu = originFromArguments(originArguments({WizardOrigin::Place::WelcomeMenu, {}}));
    EXPECT_EQ(menu.place, WizardOrigin::Place::WelcomeMenu);
    const QString plan = QStringLiteral("/home/ann/My Plans/Rosie's Corner Bakery.bpl");
    const WizardOrigin composer = originFromArguments(originArguments({WizardOrigin::Place::Plan, plan}));
    EXPECT_EQ(composer.place, WizardOrigin::Place::Plan);
    EXPECT_EQ(composer.planPath, plan);

    EXPECT_TRUE(returnToOrigin(menu, PlanType::Business));
    EXPECT_TRUE(returnToOrigin(composer, PlanType::Business));
    EXPECT_TRUE(returnToOrigin({}, PlanType::Marketing));
    const auto &started = qv::test::fakes().processes->started;
    ASSERT_EQ(started.size(), 3);
    EXPECT_EQ(started[0].arguments, QStringList{QStringLiteral("-ns")});
    EXPECT_EQ(started[1].arguments, (QStringList{QStringLiteral("-o"), plan}));
    EXPECT_EQ(started[2].arguments, QStringList{QStringLiteral("-m")});
}

TEST(WizardLaunch, QuestionListLivesInTheBusinessPlanLibrary)
{
    EXPECT_EQ(questionListPath(),
              qv::platform::Folders::installFolder() + QStringLiteral("Data/ENG/BusPlan/wizard-questions.txt"));
}
