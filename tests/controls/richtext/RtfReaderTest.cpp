// The reader, feature by feature, on small RTF sources of the kinds that
// word processors write.

#include "DocumentDump.h"

#include "controls/richtext/Rtf.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

using namespace qv;

namespace {

rtf::ReadResult read(const QByteArray &source)
{
    return rtf::readRtf(source);
}

QByteArray body(const QByteArray &content)
{
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}"
           "{\\f2\\fnil\\fcharset2 Symbol;}{\\f3\\fnil\\fcharset204 Arial Cyr;}}"
           "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;\\red255\\green255\\blue0;}"
           + content + "}";
}

QTextBlock block(const QTextDocument &d, int n)
{
    return d.findBlockByNumber(n);
}

QString text(const QTextDocument &d)
{
    return rtf::plainText(d);
}

} // namespace

TEST(RtfReader, NewSectionFileGivesOneEmptyParagraphInThePreferredFont)
{
    const QByteArray file = "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss MS Sans Serif;}"
                            "{\\f1\\froman\\fcharset2 Symbol;}{\\f2\\froman Liberation Serif;}}\r\n"
                            "{\\colortbl\\red0\\green0\\blue0;}\r\n"
                            "\\deflang1033\\pard\\plain\\f2\\fs20\r\n"
                            "\\par }\r\n";
    const auto result = read(file);
    EXPECT_TRUE(result.error.isEmpty()) << result.error.toStdString();
    const QTextDocument &d = *result.document;
    EXPECT_EQ(d.blockCount(), 1);
    EXPECT_EQ(d.toPlainText(), QString());
    const QTextCharFormat mark = d.begin().charFormat();
    EXPECT_EQ(mark.fontFamilies().toStringList().value(0), QStringLiteral("Liberation Serif"));
    EXPECT_DOUBLE_EQ(mark.fontPointSize(), 10.0);
    EXPECT_EQ(text(d), QStringLiteral("\n"));
}

TEST(RtfReader, FontTableAndFontSizes)
{
    const auto r = read(body("\\pard\\f1\\fs28 Times {\\f0\\fs18 Arial}\\par"));
    const QTextDocument &d = *r.document;
    const QTextCharFormat times = qv::test::formatOfText(d, QStringLiteral("Times"));
    EXPECT_EQ(times.fontFamilies().toStringList().value(0), QStringLiteral("Times New Roman"));
    EXPECT_DOUBLE_EQ(times.fontPointSize(), 14.0);
    const QTextCharFormat arial = qv::test::formatOfText(d, QStringLiteral("Arial"));
    EXPECT_EQ(arial.fontFamilies().toStringList().value(0), QStringLiteral("Arial"));
    EXPECT_DOUBLE_EQ(arial.fontPointSize(), 9.0);
    EXPECT_EQ(d.defaultFont().family(), QStringLiteral("Arial"));
}

TEST(RtfReader, CharacterFormatting)
{
    const auto r = read(body("\\pard {\\b bold}{\\i italic}{\\ul under}{\\uldb double}{\\uld dots}"
                             "{\\ulwave wave}{\\uldash dash}{\\strike struck}{\\super sup}{\\sub sub}"
                             "{\\b\\i\\plain plain}{\\b on\\b0 off}{\\ul x\\ulnone none}{\\caps caps}{\\scaps small}\\par"));
    const QTextDocument &d = *r.document;
    using test::formatOfText;
    EXPECT_EQ(formatOfText(d, QStringLiteral("bold")).fontWeight(), QFont::Bold);
    EXPECT_TRUE(formatOfText(d, QStringLiteral("italic")).fontItalic());
    EXPECT_EQ(formatOfText(d, QStringLiteral("under")).underlineStyle(), QTextCharFormat::SingleUnderline);
    EXPECT_EQ(formatOfText(d, QStringLiteral("double")).underlineStyle(), QTextCharFormat::SingleUnderline);
    EXPECT_EQ(formatOfText(d, QStringLiteral("dots")).underlineStyle(), QTextCharFormat::DotLine);
    EXPECT_EQ(formatOfText(d, QStringLiteral("wave")).underlineStyle(), QTextCharFormat::WaveUnderline);
    EXPECT_EQ(formatOfText(d, QStringLiteral("dash")).underlineStyle(), QTextCharFormat::DashUnderline);
    EXPECT_TRUE(formatOfText(d, QStringLiteral("struck")).fontStrikeOut());
    EXPECT_EQ(formatOfText(d, QStringLiteral("sup")).verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(formatOfText(d, QStringLiteral("sub")).verticalAlignment(), QTextCharFormat::AlignSubScript);
    const QTextCharFormat plain = formatOfText(d, QStringLiteral("plain"));
    EXPECT_NE(plain.fontWeight(), QFont::Bold);
    EXPECT_FALSE(plain.fontItalic());
    EXPECT_NE(formatOfText(d, QStringLiteral("off")).fontWeight(), QFont::Bold);
    EXPECT_EQ(formatOfText(d, QStringLiteral("none")).underlineStyle(), QTextCharFormat::NoUnderline);
    EXPECT_EQ(formatOfText(d, QStringLiteral("caps")).fontCapitalization(), QFont::AllUppercase);
    EXPECT_EQ(formatOfText(d, QStringLiteral("small")).fontCapitalization(), QFont::SmallCaps);
    EXPECT_EQ(text(d), QStringLiteral("bolditalicunderdoubledotswavedashstrucksupsubplainonoffxnonecapssmall\n"));
}

TEST(RtfReader, ColoursAndHighlight)
{
    const auto r = read(body("\\pard {\\cf1 red}{\\cf2\\cb3 blue}{\\highlight3 marked}{\\cf1\\cf0 auto}\\par"));
    const QTextDocument &d = *r.document;
    EXPECT_EQ(test::formatOfText(d, QStringLiteral("red")).foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(test::formatOfText(d, QStringLiteral("blue")).foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(test::formatOfText(d, QStringLiteral("blue")).background().color(), QColor(255, 255, 0));
    EXPECT_EQ(test::formatOfText(d, QStringLiteral("marked")).background().color(), QColor(255, 255, 0));
    EXPECT_EQ(test::formatOfText(d, QStringLiteral("auto")).foreground().style(), Qt::NoBrush);
}

TEST(RtfReader, FirstColourTableEntryMayBeARealColour)
{
    // The new-section file's table starts with black rather than "auto".
    const auto r = read("{\\rtf1{\\colortbl\\red0\\green0\\blue0;\\red0\\green128\\blue0;}\\cf1 green\\cf0 black\\par}");
    EXPECT_EQ(test::formatOfText(*r.document, QStringLiteral("green")).foreground().color(), QColor(0, 128, 0));
    EXPECT_EQ(test::formatOfText(*r.document, QStringLiteral("black")).foreground().color(), QColor(0, 0, 0));
}

TEST(RtfReader, ParagraphLineTabAndPage)
{
    const auto r = read(body("\\pard one\\line two\\tab three\\par four\\page five\\par"));
    const QTextDocument &d = *r.document;
    ASSERT_EQ(d.blockCount(), 3);
    EXPECT_EQ(block(d, 0).text(), QStringLiteral("one\u2028two\tthree"));
    EXPECT_EQ(block(d, 1).text(), QStringLiteral("four"));
    EXPECT_EQ(block(d, 2).text(), QStringLiteral("five"));
    EXPECT_TRUE(block(d, 2).blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
    EXPECT_EQ(text(d), QStringLiteral("one\ntwo\tthree\nfour\nfive\n"));
}

TEST(RtfReader, ParagraphFormatting)
{
    const auto r = read(body("\\pard\\qc centre\\par\\pard\\qr right\\par\\pard\\qj just\\par"
                             "\\pard\\li720\\ri360\\fi-180\\sb120\\sa240 indented\\par"
                             "\\pard\\sl360\\slmult1 spaced\\par\\pard\\sl-300\\slmult0 exact\\par"
                             "\\pard\\tx1440\\tqr\\tx5760\\tqc\\tx3000\\tqdec\\tx4000 tabs\\par"
                             "\\pard left\\par"));
    const QTextDocument &d = *r.document;
    EXPECT_EQ(block(d, 0).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(block(d, 1).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(block(d, 2).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
    const QTextBlockFormat ind = block(d, 3).blockFormat();
    EXPECT_DOUBLE_EQ(ind.leftMargin(), 48.0);
    EXPECT_DOUBLE_EQ(ind.rightMargin(), 24.0);
    EXPECT_DOUBLE_EQ(ind.textIndent(), -12.0);
    EXPECT_DOUBLE_EQ(ind.topMargin(), 8.0);
    EXPECT_DOUBLE_EQ(ind.bottomMargin(), 16.0);
    EXPECT_EQ(block(d, 4).blockFormat().lineHeightType(), QTextBlockFormat::ProportionalHeight);
    EXPECT_DOUBLE_EQ(block(d, 4).blockFormat().lineHeight(), 150.0);
    EXPECT_EQ(block(d, 5).blockFormat().lineHeightType(), QTextBlockFormat::FixedHeight);
    EXPECT_DOUBLE_EQ(block(d, 5).blockFormat().lineHeight(), 20.0);
    const QList<QTextOption::Tab> tabs = block(d, 6).blockFormat().tabPositions();
    ASSERT_EQ(tabs.size(), 4);
    EXPECT_EQ(tabs[0].type, QTextOption::LeftTab);
    EXPECT_DOUBLE_EQ(tabs[0].position, 96.0);
    EXPECT_EQ(tabs[1].type, QTextOption::RightTab);
    EXPECT_EQ(tabs[2].type, QTextOption::CenterTab);
    EXPECT_EQ(tabs[3].type, QTextOption::DelimiterTab);
    // \pard resets everything.
    const QTextBlockFormat left = block(d, 7).blockFormat();
    EXPECT_EQ(left.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_EQ(left.leftMargin(), 0.0);
    EXPECT_TRUE(left.tabPositions().isEmpty());
}

TEST(RtfReader, CodePageBytes)
{
    const auto latin = read(body("\\pard caf\\'e9 \\'80 \\'93q\\'94\\par"));
    EXPECT_EQ(text(*latin.document), QStringLiteral("café € “q”\n"));
    const auto cyrillic = read("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\par}");
    EXPECT_EQ(text(*cyrillic.document), QStringLiteral("При\n"));
    const auto fontCharset = read(body("\\pard\\f3 \\'cf\\'f0\\f0 \\'e9\\par"));
    EXPECT_EQ(text(*fontCharset.document), QStringLiteral("Пр\u00e9\n"));
    const auto japanese = read("{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0\\'82\\'a2\\par}");
    EXPECT_EQ(text(*japanese.document), QStringLiteral("あい\n"));
    const auto raw = read("{\\rtf1\\ansi caf\xe9\\par}");
    EXPECT_EQ(text(*raw.document), QStringLiteral("café\n"));
}

TEST(RtfReader, SymbolFontBullets)
{
    const auto r = read(body("\\pard{\\f2 \\'b7} item\\par"));
    EXPECT_EQ(text(*r.document), QStringLiteral("\u2022 item\n"));
}

TEST(RtfReader, UnicodeWithFallbackSkipping)
{
    const auto r = read(body("\\pard\\uc1 a\\u8364\\'80 b\\u233? c{\\uc2\\u8364 xyd}\\uc0\\u8364 e"
                             "\\uc1\\u-10179?\\u-8704?\\par"));
    EXPECT_EQ(text(*r.document), QStringLiteral("a€ bé c€d€e\U0001F600\n"));
    // A group end stops the skipping.
    const auto g = read(body("\\pard{\\uc3\\u233}x\\par"));
    EXPECT_EQ(text(*g.document), QStringLiteral("éx\n"));
}

TEST(RtfReader, UnknownAndStarredDestinationsAreSkipped)
{
    const auto r = read(body("{\\info{\\title Secret}{\\author Me}}{\\*\\generator Writer 1.0;}"
                             "{\\*\\unknowndest hidden text}\\pard visible {\\unknownword kept} "
                             "{\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt link}} "
                             "{\\header head}{\\footnote note}{\\v hidden}end\\par"));
    EXPECT_EQ(text(*r.document), QStringLiteral("visible kept link end\n"));
}

TEST(RtfReader, CarriageReturnsAndLineFeedsInTheSourceAreIgnored)
{
    const auto r = read(body("\\pard Hel\r\nlo \\b\r\nbold\\b0\r\n\\par\r\n"));
    EXPECT_EQ(text(*r.document), QStringLiteral("Hello bold\n"));
    EXPECT_EQ(test::formatOfText(*r.document, QStringLiteral("bold")).fontWeight(), QFont::Bold);
    // Found by the fuzzer: a line end between \\* and its destination.
    const auto star = read(body("{\\*\r\n\\unknown hidden}\\pard shown\\par"));
    EXPECT_EQ(text(*star.document), QStringLiteral("shown\n"));
    // A backslash before a line end is a paragraph mark.
    const auto p = read(body("\\pard one\\\ntwo\\par"));
    EXPECT_EQ(text(*p.document), QStringLiteral("one\ntwo\n"));
}

TEST(RtfReader, ControlSymbols)
{
    const auto r = read(body("\\pard \\{x\\}\\\\ a\\~b c\\-d e\\_f \\emdash\\endash\\bullet"
                             "\\lquote\\rquote\\ldblquote\\rdblquote\\par"));
    EXPECT_EQ(text(*r.document), QStringLiteral("{x}\\ a\u00a0b c\u00add e\u2011f —–•‘’“”\n"));
}

namespace {
QByteArray hexImage(const char *format, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(10, 200, 30));
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return data.toHex();
}
} // namespace

TEST(RtfReader, PngAndJpegPictures)
{
    const QByteArray png = hexImage("PNG", QSize(4, 3));
    const QByteArray jpeg = hexImage("JPEG", QSize(8, 8));
    const auto r = read(body("\\pard before{\\pict\\pngblip\\picw4\\pich3\\picwgoal600\\pichgoal450\r\n" + png +
                             "}{\\*\\shppict{\\pict\\jpegblip\\picscalex50\\picscaley50\\picwgoal1200\\pichgoal1200 " +
                             jpeg + "}}{\\nonshppict{\\pict\\wmetafile8 0100}}after\\par"));
    const QTextDocument &d = *r.document;
    std::vector<QTextImageFormat> images;
    for (auto it = d.begin().begin(); !it.atEnd(); ++it) {
        if (it.fragment().charFormat().isImageFormat())
            images.push_back(it.fragment().charFormat().toImageFormat());
    }
    ASSERT_EQ(images.size(), 2u);
    EXPECT_DOUBLE_EQ(images[0].width(), 40.0);
    EXPECT_DOUBLE_EQ(images[0].height(), 30.0);
    EXPECT_DOUBLE_EQ(images[1].width(), 40.0);
    const QImage first = d.resource(QTextDocument::ImageResource, QUrl(images[0].name())).value<QImage>();
    EXPECT_EQ(first.size(), QSize(4, 3));
    EXPECT_EQ(first.pixelColor(1, 1), QColor(10, 200, 30));
    EXPECT_EQ(text(d), QStringLiteral("beforeafter\n"));
}

TEST(RtfReader, Tables)
{
    const auto r = read(body("\\pard intro\\par"
                             "\\trowd\\trgaph108\\clbrdrt\\brdrs\\cellx2000\\cellx4000"
                             "\\pard\\intbl {\\b Name}\\cell\\pard\\intbl Amount\\cell\\row"
                             "\\trowd\\cellx2000\\cellx4000\\pard\\intbl Rent\\cell\\pard\\intbl 1\\par 200\\cell\\row"
                             "\\pard after\\par"));
    const QTextDocument &d = *r.document;
    QTextTable *table = nullptr;
    for (QTextFrame *frame : d.rootFrame()->childFrames())
        table = table ? table : qobject_cast<QTextTable *>(frame);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 2);
    EXPECT_EQ(table->columns(), 2);
    EXPECT_GT(table->format().border(), 0);
    ASSERT_EQ(table->format().columnWidthConstraints().size(), 2);
    EXPECT_DOUBLE_EQ(table->format().columnWidthConstraints()[0].rawValue(), 2000 / 15.0);
    EXPECT_EQ(table->cellAt(0, 0).firstCursorPosition().block().text(), QStringLiteral("Name"));
    EXPECT_EQ(text(d), QStringLiteral("intro\nName\tAmount\nRent\t1 200\nafter\n"));
}

TEST(RtfReader, TableWithoutBordersAndUnterminatedRow)
{
    const auto r = read(body("\\trowd\\cellx1000\\cellx2000\\pard\\intbl a\\cell b\\cell"));
    EXPECT_EQ(text(*r.document), QStringLiteral("\na\tb\n\n"));
}

TEST(RtfReader, ListParagraphs)
{
    const QByteArray lists =
        "{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc23{\\leveltext\\'01\\u8226 ?;}{\\levelnumbers;}}"
        "\\listid7}{\\list{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}\\listid8}}"
        "{\\*\\listoverridetable{\\listoverride\\listid7\\listoverridecount0\\ls1}"
        "{\\listoverride\\listid8\\listoverridecount0\\ls2}}";
    const auto r = read(body(lists + "\\pard{\\listtext\\'95\\tab}\\ls1\\fi-360\\li720 apple\\par"
                                     "\\pard{\\listtext\\'95\\tab}\\ls1\\fi-360\\li720 pear\\par"
                                     "\\pard{\\listtext 1.\\tab}\\ls2 first\\par"
                                     "\\pard{\\listtext 2.\\tab}\\ls2 second\\par"
                                     "\\pard\\ls2 third\\par"
                                     "\\pard plain\\par"));
    const QTextDocument &d = *r.document;
    ASSERT_NE(block(d, 0).textList(), nullptr);
    EXPECT_EQ(block(d, 0).textList()->format().style(), QTextListFormat::ListDisc);
    EXPECT_EQ(block(d, 0).textList(), block(d, 1).textList());
    ASSERT_NE(block(d, 2).textList(), nullptr);
    EXPECT_EQ(block(d, 2).textList()->format().style(), QTextListFormat::ListDecimal);
    EXPECT_EQ(block(d, 4).textList(), block(d, 2).textList()); // numbered from the list table
    EXPECT_EQ(block(d, 5).textList(), nullptr);
    EXPECT_EQ(block(d, 0).text(), QStringLiteral("apple"));
    EXPECT_EQ(text(d), QStringLiteral("\u2022 apple\n\u2022 pear\n1. first\n2. second\n3. third\nplain\n"));
}

TEST(RtfReader, LegacyListsAsWordPadWritesThem)
{
    const auto r = read(body("\\pard{\\pntext\\f2\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf2\\pnindent0{\\pntxtb\\'B7}}"
                             "\\fi-720\\li720 one\\par{\\pntext\\f2\\'B7\\tab}two\\par"
                             "\\pard{\\pntext\\f0 a)\\tab}{\\*\\pn\\pnlvlbody\\pnlcltr\\pnstart1{\\pntxta )}}x\\par"
                             "\\pard{\\pntext Step 1:\\tab}odd marker\\par"));
    const QTextDocument &d = *r.document;
    ASSERT_NE(block(d, 0).textList(), nullptr);
    EXPECT_EQ(block(d, 0).textList(), block(d, 1).textList());
    ASSERT_NE(block(d, 2).textList(), nullptr);
    EXPECT_EQ(block(d, 2).textList()->format().style(), QTextListFormat::ListLowerAlpha);
    EXPECT_EQ(block(d, 2).textList()->format().numberSuffix(), QStringLiteral(")"));
    // A marker no list style expresses is kept as text.
    EXPECT_EQ(block(d, 3).textList(), nullptr);
    EXPECT_EQ(text(d), QStringLiteral("\u2022 one\n\u2022 two\na) x\nStep 1: odd marker\n"));
}

TEST(RtfReader, PageSizeAndMargins)
{
    const auto r = read(body("\\paperw11906\\paperh16838\\margl1134\\margr567\\margt850\\margb900\\pard x\\par"));
    const rtf::PageLayout page = rtf::pageLayout(*r.document);
    EXPECT_EQ(page.paperWidth, 11906);
    EXPECT_EQ(page.paperHeight, 16838);
    EXPECT_EQ(page.marginLeft, 1134);
    EXPECT_EQ(page.marginRight, 567);
    EXPECT_EQ(page.marginTop, 850);
    EXPECT_EQ(page.marginBottom, 900);
    const auto defaults = read(body("\\pard x\\par"));
    EXPECT_EQ(rtf::pageLayout(*defaults.document), rtf::PageLayout());
}

TEST(RtfReader, StyleSheetFormattingApplies)
{
    const auto r = read("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}{\\stylesheet{\\s0 Normal;}"
                        "{\\s1\\qc\\sb240\\b\\f1\\fs32 heading 1;}{\\*\\cs10\\i Emphasis;}}"
                        "\\pard\\plain\\s1 Title\\par\\pard\\plain body {\\cs10 stress}\\par}");
    const QTextDocument &d = *r.document;
    const QTextCharFormat title = test::formatOfText(d, QStringLiteral("Title"));
    EXPECT_EQ(title.fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(title.fontPointSize(), 16.0);
    EXPECT_EQ(title.fontFamilies().toStringList().value(0), QStringLiteral("Courier New"));
    EXPECT_EQ(block(d, 0).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_TRUE(test::formatOfText(d, QStringLiteral("stress")).fontItalic());
    EXPECT_EQ(text(d), QStringLiteral("Title\nbody stress\n"));
}

TEST(RtfReader, TextAfterTheClosingBraceIsNotPartOfTheDocument)
{
    const auto r = read("{\\rtf1 inside\\par}outside\\par");
    EXPECT_TRUE(r.error.isEmpty());
    EXPECT_EQ(text(*r.document), QStringLiteral("inside\n"));
}

TEST(RtfReader, LastParagraphWithoutParIsKept)
{
    const auto r = read("{\\rtf1 one\\par two}");
    EXPECT_EQ(text(*r.document), QStringLiteral("one\ntwo\n"));
}

TEST(RtfReader, MergedCellsAndRowsOfDifferentWidths)
{
    // A heading cell across two columns (by width and by \clmrg), and a cell
    // merged over two rows (\clvmgf, \clvmrg), as Word writes them.
    const auto r = read(body("\\trowd\\cellx4000\\pard\\intbl Heading\\cell\\row"
                             "\\trowd\\clvmgf\\cellx2000\\cellx4000\\pard\\intbl Tall\\cell\\pard\\intbl b\\cell\\row"
                             "\\trowd\\clvmrg\\cellx2000\\cellx4000\\pard\\intbl\\cell\\pard\\intbl d\\cell\\row"
                             "\\trowd\\clmgf\\cellx2000\\clmrg\\cellx4000\\pard\\intbl Wide\\cell\\pard\\intbl\\cell\\row"));
    QTextTable *table = nullptr;
    for (QTextFrame *frame : r.document->rootFrame()->childFrames())
        table = table ? table : qobject_cast<QTextTable *>(frame);
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rows(), 4);
    ASSERT_EQ(table->columns(), 2);
    EXPECT_EQ(table->cellAt(0, 0).columnSpan(), 2);
    EXPECT_EQ(table->cellAt(1, 0).rowSpan(), 2);
    EXPECT_EQ(table->cellAt(2, 0).row(), 1);
    EXPECT_EQ(table->cellAt(3, 0).columnSpan(), 2);
    EXPECT_EQ(text(*r.document), QStringLiteral("\nHeading\nTall\tb\n\td\nWide\n\n"));
}

TEST(RtfReader, HyperlinkFieldsKeepTheirTarget)
{
    const auto r = read(body("\\pard see {\\field{\\*\\fldinst {HYPERLINK \"http://example.com/plan\" }}"
                             "{\\fldrslt {\\ul\\cf2 our site}}} and {\\field{\\*\\fldinst PAGE}{\\fldrslt 3}}\\par"));
    const QTextCharFormat link = test::formatOfText(*r.document, QStringLiteral("our site"));
    EXPECT_TRUE(link.isAnchor());
    EXPECT_EQ(link.anchorHref(), QStringLiteral("http://example.com/plan"));
    EXPECT_FALSE(test::formatOfText(*r.document, QStringLiteral(" and ")).isAnchor());
    EXPECT_FALSE(test::formatOfText(*r.document, QStringLiteral("3")).isAnchor());
    EXPECT_EQ(text(*r.document), QStringLiteral("see our site and 3\n"));
}
