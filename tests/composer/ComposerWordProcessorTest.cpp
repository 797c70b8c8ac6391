// The composer and the word processor: the text goes over and comes back,
// the work area cannot change it meanwhile, and nothing typed in either
// place is lost, whatever the order of returning, saving and closing.

#include "ComposerTestSupport.h"

#include "../editors/WordProcessorTestSupport.h"
#include "DemoPlan.h"
#include "controls/richtext/Rtf.h"
#include "editors/wordprocessor/frmWordProcessor.h"
#include "platform/gui/DesktopServices.h"

#include <QMenu>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QToolButton>

using namespace qv;
using namespace qv::test;

namespace {

editors::frmWordProcessor *wordProcessor()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *found = qobject_cast<editors::frmWordProcessor *>(window); found && found->isVisible())
            return found;
    }
    return nullptr;
}

void typeInWordProcessor(const QString &text)
{
    editors::frmWordProcessor *window = wordProcessor();
    ASSERT_NE(window, nullptr);
    QTextCursor end = window->editor()->textCursor();
    end.movePosition(QTextCursor::End);
    window->editor()->setTextCursor(end);
    window->editor()->insertPlainText(text);
}

QString committedText(const OpenComposer &c, const char *file)
{
    return rtf::readRtfFile(QDir(c.fixture.planFolder()).filePath(QLatin1String(file))).document->toPlainText();
}

} // namespace

TEST(ComposerWordProcessor, ToolsWordProcessorOpensTheShownTextAndReturnBringsItBack)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    c.type(QStringLiteral(" Typed in the composer."));
    shell::currentPlan()->setModified(false);
    c.child<QAction>("mnuTools_0")->trigger();
    editors::frmWordProcessor *window = wordProcessor();
    ASSERT_NE(window, nullptr);
    // The composer wrote its text first; the window edits the working copy.
    EXPECT_TRUE(window->fileName().endsWith(QStringLiteral("/Ans00001.tmp")));
    EXPECT_TRUE(window->editor()->toPlainText().endsWith(QStringLiteral(" Typed in the composer.")));
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("Quorvex 8.0 - ")));
    EXPECT_TRUE(c.editor()->isReadOnly()); // the work area cannot change it meanwhile

    typeInWordProcessor(QStringLiteral(" Then in the word processor."));
    EXPECT_TRUE(shell::currentPlan()->modified());
    EXPECT_TRUE(window->close());
    QApplication::processEvents();
    EXPECT_FALSE(c.editor()->isReadOnly());
    EXPECT_TRUE(c.editor()->toPlainText().endsWith(QStringLiteral(" Typed in the composer. Then in the word processor.")));
    EXPECT_TRUE(shell::currentPlan()->modified());

    // The text survives a save.
    ASSERT_TRUE(c.window->SavePlan());
    EXPECT_TRUE(committedText(c, "Ans00001.rtf").endsWith(QStringLiteral(" Then in the word processor.")));
}

TEST(ComposerWordProcessor, ASaveWhileTheWindowIsOpenCommitsItsText)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    c.child<QToolButton>("sscmdEdit")->click();
    typeInWordProcessor(QStringLiteral(" Saved while open."));
    ASSERT_TRUE(c.window->SavePlan()); // as the autosave does
    EXPECT_TRUE(committedText(c, "Ans00001.rtf").endsWith(QStringLiteral(" Saved while open.")));
    typeInWordProcessor(QStringLiteral(" After the save."));
    ASSERT_TRUE(wordProcessor()->close());
    QApplication::processEvents();
    EXPECT_TRUE(c.editor()->toPlainText().endsWith(QStringLiteral(" Saved while open. After the save.")));
    ASSERT_TRUE(c.window->SavePlan());
    EXPECT_TRUE(committedText(c, "Ans00001.rtf").endsWith(QStringLiteral(" After the save.")));
}

TEST(ComposerWordProcessor, MovingToAnotherSectionAndBackKeepsTheWorkAreaReadOnly)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    c.child<QAction>("mnuTools_0")->trigger();
    typeInWordProcessor(QStringLiteral(" Still open."));
    c.select(QStringLiteral("Plan.1.2"));
    EXPECT_FALSE(c.editor()->isReadOnly()); // another section's text is free
    c.select(QStringLiteral("Plan.1.1"));
    EXPECT_TRUE(c.editor()->isReadOnly());
    EXPECT_TRUE(c.editor()->toPlainText().endsWith(QStringLiteral(" Still open.")));
    ASSERT_TRUE(wordProcessor()->close());
    QApplication::processEvents();
    EXPECT_FALSE(c.editor()->isReadOnly());
}

TEST(ComposerWordProcessor, ClosingThePlanReturnsFromTheWordProcessorFirst)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    c.child<QAction>("mnuTools_0")->trigger();
    typeInWordProcessor(QStringLiteral(" Kept by Yes."));
    fakes().messages->setNextAnswer(platform::Answer::Yes); // "Save Plan"
    ASSERT_TRUE(c.window->ClosePlan());
    EXPECT_EQ(wordProcessor(), nullptr);
    EXPECT_TRUE(committedText(c, "Ans00001.rtf").endsWith(QStringLiteral(" Kept by Yes.")));
    EXPECT_TRUE(filesIn(c.fixture.planFolder(), QStringLiteral("*.tmp")).isEmpty());
}

TEST(ComposerWordProcessor, ThePopUpItemOpensTheWordProcessor)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    c.window->updateWorkCommands();
    QAction *item = c.child<QAction>("mnuWorkPopUp_8");
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isEnabled());
    EXPECT_TRUE(c.child<QAction>("mnuTools_0")->isEnabled());
    EXPECT_TRUE(c.child<QToolButton>("sscmdEdit")->isEnabled());
    item->trigger();
    ASSERT_NE(wordProcessor(), nullptr);
    c.window->updateWorkCommands();
    EXPECT_FALSE(c.child<QAction>("mnuWorkPopUp_0")->isEnabled()); // nothing to undo in a read-only text
    ASSERT_TRUE(wordProcessor()->close());
}

// What a writer does: opens the demo plan, writes two pages with a heading,
// a list and a picture in the word processor, checks the spelling, prints
// to PDF, returns, saves, and opens the plan again. With QV_SCREENSHOT_DIR
// set, pictures of the word processor's two views and of the composer are
// saved there.
TEST(ComposerWordProcessor, AWriterWritesTwoPagesInTheDemoPlan)
{
    DemoPlan demo;
    if (!demo.made())
        GTEST_SKIP() << "the template library is not generated";
    QTemporaryDir output;
    const QString pdf = output.filePath(QStringLiteral("section.pdf"));
    auto printing = std::make_shared<PdfPrintDialogs>(pdf);
    platform::installPrintDialogs(printing);
    const QString shots = qEnvironmentVariable("QV_SCREENSHOT_DIR");

    shell::replaceCurrentPlan();
    auto composer = std::make_unique<composer::frmMain>();
    composer->setAttribute(Qt::WA_DeleteOnClose, false);
    ASSERT_TRUE(composer->OpenPlan(demo.documentPath()));
    composer->showNormal();
    composer->resize(1280, 800);
    QApplication::processEvents();
    composer->findChild<QToolButton *>(QStringLiteral("sscmdEdit"))->click();
    editors::frmWordProcessor *window = wordProcessor();
    ASSERT_NE(window, nullptr);
    const QString sectionFile = window->fileName();
    window->editor()->selectAll();
    window->editor()->textCursor().removeSelectedText();
    writeSampleSection(*window->editor(), 2);
    window->editor()->insertPlainText(QStringLiteral(" We recieve deliveries daily."));

    fakes().messages->shown.clear();
    window->findChild<QAction *>(QStringLiteral("mnuView_1"))->trigger();
    window->resize(1100, 800);
    QApplication::processEvents();
    const int pages = window->editor()->pageCount();
    EXPECT_GE(pages, 2);
    window->findChild<QAction *>(QStringLiteral("mnuFile_2"))->trigger();
    EXPECT_EQ(pdfPageCount(pdf), pages);
    if (const QString info = pdfInfo(pdf); !info.isEmpty()) {
        EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages)))) << info.toStdString();
    }
    if (!shots.isEmpty()) {
        QTextCursor top = window->editor()->textCursor();
        top.setPosition(0);
        window->editor()->setTextCursor(top);
        window->editor()->setZoomFactor(75);
        QApplication::processEvents();
        window->editor()->verticalScrollBar()->setValue(0);
        QApplication::processEvents();
        EXPECT_TRUE(window->grab().save(shots + QStringLiteral("/word-processor-page.png")));
        window->findChild<QAction *>(QStringLiteral("mnuView_0"))->trigger();
        window->editor()->setZoomFactor(100);
        QApplication::processEvents();
        window->editor()->verticalScrollBar()->setValue(0);
        QApplication::processEvents();
        EXPECT_TRUE(window->grab().save(shots + QStringLiteral("/word-processor-normal.png")));
    }
    EXPECT_TRUE(window->editor()->spellChecker() != nullptr); // misspelled words are underlined

    ASSERT_TRUE(window->close());
    QApplication::processEvents();
    auto *workArea = composer->findChild<richtext::TextEditor *>(QStringLiteral("rtfWorkArea"));
    EXPECT_TRUE(workArea->toPlainText().startsWith(QStringLiteral("Market Analysis")));
    EXPECT_TRUE(workArea->toPlainText().endsWith(QStringLiteral("We recieve deliveries daily.")));
    if (!shots.isEmpty()) {
        QApplication::processEvents();
        EXPECT_TRUE(composer->grab().save(shots + QStringLiteral("/composer-after-word-processor.png")));
    }
    ASSERT_TRUE(composer->SavePlan());
    const QString committed = QString(sectionFile).replace(QStringLiteral(".tmp"), QStringLiteral(".rtf"));
    composer->unload();
    composer.reset();
    shell::releaseCurrentPlan();

    // Opened again, the section holds what was written.
    shell::replaceCurrentPlan();
    composer = std::make_unique<composer::frmMain>();
    composer->setAttribute(Qt::WA_DeleteOnClose, false);
    ASSERT_TRUE(composer->OpenPlan(demo.documentPath()));
    workArea = composer->findChild<richtext::TextEditor *>(QStringLiteral("rtfWorkArea"));
    EXPECT_TRUE(workArea->toPlainText().startsWith(QStringLiteral("Market Analysis")));
    EXPECT_EQ(workArea->document()->firstBlock().blockFormat().headingLevel(), 1);
    composer->unload();
    composer.reset();
    shell::releaseCurrentPlan();
    platform::installPrintDialogs(nullptr);

    const QString content = convertToOdtContent(committed, output.path());
    if (content.isNull())
        GTEST_SKIP() << "soffice (libreoffice-writer-nogui) or unzip is not installed";
    EXPECT_TRUE(content.contains(QStringLiteral("<text:h")));
    EXPECT_TRUE(content.contains(QStringLiteral("<text:list")));
    EXPECT_TRUE(content.contains(QStringLiteral("<draw:image")));
}
