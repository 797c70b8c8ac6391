// Damaged and hostile input: what can be read, or a clear error; never a
// crash or a hang.

#include "controls/richtext/Rtf.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTextDocument>
#include <QTextTable>

using namespace qv;

namespace {

QString text(const rtf::ReadResult &r)
{
    return rtf::plainText(*r.document);
}

// Reads and fails the test when reading takes unreasonably long.
rtf::ReadResult timedRead(const QByteArray &source)
{
    QElapsedTimer timer;
    timer.start();
    rtf::ReadResult r = rtf::readRtf(source);
    EXPECT_LT(timer.elapsed(), 5000) << "reading took " << timer.elapsed() << " ms";
    EXPECT_NE(r.document, nullptr);
    return r;
}

} // namespace

TEST(RtfHostile, NotRtfGivesAClearError)
{
    const auto r = timedRead("Just some plain text {with braces}");
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_TRUE(r.document->isEmpty());
}

TEST(RtfHostile, EmptyInputIsAnEmptyDocument)
{
    EXPECT_TRUE(timedRead("").error.isEmpty());
    EXPECT_TRUE(timedRead("  \r\n").error.isEmpty());
}

TEST(RtfHostile, MissingClosingBraceKeepsTheTextAndSaysSo)
{
    const auto r = timedRead("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\pard one\\par two {\\b three");
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_EQ(text(r), QStringLiteral("one\ntwo three\n"));
}

TEST(RtfHostile, ExtraClosingBracesEndTheDocument)
{
    const auto r = timedRead("{\\rtf1 one}}}}\\par two}");
    EXPECT_TRUE(r.error.isEmpty());
    EXPECT_EQ(text(r), QStringLiteral("one\n"));
}

TEST(RtfHostile, NestingThousandsDeep)
{
    const QByteArray deep = "{\\rtf1 start " + QByteArray(100000, '{') + "\\b deep" + QByteArray(100000, '}') + " end}";
    const auto r = timedRead(deep);
    EXPECT_EQ(text(r), QStringLiteral("start deep end\n"));
    EXPECT_FALSE(r.error.isEmpty()); // the depth is reported
    const auto open = timedRead("{\\rtf1 x" + QByteArray(200000, '{'));
    EXPECT_FALSE(open.error.isEmpty());
    EXPECT_EQ(text(open), QStringLiteral("x\n"));
}

TEST(RtfHostile, HugeNumbers)
{
    const auto r = timedRead("{\\rtf1\\fs99999999999999999999 big\\fs-5 neg\\li-2147483648\\ri99999999999 "
                             "\\sl2147483647\\sb99999999\\paperw999999999999\\margl-99999 "
                             "\\u99999999999 \\u-99999999999 \\uc999999999 \\u65 x\\tx99999999999\\cellx99999999 "
                             "\\picscalex99999 \\ansicpg999999999 \\'e9\\par}");
    EXPECT_TRUE(r.error.isEmpty());
    EXPECT_TRUE(text(r).startsWith(QStringLiteral("bigneg")));
    const rtf::PageLayout page = rtf::pageLayout(*r.document);
    EXPECT_GT(page.paperWidth, 0);
    EXPECT_GE(page.marginLeft, 0);
}

TEST(RtfHostile, BinaryLengthBeyondTheEnd)
{
    const auto r = timedRead("{\\rtf1 before{\\pict\\pngblip\\bin999999999 \x01\x02\x03}");
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_EQ(text(r), QStringLiteral("before\n"));
}

TEST(RtfHostile, DamagedPictures)
{
    const auto r = timedRead("{\\rtf1 a{\\pict\\pngblip 89504e470d0a1a0a0000000d49484452ffffffffffffffff}"
                             "{\\pict\\jpegblip zzzz}{\\pict\\dibitmap0 28000000ffffff7fffffff7f01002000}"
                             "{\\pict\\pngblip}b\\par}");
    EXPECT_EQ(text(r), QStringLiteral("ab\n"));
}

TEST(RtfHostile, ManyCellsAndTabStopsAreBounded)
{
    QByteArray row = "{\\rtf1\\trowd";
    for (int i = 1; i <= 20000; ++i)
        row += "\\cellx" + QByteArray::number(i * 10);
    row += "\\pard\\intbl";
    for (int i = 0; i < 20000; ++i)
        row += "c\\cell";
    row += "\\row\\pard";
    for (int i = 0; i < 20000; ++i)
        row += "\\tx" + QByteArray::number(i);
    row += " tabs\\par}";
    const auto r = timedRead(row);
    QTextTable *table = nullptr;
    for (QTextFrame *f : r.document->rootFrame()->childFrames())
        table = qobject_cast<QTextTable *>(f);
    ASSERT_NE(table, nullptr);
    EXPECT_LE(table->columns(), 63);
    EXPECT_TRUE(text(r).endsWith(QStringLiteral("tabs\n")));
}

TEST(RtfHostile, InvalidEscapesAndStrayCharacters)
{
    const auto r = timedRead(QByteArray("{\\rtf1 a\\'zz b\\'4 c\\\x01 d\x00 e\\u\\uc\\fs\\f\\cf99 f\\cb-3 g\\'", 51) + "}");
    EXPECT_TRUE(text(r).startsWith(QStringLiteral("a")));
    const auto lone = timedRead("{\\rtf1 x\\");
    EXPECT_FALSE(lone.error.isEmpty());
    EXPECT_EQ(text(lone), QStringLiteral("x\n"));
}

TEST(RtfHostile, FrameMarkersAndControlCharactersNeverReachTheDocument)
{
    const auto r = timedRead("{\\rtf1 a\\u65532?b\\u64976?c\\u64977?d\\u8233?e\\u-10179?f\\u-8704?g\x07h\\par}");
    // Lone surrogates go too; U+2029 becomes a line break.
    EXPECT_EQ(text(r), QStringLiteral("abcd\nefgh\n"));
}

TEST(RtfHostile, RandomGarbage)
{
    QRandomGenerator random(4711);
    for (int round = 0; round < 200; ++round) {
        QByteArray data = "{\\rtf1 ";
        const int length = int(random.bounded(2000));
        for (int i = 0; i < length; ++i) {
            const quint32 pick = random.bounded(10);
            if (pick < 2)
                data += "{}\\"[random.bounded(3)];
            else if (pick < 3)
                data += QByteArrayList{"\\par", "\\cell", "\\row", "\\trowd", "\\cellx100", "\\pict", "\\*", "\\u",
                                       "\\'", "\\bin", "\\listtext", "\\intbl", "\\fonttbl", "\\colortbl",
                                       "\\stylesheet", "\\s1", "\\ls1"}[random.bounded(17)];
            else
                data += char(random.bounded(256));
        }
        timedRead(data);
    }
}

TEST(RtfHostile, TruncatedFilesGiveTheirBeginning)
{
    QFile file(QStringLiteral(QV_SHARED_TESTDATA_DIR "/rtf/market.rtf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray whole = file.readAll();
    for (qsizetype length = 0; length < whole.size(); length += 97) {
        const auto r = timedRead(whole.left(length));
        if (length > 5) {
            EXPECT_FALSE(r.error.isEmpty()) << length;
        }
    }
    const auto r = timedRead(whole.left(whole.indexOf("Competitor") + 5));
    EXPECT_TRUE(text(r).startsWith(QStringLiteral("Market Analysis\nThe Portland market")));
}

TEST(RtfHostile, ControlCharactersInAListMarkerAreDropped)
{
    // Found by the fuzzer: a marker kept as text brought a NUL byte along.
    const auto r = timedRead("{\\rtf1{\\pntext \\'02\\'00.;\\tab}x\\par}");
    EXPECT_EQ(text(r), QStringLiteral(".; x\n"));
    EXPECT_EQ(rtf::plainText(*rtf::readRtf(rtf::writeRtf(*r.document)).document), text(r));
}

TEST(RtfHostile, ManyListsBetweenParagraphsStayFast)
{
    QByteArray rtf = "{\\rtf1";
    for (int i = 1; i <= 30000; ++i)
        rtf += "\\pard{\\listtext 1.\\tab}\\ls" + QByteArray::number(i) + " item\\par\\pard{\\pntext \\'b7\\tab}b\\par\\pard x\\par";
    rtf += "}";
    const auto r = timedRead(rtf);
    EXPECT_TRUE(text(r).startsWith(QStringLiteral("1. item\n\u2022 b\nx\n1. item\n")));
}
