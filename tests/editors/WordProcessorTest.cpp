// The word processor window: its set-up and menus, the section file it
// edits, the commands, and what it prints.

#include "editors/wordprocessor/FindReplaceDialog.h"
#include "editors/wordprocessor/frmWordProcessor.h"
#include "WordProcessorTestSupport.h"

#include "controls/richtext/Rtf.h"
#include "controls/richtextview/TextButtonBar.h"
#include "controls/richtextview/TextEditor.h"
#include "controls/richtextview/TextRuler.h"
#include "controls/richtextview/TextStatusBar.h"
#include "controls/spell/SpellChecker.h"
#include "platform/Folders.h"
#include "platform/gui/DesktopServices.h"
#include "support/gui/HelpViewer.h"
#include "FakePlatform.h"
#include "TestFiles.h"

#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextList>

#include <gtest/gtest.h>

using namespace qv;
using qv::editors::frmWordProcessor;

namespace {

QAction *action(const QWidget &window, const char *name)
{
    return window.findChild<QAction *>(QLatin1String(name));
}

QString readText(const QString &path)
{
    return QString::fromLatin1(test::readFile(path));
}

struct WordProcessor : ::testing::Test {
    QTemporaryDir dir;
    QString section;
    void SetUp() override { section = dir.filePath(QStringLiteral("Ans00001.tmp")); }
    void TearDown() override { platform::installPrintDialogs(nullptr); }
};

} // namespace

TEST_F(WordProcessor, SetsUpItsMenusBarsPageAndZoom)
{
    frmWordProcessor window;
    const QStringList tops{QStringLiteral("&File"), QStringLiteral("&Edit"), QStringLiteral("&View"),
                           QStringLiteral("For&mat"), QStringLiteral("&Help")};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(window.findChild<QMenu *>(QStringLiteral("mnuMain_%1").arg(i))->title(), tops[i]);
    const std::pair<const char *, const char *> items[] = {
        {"mnuFile_0", "&Open..."},      {"mnuFile_1", "Print Setup..."}, {"mnuFile_2", "&Print..."},
        {"mnuFile_3", "&Return"},       {"mnuEdit_0", "&Undo"},          {"mnuEdit_1", "Cu&t"},
        {"mnuEdit_2", "&Copy"},         {"mnuEdit_3", "&Paste"},         {"mnuEdit_4", "&Spelling..."},
        {"mnuView_0", "&Normal"},       {"mnuView_1", "&Page"},          {"mnuFormat_0", "&Character..."},
        {"mnuFormat_1", "Font C&olor..."}, {"mnuFormat_2", "&Paragraph..."}, {"mnuHelp_0", "&Help Topics..."},
        {"mnuHelp_1", "&Vantor Tips"},  {"mnuHelp_2", "&Other Products..."}, {"mnuHelp_4", "&About Quorvex 8.0..."},
    };
    for (const auto &[name, caption] : items)
        EXPECT_EQ(action(window, name)->text(), QString::fromUtf8(caption)) << name;
    EXPECT_TRUE(action(window, "mnuHelp_3")->isSeparator());
    // The File menu in its order: Open, Print Setup, Print, then Return.
    const QList<QAction *> file = window.findChild<QMenu *>(QStringLiteral("mnuMain_0"))->actions();
    EXPECT_EQ(file.first()->objectName(), QStringLiteral("mnuFile_0"));
    EXPECT_EQ(file.last()->objectName(), QStringLiteral("mnuFile_3"));

    auto *editor = window.findChild<richtext::TextEditor *>(QStringLiteral("txTextDoc"));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(window.findChild<richtext::TextButtonBar *>(QStringLiteral("txBar"))->editor(), editor);
    EXPECT_EQ(window.findChild<richtext::TextRuler *>(QStringLiteral("txRulerBar"))->editor(), editor);
    EXPECT_EQ(window.findChild<richtext::TextStatusBar *>(QStringLiteral("txStatus"))->editor(), editor);
    EXPECT_EQ(editor->pageHeight(), 15840);
    EXPECT_EQ(editor->zoomFactor(), 100);
    EXPECT_TRUE(window.speller().hasDictionary());
    EXPECT_TRUE(action(window, "mnuEdit_4")->isVisible());
}

TEST_F(WordProcessor, WithoutADictionarySpellingIsNotOffered)
{
    QTemporaryDir system;
    platform::Folders::setSystemFolder(system.path());
    frmWordProcessor window;
    EXPECT_FALSE(window.speller().hasDictionary());
    EXPECT_FALSE(action(window, "mnuEdit_4")->isVisible());
    window.setFileName(section);
    window.editor()->insertPlainText(QStringLiteral("A recieved text"));
    window.SpellCheck();
    ASSERT_EQ(test::fakes().messages->shown.size(), 1);
    EXPECT_EQ(test::fakes().messages->lastText(),
              QStringLiteral("Spell checking ability not availible in this release."));
    EXPECT_EQ(test::fakes().messages->shown.last().icon, platform::Icon::Information);
}

TEST_F(WordProcessor, SpellingReportsTheCheckComplete)
{
    frmWordProcessor window;
    window.setFileName(section);
    window.editor()->insertPlainText(QStringLiteral("A plan for the business"));
    window.SpellCheck();
    EXPECT_EQ(test::fakes().messages->lastText(), QStringLiteral("Spell check complete"));
    EXPECT_EQ(test::fakes().messages->shown.last().icon, platform::Icon::Information);
}

TEST_F(WordProcessor, LoadsAnExistingSectionFileAndSavesItBackOnClosing)
{
    test::writeTestFile(section, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 Our {\\b market} grows.\\par}");
    {
        frmWordProcessor window;
        window.setFileName(section);
        EXPECT_EQ(window.editor()->toPlainText(), QStringLiteral("Our market grows."));
        EXPECT_FALSE(window.isTextModified());
        window.show();
        QTextCursor end = window.editor()->textCursor();
        end.movePosition(QTextCursor::End);
        window.editor()->setTextCursor(end);
        QTest::keyClicks(window.editor(), QStringLiteral(" Fast."));
        EXPECT_TRUE(window.isTextModified());
        EXPECT_TRUE(window.close());
    }
    // Saved without a question, as rich text the reader gives back.
    EXPECT_TRUE(test::fakes().messages->shown.isEmpty());
    const rtf::ReadResult saved = rtf::readRtfFile(section);
    EXPECT_EQ(saved.document->toPlainText(), QStringLiteral("Our market grows. Fast."));
}

TEST_F(WordProcessor, AMissingSectionFileIsCreatedOnClosing)
{
    frmWordProcessor window;
    bool returned = false;
    QObject::connect(&window, &frmWordProcessor::returned, [&] { returned = true; });
    EXPECT_TRUE(window.setFileName(section));
    EXPECT_TRUE(window.editor()->toPlainText().isEmpty());
    // Typing starts in the preferred font, as in a new section.
    EXPECT_EQ(window.editor()->currentCharFormat().font().family(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(window.fileName(), section);
    window.show();
    EXPECT_TRUE(window.close());
    EXPECT_TRUE(returned);
    EXPECT_TRUE(test::readFile(section).startsWith("{\\rtf1"));
}

TEST_F(WordProcessor, ClosingSavesEvenAnUnchangedText)
{
    test::writeTestFile(section, "{\\rtf1\\ansi Unchanged.\\par}");
    frmWordProcessor window;
    window.setFileName(section);
    QFile::remove(section);
    window.show();
    EXPECT_TRUE(window.close());
    EXPECT_TRUE(readText(section).contains(QStringLiteral("Unchanged.")));
}

TEST_F(WordProcessor, ATextFileComesInAsPlainTextAndIsSavedAsRichText)
{
    const QString notes = dir.filePath(QStringLiteral("NOTES.TXT"));
    test::writeTestFile(notes, "First line {braces}\r\nSecond line\r\n");
    frmWordProcessor window;
    window.setFileName(section);
    bool changed = false;
    QObject::connect(&window, &frmWordProcessor::textChanged, [&] { changed = true; });
    test::fakes().dialogs->setNextFileName(notes);
    window.openFile();
    ASSERT_EQ(test::fakes().dialogs->requests.size(), 1);
    EXPECT_EQ(test::fakes().dialogs->requests.first().filter,
              QStringLiteral("Rich Text Format (*.rtf)|*.rtf|Text (*.txt)|*.txt"));
    EXPECT_TRUE(changed);
    const QString text = window.editor()->toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("First line {braces}\nSecond line"))) << text.toStdString();
    EXPECT_EQ(window.fileName(), section); // the save target stays
    window.show();
    EXPECT_TRUE(window.close());
    const QByteArray saved = test::readFile(section);
    EXPECT_TRUE(saved.startsWith("{\\rtf1"));
    EXPECT_TRUE(saved.contains("First line \\{braces\\}"));
    EXPECT_EQ(test::readFile(notes), "First line {braces}\r\nSecond line\r\n"); // the text file is never written

    // Cancelling the file dialog does nothing.
    frmWordProcessor again;
    again.setFileName(section);
    test::fakes().dialogs->setNextFileName(std::nullopt);
    again.openFile();
    EXPECT_EQ(again.editor()->toPlainText(), text);
    EXPECT_FALSE(again.isTextModified());
}

TEST_F(WordProcessor, AnRtfFileReplacesTheText)
{
    const QString other = dir.filePath(QStringLiteral("other.rtf"));
    test::writeTestFile(other, "{\\rtf1\\ansi From {\\i elsewhere}.\\par}");
    frmWordProcessor window;
    window.setFileName(section);
    window.editor()->insertPlainText(QStringLiteral("Old text"));
    test::fakes().dialogs->setNextFileName(other);
    window.openFile();
    EXPECT_EQ(window.editor()->toPlainText(), QStringLiteral("From elsewhere."));
    EXPECT_EQ(window.editor()->pageHeight(), 15840);
}

TEST_F(WordProcessor, ACancelledColourDialogChangesNothing)
{
    frmWordProcessor window;
    window.setFileName(section);
    window.editor()->insertPlainText(QStringLiteral("Coloured words"));
    window.editor()->setSelection(0, 8);
    const QColor before = window.editor()->selectionColor();
    const int steps = window.editor()->document()->availableUndoSteps();
    test::fakes().dialogs->setNextColor(std::nullopt);
    window.FormatColorProc();
    EXPECT_EQ(window.editor()->selectionColor(), before);
    EXPECT_EQ(window.editor()->document()->availableUndoSteps(), steps);

    test::fakes().dialogs->setNextColor(QColor(200, 0, 0));
    window.FormatColorProc();
    EXPECT_EQ(window.editor()->selectionColor(), QColor(200, 0, 0));
}

TEST_F(WordProcessor, ATextThatCannotBeSavedKeepsTheWindowOpen)
{
    const QString blocked = dir.filePath(QStringLiteral("missing-folder/Ans00002.tmp"));
    frmWordProcessor window;
    window.setFileName(blocked);
    window.editor()->insertPlainText(QStringLiteral("Precious words"));
    window.show();
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(test::fakes().messages->shown.size(), 1);
    EXPECT_TRUE(test::fakes().messages->lastText().startsWith(QStringLiteral("Error: ")));
    EXPECT_TRUE(test::fakes().messages->lastText().contains(QStringLiteral("Saving ") + blocked));
    window.setFileName(section);
    window.editor()->insertPlainText(QStringLiteral("Precious words"));
    EXPECT_TRUE(window.close());
}

TEST_F(WordProcessor, ViewMenuSwitchesBetweenNormalAndPageView)
{
    frmWordProcessor window;
    action(window, "mnuView_1")->trigger();
    EXPECT_EQ(window.editor()->viewMode(), richtext::TextEditor::ViewMode::Page);
    EXPECT_TRUE(action(window, "mnuView_1")->isChecked());
    EXPECT_FALSE(action(window, "mnuView_0")->isChecked());
    action(window, "mnuView_0")->trigger();
    EXPECT_EQ(window.editor()->viewMode(), richtext::TextEditor::ViewMode::Normal);
    EXPECT_TRUE(action(window, "mnuView_0")->isChecked());
}

TEST_F(WordProcessor, HeadingsListsAndPicturesAreKeptInTheSectionFile)
{
    {
        frmWordProcessor window;
        window.setFileName(section);
        test::writeSampleSection(*window.editor(), 1);
        window.show();
        EXPECT_TRUE(window.close());
    }
    frmWordProcessor again;
    again.setFileName(section);
    QTextDocument *document = again.editor()->document();
    EXPECT_EQ(document->firstBlock().blockFormat().headingLevel(), 1);
    EXPECT_EQ(document->firstBlock().text(), QStringLiteral("Market Analysis"));
    int bullets = 0, numbers = 0, pictures = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.textList() && block.textList()->format().style() == QTextListFormat::ListDisc)
            ++bullets;
        if (block.textList() && block.textList()->format().style() == QTextListFormat::ListDecimal)
            ++numbers;
        pictures += block.text().count(QChar::ObjectReplacementCharacter);
    }
    EXPECT_EQ(bullets, 3);
    EXPECT_EQ(numbers, 2);
    EXPECT_EQ(pictures, 1);
}

TEST_F(WordProcessor, TextTypedAfterAPictureKeepsTheTextsFont)
{
    test::writeTestFile(section, "{\\rtf1\\ansi{\\fonttbl{\\f0 Liberation Serif;}}\\f0\\fs28 Before \\par}");
    frmWordProcessor window;
    window.setFileName(section);
    QTextCursor end = window.editor()->textCursor();
    end.movePosition(QTextCursor::End);
    window.editor()->setTextCursor(end);
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    window.editor()->insertPicture(picture);
    window.editor()->insertPlainText(QStringLiteral("after"));
    QTextCursor last = window.editor()->textCursor();
    last.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor);
    EXPECT_EQ(last.charFormat().font().family(), QStringLiteral("Liberation Serif"));
    EXPECT_DOUBLE_EQ(last.charFormat().fontPointSize(), 14.0);
}

TEST_F(WordProcessor, FindAndReplaceWorkOnTheWholeTextAndUndoAsOne)
{
    frmWordProcessor window;
    window.setFileName(section);
    window.editor()->insertPlainText(QStringLiteral("Coffee, coffee and more Coffee."));
    window.editor()->document()->clearUndoRedoStacks();
    editors::FindReplaceDialog find(window.editor());
    find.setFindText(QStringLiteral("coffee"));
    find.setReplaceText(QStringLiteral("tea"));
    find.setMatchCase(true);
    EXPECT_TRUE(find.findNext());
    EXPECT_EQ(window.editor()->textCursor().selectionStart(), 8);
    EXPECT_TRUE(find.findNext()); // round from the start to the same, only match
    EXPECT_EQ(window.editor()->textCursor().selectionStart(), 8);
    find.setMatchCase(false);
    EXPECT_EQ(find.replaceAll(), 3);
    EXPECT_EQ(window.editor()->toPlainText(), QStringLiteral("tea, tea and more tea."));
    EXPECT_EQ(test::fakes().messages->lastText(), QStringLiteral("3 replacements made."));
    window.editor()->undo();
    EXPECT_EQ(window.editor()->toPlainText(), QStringLiteral("Coffee, coffee and more Coffee."));
    find.setFindText(QStringLiteral("absent"));
    EXPECT_FALSE(find.findNext());
    EXPECT_EQ(test::fakes().messages->lastText(), QStringLiteral("The text \"absent\" was not found."));
}

TEST_F(WordProcessor, TheStatusBarCountsTheWords)
{
    frmWordProcessor window;
    window.setFileName(section);
    window.editor()->insertPlainText(QStringLiteral("Five words in this\nsentence"));
    EXPECT_EQ(window.findChild<QLabel *>(QStringLiteral("lblWords"))->text(), QStringLiteral("5 words"));
}

TEST_F(WordProcessor, PrintsAsManyPagesAsThePageViewShows)
{
    const QString pdf = dir.filePath(QStringLiteral("section.pdf"));
    auto dialogs = std::make_shared<test::PdfPrintDialogs>(pdf);
    platform::installPrintDialogs(dialogs);
    frmWordProcessor window;
    window.setFileName(section);
    test::writeSampleSection(*window.editor(), 2);
    window.resize(900, 700);
    window.show();
    action(window, "mnuView_1")->trigger();
    const int pages = window.editor()->pageCount();
    EXPECT_GE(pages, 2);
    action(window, "mnuFile_2")->trigger();
    ASSERT_EQ(dialogs->requests.size(), 1);
    EXPECT_FALSE(dialogs->requests.first().allowSelection);
    EXPECT_FALSE(dialogs->requests.first().allowPageRange);
    EXPECT_EQ(test::pdfPageCount(pdf), pages);
    // Letter paper, as the page view shows it.
    const QString info = test::pdfInfo(pdf);
    if (info.isEmpty())
        GTEST_SKIP() << "pdfinfo (Debian package poppler-utils) is not installed";
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\n").arg(pages)))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("612 x 792 pts"))) << info.toStdString();
}

TEST_F(WordProcessor, LibreOfficeKeepsTheHeadingListAndPicture)
{
    {
        frmWordProcessor window;
        window.setFileName(dir.filePath(QStringLiteral("Ans00001.rtf")));
        test::writeSampleSection(*window.editor(), 1);
        window.show();
        ASSERT_TRUE(window.close());
    }
    const QString content = test::convertToOdtContent(dir.filePath(QStringLiteral("Ans00001.rtf")), dir.path());
    if (content.isNull())
        GTEST_SKIP() << "soffice (libreoffice-writer-nogui) or unzip is not installed";
    ASSERT_FALSE(content.isEmpty()) << "the conversion failed";
    EXPECT_TRUE(content.contains(QStringLiteral("<text:h"))) << "no heading";
    EXPECT_TRUE(content.contains(QStringLiteral("text:outline-level=\"1\"")));
    EXPECT_TRUE(content.contains(QStringLiteral("<text:list"))) << "no list";
    EXPECT_TRUE(content.contains(QStringLiteral("<draw:image"))) << "no picture";
    EXPECT_TRUE(content.contains(QStringLiteral("Market Analysis")));
}

TEST_F(WordProcessor, HelpOpensTheWordProcessorTopicAndTheTips)
{
    frmWordProcessor window;
    support::HelpViewer *viewer = support::HelpViewer::instance();
    action(window, "mnuHelp_0")->trigger();
    EXPECT_TRUE(test::fakes().messages->shown.isEmpty()) << test::fakes().messages->lastText().toStdString();
    EXPECT_TRUE(viewer->browser()->source().toLocalFile().endsWith(QStringLiteral("Help/BPlan8.html")));
    EXPECT_EQ(viewer->browser()->source().fragment(), QStringLiteral("wordprocessor"));
    EXPECT_TRUE(viewer->browser()->toPlainText().contains(QStringLiteral("The word processor")));
    action(window, "mnuHelp_1")->trigger();
    EXPECT_TRUE(viewer->browser()->source().toLocalFile().endsWith(QStringLiteral("Help/tips.html")));
    EXPECT_TRUE(viewer->browser()->toPlainText().contains(QStringLiteral("Vantor Tips")));
    viewer->close();
}

TEST_F(WordProcessor, ThePageViewBreaksPagesAlikeAtEveryZoom)
{
    frmWordProcessor window;
    window.setFileName(section);
    test::writeSampleSection(*window.editor(), 3);
    window.resize(900, 700);
    window.show();
    window.setPageView(true);
    const int pages = window.editor()->pageCount();
    for (int zoom : {50, 75, 90, 125, 150, 200}) {
        window.editor()->setZoomFactor(zoom);
        EXPECT_EQ(window.editor()->pageCount(), pages) << "at " << zoom << "%";
    }
}

TEST_F(WordProcessor, EditItemsFollowTheTextSoTheirKeysWork)
{
    frmWordProcessor window;
    window.setFileName(section);
    window.show();
    EXPECT_FALSE(action(window, "mnuEdit_0")->isEnabled());
    EXPECT_FALSE(action(window, "mnuEdit_2")->isEnabled());
    QTest::keyClicks(window.editor(), QStringLiteral("Typed"));
    EXPECT_TRUE(action(window, "mnuEdit_0")->isEnabled());
    action(window, "mnuEdit_0")->trigger();
    EXPECT_TRUE(window.editor()->toPlainText().isEmpty());
    EXPECT_TRUE(action(window, "mnuEditRedo")->isEnabled());
    action(window, "mnuEditRedo")->trigger();
    EXPECT_EQ(window.editor()->toPlainText(), QStringLiteral("Typed"));
    window.editor()->selectAll();
    EXPECT_TRUE(action(window, "mnuEdit_1")->isEnabled());
    EXPECT_TRUE(action(window, "mnuEdit_2")->isEnabled());
}
