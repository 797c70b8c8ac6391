// The composer's Edit menu, the work area's pop-up menus, spelling, the cell
// indicator and the status pictures.

#include "composer/ComposerArt.h"
#include "composer/ComposerCommon.h"
#include "composer/frmMain.h"
#include "composer/frmTables.h"
#include "controls/richtextview/SpellCheckDialog.h"
#include "controls/richtextview/TextEditor.h"
#include "controls/spell/SpellChecker.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbookview/SheetGrid.h"
#include "controls/workbookview/WorkbookView.h"
#include "support/Advice.h"
#include "support/gui/frmAdvise.h"
#include "plan/Outline.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>

namespace qv::composer {

namespace {

// Edit menu indexes that act on the view shown.
enum EditItem { EditCut = 1, EditCopy = 2, EditPaste = 3, EditClear = 4, EditSpelling = 6 };

// Work pop-up indexes.
enum WorkItem { WorkUndo = 0, WorkCut = 1, WorkCopy = 2, WorkPaste = 3, WorkCharacter = 5, WorkSpelling = 7 };

void enableItem(QAction *item, bool enabled)
{
    if (item)
        item->setEnabled(enabled);
}

// Cut, Copy or Paste on the table view or the text editor alike.
template <class Target> void runClipboardCommand(Target &target, int command)
{
    if (command == EditCut)
        target.cut();
    else if (command == EditCopy)
        target.copy();
    else if (command == EditPaste)
        target.paste();
}

// True when a cell's text, not set to wrap, is wider than its cell (or its
// merged cells) on screen.
bool textOverflowsCell(const workbook::Workbook &book, int row, int col)
{
    const workbook::Value value = book.value(row, col);
    const workbook::CellFormat format = book.format(row, col);
    if (!value.isText() || format.wrap)
        return false;
    QFont font(format.fontName);
    font.setPointSizeF(format.fontSize);
    font.setBold(format.bold);
    font.setItalic(format.italic);
    const workbook::CellRange cells = book.mergeAt(row, col).value_or(workbook::CellRange::cell(row, col));
    int twips = 0;
    for (int column = cells.left; column <= cells.right; ++column)
        twips += book.columnWidth(column);
    constexpr double twipsPerPixel = 15.0; // 96 dots an inch
    return QFontMetricsF(font).horizontalAdvance(book.text(row, col)) > twips / twipsPerPixel;
}

} // namespace

void frmMain::buildEditMenu()
{
    QMenu *edit = menuBar()->addMenu(QString());
    edit->setObjectName(QStringLiteral("mnuEditTop"));
    m_items.edit = edit;
    auto &items = m_items.editItems;
    // Undo and Redo act on the shown view; a table's history is shared by
    // every window showing that table.
    m_items.undo = captioned(menuItem(edit, QStringLiteral("mnuEdit_0"), resText(1020)), 1020);
    m_items.undo->setShortcut(QKeySequence::Undo);
    m_items.redo = menuItem(edit, QStringLiteral("mnuEditRedo"), tr("&Redo"));
    m_items.redo->setShortcut(QKeySequence::Redo);
    // The views take the keys themselves; the menu only shows them.
    for (QAction *item : {m_items.undo, m_items.redo})
        item->setShortcutContext(Qt::WidgetShortcut);
    items[0] = m_items.undo;
    edit->addSeparator()->setObjectName(QStringLiteral("mnuEditUndoRule"));
    for (int index : {EditCut, EditCopy, EditPaste}) {
        items[size_t(index)] =
            captioned(menuItem(edit, QStringLiteral("mnuEdit_%1").arg(index), resText(1016 + index - 1)),
                      1016 + index - 1);
        connect(items[size_t(index)], &QAction::triggered, this, [this, index] { editCommand(index); });
    }
    items[EditClear] = menuItem(edit, QStringLiteral("mnuEdit_4"), tr("C&lear"));
    connect(items[EditClear], &QAction::triggered, this, &frmMain::clearCommand);
    edit->addSeparator()->setObjectName(QStringLiteral("mnuEdit_5"));
    items[EditSpelling] = menuItem(edit, QStringLiteral("mnuEdit_6"), resText(1093));
    connect(items[EditSpelling], &QAction::triggered, this, &frmMain::SpellCheck);
    edit->addSeparator()->setObjectName(QStringLiteral("mnuEdit_7"));
    // The row and column commands work on the table view.
    struct TableCommand
    {
        int index;
        const char *caption;
        std::function<void(workbook::WorkbookView *)> run;
    };
    const TableCommand commands[] = {
        {8, "Hide Row(s)", [](workbook::WorkbookView *view) { view->hideRows(); }},
        {9, "Hide Column (s)", [](workbook::WorkbookView *view) { view->hideColumns(); }},
        {11, "Unhide Row (s)", [](workbook::WorkbookView *view) { view->unhideRows(); }},
        {12, "Unhide Column (s)", [](workbook::WorkbookView *view) { view->unhideColumns(); }},
        {14, "Row Height", [](workbook::WorkbookView *view) { view->rowHeightDialog(); }},
        {15, "Column Width", [](workbook::WorkbookView *view) { view->columnWidthDialog(); }},
    };
    int next = 8;
    for (const TableCommand &command : commands) {
        for (; next < command.index; ++next)
            edit->addSeparator()->setObjectName(QStringLiteral("mnuEdit_%1").arg(next));
        QAction *item = menuItem(edit, QStringLiteral("mnuEdit_%1").arg(command.index), tr(command.caption));
        items[size_t(command.index)] = item;
        const auto run = command.run;
        connect(item, &QAction::triggered, this, [this, run] {
            if (workViews->currentWidget() == fOne && fOne->workbook())
                run(fOne);
        });
        next = command.index + 1;
    }
    connect(edit, &QMenu::aboutToShow, this, &frmMain::updateWorkCommands);
}

void frmMain::editCommand(int command)
{
    if (workViews->currentWidget() == fOne && fOne->workbook()) {
        // The view refuses, with its own message, what protection forbids.
        runClipboardCommand(*fOne, command);
        return;
    }
    runClipboardCommand(*rtfWorkArea, command);
}

void frmMain::buildWorkAreaExtras()
{
    // The work area's own right-click menu replaces the editor's.
    mnuWorkPopUp = new QMenu(this);
    mnuWorkPopUp->setObjectName(QStringLiteral("mnuWorkPopUp"));
    connect(menuItem(mnuWorkPopUp, QStringLiteral("mnuWorkPopUp_0"), resText(1020)), &QAction::triggered,
            rtfWorkArea, &QTextEdit::undo);
    connect(menuItem(mnuWorkPopUp, QStringLiteral("mnuWorkPopUp_1"), resText(1016)), &QAction::triggered,
            rtfWorkArea, &richtext::TextEditor::cut);
    connect(menuItem(mnuWorkPopUp, QStringLiteral("mnuWorkPopUp_2"), resText(1017)), &QAction::triggered,
            rtfWorkArea, &richtext::TextEditor::copy);
    connect(menuItem(mnuWorkPopUp, QStringLiteral("mnuWorkPopUp_3"), resText(1018)), &QAction::triggered,
            rtfWorkArea, &richtext::TextEditor::paste);
    mnuWorkPopUp->addSeparator()->setObjectName(QStringLiteral("mnuWorkPopUp_4"));
    connect(menuItem(mnuWorkPopUp, QStringLiteral("mnuWorkPopUp_5"), resText(1102)), &QAction::triggered,
            rtfWorkArea, &richtext::TextEditor::editCharacter);
    mnuWorkPopUp->addSeparator()->setObjectName(QStringLiteral("mnuWorkPopUp_6"));
    connect(menuItem(mnuWorkPopUp, QStringLiteral("mnuWorkPopUp_7"), resText(1093)), &QAction::triggered, this,
            &frmMain::SpellCheck);
    m_items.workWordProcessor = menuItem(mnuWorkPopUp, QStringLiteral("mnuWorkPopUp_8"), tr("Word &Processor"));
    connect(m_items.workWordProcessor, &QAction::triggered, this, &frmMain::openWordProcessor);
    rtfWorkArea->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(rtfWorkArea, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &point) { showWorkPopUp(rtfWorkArea->viewport()->mapToGlobal(point)); });

    // A table's right click opens the Edit menu; the example table's a menu
    // of its own.
    connect(fOne, &workbook::WorkbookView::rightClicked, this, [this](QPoint globalPos) {
        m_items.edit->popup(globalPos); // its aboutToShow sets the items
    });
    mnuExamplePopUp = new QMenu(this);
    mnuExamplePopUp->setObjectName(QStringLiteral("mnuExamplePopUp"));
    connect(menuItem(mnuExamplePopUp, QStringLiteral("mnuExamplePopUp_0"), resText(1017)), &QAction::triggered,
            f1Helper, &workbook::WorkbookView::copy);
    connect(f1Helper, &workbook::WorkbookView::rightClicked, this, [this](QPoint globalPos) {
        mnuExamplePopUp->actions().at(0)->setEnabled(f1Helper->workbook() != nullptr);
        mnuExamplePopUp->popup(globalPos);
    });

    // Spelling beside the text; the other side-button commands come with
    // their editors and stay disabled until then.
    connect(sscmdAssist, &QToolButton::clicked, this, [this] {
        if (workViews->currentWidget() == rtfWorkArea)
            SpellCheck();
    });

    // Status bar: the cell indicator and the "Table" and "Graph" pictures.
    sbarCell = new QLabel(sbarPlan);
    sbarCell->setObjectName(QStringLiteral("sbarPlan_5"));
    sbarCell->setMinimumWidth(56);
    sbarCell->setAlignment(Qt::AlignCenter);
    sbarCell->setToolTip(tr("Active cell"));
    sbarPlan->addPermanentWidget(sbarCell);
    picTableStatus = new QLabel(sbarPlan);
    picTableStatus->setObjectName(QStringLiteral("sbarPlan_6"));
    picTableStatus->setFixedWidth(24);
    picTableStatus->setAlignment(Qt::AlignCenter);
    sbarPlan->addPermanentWidget(picTableStatus);
    picGraphStatus = new QLabel(sbarPlan);
    picGraphStatus->setObjectName(QStringLiteral("sbarPlan_7"));
    picGraphStatus->setFixedWidth(24);
    picGraphStatus->setAlignment(Qt::AlignCenter);
    sbarPlan->addPermanentWidget(picGraphStatus);
    connect(fOne, &workbook::WorkbookView::cellClicked, this, &frmMain::updateCellIndicator);
    connect(fOne, &workbook::WorkbookView::selectionChanged, this, &frmMain::updateCellIndicator);
    // A note about what was just typed takes the section's place in the
    // status bar until the next entry.
    connect(fOne, &workbook::WorkbookView::statusNote, this, [this](const QString &note) {
        const QTreeWidgetItem *node = tvwOutline->currentItem();
        const QString section = IsSectionNode(node) ? node->text(0) : QString();
        statusPanels[2]->setText(note.isEmpty() ? section : note);
        statusPanels[2]->setToolTip(note.isEmpty() ? QStringLiteral("Current Section: ") + section : note);
    });

    // Text typed past its cell's edge is the moment to explain wrapping.
    connect(fOne->grid(), &workbook::SheetGrid::editCommitted, this, [this](int row, int col) {
        if (fOne->workbook() && textOverflowsCell(*fOne->workbook(), row, col))
            support::showAdvice(this, support::WordWrapAdvice, support::wordWrapAdvice());
    });

    // No pane gets too narrow to read, at any window size.
    picOutline->setMinimumWidth(160);
    // The helper is never narrower than its three options, so that their
    // captions are never cut.
    int options = 0;
    for (QRadioButton *option : optHelper)
        options += option->sizeHint().width() + 10;
    const QMargins margins = picHelper->layout()->contentsMargins();
    picHelper->setMinimumWidth(std::max(220, options + margins.left() + margins.right()));
    picWorkArea->setMinimumWidth(320);

    addViewItems();
    m_items.helpTopics->setText(resText(1090) + QStringLiteral("..."));
}

void frmMain::showWorkPopUp(const QPoint &globalPos)
{
    updateWorkCommands();
    mnuWorkPopUp->popup(globalPos);
}

void frmMain::updateWorkCommands()
{
    if (!mnuWorkPopUp)
        return; // still building the window
    const bool tableShown = workViews->currentWidget() == fOne && fOne->workbook();
    const bool textShown = !tableShown && currentSection();
    const bool editable = textShown && !rtfWorkArea->isReadOnly();
    const bool selected = rtfWorkArea->textCursor().hasSelection();
    const bool hasText = editable && rtfWorkArea->plainTextLength() > 0;

    const auto &items = m_items.editItems;
    enableItem(items[EditCut], tableShown || (editable && selected));
    enableItem(items[EditCopy], tableShown || (textShown && selected));
    enableItem(items[EditPaste], tableShown || editable);
    enableItem(items[EditClear], tableShown || (editable && selected));
    enableItem(items[EditSpelling], currentSection() != nullptr);
    for (int index : {8, 9, 11, 12, 14, 15})
        enableItem(items[size_t(index)], tableShown);

    const QList<QAction *> work = mnuWorkPopUp->actions();
    work[WorkUndo]->setEnabled(editable && rtfWorkArea->document()->isUndoAvailable());
    work[WorkCut]->setEnabled(editable && selected);
    work[WorkCopy]->setEnabled(textShown && selected);
    work[WorkPaste]->setEnabled(editable && rtfWorkArea->canPaste());
    work[WorkCharacter]->setEnabled(editable);
    work[WorkSpelling]->setEnabled(hasText);
    // The word processor takes any text with a file, the one it holds too
    // (which it raises).
    const bool textFile = textShown && currentSection() && !currentSection()->textFileToShow().isEmpty();
    m_items.workWordProcessor->setEnabled(textFile);
    m_items.wordProcessor->setEnabled(textFile);

    // Beside the text: spelling and the word processor; beside a table: its
    // spreadsheet and graph.
    sscmdAssist->setEnabled(tableShown ? currentTableHasGraph() : workViews->currentWidget() == rtfWorkArea && hasText);
    sscmdEdit->setEnabled(tableShown || (workViews->currentWidget() == rtfWorkArea && textFile));
    updateTableCommands();

    applyAnalysisItems();
    updateStatusPictures();
    updateCellIndicator();
    if (m_items.helperPane)
        m_items.helperPane->setText(picHelper->isHidden() ? tr("Show Instructions/Examples")
                                                          : tr("Hide Instructions/Examples"));
}

void frmMain::SpellCheck()
{
    if (!currentSection())
        return;
    showWorkView(0);
    if (rtfWorkArea->isReadOnly())
        return; // no text file to check
    if (!m_speller)
        m_speller = std::make_unique<spell::SpellChecker>();
    if (!m_speller->hasDictionary() && !m_speller->openMainDictionary()) {
        tell(this, resText(1607), platform::Icon::Exclamation);
        return;
    }
    // From now on misspelled words are marked as the user types.
    if (rtfWorkArea->spellChecker() != m_speller.get())
        rtfWorkArea->setSpellChecker(m_speller.get());
    const richtext::SpellCheckOutcome outcome = richtext::checkSpelling(rtfWorkArea, *m_speller);
    if (outcome == richtext::SpellCheckOutcome::NoDictionary)
        tell(this, resText(1607), platform::Icon::Exclamation);
    else if (outcome == richtext::SpellCheckOutcome::Completed)
        tell(this, resText(1622), platform::Icon::Information);
    rtfWorkArea->refreshSpellingMarks();
    rtfWorkArea->setFocus();
}

QString frmMain::cellIndicator() const
{
    const workbook::Workbook *book = fOne->workbook();
    if (!book || workViews->currentWidget() != fOne)
        return QString();
    // "$B$3:$D$5" shows as "B3".
    return book->selectionText().section(QLatin1Char(':'), 0, 0).remove(QLatin1Char('$'));
}

void frmMain::updateCellIndicator()
{
    if (sbarCell)
        sbarCell->setText(cellIndicator());
}

void frmMain::updateStatusPictures()
{
    auto show = [](QLabel *label, const QString &key, const QString &tip) {
        label->setProperty("pictureKey", key);
        label->setToolTip(tip);
        if (key.isEmpty())
            label->clear();
        else
            label->setPixmap(composerImage(key).pixmap(16, 16));
    };
    const bool tables = currentSection() && currentSection()->hasTables();
    show(picTableStatus, tables ? QStringLiteral("Table") : QString(),
         tables ? tr("This section has tables") : QString());
    const bool graph = tables && currentTable() && currentTable()->hasGraph();
    show(picGraphStatus, graph ? QStringLiteral("Graph") : QString(), graph ? tr("This table has a graph") : QString());
}

} // namespace qv::composer
