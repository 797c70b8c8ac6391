// The plan-type rules that every window and tool shares, and the wizard
// answer keys as the writer and the reader both see them.

#include "plan/AnswerKeys.h"
#include "plan/Plan.h"
#include "plan/PlanRules.h"

#include <gtest/gtest.h>

using namespace qv::plan;

TEST(PlanRules, TheTypeOfAnOpenedDocumentFollowsItsLastThreeCharacters)
{
    EXPECT_EQ(planTypeOfPath(QStringLiteral("/p/Acme.mpl")), MarketingPlan);
    EXPECT_EQ(planTypeOfPath(QStringLiteral("/p/Acme.MPL")), MarketingPlan);
    EXPECT_EQ(planTypeOfPath(QStringLiteral("/p/Acme.bpl.mpl")), MarketingPlan);
    EXPECT_EQ(planTypeOfPath(QStringLiteral("/p/Acme.mpl.bpl")), BusinessPlan);
    EXPECT_EQ(planTypeOfPath(QStringLiteral("/p/Acme.txt")), BusinessPlan);
    EXPECT_EQ(planTypeOfPath(QString()), BusinessPlan);
}

TEST(PlanRules, LettersExtensionsAndFiltersOfBothTypes)
{
    EXPECT_EQ(planTypeLetter(BusinessPlan), QStringLiteral("B"));
    EXPECT_EQ(planTypeLetter(MarketingPlan), QStringLiteral("M"));
    EXPECT_EQ(planTypeLetter(7), QStringLiteral("M"));
    EXPECT_EQ(planExtension(BusinessPlan), QStringLiteral("bpl"));
    EXPECT_EQ(planExtension(MarketingPlan), QStringLiteral("mpl"));
    EXPECT_EQ(planFileFilter(BusinessPlan), QStringLiteral("Business Plan Files (*.bpl)|*.bpl"));
    EXPECT_EQ(planFileFilter(MarketingPlan), QStringLiteral("Marketing Plan Files (*.mpl)|*.mpl"));
    EXPECT_EQ(anyPlanFileFilter(), QStringLiteral("Plan Files (*.bpl;*.mpl)|*.bpl;*.mpl"));
}

TEST(PlanRules, AnInitialisedPlanEndsItsFolderWithItsTypesLetter)
{
    Plan plan;
    initialisePlanLetters(plan);
    plan.planInfo().setPlanType(MarketingPlan);
    EXPECT_EQ(plan.typeLetter(), QStringLiteral("M"));
    plan.planInfo().setPlanType(BusinessPlan);
    EXPECT_EQ(plan.typeLetter(), QStringLiteral("B"));
}

TEST(AnswerKeys, TheHeaderKeysAreTheFilesOwn)
{
    EXPECT_EQ(QString(AnswerKey::kPlanType), QStringLiteral("[PLAN]"));
    EXPECT_EQ(QString(AnswerKey::kDocumentPath), QStringLiteral("[FIELD1.4]"));
    EXPECT_EQ(QString(AnswerKey::kBusinessKind), QStringLiteral("[FIELD1.1]"));
    EXPECT_EQ(QString(AnswerKey::kBusinessStage), QStringLiteral("[FIELD1.2]"));
    EXPECT_EQ(QString(AnswerKey::kFirstMonth), QStringLiteral("[FIELD3A.X]"));
}
