#include "SpellTestSupport.h"

#include "controls/spell/SpellHighlighter.h"
#include "controls/spell/SpellSession.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

using qv::spell::SpellChecker;
using qv::spell::SpellSession;

TEST(SpellSession, WalksTheMisspelledWordsInOrderAndChangesThem)
{
    SpellChecker checker;
    openInstalledDictionary(checker);
    QTextDocument doc(QStringLiteral("Ths plan is a tesst.\nAnother tesst of the plan."));
    SpellSession session(&doc, checker);

    ASSERT_TRUE(session.findNext());
    EXPECT_EQ(session.word(), QStringLiteral("Ths"));
    EXPECT_EQ(session.wordCursor().selectionStart(), 0);
    EXPECT_EQ(session.context(), QStringLiteral("Ths plan is a tesst."));
    EXPECT_EQ(session.wordOffsetInContext(), 0);
    EXPECT_FALSE(session.suggestions().isEmpty());
    session.change(QStringLiteral("This"));

    ASSERT_TRUE(session.findNext());
    EXPECT_EQ(session.word(), QStringLiteral("tesst"));
    EXPECT_EQ(session.wordOffsetInContext(), 15);
    session.changeAll(QStringLiteral("test"));

    // The second "tesst" is changed on the way without stopping.
    EXPECT_FALSE(session.findNext());
    EXPECT_TRUE(session.atEnd());
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("This plan is a test.\nAnother test of the plan."));
    EXPECT_EQ(session.changesMade(), 3);
}

TEST(SpellSession, IgnoreSkipsOneOccurrenceAndIgnoreAllEveryOne)
{
    SpellChecker checker;
    openInstalledDictionary(checker);
    QTextDocument doc(QStringLiteral("Zorbleq and zorbleq, Zorbleq again. Flimbat."));
    SpellSession session(&doc, checker);
    ASSERT_TRUE(session.findNext());
    session.ignore();
    ASSERT_TRUE(session.findNext());
    EXPECT_EQ(session.word(), QStringLiteral("zorbleq"));
    EXPECT_EQ(session.wordCursor().selectionStart(), 12);
    session.ignoreAll(); // this spelling only: "Zorbleq" still stops
    ASSERT_TRUE(session.findNext());
    EXPECT_EQ(session.word(), QStringLiteral("Zorbleq"));
    session.ignoreAll();
    ASSERT_TRUE(session.findNext());
    EXPECT_EQ(session.word(), QStringLiteral("Flimbat"));
    EXPECT_FALSE(session.findNext());
    EXPECT_EQ(session.changesMade(), 0);
}

TEST(SpellSession, AChangeKeepsTheFormattingOfTheWord)
{
    SpellChecker checker;
    openInstalledDictionary(checker);
    QTextDocument doc;
    QTextCursor c(&doc);
    c.insertText(QStringLiteral("A "));
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    c.insertText(QStringLiteral("boldd"), bold);
    c.insertText(QStringLiteral(" word"), QTextCharFormat());
    SpellSession session(&doc, checker);
    ASSERT_TRUE(session.findNext());
    session.change(QStringLiteral("bold"));
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("A bold word"));
    QTextCursor probe(&doc);
    probe.setPosition(4);
    EXPECT_EQ(probe.charFormat().fontWeight(), QFont::Bold);
    EXPECT_FALSE(session.findNext());
}

TEST(SpellSession, AddedWordsStopNoLaterCheck)
{
    SpellChecker checker;
    openInstalledDictionary(checker);
    QTextDocument doc(QStringLiteral("Quorvex plans. Quorvex sells."));
    {
        SpellSession session(&doc, checker);
        ASSERT_TRUE(session.findNext());
        EXPECT_EQ(session.addToDictionary(), QString());
        EXPECT_FALSE(session.findNext());
    }
    SpellChecker fresh;
    openInstalledDictionary(fresh);
    SpellSession again(&doc, fresh);
    EXPECT_FALSE(again.findNext());
}

TEST(SpellSession, ACleanOrEmptyDocumentEndsAtOnce)
{
    SpellChecker checker;
    openInstalledDictionary(checker);
    QTextDocument empty;
    SpellSession s1(&empty, checker);
    EXPECT_FALSE(s1.findNext());
    QTextDocument clean(QStringLiteral("The market grows.\n\n2026: 15% more."));
    SpellSession s2(&clean, checker);
    EXPECT_FALSE(s2.findNext());
    EXPECT_EQ(s2.word(), QString());
    EXPECT_EQ(s2.context(), QString());
}

TEST(SpellSession, AChangeAllToAnEmptyWordStillEnds)
{
    SpellChecker checker;
    openInstalledDictionary(checker);
    QTextDocument doc(QStringLiteral("xqzt xqzt xqzt end"));
    SpellSession session(&doc, checker);
    ASSERT_TRUE(session.findNext());
    session.changeAll(QString());
    EXPECT_FALSE(session.findNext());
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("   end"));
}

namespace
{
bool underlinedAt(const QTextDocument &doc, int position)
{
    const QTextBlock block = doc.findBlock(position);
    for (const auto &range : block.layout()->formats()) {
        if (position - block.position() >= range.start && position - block.position() < range.start + range.length)
            return range.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline;
    }
    return false;
}
} // namespace

TEST(SpellHighlighter, UnderlinesMisspelledWordsInTheLayoutOnly)
{
    SpellChecker checker;
    openInstalledDictionary(checker);
    QTextDocument doc(QStringLiteral("Good wrods here"));
    qv::spell::SpellHighlighter highlighter(&doc);
    highlighter.setChecker(&checker);
    EXPECT_FALSE(underlinedAt(doc, 1));
    EXPECT_TRUE(underlinedAt(doc, 6));
    QTextCursor probe(&doc);
    probe.setPosition(6);
    EXPECT_NE(probe.charFormat().underlineStyle(), QTextCharFormat::SpellCheckUnderline);

    highlighter.setActive(false);
    EXPECT_FALSE(underlinedAt(doc, 6));
    highlighter.setActive(true);
    EXPECT_TRUE(underlinedAt(doc, 6));
    checker.ignoreAll(QStringLiteral("wrods"));
    highlighter.rehighlight();
    EXPECT_FALSE(underlinedAt(doc, 6));
}
