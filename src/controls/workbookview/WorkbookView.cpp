#include "controls/workbookview/WorkbookView.h"

#include "controls/workbook/CellExplanations.h"
#include "controls/workbook/EditHistory.h"
#include "controls/workbook/FormulaShift.h"
#include "controls/workbook/TableClipboard.h"
#include "controls/workbookview/SheetGrid.h"
#include "controls/workbookview/SheetPrinter.h"
#include "platform/Services.h"
#include "platform/gui/DesktopServices.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPrinter>
#include <QVBoxLayout>

#include <cmath>

namespace qv::workbook {

WorkbookView::WorkbookView(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_formulaBar = new QFrame(this);
    m_formulaBar->setObjectName(QStringLiteral("formulaBar"));
    auto *bar = new QHBoxLayout(m_formulaBar);
    bar->setContentsMargins(2, 2, 2, 2);
    m_nameBox = new QLineEdit(m_formulaBar);
    m_nameBox->setObjectName(QStringLiteral("nameBox"));
    m_nameBox->setFixedWidth(m_nameBox->fontMetrics().horizontalAdvance(QStringLiteral("$XFD$1048576")));
    m_formulaEdit = new QLineEdit(m_formulaBar);
    m_formulaEdit->setObjectName(QStringLiteral("formulaEdit"));
    bar->addWidget(m_nameBox);
    bar->addWidget(m_formulaEdit, 1);
    layout->addWidget(m_formulaBar);

    m_grid = new SheetGrid(this);
    m_grid->setObjectName(QStringLiteral("sheetGrid"));
    layout->addWidget(m_grid, 1);
    setFocusProxy(m_grid);

    connect(m_grid, &SheetGrid::cellClicked, this, &WorkbookView::cellClicked);
    connect(m_grid, &SheetGrid::rightClicked, this, &WorkbookView::rightClicked);
    connect(m_grid, &SheetGrid::editRefused, this, [this](const QString &m) { refuse(m); });
    connect(m_grid, &SheetGrid::editCommitted, this, &WorkbookView::noteTypedValue);
    connect(m_grid, &SheetGrid::keyCommand, this, [this](QKeyEvent *event, bool *handled) {
        const bool ctrl = event->modifiers() & Qt::ControlModifier;
        *handled = true;
        if (ctrl && event->key() == Qt::Key_C) copy();
        else if (ctrl && event->key() == Qt::Key_X) cut();
        else if (ctrl && event->key() == Qt::Key_V) paste();
        else if (ctrl && event->key() == Qt::Key_B) toggleBold();
        else if (ctrl && event->key() == Qt::Key_I) toggleItalic();
        else if (ctrl && event->key() == Qt::Key_U) toggleUnderline();
        else if (ctrl && event->key() == Qt::Key_F) find();
        else if (ctrl && event->key() == Qt::Key_Z) undo();
        else if (ctrl && event->key() == Qt::Key_Y) redo();
        else if (ctrl && event->key() == Qt::Key_D) fillDown();
        else if (ctrl && event->key() == Qt::Key_R) fillRight();
        else if (event->key() == Qt::Key_Delete) clearSelection();
        else *handled = false;
    });
    connect(m_formulaEdit, &QLineEdit::returnPressed, this, &WorkbookView::commitFormulaBar);
    connect(m_nameBox, &QLineEdit::returnPressed, this, [this] {
        if (m_book && m_book->setSelection(m_nameBox->text())) {
            const CellAddress a = m_book->activeCell();
            m_grid->scrollTo(a.row, a.col);
        }
        refreshFormulaBar();
        m_grid->setFocus();
    });
}

WorkbookView::~WorkbookView() = default;

void WorkbookView::setWorkbook(Workbook *book)
{
    for (const auto &c : m_connections)
        disconnect(c);
    m_connections.clear();
    m_book = book;
    m_grid->setWorkbook(book);
    if (book) {
        m_connections.push_back(connect(book, &Workbook::selectionChanged, this, [this] {
            refreshFormulaBar();
            emit selectionChanged();
        }));
        m_connections.push_back(connect(book, &Workbook::displayChanged, this, &WorkbookView::refreshFormulaBar));
        m_connections.push_back(connect(book, &Workbook::contentChanged, this, &WorkbookView::contentChanged));
        m_formulaBar->setVisible(book->viewSettings().showFormulaBar);
    }
    refreshFormulaBar();
}

// ---- View settings ------------------------------------------------------------------

void WorkbookView::setShowColumnHeadings(bool on) { m_grid->setShowColumnHeadings(on); }
void WorkbookView::setShowRowHeadings(bool on) { m_grid->setShowRowHeadings(on); }
void WorkbookView::setShowGridLines(bool on) { m_grid->setShowGridLines(on); }
void WorkbookView::setShowSelection(bool on) { m_grid->setShowSelection(on); }
bool WorkbookView::showColumnHeadings() const { return m_grid->showColumnHeadings(); }
bool WorkbookView::showRowHeadings() const { return m_grid->showRowHeadings(); }
bool WorkbookView::showGridLines() const { return m_grid->showGridLines(); }
bool WorkbookView::showSelection() const { return m_grid->showSelection(); }
bool WorkbookView::showFormulaBar() const { return !m_formulaBar->isHidden(); }
void WorkbookView::setBackgroundColor(const QColor &color) { m_grid->setBackgroundColor(color); }

void WorkbookView::setShowFormulaBar(bool on)
{
    m_formulaBar->setVisible(on);
    if (m_book) {
        ViewSettings v = m_book->viewSettings();
        v.showFormulaBar = on;
        m_book->setViewSettings(v);
    }
}

void WorkbookView::setShowBorder(bool on)
{
    m_grid->setFrameShape(on ? QFrame::StyledPanel : QFrame::NoFrame);
}

int WorkbookView::zoom() const { return m_book ? m_book->viewScale() : 100; }

void WorkbookView::setZoom(int percent)
{
    if (m_book)
        m_book->setViewScale(percent);
}

void WorkbookView::goHome() { m_grid->goHome(); }

void WorkbookView::setActiveCell(int row, int col)
{
    if (!m_book) return;
    m_book->setActiveCell(row, col);
    m_grid->scrollTo(row, col);
}

// ---- Helpers -------------------------------------------------------------------------

void WorkbookView::noteTypedValue(int row, int col)
{
    if (m_book)
        emit statusNote(textInNumberCellNote(*m_book, row, col));
}

bool WorkbookView::refuse(const QString &message)
{
    platform::Message m;
    m.text = message;
    m.icon = platform::Icon::Exclamation;
    platform::messageBoxes().show(this, m);
    return false;
}

CellRange WorkbookView::selectedRange() const
{
    // Whole rows and columns shrink to the part in use.
    CellRange r = m_book->firstSelectedRange();
    const int lastRow = std::max({m_book->lastRow(), r.top, m_book->activeCell().row});
    const int lastCol = std::max({m_book->lastCol(), r.left, m_book->activeCell().col});
    if (r.bottom - r.top > 10000) r.bottom = std::max(r.top, lastRow);
    if (r.right - r.left > 1000) r.right = std::max(r.left, lastCol);
    r.right = std::min(r.right, m_book->visibleColumnLimit());
    r.bottom = std::min(r.bottom, m_book->visibleRowLimit());
    return r;
}

void WorkbookView::refreshFormulaBar()
{
    if (!m_book) {
        m_nameBox->clear();
        m_formulaEdit->clear();
        return;
    }
    const CellAddress a = m_book->activeCell();
    const CellRange r = m_book->firstSelectedRange();
    m_nameBox->setText(r.isSingleCell() ? cellName(a.row, a.col) : rangeName(selectedRange()));
    if (!m_formulaEdit->hasFocus())
        m_formulaEdit->setText(m_book->entry(a.row, a.col));
    m_formulaBar->setVisible(m_book->viewSettings().showFormulaBar);
}

void WorkbookView::commitFormulaBar()
{
    if (!m_book) return;
    const CellAddress a = m_book->activeCell();
    EditStep step(*m_book, tr("Typing"));
    step.watchCells(CellRange::cell(a.row, a.col));
    const EditResult result = m_book->setEntry(a.row, a.col, m_formulaEdit->text(), EditOrigin::User);
    if (!result) {
        refuse(result.message);
        return;
    }
    step.commit();
    m_grid->setFocus();
    refreshFormulaBar();
    noteTypedValue(a.row, a.col);
}

// ---- Clipboard -------------------------------------------------------------------------

bool WorkbookView::copy()
{
    if (!m_book) return false;
    const CellRange r = selectedRange();
    m_copied = {};
    m_copied.text = rangeAsTabText(*m_book, r);
    m_copied.from = {r.top, r.left};
    m_copied.book = m_book;
    m_copied.sheet = m_book->activeSheet();
    for (int row = r.top; row <= r.bottom; ++row) {
        std::vector<QString> entries;
        std::vector<CellFormat> formats;
        for (int col = r.left; col <= r.right; ++col) {
            entries.push_back(m_book->entry(row, col));
            formats.push_back(m_book->format(row, col));
        }
        m_copied.entries.push_back(std::move(entries));
        m_copied.formats.push_back(std::move(formats));
    }
    auto *mime = new QMimeData;
    mime->setText(m_copied.text);
    mime->setHtml(rangeAsHtml(*m_book, r));
    return platform::services().clipboard->setMimeData(mime);
}

bool WorkbookView::cut()
{
    if (!m_book) return false;
    const CellRange r = selectedRange();
    if (const EditResult check = m_book->checkEditable(r, EditOrigin::User); !check)
        return refuse(check.message);
    if (!copy()) return false;
    m_copied.cut = true;
    EditStep step(*m_book, tr("Cut"));
    step.watchCells(r);
    m_book->clearRange(r, ClearKind::All, EditOrigin::User);
    step.commit();
    return true;
}

bool WorkbookView::pasteGrid(const std::vector<QStringList> &grid, PasteKind kind, EditStep &step)
{
    if (grid.empty()) return false;
    const CellAddress at{m_book->firstSelectedRange().top, m_book->firstSelectedRange().left};
    int width = 0;
    for (const QStringList &row : grid) width = std::max(width, int(row.size()));
    CellRange target{at.row, at.col, std::min(maxRows, at.row + int(grid.size()) - 1), std::min(maxColumns, at.col + width - 1)};
    target.right = std::min(target.right, m_book->visibleColumnLimit());
    if (const EditResult check = m_book->checkEditable(target, EditOrigin::User); !check)
        return refuse(check.message);
    step.watchCells(target);
    for (int i = 0; i < int(grid.size()) && at.row + i <= target.bottom; ++i)
        for (int j = 0; j < int(grid[std::size_t(i)].size()) && at.col + j <= target.right; ++j) {
            const int row = at.row + i, col = at.col + j;
            const QString &text = grid[std::size_t(i)][j];
            if (kind != PasteKind::Formats) {
                // A formula that no longer compiles lands as its text.
                if (!m_book->setEntry(row, col, text, EditOrigin::User))
                    m_book->setText(row, col, text, EditOrigin::User);
            }
        }
    return true;
}

std::vector<FormulaTextChange> WorkbookView::formulasFollowingCut(const CellRange &target, EditStep &step)
{
    if (!m_copied.cut || m_copied.book != m_book || m_copied.sheet != m_book->activeSheet() || m_copied.entries.empty())
        return {};
    const CellRange from{m_copied.from.row, m_copied.from.col, m_copied.from.row + int(m_copied.entries.size()) - 1,
                         m_copied.from.col + int(m_copied.entries.front().size()) - 1};
    const CellAddress to{target.top, target.left};
    const CellRange landing{to.row, to.col, to.row + from.rows() - 1, to.col + from.cols() - 1};
    std::vector<FormulaTextChange> changes;
    for (const FormulaTextChange &change : m_book->formulasFollowingMovedCells(m_copied.sheet, from, to)) {
        // The cells pasted over get the cut's own formulas instead.
        const bool pastedOver = change.book == m_book && change.sheet == m_copied.sheet && change.row >= landing.top
                                && change.row <= landing.bottom && change.col >= landing.left && change.col <= landing.right;
        if (pastedOver || change.sheet != change.book->activeSheet())
            continue;
        step.watchCells(*change.book, CellRange::cell(change.row, change.col));
        changes.push_back(change);
    }
    return changes;
}

bool WorkbookView::paste()
{
    if (!m_book) return false;
    const QMimeData *mime = platform::services().clipboard->mimeData();
    if (!mime) return false;
    const QString text = mime->text();
    EditStep step(*m_book, tr("Paste"));
    if (!m_copied.text.isEmpty() && text == m_copied.text) {
        // Our own copy: entries (formulas too) and formats.
        const CellRange r = m_book->firstSelectedRange();
        const int dRow = m_copied.cut ? 0 : r.top - m_copied.from.row;
        const int dCol = m_copied.cut ? 0 : r.left - m_copied.from.col;
        std::vector<QStringList> grid;
        for (const auto &row : m_copied.entries) {
            QStringList line;
            for (const QString &entry : row)
                line << (entry.startsWith(u'=') ? shiftFormula(entry, dRow, dCol) : entry);
            grid.push_back(line);
        }
        // Cut cells that land elsewhere on their sheet take along every
        // formula of the set that reads them, as in any spreadsheet.
        const std::vector<FormulaTextChange> following = formulasFollowingCut(r, step);
        if (!pasteGrid(grid, PasteKind::All, step)) return false;
        for (int i = 0; i < int(m_copied.formats.size()); ++i)
            for (int j = 0; j < int(m_copied.formats[std::size_t(i)].size()); ++j)
                m_book->setFormat(CellRange::cell(r.top + i, r.left + j), m_copied.formats[std::size_t(i)][std::size_t(j)], EditOrigin::User);
        Workbook::applyFormulaTexts(following, false);
        step.commit();
        if (m_copied.cut)
            m_copied = {}; // a cut is pasted once
        m_grid->setFocus();
        return true;
    }
    std::vector<QStringList> grid;
    if (mime->hasHtml())
        grid = parseHtmlTable(mime->html());
    if (grid.empty())
        grid = parseTabText(text);
    const bool ok = pasteGrid(grid, PasteKind::All, step);
    if (ok) step.commit();
    m_grid->setFocus();
    return ok;
}

bool WorkbookView::pasteSpecial()
{
    if (!m_book) return false;
    const auto kind = viewDialogs().askPasteSpecial(this);
    if (!kind) return false;
    const QMimeData *mime = platform::services().clipboard->mimeData();
    const bool ours = mime && !m_copied.text.isEmpty() && mime->text() == m_copied.text;
    bool ok = false;
    if (*kind == PasteKind::All) {
        ok = paste();
    } else if (*kind == PasteKind::Values) {
        EditStep step(*m_book, tr("Paste Special"));
        ok = pasteGrid(parseTabText(mime ? mime->text() : QString()), PasteKind::Values, step);
        if (ok) step.commit();
    } else if (ours) {
        const CellRange at = m_book->firstSelectedRange();
        const CellRange target{at.top, at.left, at.top + int(m_copied.formats.size()) - 1,
                               at.left + int(m_copied.formats.front().size()) - 1};
        if (const EditResult check = m_book->checkEditable(target, EditOrigin::User); !check)
            return refuse(check.message);
        EditStep step(*m_book, tr("Paste Special"));
        step.watchCells(target);
        step.watchLayout(); // rows grow to fit larger fonts
        for (int i = 0; i < int(m_copied.formats.size()); ++i)
            for (int j = 0; j < int(m_copied.formats[std::size_t(i)].size()); ++j)
                m_book->setFormat(CellRange::cell(at.top + i, at.left + j), m_copied.formats[std::size_t(i)][std::size_t(j)]);
        step.commit();
        ok = true;
    }
    m_grid->setFocus();
    return ok;
}

bool WorkbookView::clearSelection(ClearKind kind)
{
    if (!m_book) return false;
    const CellRange r = selectedRange();
    EditStep step(*m_book, tr("Clear"));
    step.watchCells(r);
    const EditResult result = m_book->clearRange(r, kind, EditOrigin::User);
    if (!result) return refuse(result.message);
    step.commit();
    return true;
}

bool WorkbookView::find()
{
    if (!m_book) return false;
    const auto request = viewDialogs().askFind(this, m_lastFind);
    if (!request) return false;
    m_lastFind = *request;
    return findNext();
}

bool WorkbookView::findNext()
{
    if (!m_book || m_lastFind.text.isEmpty()) return false;
    const auto hit = m_book->find(m_lastFind.text, m_book->activeCell(), m_lastFind.matchCase);
    if (!hit) {
        platform::Message m;
        m.text = QStringLiteral("Cannot find \"%1\".").arg(m_lastFind.text);
        m.icon = platform::Icon::Information;
        platform::messageBoxes().show(this, m);
        return false;
    }
    setActiveCell(hit->row, hit->col);
    return true;
}

bool WorkbookView::sortAscending() { return sort(true); }
bool WorkbookView::sortDescending() { return sort(false); }

bool WorkbookView::sort(bool ascending)
{
    if (!m_book) return false;
    const CellRange r = selectedRange();
    EditStep step(*m_book, tr("Sort"));
    step.watchCells(r);
    const EditResult result = m_book->sortRange(r, ascending, EditOrigin::User);
    m_grid->setFocus();
    if (!result) return refuse(result.message);
    step.commit();
    return true;
}

bool WorkbookView::fillDown() { return fill(true); }
bool WorkbookView::fillRight() { return fill(false); }

// The first row (or column) of the selection copied into the rest, relative
// references moving along, as in spreadsheets.
bool WorkbookView::fill(bool down)
{
    if (!m_book) return false;
    const CellRange r = selectedRange();
    if (down ? r.rows() < 2 : r.cols() < 2) return false;
    const CellRange target = down ? CellRange{r.top + 1, r.left, r.bottom, r.right}
                                  : CellRange{r.top, r.left + 1, r.bottom, r.right};
    if (const EditResult check = m_book->checkEditable(target, EditOrigin::User); !check)
        return refuse(check.message);
    EditStep step(*m_book, down ? tr("Fill Down") : tr("Fill Right"));
    step.watchCells(target);
    step.watchLayout();
    for (int row = target.top; row <= target.bottom; ++row)
        for (int col = target.left; col <= target.right; ++col) {
            const int fromRow = down ? r.top : row, fromCol = down ? col : r.left;
            const QString entry = m_book->entry(fromRow, fromCol);
            const QString moved = entry.startsWith(u'=') ? shiftFormula(entry, row - fromRow, col - fromCol) : entry;
            if (!m_book->setEntry(row, col, moved, EditOrigin::User))
                m_book->setText(row, col, moved, EditOrigin::User);
            m_book->setFormat(CellRange::cell(row, col), m_book->format(fromRow, fromCol), EditOrigin::User);
        }
    step.commit();
    return true;
}

// ---- Formats --------------------------------------------------------------------------

bool WorkbookView::changeSelectionFormat(const std::function<void(CellFormat &)> &change)
{
    if (!m_book) return false;
    const CellRange r = selectedRange();
    EditStep step(*m_book, tr("Format"));
    step.watchCells(r);
    step.watchLayout(); // rows grow to fit larger fonts
    const EditResult result = m_book->changeFormat(r, change, EditOrigin::User);
    if (!result) return refuse(result.message);
    step.commit();
    return true;
}

bool WorkbookView::toggleBold()
{
    if (!m_book) return false;
    const bool on = !m_book->format(m_book->activeCell().row, m_book->activeCell().col).bold;
    return changeSelectionFormat([on](CellFormat &f) { f.bold = on; });
}

bool WorkbookView::toggleItalic()
{
    if (!m_book) return false;
    const bool on = !m_book->format(m_book->activeCell().row, m_book->activeCell().col).italic;
    return changeSelectionFormat([on](CellFormat &f) { f.italic = on; });
}

bool WorkbookView::toggleUnderline()
{
    if (!m_book) return false;
    const bool on = !m_book->format(m_book->activeCell().row, m_book->activeCell().col).underline;
    return changeSelectionFormat([on](CellFormat &f) { f.underline = on; });
}

bool WorkbookView::setAlignment(HorizontalAlignment alignment)
{
    if (!m_book) return false;
    const CellRange r = selectedRange();
    if (alignment != HorizontalAlignment::MergeAndCenter)
        return changeSelectionFormat([alignment](CellFormat &f) { f.alignment = alignment; });
    if (const EditResult check = m_book->checkEditable(r, EditOrigin::User); !check)
        return refuse(check.message);
    EditStep step(*m_book, tr("Merge and Center"));
    step.watchCells(r);
    step.watchLayout();
    // Choosing it on a merged cell undoes the merge, as spreadsheets do.
    HorizontalAlignment chosen = alignment;
    if (const auto merge = m_book->mergeAt(r.top, r.left); merge && r.isSingleCell()) {
        m_book->unmergeCells(*merge);
        chosen = HorizontalAlignment::General;
    } else {
        m_book->mergeCells(r);
    }
    m_book->changeFormat(r, [chosen](CellFormat &f) { f.alignment = chosen; }, EditOrigin::User);
    step.commit();
    return true;
}

bool WorkbookView::setFontName(const QString &name)
{
    return changeSelectionFormat([name](CellFormat &f) { f.fontName = name; });
}

bool WorkbookView::setFontSize(double points)
{
    if (points < 1 || points > 409) return false;
    return changeSelectionFormat([points](CellFormat &f) { f.fontSize = points; });
}

bool WorkbookView::setFontColor(Rgb color)
{
    return changeSelectionFormat([color](CellFormat &f) { f.fontColor = color; });
}

bool WorkbookView::chooseFontColor()
{
    if (!m_book) return false;
    const CellFormat f = m_book->format(m_book->activeCell().row, m_book->activeCell().col);
    const auto chosen = platform::colorDialogs().chooseColor(this, QColor::fromRgb(QRgb(0xFF000000u | f.fontColor)));
    if (!chosen) return false; // cancelling leaves the colour as it was
    return setFontColor(Rgb(chosen->rgb() & 0xFFFFFF));
}

bool WorkbookView::numberFormatDialog()
{
    if (!m_book) return false;
    const CellFormat f = m_book->format(m_book->activeCell().row, m_book->activeCell().col);
    const auto code = viewDialogs().askNumberFormat(this, f.numberFormat);
    return code ? applyNumberFormat(*code) : false;
}

bool WorkbookView::formatCellsDialog()
{
    if (!m_book) return false;
    const auto change = viewDialogs().askFormatCells(this, m_book->format(m_book->activeCell().row, m_book->activeCell().col));
    if (!change) return false;
    const CellRange r = selectedRange();
    EditStep step(*m_book, tr("Format Cells"));
    step.watchCells(r);
    step.watchLayout();
    const EditResult result = m_book->changeFormat(r, *change, EditOrigin::User);
    if (!result) return refuse(result.message);
    step.commit();
    return true;
}

bool WorkbookView::applyNumberFormat(const QString &code)
{
    return changeSelectionFormat([code](CellFormat &f) { f.numberFormat = code.isEmpty() ? QStringLiteral("General") : code; });
}

// ---- Rows and columns ------------------------------------------------------------------

bool WorkbookView::rowHeightDialog()
{
    if (!m_book) return false;
    const CellRange r = selectedRange();
    const auto points = viewDialogs().askRowHeight(this, m_book->rowHeight(r.top) / 20.0);
    if (!points) return false;
    EditStep step(*m_book, tr("Row Height"));
    step.watchLayout();
    for (int row = r.top; row <= r.bottom; ++row)
        m_book->setRowHeight(row, int(std::lround(*points * 20)));
    step.commit();
    return true;
}

bool WorkbookView::columnWidthDialog()
{
    if (!m_book) return false;
    const CellRange r = selectedRange();
    // Characters of the default font: seven pixels each plus five of padding.
    const double chars = std::max(0.0, (m_book->columnWidth(r.left) / 15.0 - 5) / 7.0);
    const auto answer = viewDialogs().askColumnWidth(this, std::round(chars * 100) / 100);
    if (!answer) return false;
    const int twips = *answer <= 0 ? 0 : int(std::lround((*answer * 7 + 5) * 15));
    EditStep step(*m_book, tr("Column Width"));
    step.watchLayout();
    for (int col = r.left; col <= r.right; ++col)
        m_book->setColumnWidth(col, twips);
    step.commit();
    return true;
}

void WorkbookView::hideLines(bool rows, bool hidden)
{
    if (!m_book) return;
    // The whole rows or columns of the selection; the selection itself stays as it was.
    const CellRange r = m_book->firstSelectedRange();
    EditStep step(*m_book, hidden ? (rows ? tr("Hide Rows") : tr("Hide Columns"))
                                  : (rows ? tr("Unhide Rows") : tr("Unhide Columns")));
    step.watchLayout();
    if (rows)
        m_book->setRowsHidden(r.top, std::min(r.bottom, m_book->visibleRowLimit()), hidden);
    else
        m_book->setColumnsHidden(r.left, std::min(r.right, m_book->visibleColumnLimit()), hidden);
    step.commit();
}

void WorkbookView::hideRows() { hideLines(true, true); }
void WorkbookView::unhideRows() { hideLines(true, false); }
void WorkbookView::hideColumns() { hideLines(false, true); }
void WorkbookView::unhideColumns() { hideLines(false, false); }

// ---- Undo and redo ---------------------------------------------------------------------

bool WorkbookView::canUndo() const { return m_book && EditHistory::canUndo(*m_book); }
bool WorkbookView::canRedo() const { return m_book && EditHistory::canRedo(*m_book); }

bool WorkbookView::undo() { return stepHistory(false); }
bool WorkbookView::redo() { return stepHistory(true); }

bool WorkbookView::stepHistory(bool forward)
{
    if (forward ? !canRedo() : !canUndo()) return false;
    if (m_grid->isEditing()) m_grid->cancelEdit();
    if (forward) EditHistory::redo(*m_book);
    else EditHistory::undo(*m_book);
    // The changed cells are selected again: show them.
    const CellAddress a = m_book->activeCell();
    m_grid->scrollTo(a.row, a.col);
    return true;
}

// ---- Printing -----------------------------------------------------------------------------

QPrinter &WorkbookView::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

bool WorkbookView::printSetup()
{
    return platform::printDialogs().pageSetup(this, printer());
}

bool WorkbookView::print()
{
    if (!m_book) return false;
    std::optional<CellRange> area = m_book->printArea();
    if (!area) area = m_book->usedRange();
    if (!area) return false;
    platform::PrintRequest request;
    request.allowSelection = false;
    if (!platform::printDialogs().print(this, printer(), request))
        return false;
    printRange(*m_book, *area, printer());
    return true;
}

} // namespace qv::workbook
