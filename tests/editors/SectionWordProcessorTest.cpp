// The word processor on a section text of the open plan: the session's
// saves write its text, its changes mark the plan modified, and closing
// hands the file back, in every order.

#include "editors/wordprocessor/SectionWordProcessor.h"
#include "editors/wordprocessor/frmWordProcessor.h"

#include "../composer/PlanFixture.h"
#include "composer/OpenPlanSession.h"
#include "controls/richtext/Rtf.h"
#include "controls/richtextview/TextEditor.h"
#include "plan/Outline.h"
#include "plan/Plan.h"
#include "platform/Paths.h"
#include "shell/CurrentPlan.h"
#include "FakePlatform.h"

#include <QFile>
#include <QSignalSpy>
#include <QTextCursor>

#include <gtest/gtest.h>

using namespace qv;
using editors::SectionWordProcessor;

namespace {

QString textOfFile(const QString &path)
{
    return rtf::readRtfFile(path).document->toPlainText();
}

void typeAtEnd(editors::frmWordProcessor &window, const QString &text)
{
    QTextCursor end = window.editor()->textCursor();
    end.movePosition(QTextCursor::End);
    window.editor()->setTextCursor(end);
    window.editor()->insertPlainText(text);
}

struct OpenSection : ::testing::Test {
    test::PlanFixture fixture;
    composer::OpenPlanSession session;
    QString committed;   // the section's file, Ans0000n.rtf
    QString workingCopy; // its working copy, Ans0000n.tmp

    void SetUp() override
    {
        shell::replaceCurrentPlan();
        ASSERT_TRUE(session.OpenPlan(fixture.documentPath()).ok());
        const std::shared_ptr<plan::Section> section = session.plan().outline().chapters().item(1)->sections().item(1);
        session.setCurrentSection(section);
        committed = platform::joinPath(section->folder(), section->textFileName());
        workingCopy = platform::joinPath(section->folder(), section->primaryTextFileName());
        // The composer writes the text it shows to the working copy first.
        ASSERT_TRUE(QFile::copy(committed, workingCopy));
        session.setModified(false);
    }
    void TearDown() override { shell::releaseCurrentPlan(); }
};

} // namespace

TEST_F(OpenSection, TheWindowOpensOnTheWorkingCopyWithItsCaption)
{
    SectionWordProcessor handOver(session, nullptr);
    editors::frmWordProcessor *window = handOver.open(workingCopy, QStringLiteral("Quorvex 8.0 - 1.1 Opening"));
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quorvex 8.0 - 1.1 Opening"));
    EXPECT_EQ(window->editor()->toPlainText(), test::PlanFixture::textOf(1, 1));
    EXPECT_TRUE(handOver.holds(workingCopy));
    EXPECT_FALSE(handOver.holds(committed));
    EXPECT_FALSE(session.isModified());
    // Asked again, the same window comes up.
    EXPECT_EQ(handOver.open(workingCopy, QStringLiteral("Quorvex 8.0 - 1.1 Opening")), window);
}

TEST_F(OpenSection, TypingMarksThePlanAndASaveCommitsTheWordProcessorsText)
{
    SectionWordProcessor handOver(session, nullptr);
    QSignalSpy returned(&handOver, &SectionWordProcessor::returned);
    editors::frmWordProcessor *window = handOver.open(workingCopy, QStringLiteral("Quorvex 8.0 - x"));
    typeAtEnd(*window, QStringLiteral(" Written in the word processor."));
    EXPECT_TRUE(session.isModified());

    ASSERT_TRUE(session.SavePlan().ok());
    EXPECT_TRUE(textOfFile(committed).endsWith(QStringLiteral(" Written in the word processor.")));
    EXPECT_FALSE(session.isModified());

    // Typing after the save, then returning: the working copy holds it all.
    typeAtEnd(*window, QStringLiteral(" And more."));
    EXPECT_TRUE(session.isModified());
    EXPECT_TRUE(handOver.close());
    ASSERT_EQ(returned.count(), 1);
    EXPECT_EQ(returned.first().at(0).toString(), workingCopy);
    EXPECT_TRUE(returned.first().at(1).toBool());
    EXPECT_TRUE(textOfFile(workingCopy).endsWith(QStringLiteral(" Written in the word processor. And more.")));
    EXPECT_EQ(handOver.window(), nullptr);

    // The next save commits what was typed last.
    ASSERT_TRUE(session.SavePlan().ok());
    EXPECT_TRUE(textOfFile(committed).endsWith(QStringLiteral(" And more.")));
}

TEST_F(OpenSection, ReturningWithoutAChangeLeavesThePlanAsItWas)
{
    SectionWordProcessor handOver(session, nullptr);
    QSignalSpy returned(&handOver, &SectionWordProcessor::returned);
    handOver.open(workingCopy, QStringLiteral("Quorvex 8.0 - x"));
    EXPECT_TRUE(handOver.close());
    ASSERT_EQ(returned.count(), 1);
    EXPECT_FALSE(returned.first().at(1).toBool());
    EXPECT_FALSE(session.isModified());
    EXPECT_EQ(textOfFile(workingCopy), test::PlanFixture::textOf(1, 1));
}

TEST_F(OpenSection, AnotherSectionClosesTheFirstWindowWithItsTextSaved)
{
    SectionWordProcessor handOver(session, nullptr);
    QSignalSpy returned(&handOver, &SectionWordProcessor::returned);
    editors::frmWordProcessor *first = handOver.open(workingCopy, QStringLiteral("Quorvex 8.0 - 1.1"));
    typeAtEnd(*first, QStringLiteral(" First."));
    const std::shared_ptr<plan::Section> other = session.plan().outline().chapters().item(1)->sections().item(2);
    const QString otherCopy = platform::joinPath(other->folder(), other->primaryTextFileName());
    ASSERT_TRUE(QFile::copy(platform::joinPath(other->folder(), other->textFileName()), otherCopy));
    editors::frmWordProcessor *second = handOver.open(otherCopy, QStringLiteral("Quorvex 8.0 - 1.2"));
    ASSERT_NE(second, nullptr);
    ASSERT_EQ(returned.count(), 1);
    EXPECT_EQ(returned.first().at(0).toString(), workingCopy);
    EXPECT_TRUE(textOfFile(workingCopy).endsWith(QStringLiteral(" First.")));
    EXPECT_TRUE(handOver.holds(otherCopy));
    EXPECT_EQ(second->editor()->toPlainText(), test::PlanFixture::textOf(1, 2));
}
