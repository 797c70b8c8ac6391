#include "controls/richtextview/ParagraphDialog.h"
#include "controls/richtextview/TextEditor.h"

#include "controls/richtext/Rtf.h"

#include "FakePlatform.h"
#include "platform/gui/DesktopServices.h"

#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QMimeData>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextList>
#include <QTextTable>

using qv::richtext::TextEditor;
using qv::test::fakes;

namespace
{

// The file the composer writes for a new section.
const QByteArray kNewSection = "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss MS Sans "
                               "Serif;}{\\f1\\froman\\fcharset2 Symbol;}{\\f2\\froman Arial;}}\r\n"
                               "{\\colortbl\\red0\\green0\\blue0;}\r\n"
                               "\\deflang1033\\pard\\plain\\f2\\fs20\r\n"
                               "\\par }\r\n";

const QByteArray kFormatted = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}}"
                              "\\pard Plain \\b bold\\b0  and \\i italic\\i0 .\\par"
                              "\\pard\\qc Centred\\par}";

QTextCharFormat formatAt(const TextEditor &editor, int position)
{
    QTextCursor c(editor.document());
    c.setPosition(position);
    c.setPosition(position + 1, QTextCursor::KeepAnchor);
    return c.charFormat();
}

class FakePrintDialogs final : public qv::platform::PrintDialogs
{
public:
    explicit FakePrintDialogs(QString output) : m_output(std::move(output)) {}
    bool print(QObject *, QPrinter &printer, const qv::platform::PrintRequest &request) override
    {
        requests.append(request);
        if (!answer)
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_output);
        printer.setCopyCount(copies);
        return true;
    }
    bool pageSetup(QObject *, QPrinter &) override
    {
        ++setups;
        return answer;
    }
    bool answer = true;
    int copies = 1;
    int setups = 0;
    QList<qv::platform::PrintRequest> requests;

private:
    QString m_output;
};

struct EditorFixture : ::testing::Test {
    TextEditor editor;
    void SetUp() override
    {
        editor.resize(700, 500);
        editor.show();
    }
    void TearDown() override { qv::platform::installPrintDialogs(nullptr); }
};

} // namespace

using TextEditorContent = EditorFixture;

TEST_F(TextEditorContent, ANewSectionFileLoadsEmptyInItsFont)
{
    EXPECT_EQ(editor.loadRtf(kNewSection), QString());
    EXPECT_EQ(editor.plainTextLength(), 0);
    EXPECT_EQ(editor.document()->firstBlock().charFormat().font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(editor.textCursor().charFormat().font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(editor.currentCharFormat().font().family(), QStringLiteral("Arial"));
    QTest::keyClicks(&editor, QStringLiteral("Hello"));
    EXPECT_EQ(editor.plainTextLength(), 5);
    EXPECT_EQ(formatAt(editor, 0).font().family(), QStringLiteral("Arial"));
    EXPECT_DOUBLE_EQ(formatAt(editor, 0).fontPointSize(), 10.0);
}

TEST_F(TextEditorContent, RtfGoesInAndComesOutWithItsFormatting)
{
    EXPECT_EQ(editor.loadRtf(kFormatted), QString());
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("Plain bold and italic.\nCentred"));
    EXPECT_EQ(formatAt(editor, 6).fontWeight(), QFont::Bold);
    EXPECT_TRUE(formatAt(editor, 15).fontItalic());

    TextEditor second;
    second.loadRtf(editor.rtf());
    EXPECT_EQ(second.toPlainText(), editor.toPlainText());
    EXPECT_EQ(formatAt(second, 6).fontWeight(), QFont::Bold);
    EXPECT_TRUE(formatAt(second, 15).fontItalic());
    EXPECT_EQ(second.document()->lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
}

TEST_F(TextEditorContent, TheSelectionGivesItsOwnRtf)
{
    editor.loadRtf(kFormatted);
    editor.setSelection(6, 4);
    const auto read = qv::rtf::readRtf(editor.selectedRtf());
    EXPECT_EQ(read.document->toPlainText(), QStringLiteral("bold"));
    QTextCursor c(read.document.get());
    c.setPosition(1);
    EXPECT_EQ(c.charFormat().fontWeight(), QFont::Bold);
}

TEST_F(TextEditorContent, FilesLoadAsRtfOrPlainTextAndSaveAsRtf)
{
    QTemporaryDir dir;
    const QString rtfPath = dir.filePath(QStringLiteral("a.rtf"));
    const QString txtPath = dir.filePath(QStringLiteral("a.txt"));
    QFile rtf(rtfPath);
    ASSERT_TRUE(rtf.open(QIODevice::WriteOnly));
    rtf.write(kFormatted);
    rtf.close();
    QFile txt(txtPath);
    ASSERT_TRUE(txt.open(QIODevice::WriteOnly));
    txt.write("first line\nsecond {line}\n");
    txt.close();

    EXPECT_EQ(editor.loadRtfFile(rtfPath), QString());
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("Plain bold and italic.\nCentred"));
    editor.setPageWidth(12240);
    EXPECT_EQ(editor.loadPlainTextFile(txtPath), QString());
    EXPECT_TRUE(editor.toPlainText().startsWith(QStringLiteral("first line\nsecond {line}")));
    EXPECT_EQ(editor.pageWidth(), 12240);

    const QString saved = dir.filePath(QStringLiteral("saved.rtf"));
    EXPECT_EQ(editor.saveRtfFile(saved), QString());
    TextEditor again;
    EXPECT_EQ(again.loadRtfFile(saved), QString());
    EXPECT_EQ(again.toPlainText(), editor.toPlainText());
}

TEST_F(TextEditorContent, AMissingFileLeavesTheTextAndSaysWhy)
{
    editor.loadRtf(kFormatted);
    EXPECT_NE(editor.loadRtfFile(QStringLiteral("/no/such/file.rtf")), QString());
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("Plain bold and italic.\nCentred"));
    EXPECT_NE(editor.loadPlainTextFile(QStringLiteral("/no/such/file.txt")), QString());
}

TEST_F(TextEditorContent, GarbageShowsWhatCouldBeRead)
{
    editor.loadRtf("{\\rtf1 Readable {\\b part");
    EXPECT_TRUE(editor.toPlainText().contains(QStringLiteral("Readable")));
    editor.loadRtf(QByteArray("\x00\xff\x01{{{{", 8));
    SUCCEED(); // no crash
}

TEST_F(TextEditorContent, ALoadedTextHasNothingToUndoAndIsNotAChange)
{
    QSignalSpy changes(&editor, &TextEditor::changed);
    editor.loadRtf(kFormatted);
    editor.setZoomFactor(150);
    editor.setViewMode(TextEditor::ViewMode::Page);
    editor.setPageWidth(12240);
    editor.setPageHeight(15840);
    QCoreApplication::processEvents();
    EXPECT_FALSE(editor.document()->isUndoAvailable());
    EXPECT_EQ(changes.count(), 0);

    QTest::keyClicks(&editor, QStringLiteral("x"));
    EXPECT_GE(changes.count(), 1);
    EXPECT_TRUE(editor.document()->isUndoAvailable());
}

using TextEditorSelection = EditorFixture;

TEST_F(TextEditorSelection, StartAndLengthFollowTheSelectionAndAreClamped)
{
    editor.loadRtf(kFormatted);
    editor.selectAll();
    EXPECT_EQ(editor.selectionStart(), 0);
    EXPECT_EQ(editor.selectionLength(), editor.plainTextLength());
    EXPECT_EQ(editor.plainTextLength(), editor.toPlainText().size());
    editor.setSelection(6, 4);
    EXPECT_EQ(editor.textCursor().selectedText(), QStringLiteral("bold"));
    editor.setSelection(20, 1000);
    EXPECT_EQ(editor.selectionStart(), 20);
    EXPECT_EQ(editor.selectionLength(), editor.plainTextLength() - 20);
    editor.setSelection(-5, 3);
    EXPECT_EQ(editor.selectionStart(), 0);
    editor.clearSelection();
    EXPECT_EQ(editor.selectionLength(), 0);
}

TEST_F(TextEditorSelection, MakingFontsExplicitGivesEveryCharacterAFontAndSize)
{
    editor.loadPlainText(QStringLiteral("no formatting here\nnor here"));
    editor.document()->setDefaultFont(QFont(QStringLiteral("Courier New"), 11));
    editor.selectAll();
    editor.makeFontsExplicit();
    editor.clearSelection();
    for (const int at : {0, 5, 20}) {
        const QTextCharFormat f = formatAt(editor, at);
        EXPECT_TRUE(f.hasProperty(QTextFormat::FontFamilies)) << at;
        EXPECT_EQ(f.font().family(), QStringLiteral("Courier New"));
        EXPECT_DOUBLE_EQ(f.fontPointSize(), 11.0);
    }
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("no formatting here\nnor here"));
    // Fonts already set stay as they are.
    editor.loadRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Georgia;}}\\f1\\fs36 big\\par}");
    editor.selectAll();
    editor.makeFontsExplicit();
    EXPECT_EQ(formatAt(editor, 0).font().family(), QStringLiteral("Georgia"));
    EXPECT_DOUBLE_EQ(formatAt(editor, 0).fontPointSize(), 18.0);
}

using TextEditorPage = EditorFixture;

TEST_F(TextEditorPage, PageSizeIsTheDocumentsAndTravelsInItsRtf)
{
    editor.loadRtf(kFormatted);
    editor.setPageWidth(12240);
    editor.setPageHeight(15840);
    EXPECT_EQ(editor.pageWidth(), 12240);
    EXPECT_EQ(editor.pageHeight(), 15840);
    EXPECT_TRUE(editor.rtf().contains("\\paperw12240"));
    EXPECT_TRUE(editor.rtf().contains("\\paperh15840"));
    editor.setPageWidth(16838);
    EXPECT_TRUE(editor.rtf().contains("\\paperw16838"));
    // The lines wrap at the page width less its margins, at 96 dpi.
    EXPECT_EQ(editor.lineWrapColumnOrWidth(), qRound(16838 / 15.0 + 0.5));
    // Absurd sizes are held to sensible ones.
    editor.setPageWidth(10);
    EXPECT_GE(editor.pageWidth(), 1440);
    const QMarginsF margins = editor.pageMargins();
    EXPECT_LE(margins.left() + margins.right(), editor.pageWidth() - 1440);
}

TEST_F(TextEditorPage, ThePageViewBreaksTheTextIntoPages)
{
    QString text;
    for (int i = 0; i < 120; ++i)
        text += QStringLiteral("Paragraph %1 of a long plan.\n").arg(i);
    editor.loadPlainText(text);
    editor.setPageHeight(15840);
    EXPECT_EQ(editor.viewMode(), TextEditor::ViewMode::Normal);
    const int normalPages = editor.pageCount();
    editor.setViewMode(TextEditor::ViewMode::Page);
    EXPECT_GE(editor.document()->pageCount(), 2);
    EXPECT_EQ(editor.pageCount(), editor.document()->pageCount());
    EXPECT_GE(normalPages, 2);
    QTextCursor end = editor.textCursor();
    end.movePosition(QTextCursor::End);
    editor.setTextCursor(end);
    EXPECT_EQ(editor.pageIndexAtCursor(), editor.pageCount() - 1);
    editor.setViewMode(TextEditor::ViewMode::Normal);
    EXPECT_LE(editor.document()->pageCount(), 1);
}

TEST_F(TextEditorPage, ZoomScalesTheLayoutAndKeepsTheLineBreaks)
{
    QString text;
    for (int i = 0; i < 10; ++i)
        text += QStringLiteral("A line of text long enough to wrap across the page width at least once or twice. ");
    editor.loadPlainText(text);
    const double height100 = editor.document()->documentLayout()->documentSize().height();
    const int lines100 = editor.document()->firstBlock().layout()->lineCount();
    QSignalSpy zooms(&editor, &TextEditor::zoomChanged);
    editor.setZoomFactor(200);
    EXPECT_EQ(editor.zoomFactor(), 200);
    EXPECT_EQ(zooms.count(), 1);
    const double height200 = editor.document()->documentLayout()->documentSize().height();
    EXPECT_NEAR(height200 / height100, 2.0, 0.15);
    EXPECT_EQ(editor.document()->firstBlock().layout()->lineCount(), lines100);
    EXPECT_DOUBLE_EQ(editor.pixelsPerInch(), 192.0);
    editor.setZoomFactor(1);
    EXPECT_EQ(editor.zoomFactor(), 10);
    editor.setZoomFactor(100000);
    EXPECT_EQ(editor.zoomFactor(), 400);
}

TEST_F(TextEditorPage, BackgroundColourIsKept)
{
    EXPECT_EQ(editor.backgroundColor(), QColor(Qt::white));
    editor.setBackgroundColor(QColor(240, 240, 240));
    EXPECT_EQ(editor.backgroundColor(), QColor(240, 240, 240));
    editor.setBackgroundColor(QColor());
    EXPECT_EQ(editor.backgroundColor(), QColor(240, 240, 240));
}

TEST_F(TextEditorPage, LineAndColumnFollowTheCursor)
{
    editor.loadPlainText(QStringLiteral("one\ntwo three\nfour"));
    editor.setSelection(8, 0);
    EXPECT_EQ(editor.lineAtCursor(), 2);
    EXPECT_EQ(editor.columnAtCursor(), 5);
    editor.setSelection(0, 0);
    EXPECT_EQ(editor.lineAtCursor(), 1);
    EXPECT_EQ(editor.columnAtCursor(), 1);
}

using TextEditorEditing = EditorFixture;

TEST_F(TextEditorEditing, CopyPutsRtfHtmlAndTextOnThePlatformClipboard)
{
    editor.loadRtf(kFormatted);
    editor.setSelection(6, 4);
    editor.copy();
    const QMimeData *data = fakes().clipboard->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), QStringLiteral("bold"));
    EXPECT_TRUE(data->hasHtml());
    EXPECT_TRUE(data->data(QStringLiteral("text/rtf")).startsWith("{\\rtf"));
    editor.cut();
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("Plain  and italic.\nCentred"));
}

TEST_F(TextEditorEditing, PastedRtfKeepsItsFormatting)
{
    editor.loadPlainText(QStringLiteral("Start "));
    auto *data = new QMimeData;
    data->setData(QStringLiteral("text/rtf"), "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 from \\b Writer\\b0\\par}");
    data->setText(QStringLiteral("from Writer"));
    fakes().clipboard->setMimeData(data);
    QTextCursor end = editor.textCursor();
    end.movePosition(QTextCursor::End);
    editor.setTextCursor(end);
    editor.paste();
    EXPECT_TRUE(editor.toPlainText().startsWith(QStringLiteral("Start from Writer")));
    EXPECT_EQ(formatAt(editor, 12).fontWeight(), QFont::Bold);
}

TEST_F(TextEditorEditing, PastedPlainTextAndKeysGoThroughThePlatformClipboard)
{
    editor.loadPlainText(QString());
    fakes().clipboard->setText(QStringLiteral("typed elsewhere"));
    QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("typed elsewhere"));
    editor.selectAll();
    QTest::keyClick(&editor, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(fakes().clipboard->text(), QStringLiteral("typed elsewhere"));
}

TEST_F(TextEditorEditing, TheColourDialogColoursTheSelectionUnlessCancelled)
{
    editor.loadRtf(kFormatted);
    editor.setSelection(0, 5);
    fakes().dialogs->setNextColor(std::nullopt);
    EXPECT_FALSE(editor.chooseTextColor());
    EXPECT_EQ(formatAt(editor, 1).foreground().style(), Qt::NoBrush);
    fakes().dialogs->setNextColor(QColor(200, 0, 0));
    EXPECT_TRUE(editor.chooseTextColor());
    EXPECT_EQ(formatAt(editor, 1).foreground().color(), QColor(200, 0, 0));
    EXPECT_EQ(editor.selectionColor(), QColor(200, 0, 0));
    EXPECT_NE(formatAt(editor, 7).foreground().color(), QColor(200, 0, 0));
}

TEST_F(TextEditorEditing, TheFontDialogSetsTheFontOfTheSelection)
{
    editor.loadRtf(kFormatted);
    editor.setSelection(0, 5);
    QFont chosen(QStringLiteral("Liberation Sans"), 20);
    fakes().dialogs->setNextFont(chosen);
    EXPECT_TRUE(editor.editCharacter());
    EXPECT_EQ(formatAt(editor, 1).font().family(), QStringLiteral("Liberation Sans"));
    EXPECT_DOUBLE_EQ(formatAt(editor, 1).fontPointSize(), 20.0);
    fakes().dialogs->setNextFont(std::nullopt);
    EXPECT_FALSE(editor.editCharacter());
}

TEST_F(TextEditorEditing, BulletsAndParagraphFormatsApplyToTheSelectedParagraphs)
{
    editor.loadPlainText(QStringLiteral("one\ntwo\nthree"));
    editor.setSelection(0, 6);
    editor.setBulleted(true);
    EXPECT_TRUE(editor.isBulleted());
    EXPECT_NE(editor.document()->findBlockByNumber(1).textList(), nullptr);
    EXPECT_EQ(editor.document()->findBlockByNumber(2).textList(), nullptr);
    editor.setBulleted(false);
    EXPECT_FALSE(editor.isBulleted());
    EXPECT_EQ(editor.document()->findBlockByNumber(0).textList(), nullptr);

    QTextBlockFormat format;
    format.setLeftMargin(48);
    format.setAlignment(Qt::AlignRight);
    editor.applyParagraphFormat(format);
    EXPECT_DOUBLE_EQ(editor.document()->findBlockByNumber(1).blockFormat().leftMargin(), 48.0);
    EXPECT_EQ(editor.paragraphFormat().alignment(), Qt::AlignRight);
    EXPECT_DOUBLE_EQ(editor.document()->findBlockByNumber(2).blockFormat().leftMargin(), 0.0);
}

TEST_F(TextEditorEditing, PrintingUsesThePrintDialogAndItsCopies)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    auto dialogs = std::make_shared<FakePrintDialogs>(pdf);
    qv::platform::installPrintDialogs(dialogs);
    editor.loadRtf(kFormatted);

    dialogs->answer = false;
    EXPECT_FALSE(editor.print());
    EXPECT_FALSE(QFile::exists(pdf));

    dialogs->answer = true;
    dialogs->copies = 2;
    EXPECT_TRUE(editor.print());
    ASSERT_EQ(dialogs->requests.size(), 2);
    EXPECT_FALSE(dialogs->requests.last().allowSelection);
    EXPECT_FALSE(dialogs->requests.last().allowPageRange);
    QFile out(pdf);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    const QByteArray bytes = out.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n"), 1);
    // The copies are the print job's: the printer makes them.
    EXPECT_EQ(editor.printer().copyCount(), 2);
    EXPECT_TRUE(editor.pageSetup());
    EXPECT_EQ(dialogs->setups, 1);
}

TEST(ParagraphDialog, ShowsAndGivesBackAParagraphFormatInInchesAndPoints)
{
    qv::richtext::ParagraphDialog dialog;
    QTextBlockFormat in;
    in.setAlignment(Qt::AlignJustify);
    in.setLeftMargin(96);
    in.setRightMargin(48);
    in.setTextIndent(-24);
    in.setTopMargin(16);
    in.setLineHeight(150, QTextBlockFormat::ProportionalHeight);
    dialog.setFormat(in);
    EXPECT_EQ(dialog.findChild<QComboBox *>(QStringLiteral("cboAlignment"))->currentIndex(), 3);
    EXPECT_DOUBLE_EQ(dialog.findChild<QDoubleSpinBox *>(QStringLiteral("spnLeftIndent"))->value(), 1.0);
    EXPECT_DOUBLE_EQ(dialog.findChild<QDoubleSpinBox *>(QStringLiteral("spnFirstLine"))->value(), -0.25);
    EXPECT_DOUBLE_EQ(dialog.findChild<QDoubleSpinBox *>(QStringLiteral("spnSpaceBefore"))->value(), 12.0);
    EXPECT_EQ(dialog.findChild<QComboBox *>(QStringLiteral("cboLineSpacing"))->currentIndex(), 1);

    dialog.findChild<QDoubleSpinBox *>(QStringLiteral("spnRightIndent"))->setValue(1.5);
    dialog.findChild<QComboBox *>(QStringLiteral("cboAlignment"))->setCurrentIndex(1);
    const QTextBlockFormat out = dialog.format();
    EXPECT_EQ(out.alignment(), Qt::AlignHCenter);
    EXPECT_DOUBLE_EQ(out.leftMargin(), 96.0);
    EXPECT_DOUBLE_EQ(out.rightMargin(), 144.0);
    EXPECT_DOUBLE_EQ(out.textIndent(), -24.0);
    EXPECT_DOUBLE_EQ(out.lineHeight(), 150.0);
}

namespace
{
QByteArray fixture(const char *name)
{
    QFile f(QStringLiteral(QV_TEST_DATA_DIR "/rtf/") + QLatin1String(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

TEST_F(TextEditorEditing, ATablePastedFromLibreOfficeStaysATable)
{
    editor.loadPlainText(QString());
    auto *data = new QMimeData;
    data->setData(QStringLiteral("text/rtf"), fixture("table.rtf"));
    fakes().clipboard->setMimeData(data);
    editor.paste();
    EXPECT_EQ(qv::rtf::plainText(*editor.document()), QString::fromUtf8(fixture("table.txt")));
    bool hasTable = false;
    for (QTextFrame *frame : editor.document()->rootFrame()->childFrames())
        hasTable = hasTable || qobject_cast<QTextTable *>(frame);
    EXPECT_TRUE(hasTable);
}

TEST_F(TextEditorEditing, APicturePastedFromLibreOfficeKeepsItsImage)
{
    editor.loadPlainText(QString());
    auto *data = new QMimeData;
    data->setData(QStringLiteral("application/rtf"), fixture("picture.rtf"));
    fakes().clipboard->setMimeData(data);
    editor.paste();
    // The picture reaches the saved RTF, so it came across with its data.
    EXPECT_TRUE(editor.rtf().contains("\\pngblip"));
}

TEST_F(TextEditorPage, TheNormalViewHidesTheMarginsButNeverTheCursor)
{
    QString text;
    for (int i = 0; i < 200; ++i)
        text += QStringLiteral("Line %1\n").arg(i);
    editor.loadPlainText(text);
    QCoreApplication::processEvents();
    // The first line sits near the top left, not an inch in.
    const QPoint first = editor.viewport()->mapTo(&editor, editor.cursorRect().topLeft());
    EXPECT_LT(first.x(), 20);
    EXPECT_LT(first.y(), 20);
    EXPECT_GE(first.y(), 0);

    // Moving up a line from the top of the view scrolls it into sight.
    QTextCursor c = editor.textCursor();
    c.movePosition(QTextCursor::End);
    editor.setTextCursor(c);
    QCoreApplication::processEvents();
    for (int i = 0; i < 60; ++i)
        QTest::keyClick(&editor, Qt::Key_Up);
    QCoreApplication::processEvents();
    const QPoint shown = editor.viewport()->mapTo(&editor, editor.cursorRect().topLeft());
    EXPECT_GE(shown.y(), 0);
    EXPECT_LT(shown.y(), editor.height());
}

TEST_F(TextEditorSelection, FormattingKeysToggleBoldItalicAndUnderline)
{
    editor.loadPlainText(QStringLiteral("plain words"));
    editor.setSelection(0, 5);
    QTest::keyClick(&editor, Qt::Key_B, Qt::ControlModifier);
    QTest::keyClick(&editor, Qt::Key_I, Qt::ControlModifier);
    QTest::keyClick(&editor, Qt::Key_U, Qt::ControlModifier);
    QTextCharFormat format = editor.textCursor().charFormat();
    EXPECT_EQ(format.fontWeight(), QFont::Bold);
    EXPECT_TRUE(format.fontItalic());
    EXPECT_TRUE(format.fontUnderline());
    QTest::keyClick(&editor, Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(editor.textCursor().charFormat().fontWeight(), QFont::Normal);
    // The letters themselves were not typed over the selection.
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("plain words"));

    editor.setReadOnly(true);
    editor.setSelection(6, 5);
    QTest::keyClick(&editor, Qt::Key_B, Qt::ControlModifier);
    EXPECT_NE(editor.textCursor().charFormat().fontWeight(), QFont::Bold);
}
