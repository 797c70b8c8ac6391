// Plain text in and out, and the file helpers.

#include "controls/richtext/Rtf.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

using namespace qv;

TEST(PlainText, Utf8WithAndWithoutByteOrderMark)
{
    EXPECT_EQ(rtf::readPlainText("caf\xc3\xa9\r\nline two\n")->toPlainText(), QStringLiteral("café\nline two\n"));
    EXPECT_EQ(rtf::readPlainText("\xef\xbb\xbf" "abc")->toPlainText(), QStringLiteral("abc"));
}

TEST(PlainText, OtherBytesAreCodePage1252)
{
    const auto d = rtf::readPlainText("caf\xe9 \x80 5\rnext");
    EXPECT_EQ(d->toPlainText(), QStringLiteral("café € 5\nnext"));
    EXPECT_EQ(d->blockCount(), 2);
}

TEST(PlainText, OutListsTablesImagesAndLineBreaks)
{
    QTextDocument d;
    QTextCursor c(&d);
    c.insertText(QStringLiteral("Title") + QChar(QChar::LineSeparator) + u"subtitle");
    c.insertBlock();
    QTextListFormat numbers;
    numbers.setStyle(QTextListFormat::ListDecimal);
    c.createList(numbers);
    c.insertText(QStringLiteral("one"));
    c.insertBlock();
    c.insertText(QStringLiteral("two"));
    c.insertBlock();
    c.setBlockFormat(QTextBlockFormat());
    QTextListFormat bullets;
    bullets.setStyle(QTextListFormat::ListDisc);
    c.createList(bullets);
    c.insertText(QStringLiteral("dot"));
    c.insertBlock();
    c.setBlockFormat(QTextBlockFormat());
    QImage image(2, 2, QImage::Format_RGB32);
    d.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("i.png")), image);
    c.insertText(QStringLiteral("pic:"));
    QTextImageFormat img;
    img.setName(QStringLiteral("i.png"));
    c.insertImage(img);
    c.insertText(QStringLiteral("end"));
    QTextTable *t = c.insertTable(2, 2);
    t->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("a"));
    t->cellAt(0, 1).firstCursorPosition().insertText(QStringLiteral("b"));
    t->cellAt(1, 1).firstCursorPosition().insertText(QStringLiteral("d"));
    EXPECT_EQ(rtf::plainText(d), QStringLiteral("Title\nsubtitle\n1. one\n2. two\n\u2022 dot\npic:end\na\tb\n\td\n\n"));
}

TEST(PlainText, EmptyDocumentIsOneEmptyLine)
{
    QTextDocument d;
    EXPECT_EQ(rtf::plainText(d), QStringLiteral("\n"));
}

TEST(RtfFiles, MissingFileIsAClearError)
{
    const auto r = rtf::readRtfFile(QStringLiteral("/nonexistent/folder/file.rtf"));
    EXPECT_TRUE(r.error.contains(QStringLiteral("does not exist")));
    ASSERT_NE(r.document, nullptr);
    EXPECT_TRUE(rtf::readPlainTextFile(QStringLiteral("/nonexistent/x.txt")).error.contains(QStringLiteral("does not exist")));
}

TEST(RtfFiles, SaveAndLoad)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ans00001.rtf"));
    QTextDocument d;
    QTextCursor(&d).insertText(QString(3000, u'x'));
    EXPECT_EQ(rtf::saveSectionRtfFile(path, d), QString());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    EXPECT_EQ(content, rtf::writeSectionRtf(d));
    for (const QByteArray &line : content.split('\n'))
        EXPECT_LE(line.size(), 2001);
    EXPECT_EQ(rtf::readRtfFile(path).document->toPlainText(), QString(3000, u'x'));

    EXPECT_EQ(rtf::saveRtfFile(path, d), QString());
    EXPECT_EQ(rtf::readRtfFile(path).document->toPlainText(), QString(3000, u'x'));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Ans00001.rtf")}); // no leftovers
}

TEST(RtfFiles, SaveIntoAMissingFolderFailsWithAReason)
{
    QTextDocument d;
    EXPECT_FALSE(rtf::saveRtfFile(QStringLiteral("/nonexistent/folder/a.rtf"), d).isEmpty());
    EXPECT_FALSE(QFile::exists(QStringLiteral("/nonexistent/folder/a.rtf")));
}

TEST(RtfFiles, PlainTextFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("notes.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("first\r\nsecond \xe9\r\n");
    file.close();
    const auto r = rtf::readPlainTextFile(path);
    EXPECT_TRUE(r.error.isEmpty());
    EXPECT_EQ(r.document->toPlainText(), QStringLiteral("first\nsecond é\n"));
}
