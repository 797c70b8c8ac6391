#include "controls/richtextview/DisplayBox.h"
#include "controls/richtextview/TextEditor.h"
#include "controls/richtext/Rtf.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextEdit>

using qv::richtext::DisplayBox;

namespace
{
QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
} // namespace

TEST(DisplayBox, ShowsAFileAndAnEmptyNameClearsIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("INSTabc.rtf"));
    const QByteArray source = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Write \\b your\\b0  summary caf\\'e9.\\par}";
    writeAll(path, source);
    DisplayBox box;
    EXPECT_EQ(box.loadFile(path), QString());
    EXPECT_EQ(box.fileName(), path);
    EXPECT_EQ(box.view()->toPlainText(), QStringLiteral("Write your summary caf\u00e9."));
    EXPECT_EQ(box.text().toLatin1(), source);
    EXPECT_TRUE(box.view()->isReadOnly());

    EXPECT_EQ(box.loadFile(QString()), QString());
    EXPECT_EQ(box.text(), QString());
    EXPECT_TRUE(box.view()->toPlainText().isEmpty());
}

TEST(DisplayBox, AMissingFileLeavesItEmptyAndSaysWhy)
{
    DisplayBox box;
    box.setText(QStringLiteral("{\\rtf1 old\\par}"));
    EXPECT_NE(box.loadFile(QStringLiteral("/no/such/INSTx.rtf")), QString());
    EXPECT_EQ(box.text(), QString());
}

TEST(DisplayBox, TheTextPropertyHoldsTheSourceExactly)
{
    DisplayBox box;
    const QString source = QStringLiteral("{\\rtf1\\ansi \\b Bold\\b0  text\\par}");
    box.setText(source);
    EXPECT_EQ(box.text(), source);
    EXPECT_EQ(box.view()->toPlainText(), QStringLiteral("Bold text"));
    // Line breaks put into the source stay in it and do not show.
    QString broken = source;
    broken.insert(12, QStringLiteral("\r\n"));
    box.setText(broken);
    EXPECT_EQ(box.text(), broken);
    EXPECT_EQ(box.view()->toPlainText(), QStringLiteral("Bold text"));
    // Text that is not RTF shows as it is.
    box.setText(QStringLiteral("just words"));
    EXPECT_EQ(box.view()->toPlainText(), QStringLiteral("just words"));
}

TEST(DisplayBox, SavesItsTextAsPlainTextByteForByte)
{
    QTemporaryDir dir;
    DisplayBox box;
    QString source = QStringLiteral("{\\rtf1\\ansi caf\\'e9 \\u8364?\\par}");
    source.insert(8, QStringLiteral("\r\n"));
    box.setText(source);
    const QString path = dir.filePath(QStringLiteral("Ans00001.rtf"));
    EXPECT_EQ(box.saveFile(path), QString());
    EXPECT_EQ(readAll(path), source.toLatin1());

    // What a file held is saved back unchanged, 8-bit bytes included.
    const QByteArray eightBit = "{\\rtf1\\ansi raw \xe9 byte\\par}";
    writeAll(path, eightBit);
    ASSERT_EQ(box.loadFile(path), QString());
    const QString copy = dir.filePath(QStringLiteral("copy.rtf"));
    EXPECT_EQ(box.saveFile(copy), QString());
    EXPECT_EQ(readAll(copy), eightBit);
}

TEST(DisplayBox, AFailedSaveKeepsTheOldFile)
{
    QTemporaryDir dir;
    DisplayBox box;
    box.setText(QStringLiteral("{\\rtf1 new\\par}"));
    EXPECT_NE(box.saveFile(dir.filePath(QStringLiteral("no/such/folder/x.rtf"))), QString());
    const QString path = dir.filePath(QStringLiteral("x.rtf"));
    writeAll(path, "old");
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    const QString error = box.saveFile(path);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!error.isEmpty()) { // root may write anyway
        EXPECT_EQ(readAll(path), QByteArray("old"));
    }
}

// The composer's save: the whole text made explicit, its RTF copied into the
// box, broken into lines and saved; the editor reads the file back alike.
TEST(DisplayBox, CarriesAnEditorsTextToItsSectionFile)
{
    QTemporaryDir dir;
    qv::richtext::TextEditor editor;
    QString words;
    for (int i = 0; i < 400; ++i)
        words += QStringLiteral("caf\u00e9 plan %1 ").arg(i);
    editor.loadRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 \\b Title\\b0\\par}");
    QTextCursor end(editor.document());
    end.movePosition(QTextCursor::End);
    end.insertText(words);
    editor.setSelection(0, editor.plainTextLength());
    editor.makeFontsExplicit();
    DisplayBox box;
    box.setText(QString::fromLatin1(qv::rtf::breakRtfLines(editor.selectedRtf())));
    editor.clearSelection();
    const QString path = dir.filePath(QStringLiteral("Ans00001.rtf"));
    ASSERT_EQ(box.saveFile(path), QString());

    const QByteArray saved = readAll(path);
    for (const QByteArray &line : saved.split('\n'))
        EXPECT_LE(line.size(), 2001);
    qv::richtext::TextEditor again;
    EXPECT_EQ(again.loadRtfFile(path), QString());
    EXPECT_EQ(again.toPlainText(), editor.toPlainText());
    QTextCursor probe(again.document());
    probe.setPosition(2);
    EXPECT_EQ(probe.charFormat().fontWeight(), QFont::Bold);
}
