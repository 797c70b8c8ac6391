// The composer's commands that open the windows working on the open plan's
// tables (the spreadsheet module, the graph generator, the cell link and
// Plan Profile dialogs), and Undo and Redo for whichever view is shown.

#include "composer/frmMain.h"

#include "composer/ComposerCommon.h"
#include "composer/SectionFiles.h"
#include "composer/TableWindows.h"
#include "controls/richtextview/TextEditor.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbookview/WorkbookView.h"
#include "editors/graph/GraphPictures.h"
#include "editors/graph/frmGraph.h"
#include "plan/ModEnglish.h"
#include "plan/Outline.h"
#include "plan/Plan.h"
#include "platform/Error.h"
#include "platform/Paths.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QStackedWidget>
#include <QToolButton>

namespace qv::composer {

void frmMain::setUpTableWindows()
{
    m_tableWindows = new TableWindows(*m_session, this, [this](const QString &table, int row, int col) {
        if (!gotoTable(table))
            return false;
        if (workbook::Workbook *book = fOne->workbook())
            book->setActiveCell(row, col);
        fOne->setFocus();
        return true;
    });
    connect(m_tableWindows, &TableWindows::spreadsheetReturned, this, [this] {
        // The module worked on the same workbook: the view shows its changes.
        fOne->update();
        updateWorkCommands();
    });
    setGraphPictureMaker([](const workbook::Workbook &book, const plan::Table &entry, const QString &picturePath) {
        return editors::writeTableGraphPicture(entry, book, picturePath);
    });

    connect(m_items.undo, &QAction::triggered, this, [this] { stepEditHistory(false); });
    connect(m_items.redo, &QAction::triggered, this, [this] { stepEditHistory(true); });
    connect(m_items.spreadsheet, &QAction::triggered, this, &frmMain::openSpreadsheet);
    connect(m_items.graphGenerator, &QAction::triggered, this, &frmMain::openGraphGenerator);
    connect(m_items.cellLinks, &QAction::triggered, this, [this] { viewCellLink(); });
    connect(m_items.profile, &QAction::triggered, this, [this] { openProfile(create::frmProfile::GeneralPage); });
    connect(m_items.coverPage, &QAction::triggered, this, [this] { openProfile(create::frmProfile::CoverPage); });
    connect(sscmdEdit, &QToolButton::clicked, this, [this] {
        if (tableShown())
            openSpreadsheet();
        else if (workViews->currentWidget() == rtfWorkArea)
            openWordProcessor();
    });
    connect(sscmdAssist, &QToolButton::clicked, this, [this] {
        if (tableShown())
            openGraphGenerator();
    });
}

bool frmMain::tableShown() const
{
    return workViews->currentWidget() == fOne && fOne->workbook() && currentTable();
}

bool frmMain::currentTableHasGraph() const
{
    const std::shared_ptr<plan::Table> table = currentTable();
    return table && table->hasGraph() && !table->graphFileName().isEmpty();
}

void frmMain::updateTableCommands()
{
    const bool table = tableShown();
    const bool textShown = !table && currentSection() && !rtfWorkArea->isReadOnly();
    m_items.undo->setEnabled(table ? fOne->canUndo() : textShown && rtfWorkArea->document()->isUndoAvailable());
    m_items.redo->setEnabled(table ? fOne->canRedo() : textShown && rtfWorkArea->document()->isRedoAvailable());
    m_items.spreadsheet->setEnabled(table);
    m_items.graphGenerator->setEnabled(table && currentTableHasGraph());
    m_items.cellLinks->setEnabled(table);
    const bool planOpen = !plan().fullPath().isEmpty();
    m_items.profile->setEnabled(planOpen);
    m_items.coverPage->setEnabled(planOpen);
}

void frmMain::stepEditHistory(bool forward)
{
    if (tableShown()) {
        forward ? fOne->redo() : fOne->undo();
        return;
    }
    if (rtfWorkArea->isReadOnly())
        return;
    forward ? rtfWorkArea->redo() : rtfWorkArea->undo();
}

editors::frmSpreadSheet *frmMain::openSpreadsheet()
{
    if (!tableShown())
        return nullptr;
    return m_tableWindows->openSpreadsheet();
}

editors::frmSpreadSheet *frmMain::spreadsheet() const
{
    return m_tableWindows->spreadsheet();
}

bool frmMain::viewCellLink(const QString &formula)
{
    if (!tableShown())
        return false;
    QString text = formula;
    if (text.isEmpty()) {
        const workbook::Workbook &book = *fOne->workbook();
        const workbook::CellAddress active = book.activeCell();
        text = book.formula(active.row, active.col);
    }
    return m_tableWindows->viewCellLink(text);
}

bool frmMain::openProfile(create::frmProfile::Page page)
{
    if (plan().fullPath().isEmpty())
        return false;
    // The cover page is edited with the table out of sight; the table comes
    // back afterwards with whatever the profile changed in it.
    const bool hideTable = page == create::frmProfile::CoverPage && tableShown();
    if (hideTable)
        fOne->hide();
    const bool applied = m_tableWindows->openProfile(page);
    if (hideTable) {
        fOne->show();
        if (const std::shared_ptr<plan::Table> table = currentTable())
            showTable(table->name());
    }
    fOne->update();
    return applied;
}

bool frmMain::openGraphGenerator()
{
    const std::shared_ptr<plan::Table> table = currentTable();
    workbook::Workbook *book = table ? m_session->table(table->name()) : nullptr;
    if (!book || !currentTableHasGraph())
        return false;
    const workbook::Selection selection = book->selection();

    editors::frmGraph graph(this);
    graph.setTemplateTablesFolder(plan::ModEnglish::GetTablesFolder(plan().planInfo()));
    bool shown = false;
    if (graph.graphTable(*book, editors::chartFilePath(*table))) {
        // The sample graph draws the example table, read even when the helper
        // pane shows something else.
        const QString examplePath = exampleTablePath(plan(), table->name());
        workbook::Workbook example;
        bool exampleRead = false;
        if (QFileInfo::exists(examplePath)) {
            try {
                example.read(examplePath);
                exampleRead = true;
            } catch (const QvError &) {
                exampleRead = false; // the sample graph stays empty
            }
        }
        graph.setExample(exampleRead ? &example : nullptr,
                         platform::joinPath(plan::ModEnglish::GetExampleFolder(plan().planInfo()),
                                            plan::ModEnglish::ExampleChartFileName(table->name())));
        graph.exec();
        shown = true;
    }
    // The table gets back its selection and the focus.
    book->setSelection(selection);
    fOne->setFocus();
    updateStatusPictures();
    return shown;
}

} // namespace qv::composer
