// The composer's commands on the open plan's tables, driven as a user would:
// the spreadsheet module and the shared undo, following a cell link, the
// cover page and the graph generator.

#include "ComposerTestSupport.h"
#include "composer/frmCellLinkInfo.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "controls/workbookview/SheetGrid.h"
#include "controls/workbookview/WorkbookView.h"
#include "editors/frmSpreadSheet.h"
#include "plan/Outline.h"
#include "plan/Plan.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace qv;
using namespace qv::test;

namespace {

// The composer showing table Tbl0201 in its table view.
struct ComposerOnTable : OpenComposer
{
    ComposerOnTable()
    {
        if (!opened)
            return;
        window->show();
        shown = window->gotoTable(QStringLiteral("Tbl0201"));
        window->showWorkView(1);
        window->updateWorkCommands();
    }
    workbook::Workbook *table(const char *name) const { return window->getTables().find(QLatin1String(name)); }
    bool shown = false;
};

// Runs `answer` on the modal dialog once it is up.
void whenModal(const std::function<void(QWidget *)> &answer)
{
    QTimer::singleShot(0, [answer] {
        if (QWidget *dialog = QApplication::activeModalWidget())
            answer(dialog);
    });
}

} // namespace

TEST(ComposerTableCommands, TheModuleEditsTheShownTableAndTheComposerUndoesIt)
{
    ComposerOnTable c;
    ASSERT_TRUE(c.shown);
    QAction *spreadsheet = c.child<QAction>("mnuTools_1");
    ASSERT_TRUE(spreadsheet->isEnabled());
    spreadsheet->trigger();
    editors::frmSpreadSheet *module = c.window->spreadsheet();
    ASSERT_NE(module, nullptr);
    workbook::Workbook *book = c.table("Tbl0201");
    EXPECT_EQ(module->spreadsheet(), book) << "one workbook, two views";

    const QString before = book->entry(2, 1);
    book->setProtected(false);
    book->setActiveCell(2, 1);
    QTest::keyClicks(module->sheet()->grid(), QStringLiteral("7"));
    QTest::keyClick(module->sheet()->grid()->findChild<QLineEdit *>(QStringLiteral("cellEditor")), Qt::Key_Return);
    EXPECT_EQ(book->number(2, 1), 7);
    module->close();
    QApplication::processEvents();

    c.window->updateWorkCommands();
    QAction *undo = c.child<QAction>("mnuEdit_0");
    ASSERT_TRUE(undo->isEnabled());
    undo->trigger();
    EXPECT_EQ(book->entry(2, 1), before);
    c.window->updateWorkCommands();
    EXPECT_TRUE(c.child<QAction>("mnuEditRedo")->isEnabled());
    c.child<QAction>("mnuEditRedo")->trigger();
    EXPECT_EQ(book->number(2, 1), 7);
}

TEST(ComposerTableCommands, ViewCellLinkGoesToTheLinkedCellOfTheOtherTable)
{
    ComposerOnTable c;
    ASSERT_TRUE(c.shown);
    workbook::Workbook *book = c.table("Tbl0201");
    book->setFormula(3, 1, QStringLiteral("=[tbl0101]Sheet1!$a$2*2"));
    book->setActiveCell(3, 1);
    whenModal([](QWidget *dialog) {
        if (qobject_cast<composer::frmCellLinkInfo *>(dialog))
            dialog->findChild<QPushButton *>(QStringLiteral("cmdGoto"))->click();
    });
    c.child<QAction>("mnuView_5")->trigger();
    ASSERT_NE(c.window->currentTable(), nullptr);
    EXPECT_EQ(c.window->currentTable()->name(), QStringLiteral("Tbl0101"));
    const workbook::CellAddress active = c.table("Tbl0101")->activeCell();
    EXPECT_EQ(active.row, 2);
    EXPECT_EQ(active.col, 1);

    // A cell without a link says so and goes nowhere.
    c.table("Tbl0101")->setActiveCell(1, 1);
    c.child<QAction>("mnuView_5")->trigger();
    EXPECT_EQ(c.window->currentTable()->name(), QStringLiteral("Tbl0101"));
    EXPECT_FALSE(fakes().messages->shown.isEmpty());
}

TEST(ComposerTableCommands, TheCoverPageOpensOnItsPageWithTheTableOutOfSight)
{
    ComposerOnTable c;
    ASSERT_TRUE(c.shown);
    auto *tableView = c.child<workbook::WorkbookView>("fOne");
    int page = -1;
    bool tableHidden = false;
    whenModal([&](QWidget *dialog) {
        page = dialog->findChild<QTabWidget *>(QStringLiteral("tabProfile"))->currentIndex();
        tableHidden = !tableView->isVisible();
        dialog->findChild<QPushButton *>(QStringLiteral("cmdCancel"))->click();
    });
    c.child<QAction>("mnuView_13")->trigger();
    EXPECT_EQ(page, 2);
    EXPECT_TRUE(tableHidden);
    EXPECT_TRUE(tableView->isVisible());
    EXPECT_EQ(c.window->currentTable()->name(), QStringLiteral("Tbl0201"));
    EXPECT_FALSE(shell::currentPlan()->modified()) << "Cancel changes nothing";

    whenModal([&](QWidget *dialog) {
        page = dialog->findChild<QTabWidget *>(QStringLiteral("tabProfile"))->currentIndex();
        dialog->findChild<QPushButton *>(QStringLiteral("cmdCancel"))->click();
    });
    c.child<QAction>("mnuFile_6")->trigger();
    EXPECT_EQ(page, 0);
}

TEST(ComposerTableCommands, TheGraphGeneratorIsOfferedForATableWithAGraph)
{
    ComposerOnTable c;
    ASSERT_TRUE(c.shown);
    auto *graphButton = c.child<QToolButton>("sscmdAssist");
    EXPECT_FALSE(c.child<QAction>("mnuTools_2")->isEnabled()) << "the table has no graph";
    EXPECT_FALSE(graphButton->isEnabled());
    EXPECT_TRUE(c.child<QToolButton>("sscmdEdit")->isEnabled());

    const std::shared_ptr<plan::Table> table = c.window->currentTable();
    table->setHasGraph(true);
    table->setGraphFileName(QStringLiteral("Grf0201.vtc"));
    c.window->updateWorkCommands();
    EXPECT_TRUE(c.child<QAction>("mnuTools_2")->isEnabled());
    ASSERT_TRUE(graphButton->isEnabled());
    // Its chart file is missing: the generator says so and does not open.
    graphButton->click();
    EXPECT_EQ(fakes().messages->lastText(), QStringLiteral("Chart file not found."));
}
