// Line breaking of stored RTF: every 2000 characters, only between tokens.

#include "controls/richtext/Rtf.h"

#include <gtest/gtest.h>

#include <QTextCursor>
#include <QTextDocument>

using namespace qv;

namespace {

QList<QByteArray> lines(const QByteArray &rtf)
{
    return rtf.split('\n');
}

QByteArray withoutBreaks(QByteArray rtf)
{
    return rtf.replace("\r\n", "");
}

} // namespace

TEST(RtfLineBreak, TwoThousandCharactersGetNoBreak)
{
    const QByteArray text(2000, 'a');
    EXPECT_EQ(rtf::breakRtfLines(text), text);
}

TEST(RtfLineBreak, TwoThousandAndOneGetOneBreakAfterCharacter2000)
{
    const QByteArray text(2001, 'a');
    EXPECT_EQ(rtf::breakRtfLines(text), QByteArray(2000, 'a') + "\r\n" + "a");
}

TEST(RtfLineBreak, EveryLineHoldsAtMost2000Characters)
{
    const QByteArray text(7001, 'a');
    const QByteArray broken = rtf::breakRtfLines(text);
    const auto parts = broken.split('\n');
    ASSERT_EQ(parts.size(), 4);
    EXPECT_EQ(parts[0].size(), 2001); // with its CR
    EXPECT_EQ(parts[3].size(), 1001);
    EXPECT_EQ(withoutBreaks(broken), text);
}

TEST(RtfLineBreak, NeverInsideAControlWordWithItsDelimiter)
{
    const QByteArray text = QByteArray(1997, 'a') + "\\fs24 b";
    const QByteArray broken = rtf::breakRtfLines(text);
    EXPECT_EQ(broken, QByteArray(1997, 'a') + "\r\n\\fs24 b");
}

TEST(RtfLineBreak, NeverInsideAControlSymbolOrHexEscape)
{
    EXPECT_EQ(rtf::breakRtfLines(QByteArray(1999, 'a') + "\\'e9"), QByteArray(1999, 'a') + "\r\n\\'e9");
    EXPECT_EQ(rtf::breakRtfLines(QByteArray(1999, 'a') + "\\{"), QByteArray(1999, 'a') + "\r\n\\{");
    EXPECT_EQ(rtf::breakRtfLines(QByteArray(1999, 'a') + "\\\r\n"), QByteArray(1999, 'a') + "\r\n\\\r\n");
}

TEST(RtfLineBreak, KeepsAUnicodeCharacterWithItsFallback)
{
    EXPECT_EQ(rtf::breakRtfLines(QByteArray(1995, 'a') + "\\u8364\\'80x"), QByteArray(1995, 'a') + "\r\n\\u8364\\'80x");
    EXPECT_EQ(rtf::breakRtfLines(QByteArray(1995, 'a') + "\\u233?x"), QByteArray(1995, 'a') + "\r\n\\u233?x");
}

TEST(RtfLineBreak, KeepsBinaryDataWhole)
{
    const QByteArray bin = QByteArray("\\bin6 ") + QByteArray("\x01\r\n{}\\", 6);
    const QByteArray broken = rtf::breakRtfLines(QByteArray(1990, 'a') + bin + "z");
    EXPECT_EQ(broken, QByteArray(1990, 'a') + "\r\n" + bin + "z");
}

TEST(RtfLineBreak, ExistingLineEndsStartANewCount)
{
    const QByteArray text = QByteArray(1500, 'a') + "\r\n" + QByteArray(1500, 'b');
    EXPECT_EQ(rtf::breakRtfLines(text), text);
}

TEST(RtfLineBreak, ATokenLongerThanALineStaysWhole)
{
    const QByteArray word = "\\fs" + QByteArray(2500, '1') + " ";
    const QByteArray broken = rtf::breakRtfLines("ab" + word + "cd");
    EXPECT_EQ(broken, "ab\r\n" + word + "\r\ncd");
}

TEST(RtfLineBreak, TheNewSectionFileIsUnchanged)
{
    const QByteArray file = "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss MS Sans Serif;}"
                            "{\\f1\\froman\\fcharset2 Symbol;}{\\f2\\froman Arial;}}\r\n"
                            "{\\colortbl\\red0\\green0\\blue0;}\r\n\\deflang1033\\pard\\plain\\f2\\fs20\r\n\\par }\r\n";
    EXPECT_EQ(rtf::breakRtfLines(file), file);
}

TEST(RtfLineBreak, BrokenSectionTextReadsAsTheSameText)
{
    QTextDocument d;
    QTextCursor c(&d);
    QString expected;
    for (int i = 0; i < 400; ++i) {
        QTextCharFormat f;
        f.setFontWeight(i % 3 ? QFont::Normal : QFont::Bold);
        const QString piece = QStringLiteral("Wörd%1 \u20ac\\{}\t").arg(i);
        c.insertText(piece, f);
        expected += piece;
    }
    const QByteArray section = rtf::writeSectionRtf(d);
    for (const QByteArray &line : lines(section))
        EXPECT_LE(line.size(), 2001);
    EXPECT_GT(lines(section).size(), 5);
    EXPECT_EQ(rtf::plainText(*rtf::readRtf(section).document), expected + u'\n');
}

TEST(RtfLineBreak, KeepsTheStarWithItsDestination)
{
    EXPECT_EQ(rtf::breakRtfLines(QByteArray(1995, 'a') + "{\\*\\gen x}"), QByteArray(1995, 'a') + "{\r\n\\*\\gen x}");
}
