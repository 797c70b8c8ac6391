#include "shell/StartupCommand.h"

#include <gtest/gtest.h>

using namespace qv::shell;

namespace
{
StartupChoice choiceOf(const char *line)
{
    return parseCommandLine(QString::fromUtf8(line)).choice;
}
QString argumentOf(const char *line)
{
    return parseCommandLine(QString::fromUtf8(line)).argument;
}
} // namespace

TEST(CommandLine, OnlyALineOfLengthZeroShowsTheSplash)
{
    EXPECT_EQ(choiceOf(""), StartupChoice::SplashAndFrame);
    EXPECT_EQ(parseCommandLine(QString()).choice, StartupChoice::SplashAndFrame);
}

TEST(CommandLine, BlanksOnlyTrimToAnEmptySwitchThatMatchesNothing)
{
    EXPECT_EQ(choiceOf(" "), StartupChoice::Nothing);
    EXPECT_EQ(choiceOf("     "), StartupChoice::Nothing);
}

TEST(CommandLine, UnknownSwitchesMatchNothing)
{
    EXPECT_EQ(choiceOf("-zzz"), StartupChoice::Nothing);
    EXPECT_EQ(choiceOf("-x file.bpl"), StartupChoice::Nothing);
    EXPECT_EQ(choiceOf("plan.bpl"), StartupChoice::Nothing);
    // A switch glued to its argument is a different switch.
    EXPECT_EQ(choiceOf("-oplan.bpl"), StartupChoice::Nothing);
    EXPECT_EQ(choiceOf("-nsx"), StartupChoice::Nothing);
}

TEST(CommandLine, EachSwitchChoosesItsWindow)
{
    EXPECT_EQ(choiceOf("-q answers.txt"), StartupChoice::CreatePlanFromAnswers);
    EXPECT_EQ(choiceOf("-o plan.bpl"), StartupChoice::OpenPlanFile);
    EXPECT_EQ(choiceOf("-ns"), StartupChoice::WelcomeMenuOnly);
    EXPECT_EQ(choiceOf("-b"), StartupChoice::OpenBusinessPlan);
    EXPECT_EQ(choiceOf("-m"), StartupChoice::OpenMarketingPlan);
}

TEST(CommandLine, SwitchesAreComparedInLowerCase)
{
    EXPECT_EQ(choiceOf("-Q a"), StartupChoice::CreatePlanFromAnswers);
    EXPECT_EQ(choiceOf("-NS"), StartupChoice::WelcomeMenuOnly);
    EXPECT_EQ(choiceOf("-Ns"), StartupChoice::WelcomeMenuOnly);
    EXPECT_EQ(choiceOf("-B"), StartupChoice::OpenBusinessPlan);
    EXPECT_EQ(choiceOf("-M"), StartupChoice::OpenMarketingPlan);
}

TEST(CommandLine, TheArgumentKeepsItsCaseAndInnerBlanks)
{
    const StartupCommand command = parseCommandLine(QStringLiteral("-O /home/Dana/My Plans/Harbour  Line.bpl"));
    EXPECT_EQ(command.choice, StartupChoice::OpenPlanFile);
    EXPECT_EQ(command.argument, QStringLiteral("/home/Dana/My Plans/Harbour  Line.bpl"));
}

TEST(CommandLine, OuterBlanksAreTrimmedFromLineAndArgument)
{
    EXPECT_EQ(choiceOf("   -o   plan.bpl   "), StartupChoice::OpenPlanFile);
    EXPECT_EQ(argumentOf("   -o   plan.bpl   "), QStringLiteral("plan.bpl"));
    EXPECT_EQ(argumentOf("  -ns  "), QString());
    EXPECT_EQ(argumentOf("-o"), QString());
}

TEST(CommandLine, ArgumentsJoinWithSingleBlanksAndAMenuLaunchNamesNoFile)
{
    EXPECT_EQ(commandLineFromArguments({QStringLiteral("-o"), QStringLiteral("/home/Dana/My Plans/A  B.bpl")}),
              QStringLiteral("-o /home/Dana/My Plans/A  B.bpl"));
    EXPECT_EQ(commandLineFromArguments({}), QString());
    // "quorvex -o %f" started without a file.
    EXPECT_EQ(parseCommandLine(commandLineFromArguments({QStringLiteral("-o")})).choice, StartupChoice::SplashAndFrame);
    EXPECT_EQ(commandLineFromArguments({QStringLiteral("-O")}), QStringLiteral("-O"));
}
