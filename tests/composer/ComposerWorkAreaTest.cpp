#include "ComposerTestSupport.h"

#include "controls/workbookview/SheetGrid.h"
#include "support/Advice.h"

#include "composer/SectionFiles.h"
#include "controls/richtext/Rtf.h"
#include "controls/richtextview/DisplayBox.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "controls/workbookview/WorkbookView.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QRadioButton>
#include <QMessageBox>
#include <QScreen>
#include <QTabBar>
#include <QToolButton>

using namespace qv;
using namespace qv::test;

TEST(ComposerWorkArea, TheWorkingCopyIsShownAndTheSaveTargetIsItself)
{
    OpenComposer c({}, [](PlanFixture &fixture) {
        PlanFixture::writeRtf(QDir(fixture.planFolder()).filePath(QStringLiteral("Ans00001.tmp")),
                              QStringLiteral("Unsaved edit"));
    });
    ASSERT_TRUE(c.opened);
    EXPECT_TRUE(c.editor()->toPlainText().contains(QStringLiteral("Unsaved edit")));
    EXPECT_TRUE(c.window->saveTarget().endsWith(QStringLiteral("/Ans00001.tmp")));
}

TEST(ComposerWorkArea, MovingOnWritesTheEditedTextToItsWorkingCopy)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    c.select(QStringLiteral("Plan.1.2"));
    EXPECT_TRUE(filesIn(c.fixture.planFolder(), QStringLiteral("*.tmp")).isEmpty()); // nothing edited
    c.type(QStringLiteral(" more words"));
    EXPECT_TRUE(shell::currentPlan()->modified());
    c.select(QStringLiteral("Plan.2.1"));
    const QByteArray written = readFile(QDir(c.fixture.planFolder()).filePath(QStringLiteral("Ans00002.tmp")));
    EXPECT_TRUE(written.contains("more words"));
    c.select(QStringLiteral("Plan.1.2"));
    EXPECT_TRUE(c.editor()->toPlainText().contains(QStringLiteral("more words")));
}

TEST(ComposerWorkArea, ASectionWithoutTextGetsANewFileInThePreferredFont)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    auto &section = shell::currentPlan()->outline().chapters().item(3)->sections().item(2);
    section->setTextFileName(QString());
    c.select(QStringLiteral("Plan.3.2"));
    // The fixture uses Ans00001..Ans00006.
    EXPECT_EQ(section->textFileName(), QStringLiteral("Ans00007.rtf"));
    EXPECT_EQ(readFile(QDir(c.fixture.planFolder()).filePath(QStringLiteral("Ans00007.rtf"))),
              composer::newSectionFileText(QStringLiteral("Times New Roman"), 11));
    EXPECT_TRUE(shell::currentPlan()->modified());
}

TEST(ComposerWorkArea, MissingHelperFilesAreReportedOncePerSectionShown)
{
    OpenComposer c(PlanFixtureOptions{2, 2, false});
    ASSERT_TRUE(c.opened);
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_EQ(fakes().messages->shown[0].text, QStringLiteral("Instruction file not found."));
    EXPECT_TRUE(c.child<richtext::DisplayBox>("sbsIEWeb")->text().isEmpty());
    c.window->ReLoadHelper();
    c.window->ReLoadHelper();
    EXPECT_EQ(fakes().messages->shown.size(), 1);
    c.child<QRadioButton>("optHelper_1")->click();
    ASSERT_EQ(fakes().messages->shown.size(), 2);
    EXPECT_EQ(fakes().messages->shown[1].text, QStringLiteral("Example file not found."));
    c.window->ReLoadHelper();
    EXPECT_EQ(fakes().messages->shown.size(), 2);
    c.select(QStringLiteral("Plan.1.2"));
    EXPECT_EQ(fakes().messages->shown.size(), 3);
}

TEST(ComposerWorkArea, HelperShowsInstructionsExamplesAndTheExampleTable)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    auto *text = c.child<richtext::DisplayBox>("sbsIEWeb");
    auto *table = c.child<workbook::WorkbookView>("f1Helper");
    EXPECT_TRUE(text->text().contains(QStringLiteral("How to write 1.1")));
    for (const char *name : {"optHelper_0", "optHelper_1", "optHelper_2"})
        EXPECT_TRUE(c.child<QRadioButton>(name)->isEnabled()) << name;
    c.child<QRadioButton>("optHelper_1")->click();
    EXPECT_TRUE(text->text().contains(QStringLiteral("Example of 1.1")));
    c.child<QRadioButton>("optHelper_2")->click();
    EXPECT_TRUE(text->isHidden());
    EXPECT_FALSE(table->isHidden());
    ASSERT_NE(table->workbook(), nullptr);
    EXPECT_EQ(table->workbook()->text(1, 1), QStringLiteral("Example table 1"));
    EXPECT_FALSE(table->showColumnHeadings());
    EXPECT_FALSE(table->showSelection()); // a picture of a table: no cell cursor
    // A section without tables falls back to its instructions.
    c.select(QStringLiteral("Plan.1.2"));
    EXPECT_FALSE(c.child<QRadioButton>("optHelper_2")->isEnabled());
    EXPECT_TRUE(c.child<QRadioButton>("optHelper_0")->isChecked());
    EXPECT_FALSE(text->isHidden());
    EXPECT_TRUE(text->text().contains(QStringLiteral("How to write 1.2")));
    EXPECT_TRUE(fakes().messages->shown.isEmpty());
}

TEST(ComposerWorkArea, ASectionWithoutKeyDisablesTheHelper)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    shell::currentPlan()->outline().chapters().item(2)->sections().item(2)->setKey(QString());
    c.select(QStringLiteral("Plan.2.2"));
    for (const char *name : {"optHelper_0", "optHelper_1", "optHelper_2"})
        EXPECT_FALSE(c.child<QRadioButton>(name)->isEnabled()) << name;
    // A section of the user's own gets general advice on writing it instead.
    EXPECT_TRUE(c.child<richtext::DisplayBox>("sbsIEWeb")->text().contains(QStringLiteral("section of your own")));
    EXPECT_TRUE(fakes().messages->shown.isEmpty());
}

TEST(ComposerWorkArea, AnExcludedSectionShowsOnButtonFace)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    auto &section = shell::currentPlan()->outline().chapters().item(1)->sections().item(2);
    section->setStatus(plan::Exclude);
    c.select(QStringLiteral("Plan.1.2"));
    EXPECT_EQ(c.editor()->backgroundColor(), c.window->palette().color(QPalette::Button));
    section->setStatus(plan::InProgress);
    c.select(QStringLiteral("Plan.1.1"));
    c.select(QStringLiteral("Plan.1.2"));
    EXPECT_EQ(c.editor()->backgroundColor(), QColor(255, 255, 255));
}

TEST(ComposerWorkArea, LinesBreakAfter2000CharactersNotBefore)
{
    const QByteArray exact(2000, 'a');
    EXPECT_EQ(rtf::breakRtfLines(exact), exact);
    const QByteArray longer(2001, 'a');
    EXPECT_EQ(rtf::breakRtfLines(longer), QByteArray(2000, 'a') + "\r\na");
    // A break never splits a control word.
    const QByteArray word = QByteArray(1998, 'a') + "\\par b";
    const QByteArray broken = rtf::breakRtfLines(word);
    EXPECT_TRUE(broken.contains("\\par")) << broken.right(20).constData();
}

TEST(ComposerScreens, ScreenshotsAtTwoSizes)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    c.window->showNormal();
    const QString folder = QStringLiteral(QV_BINARY_DIR "/screenshots");
    QDir().mkpath(folder);
    for (QSize size : {QSize(1024, 768), QSize(1920, 1080)}) {
        c.window->resize(size);
        QApplication::processEvents();
        const QImage shot = c.window->grab().toImage();
        EXPECT_EQ(shot.size(), size);
        shot.save(QStringLiteral("%1/composer-%2x%3.png").arg(folder).arg(size.width()).arg(size.height()));
    }
    // The table view with the example table beside it.
    c.window->resize(1280, 800);
    c.child<QRadioButton>("optHelper_2")->click();
    c.window->showWorkView(1);
    QApplication::processEvents();
    c.window->grab().save(folder + QStringLiteral("/composer-table-view.png"));
}

TEST(ComposerTables, EveryTableLoadsOnceTitledByItsName)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    workbook::WorkbookSet &tables = c.window->getTables();
    EXPECT_EQ(tables.count(), 3);
    for (int chapter = 1; chapter <= 3; ++chapter) {
        workbook::Workbook *book = tables.find(QStringLiteral("Tbl%1").arg(PlanFixture::keyOf(chapter, 1)));
        ASSERT_NE(book, nullptr);
        EXPECT_EQ(book->number(2, 1), 100.0 * chapter);
    }
    EXPECT_EQ(&tables, &c.window->getTables());
}

TEST(ComposerTables, AMissingTableFileIsReportedAndStillLoaded)
{
    OpenComposer c({}, [](PlanFixture &fixture) {
        QFile::remove(QDir(fixture.planFolder()).filePath(QStringLiteral("Tbl0201.vts")));
    });
    ASSERT_TRUE(c.opened);
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_TRUE(fakes().messages->shown[0].text.startsWith(QStringLiteral("Error loading file:\r\n")));
    EXPECT_TRUE(fakes().messages->shown[0].text.endsWith(QStringLiteral("Tbl0201.vts")));
    EXPECT_NE(c.window->getTables().find(QStringLiteral("Tbl0201")), nullptr);
}

TEST(ComposerTables, GotoTableFindsByPrefixAndShowsItsSection)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    EXPECT_FALSE(c.window->gotoTable(QStringLiteral("Tbl09")));
    EXPECT_EQ(nodeKey(c.tree()->currentItem()), QStringLiteral("Plan.1.1"));
    EXPECT_TRUE(c.window->gotoTable(QStringLiteral("tbl02")));
    EXPECT_EQ(nodeKey(c.tree()->currentItem()), QStringLiteral("Plan.2.1"));
    ASSERT_NE(c.window->currentTable(), nullptr);
    EXPECT_EQ(c.window->currentTable()->name(), QStringLiteral("Tbl0201"));
    auto *view = c.child<workbook::WorkbookView>("fOne");
    EXPECT_EQ(view->workbook(), c.window->getTables().find(QStringLiteral("Tbl0201")));
    EXPECT_TRUE(view->workbook()->isProtected());
}

TEST(ComposerTables, TableEditsReachTheirWorkingCopyWhenTheSectionChanges)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    workbook::Workbook *book = c.window->getTables().find(QStringLiteral("Tbl0101"));
    ASSERT_NE(book, nullptr);
    book->setNumber(3, 1, 4242);
    EXPECT_TRUE(shell::currentPlan()->modified());
    c.select(QStringLiteral("Plan.1.2"));
    const QString workingCopy = QDir(c.fixture.planFolder()).filePath(QStringLiteral("Tbl0101.tbf"));
    ASSERT_TRUE(QFile::exists(workingCopy));
    workbook::Workbook reread;
    reread.read(workingCopy);
    EXPECT_EQ(reread.number(3, 1), 4242.0);
    fakes().messages->setNextAnswer(platform::Answer::No);
    EXPECT_TRUE(c.window->ClosePlan());
    EXPECT_FALSE(QFile::exists(workingCopy));
}

TEST(ComposerTables, ClearIsRefusedWhenASelectedCellIsLocked)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    c.window->show(); // typing in place needs the shown view
    c.window->showWorkView(1);
    workbook::Workbook *book = c.window->getTables().find(QStringLiteral("Tbl0101"));
    ASSERT_EQ(c.child<workbook::WorkbookView>("fOne")->workbook(), book);
    book->setProtected(false);
    book->setLocked(workbook::CellRange{1, 1, 2, 1}, true);
    book->setLocked(workbook::CellRange{3, 1, 3, 1}, false);
    book->setNumber(3, 1, 5);
    book->setProtected(true);
    book->setSelection(workbook::CellRange{2, 1, 3, 1});
    c.child<QAction>("mnuEdit_4")->trigger();
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_EQ(fakes().messages->lastText(), QStringLiteral("Lock cells cannot be modified."));
    EXPECT_EQ(book->number(2, 1), 100.0);
    EXPECT_EQ(book->number(3, 1), 5.0);
    book->setSelection(workbook::CellRange{3, 1, 3, 1});
    c.child<QAction>("mnuEdit_4")->trigger();
    EXPECT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_EQ(book->number(3, 1), 0.0);
}

TEST(ComposerTables, NextAndPreviousTableWalkThePlanAndShowTheTableView)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    auto *next = c.child<QToolButton>("cmdToolBar_7");
    auto *previous = c.child<QToolButton>("cmdToolBar_6");
    next->click(); // section 1.1 shows its table Tbl0101; the next one is 2.1's
    EXPECT_EQ(c.window->currentTable()->name(), QStringLiteral("Tbl0201"));
    EXPECT_EQ(nodeKey(c.tree()->currentItem()), QStringLiteral("Plan.2.1"));
    EXPECT_EQ(c.child<QTabBar>("tabWorkArea")->currentIndex(), 1);
    next->click();
    EXPECT_EQ(c.window->currentTable()->name(), QStringLiteral("Tbl0301"));
    next->click(); // the last table stays
    EXPECT_EQ(c.window->currentTable()->name(), QStringLiteral("Tbl0301"));
    previous->click();
    previous->click();
    EXPECT_EQ(c.window->currentTable()->name(), QStringLiteral("Tbl0101"));
    previous->click();
    EXPECT_EQ(c.window->currentTable()->name(), QStringLiteral("Tbl0101"));
    EXPECT_EQ(nodeKey(c.tree()->currentItem()), QStringLiteral("Plan.1.1"));
}

TEST(ComposerWorkArea, ComingBackFromAnotherWindowReloadsTheHelper)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    auto *text = c.child<richtext::DisplayBox>("sbsIEWeb");
    ASSERT_TRUE(text->text().contains(QStringLiteral("How to write 1.1")));
    c.reviseFirstInstructions();
    // Coming back after a message box changes nothing.
    QMessageBox box;
    c.visitAndReturn(box);
    EXPECT_FALSE(text->text().contains(QStringLiteral("Revised advice")));
    QWidget other;
    c.visitAndReturn(other);
    EXPECT_TRUE(text->text().contains(QStringLiteral("Revised advice")));
}

TEST(ComposerWorkArea, MenusAndToolTipsDoNotCountAsAnotherWindow)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    auto *text = c.child<richtext::DisplayBox>("sbsIEWeb");
    c.reviseFirstInstructions();
    QMenu menu;
    menu.addAction(QStringLiteral("item"));
    c.visitAndReturn(menu);
    EXPECT_FALSE(text->text().contains(QStringLiteral("Revised advice")));
}

TEST(ComposerTables, UnlockingCellsAsksAndEveryTableChangeLocksAgain)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    auto *unlock = c.child<QAction>("mnuUnlockCells");
    workbook::Workbook *book = c.window->getTables().find(QStringLiteral("Tbl0101"));
    EXPECT_EQ(unlock->text(), QStringLiteral("&Unlock Cells"));
    EXPECT_TRUE(book->isProtected());
    EXPECT_FALSE(unlock->isChecked());
    fakes().messages->setNextAnswer(platform::Answer::No);
    unlock->trigger();
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_EQ(fakes().messages->shown[0].buttons, platform::Buttons::YesNo);
    EXPECT_TRUE(fakes().messages->lastText().startsWith(QStringLiteral("The \"Unlock Cells\" function")));
    EXPECT_TRUE(book->isProtected());
    EXPECT_FALSE(unlock->isChecked());
    EXPECT_TRUE(c.advised.isEmpty());
    fakes().messages->setNextAnswer(platform::Answer::Yes);
    unlock->trigger();
    EXPECT_FALSE(book->isProtected());
    EXPECT_TRUE(unlock->isChecked());
    EXPECT_EQ(c.advised, QList<int>{support::UnlockCellAdvice}); // what the locks protect, once unlocked
    unlock->trigger(); // locking again needs no question
    EXPECT_EQ(fakes().messages->shown.size(), 2);
    EXPECT_TRUE(book->isProtected());
    EXPECT_FALSE(unlock->isChecked());
    fakes().messages->setNextAnswer(platform::Answer::Yes);
    unlock->trigger();
    c.select(QStringLiteral("Plan.1.2"));
    c.select(QStringLiteral("Plan.1.1"));
    EXPECT_TRUE(book->isProtected());
    EXPECT_FALSE(unlock->isChecked());
}

TEST(ComposerTables, TextTypedPastItsCellsEdgeOffersTheWrappingAdvice)
{
    OpenComposer c;
    ASSERT_TRUE(c.opened);
    c.window->show(); // typing in place needs the shown view
    c.window->showWorkView(1);
    workbook::Workbook *book = c.child<workbook::WorkbookView>("fOne")->workbook();
    ASSERT_NE(book, nullptr);
    book->setProtected(false);
    workbook::SheetGrid *grid = c.child<workbook::WorkbookView>("fOne")->grid();
    book->setActiveCell(3, 2);
    grid->startEditing(QStringLiteral("Short"), true);
    ASSERT_TRUE(grid->commitEdit());
    EXPECT_TRUE(c.advised.isEmpty());
    book->setActiveCell(3, 2);
    grid->startEditing(QStringLiteral("A description of the product line far too long for one narrow column"), true);
    ASSERT_TRUE(grid->commitEdit());
    EXPECT_TRUE(book->text(3, 2).startsWith(QStringLiteral("A description")));
    EXPECT_EQ(c.advised, QList<int>{support::WordWrapAdvice});
}
