// What the writer saves, the reader reads back as the same document: one
// test per feature, each comparing the canonical dumps.

#include "DocumentDump.h"

#include "controls/richtext/Rtf.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <functional>

using namespace qv;

namespace {

// A document in a known font, as the editor makes them.
std::unique_ptr<QTextDocument> newDocument()
{
    auto d = std::make_unique<QTextDocument>();
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPointSizeF(11);
    d->setDefaultFont(font);
    return d;
}

QTextCharFormat plain(const QString &family = QStringLiteral("Liberation Serif"), double size = 11)
{
    QTextCharFormat f;
    f.setFontFamilies(QStringList{family});
    f.setFontPointSize(size);
    return f;
}

void expectRoundTrip(const QTextDocument &original)
{
    const QByteArray rtf = rtf::writeRtf(original);
    for (const char c : rtf)
        ASSERT_TRUE(static_cast<unsigned char>(c) < 0x80) << "the writer writes ASCII only";
    const rtf::ReadResult back = rtf::readRtf(rtf);
    EXPECT_TRUE(back.error.isEmpty()) << back.error.toStdString();
    EXPECT_EQ(test::dumpDocument(*back.document).toStdString(), test::dumpDocument(original).toStdString())
        << rtf.toStdString();
    // And once more: the second generation is byte for byte the first.
    EXPECT_EQ(rtf::writeRtf(*back.document), rtf);
}

void build(QTextDocument &d, const std::function<void(QTextCursor &)> &fill)
{
    QTextCursor c(&d);
    c.setBlockCharFormat(plain());
    fill(c);
}

} // namespace

TEST(RtfRoundTrip, FontsAndSizes)
{
    auto d = newDocument();
    build(*d, [](QTextCursor &c) {
        c.insertText(QStringLiteral("serif "), plain());
        c.insertText(QStringLiteral("sans "), plain(QStringLiteral("Liberation Sans"), 14));
        c.insertText(QStringLiteral("mono"), plain(QStringLiteral("Liberation Mono"), 8.5));
    });
    expectRoundTrip(*d);
}

TEST(RtfRoundTrip, CharacterStyles)
{
    auto d = newDocument();
    build(*d, [](QTextCursor &c) {
        QTextCharFormat f = plain();
        f.setFontWeight(QFont::Bold);
        c.insertText(QStringLiteral("bold "), f);
        f = plain();
        f.setFontItalic(true);
        c.insertText(QStringLiteral("italic "), f);
        for (auto style : {QTextCharFormat::SingleUnderline, QTextCharFormat::DotLine, QTextCharFormat::DashUnderline,
                           QTextCharFormat::DashDotLine, QTextCharFormat::DashDotDotLine, QTextCharFormat::WaveUnderline}) {
            f = plain();
            f.setUnderlineStyle(style);
            c.insertText(QStringLiteral("u%1 ").arg(int(style)), f);
        }
        f = plain();
        f.setFontStrikeOut(true);
        c.insertText(QStringLiteral("strike "), f);
        f = plain();
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        c.insertText(QStringLiteral("sup"), f);
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        c.insertText(QStringLiteral("sub"), f);
        f = plain();
        f.setFontCapitalization(QFont::SmallCaps);
        c.insertText(QStringLiteral(" small caps"), f);
        f.setFontCapitalization(QFont::AllUppercase);
        f.setFontWeight(QFont::Bold);
        f.setFontItalic(true);
        c.insertText(QStringLiteral(" all"), f);
    });
    expectRoundTrip(*d);
}

TEST(RtfRoundTrip, ColoursAndHighlight)
{
    auto d = newDocument();
    build(*d, [](QTextCursor &c) {
        QTextCharFormat f = plain();
        f.setForeground(QColor(192, 0, 0));
        c.insertText(QStringLiteral("red "), f);
        f.setBackground(QColor(255, 255, 0));
        c.insertText(QStringLiteral("red on yellow "), f);
        f = plain();
        f.setBackground(QColor(0, 255, 255));
        c.insertText(QStringLiteral("cyan"), f);
        f = plain();
        f.setForeground(QColor(0, 0, 0));
        c.insertText(QStringLiteral(" black"), f);
    });
    expectRoundTrip(*d);
}

TEST(RtfRoundTrip, AlignmentIndentsSpacingAndTabs)
{
    auto d = newDocument();
    build(*d, [](QTextCursor &c) {
        QTextBlockFormat b;
        b.setAlignment(Qt::AlignHCenter);
        c.setBlockFormat(b);
        c.insertText(QStringLiteral("centre"), plain());
        for (Qt::Alignment a : {Qt::AlignRight, Qt::AlignJustify, Qt::AlignLeft}) {
            QTextBlockFormat f;
            f.setAlignment(a);
            c.insertBlock(f, plain());
            c.insertText(QStringLiteral("aligned"), plain());
        }
        QTextBlockFormat ind;
        ind.setLeftMargin(48);
        ind.setRightMargin(24);
        ind.setTextIndent(-12);
        ind.setTopMargin(8);
        ind.setBottomMargin(16);
        c.insertBlock(ind, plain());
        c.insertText(QStringLiteral("indented and spaced"), plain());
        QTextBlockFormat lines;
        lines.setLineHeight(150, QTextBlockFormat::ProportionalHeight);
        c.insertBlock(lines, plain());
        c.insertText(QStringLiteral("one and a half"), plain());
        lines.setLineHeight(20, QTextBlockFormat::FixedHeight);
        c.insertBlock(lines, plain());
        c.insertText(QStringLiteral("exactly"), plain());
        lines.setLineHeight(18, QTextBlockFormat::MinimumHeight);
        c.insertBlock(lines, plain());
        c.insertText(QStringLiteral("at least"), plain());
        QTextBlockFormat tabs;
        tabs.setTabPositions({QTextOption::Tab(96, QTextOption::LeftTab), QTextOption::Tab(200, QTextOption::CenterTab),
                              QTextOption::Tab(300, QTextOption::RightTab),
                              QTextOption::Tab(400, QTextOption::DelimiterTab, QChar(u'.'))});
        c.insertBlock(tabs, plain());
        c.insertText(QStringLiteral("a\tb\tc\td"), plain());
    });
    expectRoundTrip(*d);
}

TEST(RtfRoundTrip, PageSizeAndMargins)
{
    auto d = newDocument();
    rtf::setPageLayout(*d, rtf::PageLayout{11906, 16838, 1134, 1000, 900, 800});
    build(*d, [](QTextCursor &c) { c.insertText(QStringLiteral("A4"), plain()); });
    expectRoundTrip(*d);
}

TEST(RtfRoundTrip, ParagraphsLineBreaksAndEmptyParagraphs)
{
    auto d = newDocument();
    build(*d, [](QTextCursor &c) {
        c.insertText(QStringLiteral("first line"), plain());
        c.insertText(QString(QChar::LineSeparator) + u"second line", plain());
        c.insertBlock(QTextBlockFormat(), plain(QStringLiteral("Liberation Sans"), 20)); // an empty paragraph in a large font
        QTextBlockFormat page;
        page.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        c.insertBlock(page, plain());
        c.insertText(QStringLiteral("on a new page"), plain());
        c.insertBlock(QTextBlockFormat(), plain());
    });
    expectRoundTrip(*d);
}

TEST(RtfRoundTrip, CharactersThatNeedEscaping)
{
    auto d = newDocument();
    build(*d, [](QTextCursor &c) {
        c.insertText(QStringLiteral("braces {x} backslash \\ \\par tab\there nbsp\u00a0soft\u00adhyphen\u2011"),
                     plain());
        c.insertBlock(QTextBlockFormat(), plain());
        c.insertText(QStringLiteral("café naïve Zürich € “quotes” — Привет 日本語 \U0001F600 ΑΩ ĳ"), plain());
        c.insertBlock(QTextBlockFormat(), plain());
        c.insertText(QStringLiteral("1 space  two spaces   three, trailing "), plain());
    });
    expectRoundTrip(*d);
}

TEST(RtfRoundTrip, Tables)
{
    auto d = newDocument();
    build(*d, [](QTextCursor &c) {
        c.insertText(QStringLiteral("before"), plain());
        QTextTableFormat format;
        format.setBorder(1);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setCellSpacing(0);
        format.setCellPadding(4);
        format.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 120), QTextLength(QTextLength::FixedLength, 80),
                                          QTextLength(QTextLength::FixedLength, 60)});
        QTextTable *t = c.insertTable(3, 3, format);
        for (int r = 0; r < 3; ++r) {
            for (int col = 0; col < 3; ++col) {
                QTextCursor cell = t->cellAt(r, col).firstCursorPosition();
                cell.setBlockCharFormat(plain());
                QTextCharFormat f = plain();
                if (r == 0)
                    f.setFontWeight(QFont::Bold);
                cell.insertText(QStringLiteral("r%1c%2").arg(r).arg(col), f);
                if (r == 2 && col == 1) {
                    QTextBlockFormat right;
                    right.setAlignment(Qt::AlignRight);
                    cell.insertBlock(right, plain());
                    cell.insertText(QStringLiteral("second paragraph"), plain());
                }
            }
        }
        c = t->lastCursorPosition();
        c.movePosition(QTextCursor::NextBlock);
        c.setBlockCharFormat(plain());
        c.insertText(QStringLiteral("after"), plain());
    });
    expectRoundTrip(*d);
}

TEST(RtfRoundTrip, TableWithoutBordersAtTheStart)
{
    auto d = newDocument();
    build(*d, [](QTextCursor &c) {
        QTextTableFormat format;
        format.setBorder(0);
        format.setCellSpacing(0);
        format.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 100), QTextLength(QTextLength::FixedLength, 100)});
        QTextTable *t = c.insertTable(1, 2, format);
        t->cellAt(0, 0).firstCursorPosition().setBlockCharFormat(plain());
        t->cellAt(0, 1).firstCursorPosition().setBlockCharFormat(plain());
        t->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("left"), plain());
        t->cellAt(0, 1).firstCursorPosition().insertText(QStringLiteral("right"), plain());
        QTextCursor after = t->lastCursorPosition();
        after.movePosition(QTextCursor::NextBlock);
        after.setBlockCharFormat(plain());
    });
    expectRoundTrip(*d);
}

TEST(RtfRoundTrip, Images)
{
    auto d = newDocument();
    QImage image(6, 4, QImage::Format_ARGB32);
    image.fill(QColor(200, 30, 40));
    image.setPixelColor(0, 0, QColor(0, 0, 255));
    d->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("logo.png")), image);
    build(*d, [](QTextCursor &c) {
        c.insertText(QStringLiteral("logo: "), plain());
        QTextImageFormat f;
        f.merge(plain());
        f.setName(QStringLiteral("logo.png"));
        f.setWidth(60);
        f.setHeight(40);
        c.insertImage(f);
        c.insertText(QStringLiteral(" end"), plain());
    });
    expectRoundTrip(*d);
}

TEST(RtfRoundTrip, BulletAndNumberedLists)
{
    auto d = newDocument();
    build(*d, [](QTextCursor &c) {
        c.insertText(QStringLiteral("Goals"), plain());
        c.insertBlock(QTextBlockFormat(), plain());
        QTextListFormat bullets;
        bullets.setStyle(QTextListFormat::ListDisc);
        bullets.setIndent(1);
        c.createList(bullets);
        c.insertText(QStringLiteral("open"), plain());
        c.insertBlock(c.blockFormat(), plain());
        c.insertText(QStringLiteral("grow"), plain());
        QTextBlockFormat none;
        c.insertBlock(none, plain());
        c.setBlockFormat(none); // leaves the list
        c.insertText(QStringLiteral("Steps"), plain());
        for (auto style : {QTextListFormat::ListDecimal, QTextListFormat::ListLowerAlpha, QTextListFormat::ListUpperRoman,
                           QTextListFormat::ListCircle, QTextListFormat::ListSquare}) {
            c.insertBlock(QTextBlockFormat(), plain());
            QTextListFormat numbers;
            numbers.setStyle(style);
            numbers.setIndent(style == QTextListFormat::ListLowerAlpha ? 2 : 1);
            numbers.setNumberSuffix(style == QTextListFormat::ListUpperRoman ? QStringLiteral(")") : QStringLiteral("."));
            QTextList *list = c.createList(numbers);
            c.insertText(QStringLiteral("first"), plain());
            c.insertBlock(QTextBlockFormat(), plain());
            list->add(c.block());
            c.insertText(QStringLiteral("second"), plain());
        }
    });
    expectRoundTrip(*d);
    EXPECT_EQ(rtf::plainText(*rtf::readRtf(rtf::writeRtf(*d)).document).section(u'\n', 0, 5),
              QStringLiteral("Goals\n\u2022 open\n\u2022 grow\nSteps\n1. first\n2. second"));
}

TEST(RtfRoundTrip, HeadingsKeepTheirLevels)
{
    auto d = newDocument();
    build(*d, [](QTextCursor &c) {
        for (int level : {1, 0, 2, 0, 3}) {
            QTextBlockFormat paragraph;
            paragraph.setHeadingLevel(level);
            if (level > 0)
                c.insertBlock(paragraph, plain(QStringLiteral("Liberation Serif"), 18 - 2 * level));
            else
                c.insertBlock(paragraph, plain());
            c.insertText(level ? QStringLiteral("Heading %1").arg(level) : QStringLiteral("Body text"));
        }
    });
    expectRoundTrip(*d);
    const QByteArray rtf = rtf::writeRtf(*d);
    // Other word processors know the levels by their style names.
    EXPECT_TRUE(rtf.contains("{\\s2\\outlinelevel1\\sbasedon0\\snext0 heading 2;}")) << rtf.toStdString();
    EXPECT_TRUE(rtf.contains("\\pard\\s3\\outlinelevel2"));
}

TEST(RtfRoundTrip, BodyTextWritesNoStyleSheet)
{
    auto d = newDocument();
    build(*d, [](QTextCursor &c) { c.insertText(QStringLiteral("Only body text")); });
    EXPECT_FALSE(rtf::writeRtf(*d).contains("stylesheet"));
}

TEST(RtfRoundTrip, SectionFormSurvivesTheLineBreaks)
{
    auto d = newDocument();
    build(*d, [](QTextCursor &c) {
        for (int i = 0; i < 300; ++i) {
            QTextCharFormat f = plain();
            f.setFontWeight(i % 2 ? QFont::Bold : QFont::Normal);
            c.insertText(QStringLiteral("Paragraph %1 with é and € and \\ { } ").arg(i).repeated(3), f);
            if (i % 10 == 9)
                c.insertBlock(QTextBlockFormat(), plain());
        }
    });
    const QByteArray section = rtf::writeSectionRtf(*d);
    const rtf::ReadResult back = rtf::readRtf(section);
    EXPECT_EQ(test::dumpDocument(*back.document), test::dumpDocument(*d));
}

TEST(RtfRoundTrip, PastedHtmlKeepsItsTextAndFormatting)
{
    // Rich text pasted from other programs arrives as HTML.
    QTextDocument d;
    d.setHtml(QStringLiteral("<p><b>bold</b> <span style='font-size:20px'>pixels</span> "
                             "<span style='font-family:Liberation Mono; color:#00ff00'>green</span> "
                             "<a href='http://example.com'>link</a></p>"
                             "<ul><li>one</li><li>two</li></ul><ol><li>first</li></ol>"
                             "<table border='1'><tr><td>a</td><td>b</td></tr></table><p>end</p>"));
    const auto back = rtf::readRtf(rtf::writeRtf(d));
    EXPECT_TRUE(back.error.isEmpty());
    EXPECT_EQ(rtf::plainText(*back.document), rtf::plainText(d));
    EXPECT_EQ(test::formatOfText(*back.document, QStringLiteral("bold")).fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(test::formatOfText(*back.document, QStringLiteral("pixels")).fontPointSize(), 15.0);
    EXPECT_EQ(test::formatOfText(*back.document, QStringLiteral("green")).foreground().color(), QColor(0, 255, 0));
    EXPECT_EQ(test::formatOfText(*back.document, QStringLiteral("green")).fontFamilies().toStringList().value(0),
              QStringLiteral("Liberation Mono"));
}

TEST(RtfRoundTrip, MergedCells)
{
    auto d = newDocument();
    build(*d, [](QTextCursor &c) {
        c.insertText(QStringLiteral("spans"), plain());
        QTextTableFormat format;
        format.setBorder(1);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setCellSpacing(0);
        format.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 100), QTextLength(QTextLength::FixedLength, 100),
                                          QTextLength(QTextLength::FixedLength, 100)});
        QTextTable *t = c.insertTable(3, 3, format);
        for (int r = 0; r < 3; ++r)
            for (int col = 0; col < 3; ++col) {
                QTextCursor cell = t->cellAt(r, col).firstCursorPosition();
                cell.setBlockCharFormat(plain());
                cell.insertText(QStringLiteral("%1%2").arg(r).arg(col), plain());
            }
        t->mergeCells(0, 0, 1, 3); // a heading across the table
        t->mergeCells(1, 0, 2, 1); // a cell over two rows
        QTextCursor after = t->lastCursorPosition();
        after.movePosition(QTextCursor::NextBlock);
        after.setBlockCharFormat(plain());
    });
    // Merging keeps the merged cells' texts in the first cell; the RTF keeps them too.
    const auto back = rtf::readRtf(rtf::writeRtf(*d));
    EXPECT_EQ(test::dumpDocument(*back.document).toStdString(), test::dumpDocument(*d).toStdString());
}

TEST(RtfRoundTrip, Hyperlinks)
{
    auto d = newDocument();
    build(*d, [](QTextCursor &c) {
        c.insertText(QStringLiteral("visit "), plain());
        QTextCharFormat link = plain();
        link.setAnchor(true);
        link.setAnchorHref(QStringLiteral("https://example.com/a?b=c&d=\u00e9"));
        link.setFontUnderline(true);
        c.insertText(QStringLiteral("the site"), link);
        c.insertText(QStringLiteral(" today"), plain());
    });
    expectRoundTrip(*d);
}

TEST(RtfRoundTrip, RomanNumbersPastFourStayOneList)
{
    // Found by the fuzzer: the marker "v." alone reads as a letter; the list
    // table says it is a roman five.
    auto d = newDocument();
    build(*d, [](QTextCursor &c) {
        QTextListFormat roman;
        roman.setStyle(QTextListFormat::ListLowerRoman);
        roman.setNumberSuffix(QStringLiteral("."));
        QTextList *list = c.createList(roman);
        for (int i = 0; i < 6; ++i) {
            if (i) {
                c.insertBlock(QTextBlockFormat(), plain());
                list->add(c.block());
            }
            c.insertText(QStringLiteral("item %1").arg(i + 1), plain());
        }
    });
    expectRoundTrip(*d);
    EXPECT_TRUE(rtf::plainText(*rtf::readRtf(rtf::writeRtf(*d)).document).contains(QStringLiteral("vi. item 6\n")));
}
