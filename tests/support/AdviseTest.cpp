#include "FakePlatform.h"

#include "platform/Settings.h"
#include "support/Advice.h"
#include "support/gui/frmAdvise.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

using namespace qv;
using namespace qv::support;

namespace {

// Records every advice shown, and answers it with the check box as given.
struct AdviceAnswers
{
    explicit AdviceAnswers(bool dontShowAgain = false)
    {
        frmAdvise::setRunner([this, dontShowAgain](frmAdvise &window) {
            auto *check = window.findChild<QCheckBox *>(QStringLiteral("chkDontShow"));
            shown.append(window.findChild<QLabel *>(QStringLiteral("lblMessage"))->text());
            checkVisible.append(!check->isHidden());
            check->setChecked(dontShowAgain);
            window.findChild<QPushButton *>(QStringLiteral("cmdOk"))->click();
        });
    }
    ~AdviceAnswers() { frmAdvise::setRunner(nullptr); }
    QStringList shown;
    QList<bool> checkVisible;
};

QString stored(const QString &key)
{
    return platform::Settings::get(QStringLiteral("Advise"), key, QStringLiteral("(missing)"));
}

} // namespace

TEST(Advise, DoNotShowAgainSilencesOnlyItsOwnKind)
{
    {
        AdviceAnswers answers(true);
        showAdvice(nullptr, UnlockCellAdvice, QStringLiteral("Locked cells"));
        ASSERT_EQ(answers.shown, QStringList{QStringLiteral("Locked cells")});
    }
    EXPECT_EQ(stored(QStringLiteral("UnlockCell")), QStringLiteral("0"));
    AdviceAnswers later;
    showAdvice(nullptr, UnlockCellAdvice, QStringLiteral("Locked cells"));
    EXPECT_TRUE(later.shown.isEmpty());
    showAdvice(nullptr, WordWrapAdvice, QStringLiteral("Wrap"));
    showAdvice(nullptr, CompileAdvice, QStringLiteral("Compile"));
    EXPECT_EQ(later.shown, (QStringList{QStringLiteral("Wrap"), QStringLiteral("Compile")}));
    EXPECT_EQ(stored(QStringLiteral("WordWrap")), QStringLiteral("-1"));
    EXPECT_EQ(stored(QStringLiteral("Compile")), QStringLiteral("-1"));
}

TEST(Advise, KindsBeyondThreeHaveNoCheckBoxAndAlwaysShow)
{
    AdviceAnswers answers(true);
    showAdvice(nullptr, 4, QStringLiteral("Four"));
    showAdvice(nullptr, 4, QStringLiteral("Four"));
    showAdvice(nullptr, 9, QStringLiteral("Nine"));
    EXPECT_EQ(answers.shown.size(), 3);
    EXPECT_EQ(answers.checkVisible, (QList<bool>{false, false, false}));
    EXPECT_TRUE(platform::Settings::keys(platform::Settings::appName(), QStringLiteral("Advise")).isEmpty());
}

TEST(Advise, AMissingKeyShowsAndAnyNonZeroValueReadsAsShow)
{
    EXPECT_TRUE(isAdviceWanted(WordWrapAdvice));
    platform::Settings::save(QStringLiteral("Advise"), QStringLiteral("Compile"), QStringLiteral("1"));
    platform::Settings::save(QStringLiteral("Advise"), QStringLiteral("WordWrap"), QStringLiteral("0"));
    EXPECT_TRUE(isAdviceWanted(CompileAdvice));
    EXPECT_FALSE(isAdviceWanted(WordWrapAdvice));
    AdviceAnswers answers;
    showAdvice(nullptr, WordWrapAdvice, QStringLiteral("Wrap"));
    showAdvice(nullptr, CompileAdvice, QStringLiteral("Compile"));
    EXPECT_EQ(answers.shown, QStringList{QStringLiteral("Compile")});
    EXPECT_EQ(answers.checkVisible, QList<bool>{true});
}

TEST(Advise, TheCloseBoxKeepsTheChoiceAndTheWindowGrowsWithItsMessage)
{
    int shortHeight = 0;
    int longHeight = 0;
    frmAdvise::setRunner([&](frmAdvise &window) {
        (shortHeight ? longHeight : shortHeight) = window.height();
        window.findChild<QCheckBox *>(QStringLiteral("chkDontShow"))->setChecked(true);
        window.reject(); // the close box
    });
    showAdvice(nullptr, 4, QStringLiteral("Short."));
    showAdvice(nullptr, CompileAdvice, compileAdvice());
    frmAdvise::setRunner(nullptr);
    EXPECT_GT(longHeight, shortHeight);
    EXPECT_EQ(stored(QStringLiteral("Compile")), QStringLiteral("0"));
    EXPECT_EQ(frmAdvise().findChild<QCheckBox *>(QStringLiteral("chkDontShow"))->text(),
              QStringLiteral("Do not show again"));
}
