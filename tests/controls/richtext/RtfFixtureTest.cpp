// Files written by LibreOffice Writer, Word and WordPad: their text and
// formatting arrive intact, and what the writer saves LibreOffice reads the same.

#include "DocumentDump.h"

#include "controls/richtext/Rtf.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

using namespace qv;

namespace {

QString ownFixture(const QString &name)
{
    return QStringLiteral(QV_TEST_DATA_DIR "/rtf/") + name;
}

QString sharedFixture(const QString &name)
{
    return QStringLiteral(QV_SHARED_TESTDATA_DIR "/rtf/") + name;
}

QString readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

rtf::ReadResult load(const QString &path)
{
    rtf::ReadResult r = rtf::readRtfFile(path);
    EXPECT_TRUE(r.error.isEmpty()) << path.toStdString() << ": " << r.error.toStdString();
    return r;
}

// The words of a text: other readers lay out tables and list markers their way.
QStringList words(const QString &text)
{
    static const QRegularExpression space(QStringLiteral("\\s+"));
    return text.split(space, Qt::SkipEmptyParts);
}

QTextTable *firstTable(const QTextDocument &d)
{
    for (QTextFrame *frame : d.rootFrame()->childFrames()) {
        if (auto *table = qobject_cast<QTextTable *>(frame))
            return table;
    }
    return nullptr;
}

QTextBlock blockWith(const QTextDocument &d, const QString &text)
{
    for (QTextBlock b = d.begin(); b.isValid(); b = b.next()) {
        if (b.text().contains(text))
            return b;
    }
    return QTextBlock();
}

} // namespace

class OwnFixture : public ::testing::TestWithParam<const char *>
{
};

TEST_P(OwnFixture, TextIsAsExpected)
{
    const QString name = QString::fromLatin1(GetParam());
    const auto r = load(ownFixture(name + u".rtf"));
    EXPECT_EQ(rtf::plainText(*r.document).toStdString(), readText(ownFixture(name + u".txt")).toStdString());
}

TEST_P(OwnFixture, WritingAndReadingAgainKeepsTheDocument)
{
    const auto r = load(ownFixture(QString::fromLatin1(GetParam()) + u".rtf"));
    const auto again = rtf::readRtf(rtf::writeRtf(*r.document));
    EXPECT_EQ(test::dumpDocument(*again.document).toStdString(), test::dumpDocument(*r.document).toStdString());
}

INSTANTIATE_TEST_SUITE_P(RtfFixtures, OwnFixture,
                         ::testing::Values("formatted", "table", "lists", "picture", "wordpad"));

TEST(RtfFixtures, SharedFilesHaveTheirText)
{
    for (const char *name : {"market", "word2016"}) {
        const QString base = QString::fromLatin1(name);
        const auto r = load(sharedFixture(base + u".rtf"));
        EXPECT_EQ(words(rtf::plainText(*r.document)), words(readText(sharedFixture(base + u".txt")))) << name;
        const auto again = rtf::readRtf(rtf::writeRtf(*r.document));
        EXPECT_EQ(test::dumpDocument(*again.document), test::dumpDocument(*r.document)) << name;
    }
}

TEST(RtfFixtures, LibreOfficeMarketAnalysis)
{
    const auto r = load(sharedFixture(QStringLiteral("market.rtf")));
    const QTextDocument &d = *r.document;
    EXPECT_EQ(test::formatOfText(d, QStringLiteral("Market Analysis")).fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(test::formatOfText(d, QStringLiteral("Market Analysis")).fontPointSize(), 18.0);
    // A heading style whose level only its name gives, and its use.
    EXPECT_EQ(blockWith(d, QStringLiteral("Market Analysis")).blockFormat().headingLevel(), 2);
    EXPECT_EQ(blockWith(d, QStringLiteral("Portland")).blockFormat().headingLevel(), 0);
    EXPECT_EQ(test::formatOfText(d, QStringLiteral("Portland")).fontWeight(), QFont::Bold);
    EXPECT_TRUE(test::formatOfText(d, QStringLiteral("specialty coffee")).fontItalic());
    EXPECT_EQ(test::formatOfText(d, QStringLiteral("Growth")).foreground().color(), QColor(0, 128, 0));
    EXPECT_EQ(blockWith(d, QStringLiteral("Growth")).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QTextTable *table = firstTable(d);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 3);
    EXPECT_EQ(table->columns(), 2);
    EXPECT_EQ(table->cellAt(2, 0).firstCursorPosition().block().text(), QStringLiteral("Café Olé"));
    const QTextBlock students = blockWith(d, QStringLiteral("Students"));
    ASSERT_NE(students.textList(), nullptr);
    EXPECT_EQ(students.textList()->format().style(), QTextListFormat::ListDisc);
    EXPECT_EQ(students.textList(), blockWith(d, QStringLiteral("Office")).textList());
    const rtf::PageLayout page = rtf::pageLayout(d);
    EXPECT_EQ(page.paperWidth, 11906);
    EXPECT_EQ(page.marginRight, 567);
}

TEST(RtfFixtures, WordExecutiveSummary)
{
    const auto r = load(sharedFixture(QStringLiteral("word2016.rtf")));
    const QTextDocument &d = *r.document;
    EXPECT_EQ(test::formatOfText(d, QStringLiteral("Summary")).fontWeight(), QFont::Bold);
    EXPECT_EQ(test::formatOfText(d, QStringLiteral("Summary")).foreground().color(), QColor(192, 0, 0));
    EXPECT_EQ(test::formatOfText(d, QStringLiteral("Summary")).fontFamilies().toStringList().value(0), QStringLiteral("Calibri"));
    EXPECT_DOUBLE_EQ(test::formatOfText(d, QStringLiteral("Summary")).fontPointSize(), 11.0);
    EXPECT_NE(blockWith(d, QStringLiteral("First goal")).textList(), nullptr);
    EXPECT_EQ(blockWith(d, QStringLiteral("Executive")).blockFormat().lineHeightType(), QTextBlockFormat::ProportionalHeight);
    EXPECT_EQ(rtf::pageLayout(d), (rtf::PageLayout{12240, 15840, 1440, 1440, 1440, 1440}));
}

TEST(RtfFixtures, LibreOfficeFormatting)
{
    const auto r = load(ownFixture(QStringLiteral("formatted.rtf")));
    const QTextDocument &d = *r.document;
    using test::formatOfText;
    EXPECT_EQ(formatOfText(d, QStringLiteral("bold")).fontWeight(), QFont::Bold);
    EXPECT_TRUE(formatOfText(d, QStringLiteral("italic")).fontItalic());
    EXPECT_EQ(formatOfText(d, QStringLiteral("underlined")).underlineStyle(), QTextCharFormat::SingleUnderline);
    EXPECT_TRUE(formatOfText(d, QStringLiteral("struck")).fontStrikeOut());
    EXPECT_EQ(formatOfText(d, QStringLiteral("Business Plan")).fontFamilies().toStringList().value(0),
              QStringLiteral("Liberation Sans"));
    EXPECT_EQ(formatOfText(d, QStringLiteral("A red")).foreground().color(), QColor(0xc0, 0, 0));
    EXPECT_EQ(formatOfText(d, QStringLiteral("Highlighted")).background().color(), QColor(255, 255, 0));
    EXPECT_EQ(blockWith(d, QStringLiteral("A red")).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(blockWith(d, QStringLiteral("Highlighted")).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    const QTextBlockFormat accents = blockWith(d, QStringLiteral("Accents")).blockFormat();
    EXPECT_EQ(accents.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
    EXPECT_EQ(rtf::pixelsToTwips(accents.leftMargin()), 1440);
    EXPECT_EQ(rtf::pixelsToTwips(accents.textIndent()), 720);
    EXPECT_EQ(formatOfText(d, QStringLiteral("Large mono")).fontFamilies().toStringList().value(0),
              QStringLiteral("Liberation Mono"));
    EXPECT_DOUBLE_EQ(formatOfText(d, QStringLiteral("Large mono")).fontPointSize(), 18.0);
}

TEST(RtfFixtures, LibreOfficeTableListsAndPicture)
{
    const auto table = load(ownFixture(QStringLiteral("table.rtf")));
    QTextTable *t = firstTable(*table.document);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->rows(), 3);
    EXPECT_EQ(t->columns(), 3);
    EXPECT_GT(t->format().border(), 0);
    EXPECT_EQ(test::formatOfText(*table.document, QStringLiteral("Product")).fontWeight(), QFont::Bold);

    const auto lists = load(ownFixture(QStringLiteral("lists.rtf")));
    const QTextBlock open = blockWith(*lists.document, QStringLiteral("Open the shop"));
    const QTextBlock site = blockWith(*lists.document, QStringLiteral("Find a site"));
    ASSERT_NE(open.textList(), nullptr);
    ASSERT_NE(site.textList(), nullptr);
    EXPECT_EQ(open.textList()->format().style(), QTextListFormat::ListDisc);
    EXPECT_EQ(site.textList()->format().style(), QTextListFormat::ListDecimal);
    EXPECT_EQ(site.textList(), blockWith(*lists.document, QStringLiteral("Fit out")).textList());

    const auto picture = load(ownFixture(QStringLiteral("picture.rtf")));
    int images = 0;
    for (QTextBlock b = picture.document->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (!it.fragment().charFormat().isImageFormat())
                continue;
            ++images;
            const QTextImageFormat f = it.fragment().charFormat().toImageFormat();
            EXPECT_NEAR(f.width(), 80, 1);
            EXPECT_NEAR(f.height(), 48, 1);
            const QImage image =
                picture.document->resource(QTextDocument::ImageResource, QUrl(f.name())).value<QImage>();
            ASSERT_EQ(image.size(), QSize(40, 24));
            EXPECT_EQ(image.pixelColor(20, 12), QColor(0xff, 0xcc, 0x00));
            EXPECT_EQ(image.pixelColor(2, 2), QColor(0x33, 0x66, 0xcc));
        }
    }
    EXPECT_EQ(images, 1);
}

TEST(RtfFixtures, WordPadFormatting)
{
    const auto r = load(ownFixture(QStringLiteral("wordpad.rtf")));
    const QTextDocument &d = *r.document;
    EXPECT_EQ(test::formatOfText(d, QStringLiteral("Marketing Plan")).fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(test::formatOfText(d, QStringLiteral("Marketing Plan")).fontPointSize(), 14.0);
    EXPECT_TRUE(test::formatOfText(d, QStringLiteral("customers")).fontItalic());
    EXPECT_EQ(test::formatOfText(d, QStringLiteral("loyal")).foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(blockWith(d, QStringLiteral("Students")).textList(), blockWith(d, QStringLiteral("Families")).textList());
    EXPECT_EQ(test::formatOfText(d, QStringLiteral("Price")).fontFamilies().toStringList().value(0),
              QStringLiteral("Times New Roman"));
}

// LibreOffice opens what the writer saves with the same text and formatting.
// Runs only where LibreOffice is installed.
TEST(RtfFixtures, LibreOfficeReadsWhatTheWriterSaves)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";
    // QV_RTF_LIBREOFFICE_OUTPUT keeps the files for a look by eye.
    const QString keep = qEnvironmentVariable("QV_RTF_LIBREOFFICE_OUTPUT");
    QTemporaryDir temporary;
    const QDir dir(keep.isEmpty() ? temporary.path() : keep);
    QStringList written;
    for (const char *name : {"formatted", "table", "lists", "picture", "wordpad"}) {
        const auto r = load(ownFixture(QString::fromLatin1(name) + u".rtf"));
        const QString path = dir.filePath(QString::fromLatin1(name) + u".rtf");
        ASSERT_EQ(rtf::saveRtfFile(path, *r.document), QString());
        written.append(path);
    }
    auto convert = [&](const QString &target) {
        QProcess process;
        process.start(soffice, QStringList{QStringLiteral("-env:UserInstallation=file://") + dir.filePath(QStringLiteral("profile")),
                                           QStringLiteral("--headless"), QStringLiteral("--convert-to"), target,
                                           QStringLiteral("--outdir"), dir.path()}
                                   + written);
        ASSERT_TRUE(process.waitForFinished(100000));
    };
    convert(QStringLiteral("txt:Text (encoded):UTF8"));
    for (const QString &path : std::as_const(written)) {
        QString txtPath = path;
        txtPath.replace(QStringLiteral(".rtf"), QStringLiteral(".txt"));
        const QString theirs = readText(txtPath).remove(QChar(0xFEFF));
        const auto ours = rtf::readRtfFile(path);
        EXPECT_EQ(words(theirs), words(rtf::plainText(*ours.document))) << path.toStdString();
    }
    // LibreOffice's own flat file format shows what it made of the formatting.
    convert(QStringLiteral("fodt"));
    const QString formatted = readText(dir.filePath(QStringLiteral("formatted.fodt")));
    for (const char *property :
         {"fo:font-weight=\"bold\"", "fo:font-style=\"italic\"", "style:text-underline-style=\"solid\"",
          "style:text-line-through-style=\"solid\"", "style:text-position=\"super", "style:text-position=\"sub",
          "fo:color=\"#c00000\"", "fo:background-color=\"#ffff00\"", "fo:text-align=\"center\"",
          "fo:text-align=\"end\"", "fo:text-align=\"justify\"", "fo:margin-left=\"1in\"",
          "fo:text-indent=\"0.5in\"", "style:font-name=\"Liberation Mono\"", "fo:font-size=\"18pt\""})
        EXPECT_TRUE(formatted.contains(QString::fromUtf8(property))) << property;
    EXPECT_TRUE(formatted.contains(QStringLiteral("Zürich")));
    const QString table = readText(dir.filePath(QStringLiteral("table.fodt")));
    EXPECT_EQ(table.count(QStringLiteral("<table:table-row")), 3);
    EXPECT_EQ(table.count(QStringLiteral("<table:table-cell ")), 9);
    const QString lists = readText(dir.filePath(QStringLiteral("lists.fodt")));
    EXPECT_EQ(lists.count(QStringLiteral("<text:list-item")), 5);
    EXPECT_TRUE(lists.contains(QStringLiteral("text:bullet-char=\"\u2022\"")));
    EXPECT_TRUE(lists.contains(QStringLiteral("style:num-format=\"1\"")));
    const QString picture = readText(dir.filePath(QStringLiteral("picture.fodt")));
    EXPECT_EQ(picture.count(QStringLiteral("<draw:image")), 1);
    EXPECT_TRUE(picture.contains(QStringLiteral("svg:width=\"0.8335in\"")) || picture.contains(QStringLiteral("svg:width=\"0.8333in\"")))
        << "80 pixels wide";
}
