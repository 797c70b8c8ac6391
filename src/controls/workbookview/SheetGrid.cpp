#include "controls/workbookview/SheetGrid.h"

#include "controls/workbook/EditHistory.h"
#include "controls/workbook/SheetRenderer.h"
#include "controls/workbook/Workbook.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>

#include <cmath>

namespace qv::workbook {

namespace {
const QColor headingFill(0xF3, 0xF3, 0xF3);
const QColor headingSelected(0xD3, 0xE3, 0xF8);
const QColor headingLine(0xC0, 0xC0, 0xC0);
const QColor selectionFill(0x1A, 0x73, 0xE8, 40);
const QColor selectionEdge(0x1A, 0x73, 0xE8);
} // namespace

SheetGrid::SheetGrid(QWidget *parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    m_editor = new QLineEdit(viewport());
    m_editor->setObjectName(QStringLiteral("cellEditor"));
    m_editor->setFrame(false);
    m_editor->hide();
    m_editor->installEventFilter(this);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(1);
}

SheetGrid::~SheetGrid() = default;

void SheetGrid::setWorkbook(Workbook *book)
{
    cancelEdit();
    disconnect(m_displayConnection);
    disconnect(m_selectionConnection);
    m_book = book;
    m_firstRow = m_firstCol = 1;
    if (book) {
        m_displayConnection = connect(book, &Workbook::displayChanged, this, [this] {
            updateScrollBars();
            viewport()->update();
        });
        m_selectionConnection = connect(book, &Workbook::selectionChanged, viewport(), qOverload<>(&QWidget::update));
    }
    updateScrollBars();
    viewport()->update();
}

void SheetGrid::setShowRowHeadings(bool on) { m_rowHeadings = on; viewport()->update(); }
void SheetGrid::setShowColumnHeadings(bool on) { m_columnHeadings = on; viewport()->update(); }
void SheetGrid::setShowGridLines(bool on) { m_gridLines = on; viewport()->update(); }
void SheetGrid::setShowSelection(bool on) { m_selectionShown = on; viewport()->update(); }
void SheetGrid::setBackgroundColor(const QColor &color) { m_background = color; viewport()->update(); }

double SheetGrid::unitsPerTwip() const
{
    const double zoom = m_book ? m_book->viewScale() / 100.0 : 1.0;
    return zoom * logicalDpiX() / 1440.0;
}

int SheetGrid::rowHeadingWidth() const
{
    if (!m_rowHeadings) return 0;
    const QFontMetrics fm(font());
    return fm.horizontalAdvance(QString::number(std::max(lastVisibleRow(), 999))) + 12;
}

int SheetGrid::columnHeadingHeight() const
{
    return m_columnHeadings ? QFontMetrics(font()).height() + 6 : 0;
}

double SheetGrid::rowPixels(int row) const
{
    return m_book ? SheetRenderer(*m_book, m_book->activeSheet(), unitsPerTwip()).rowHeight(row) : 0;
}

double SheetGrid::columnPixels(int col) const
{
    return m_book ? SheetRenderer(*m_book, m_book->activeSheet(), unitsPerTwip()).columnWidth(col) : 0;
}

int SheetGrid::lastVisibleRow() const
{
    int row = m_firstRow;
    double y = 0;
    const double height = viewport()->height();
    while (y < height && row < maxRows) {
        y += rowPixels(row);
        if (y < height) ++row;
    }
    return row;
}

int SheetGrid::lastVisibleColumn() const
{
    int col = m_firstCol;
    double x = rowHeadingWidth();
    const double width = viewport()->width();
    const int limit = m_book ? m_book->visibleColumnLimit() : maxColumns;
    while (x < width && col < limit) {
        x += columnPixels(col);
        if (x < width) ++col;
    }
    return col;
}

void SheetGrid::updateScrollBars()
{
    if (!m_book) return;
    // The scroll range follows the content and the active cell, with room to grow, as in spreadsheets.
    const int rows = std::min(m_book->visibleRowLimit(), std::max({m_book->lastRow(), m_book->activeCell().row, m_firstRow}) + 50);
    const int cols = std::min(m_book->visibleColumnLimit(), std::max({m_book->lastCol(), m_book->activeCell().col, m_firstCol}) + 10);
    verticalScrollBar()->setRange(1, std::max(1, rows));
    verticalScrollBar()->setPageStep(std::max(1, lastVisibleRow() - m_firstRow));
    horizontalScrollBar()->setRange(1, std::max(1, cols));
    horizontalScrollBar()->setPageStep(std::max(1, lastVisibleColumn() - m_firstCol));
    verticalScrollBar()->setValue(m_firstRow);
    horizontalScrollBar()->setValue(m_firstCol);
}

void SheetGrid::scrollContentsBy(int, int)
{
    m_firstRow = std::max(1, verticalScrollBar()->value());
    m_firstCol = std::max(1, horizontalScrollBar()->value());
    placeEditor();
    viewport()->update();
}

void SheetGrid::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

QRect SheetGrid::cellRect(int row, int col) const
{
    if (!m_book || row < m_firstRow || col < m_firstCol) return {};
    double x = rowHeadingWidth(), y = columnHeadingHeight();
    for (int c = m_firstCol; c < col; ++c) {
        x += columnPixels(c);
        if (x > viewport()->width()) return {};
    }
    for (int r = m_firstRow; r < row; ++r) {
        y += rowPixels(r);
        if (y > viewport()->height()) return {};
    }
    double w = 0, h = 0;
    CellRange cell = CellRange::cell(row, col);
    if (const auto merge = m_book->mergeAt(row, col)) cell = *merge;
    for (int c = col; c <= cell.right; ++c) w += columnPixels(c);
    for (int r = row; r <= cell.bottom; ++r) h += rowPixels(r);
    return QRectF(x, y, w, h).toAlignedRect();
}

CellAddress SheetGrid::cellAt(QPoint pos) const
{
    CellAddress a{0, 0};
    if (!m_book) return a;
    if (pos.x() >= rowHeadingWidth()) {
        double x = rowHeadingWidth();
        int col = m_firstCol;
        const int limit = m_book->visibleColumnLimit();
        while (col < limit && x + columnPixels(col) <= pos.x()) x += columnPixels(col++);
        a.col = col;
    }
    if (pos.y() >= columnHeadingHeight()) {
        double y = columnHeadingHeight();
        int row = m_firstRow;
        const int limit = m_book->visibleRowLimit();
        while (row < limit && y + rowPixels(row) <= pos.y()) y += rowPixels(row++);
        a.row = row;
    }
    return a;
}

void SheetGrid::paintEvent(QPaintEvent *)
{
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), m_background);
    if (!m_book) return;
    const int sheet = m_book->activeSheet();
    const SheetRenderer renderer(*m_book, sheet, unitsPerTwip());
    const int headW = rowHeadingWidth(), headH = columnHeadingHeight();
    const int lastRow = lastVisibleRow(), lastCol = lastVisibleColumn();
    const CellRange visible{m_firstRow, m_firstCol, std::max(m_firstRow, lastRow), std::max(m_firstCol, lastCol)};
    const QPointF origin(headW, headH);

    p.save();
    p.setClipRect(QRect(headW, headH, viewport()->width() - headW, viewport()->height() - headH));
    RenderOptions options;
    options.gridLines = m_gridLines && m_book->viewSettings().showGridLines;
    options.background = m_background;
    options.markTextInNumberCells = m_selectionShown; // not on a picture of the table
    renderer.paint(p, visible, origin, options);

    // Selection: a tint over the ranges, the active cell left clear, an edge around the first range.
    const Selection &sel = m_book->selection();
    if (m_selectionShown) {
        for (const CellRange &r : sel.ranges) {
            const CellRange shown{std::max(r.top, visible.top), std::max(r.left, visible.left),
                                  std::min(r.bottom, visible.bottom), std::min(r.right, visible.right)};
            if (shown.bottom < shown.top || shown.right < shown.left) continue;
            const QRectF first = renderer.cellRect(visible, origin, shown.top, shown.left);
            const QRectF last = renderer.cellRect(visible, origin, shown.bottom, shown.right);
            const QRectF area(first.topLeft(), last.bottomRight());
            if (!r.isSingleCell()) p.fillRect(area, selectionFill);
            if (&r == &sel.ranges.front()) {
                QRectF edge(renderer.cellRect(visible, origin, r.top, r.left).topLeft(),
                            renderer.cellRect(visible, origin, r.bottom, r.right).bottomRight());
                QPen pen(selectionEdge, 2);
                pen.setJoinStyle(Qt::MiterJoin);
                p.setPen(pen);
                p.setBrush(Qt::NoBrush);
                p.drawRect(edge.adjusted(1, 1, -1, -1));
            }
        }
        if (sel.active.row >= visible.top && sel.active.col >= visible.left) {
            const QRectF active = renderer.cellRect(visible, origin, sel.active.row, sel.active.col);
            if (!sel.ranges.front().isSingleCell()) {
                p.fillRect(active.adjusted(1, 1, -1, -1), m_background);
                SheetRenderer(*m_book, sheet, unitsPerTwip())
                    .paint(p, CellRange::cell(sel.active.row, sel.active.col), active.topLeft(), RenderOptions{false, {}, Qt::transparent});
            }
            p.setPen(QPen(selectionEdge, 2));
            p.drawRect(active.adjusted(1, 1, -1, -1));
        }
    }
    p.restore();

    // Headings.
    const QFont headingFont = font();
    p.setFont(headingFont);
    auto selectedRow = [&](int r) { if (!m_selectionShown) return false; for (const auto &s : sel.ranges) if (r >= s.top && r <= s.bottom) return true; return false; };
    auto selectedCol = [&](int c) { if (!m_selectionShown) return false; for (const auto &s : sel.ranges) if (c >= s.left && c <= s.right) return true; return false; };
    if (headH > 0) {
        double x = headW;
        p.fillRect(QRect(headW, 0, viewport()->width() - headW, headH), headingFill);
        for (int c = m_firstCol; c <= visible.right; ++c) {
            const double w = columnPixels(c);
            if (w <= 0) continue;
            const QRectF cell(x, 0, w, headH);
            if (selectedCol(c)) p.fillRect(cell, headingSelected);
            p.setPen(headingLine);
            p.drawLine(QPointF(x + w - 0.5, 0), QPointF(x + w - 0.5, headH));
            p.setPen(palette().color(QPalette::WindowText));
            p.drawText(cell, Qt::AlignCenter, columnName(c));
            x += w;
        }
        p.setPen(headingLine);
        p.drawLine(QPointF(0, headH - 0.5), QPointF(viewport()->width(), headH - 0.5));
    }
    if (headW > 0) {
        double y = headH;
        p.fillRect(QRect(0, headH, headW, viewport()->height() - headH), headingFill);
        for (int r = m_firstRow; r <= visible.bottom; ++r) {
            const double h = rowPixels(r);
            if (h <= 0) continue;
            const QRectF cell(0, y, headW, h);
            if (selectedRow(r)) p.fillRect(cell, headingSelected);
            p.setPen(headingLine);
            p.drawLine(QPointF(0, y + h - 0.5), QPointF(headW, y + h - 0.5));
            p.setPen(palette().color(QPalette::WindowText));
            p.drawText(cell, Qt::AlignCenter, QString::number(r));
            y += h;
        }
        p.setPen(headingLine);
        p.drawLine(QPointF(headW - 0.5, 0), QPointF(headW - 0.5, viewport()->height()));
    }
    if (headW > 0 && headH > 0)
        p.fillRect(QRect(0, 0, headW - 1, headH - 1), headingFill);
}

// ---- Moving around ---------------------------------------------------------------

int SheetGrid::stepRow(int row, int delta) const
{
    const int limit = m_book->visibleRowLimit();
    int r = row;
    for (int step = 0; step < std::abs(delta); ++step) {
        int next = r + (delta > 0 ? 1 : -1);
        while (next >= 1 && next <= limit && m_book->isRowHidden(next)) next += delta > 0 ? 1 : -1;
        if (next < 1 || next > limit) break;
        r = next;
    }
    return r;
}

int SheetGrid::stepColumn(int col, int delta) const
{
    const int limit = m_book->visibleColumnLimit();
    int c = col;
    for (int step = 0; step < std::abs(delta); ++step) {
        int next = c + (delta > 0 ? 1 : -1);
        while (next >= 1 && next <= limit && m_book->isColumnHidden(next)) next += delta > 0 ? 1 : -1;
        if (next < 1 || next > limit) break;
        c = next;
    }
    return c;
}

void SheetGrid::selectTo(CellAddress cell, bool extend)
{
    if (!extend) {
        m_anchor = cell;
        m_book->setActiveCell(cell.row, cell.col);
    } else {
        Selection s;
        s.ranges = {CellRange::spanning(m_anchor, cell)};
        s.active = m_anchor;
        m_book->setSelection(s);
    }
    scrollTo(cell.row, cell.col);
}

void SheetGrid::moveActive(int dRow, int dCol, bool extend, bool jump)
{
    if (!m_book) return;
    // Shift extends from the anchor; the moving corner is the one opposite it.
    CellAddress from = m_book->activeCell();
    if (extend) {
        const CellRange r = m_book->firstSelectedRange();
        from = {r.top == m_anchor.row ? r.bottom : r.top, r.left == m_anchor.col ? r.right : r.left};
    } else {
        m_anchor = from;
        if (const auto merge = m_book->mergeAt(from.row, from.col)) {
            if (dRow > 0) from.row = merge->bottom;
            if (dCol > 0) from.col = merge->right;
        }
    }
    CellAddress to = from;
    if (jump) {
        // Ctrl+arrow: to the edge of the data, or the sheet's edge.
        const int lastRow = std::max(m_book->lastRow(), 1), lastCol = std::max(m_book->lastCol(), 1);
        if (dRow > 0) to.row = from.row < lastRow ? lastRow : m_book->visibleRowLimit();
        if (dRow < 0) to.row = 1;
        if (dCol > 0) to.col = from.col < lastCol ? lastCol : m_book->visibleColumnLimit();
        if (dCol < 0) to.col = 1;
        if (m_book->isRowHidden(to.row)) to.row = stepRow(to.row, dRow > 0 ? -1 : 1);
        if (m_book->isColumnHidden(to.col)) to.col = stepColumn(to.col, dCol > 0 ? -1 : 1);
    } else {
        to.row = stepRow(from.row, dRow);
        to.col = stepColumn(from.col, dCol);
    }
    selectTo(to, extend);
    emit cellClicked(m_book->activeCell().row, m_book->activeCell().col);
}

void SheetGrid::goHome()
{
    if (!m_book) return;
    const int row = m_book->isRowHidden(1) ? stepRow(1, 1) : 1;
    const int col = m_book->isColumnHidden(1) ? stepColumn(1, 1) : 1;
    m_firstRow = 1;
    m_firstCol = 1;
    m_anchor = {row, col};
    m_book->setActiveCell(row, col);
    updateScrollBars();
    viewport()->update();
}

void SheetGrid::scrollTo(int row, int col)
{
    if (row < m_firstRow) m_firstRow = row;
    if (col < m_firstCol) m_firstCol = col;
    while (row > m_firstRow && row >= lastVisibleRow()) ++m_firstRow;
    while (col > m_firstCol && col >= lastVisibleColumn()) ++m_firstCol;
    updateScrollBars();
    placeEditor();
    viewport()->update();
}

// ---- Mouse -------------------------------------------------------------------------

int SheetGrid::resizeHandleColumn(QPoint pos) const
{
    if (!m_columnHeadings || pos.y() >= columnHeadingHeight()) return 0;
    double x = rowHeadingWidth();
    for (int c = m_firstCol; c <= lastVisibleColumn(); ++c) {
        x += columnPixels(c);
        if (std::abs(pos.x() - x) <= 3) return c;
    }
    return 0;
}

int SheetGrid::resizeHandleRow(QPoint pos) const
{
    if (!m_rowHeadings || pos.x() >= rowHeadingWidth()) return 0;
    double y = columnHeadingHeight();
    for (int r = m_firstRow; r <= lastVisibleRow(); ++r) {
        y += rowPixels(r);
        if (std::abs(pos.y() - y) <= 2) return r;
    }
    return 0;
}

void SheetGrid::mousePressEvent(QMouseEvent *event)
{
    if (!m_book) return;
    if (isEditing() && !commitEdit()) return;
    setFocus(Qt::MouseFocusReason);
    const QPoint pos = event->position().toPoint();
    const CellAddress cell = cellAt(pos);
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    if (event->button() == Qt::RightButton) {
        // A right click outside the selection selects the cell first.
        bool inside = false;
        for (const CellRange &r : m_book->selection().ranges)
            if (cell.row && cell.col && r.contains(cell.row, cell.col)) inside = true;
        if (!inside && cell.row && cell.col) selectTo(cell, false);
        emit rightClicked(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    if (const int c = resizeHandleColumn(pos)) {
        m_drag = Drag::ResizeColumn;
        m_resize = std::make_unique<EditStep>(*m_book, tr("Column Width"));
        m_resize->watchLayout();
        m_resizeIndex = c;
        m_resizeStart = pos.x() - int(columnPixels(c));
        return;
    }
    if (const int r = resizeHandleRow(pos)) {
        m_drag = Drag::ResizeRow;
        m_resize = std::make_unique<EditStep>(*m_book, tr("Row Height"));
        m_resize->watchLayout();
        m_resizeIndex = r;
        m_resizeStart = pos.y() - int(rowPixels(r));
        return;
    }
    if (cell.row == 0 && cell.col == 0) { // the corner: everything
        m_book->setSelection(CellRange{1, 1, m_book->visibleRowLimit(), m_book->visibleColumnLimit()});
        return;
    }
    if (cell.row == 0) {
        m_drag = Drag::Columns;
        if (!shift) m_anchor = {m_firstRow, cell.col};
        Selection s;
        s.ranges = {CellRange{1, std::min(m_anchor.col, cell.col), maxRows, std::max(m_anchor.col, cell.col)}};
        s.active = {m_firstRow, m_anchor.col};
        m_book->setSelection(s);
        return;
    }
    if (cell.col == 0) {
        m_drag = Drag::Rows;
        if (!shift) m_anchor = {cell.row, m_firstCol};
        Selection s;
        s.ranges = {CellRange{std::min(m_anchor.row, cell.row), 1, std::max(m_anchor.row, cell.row), maxColumns}};
        s.active = {m_anchor.row, m_firstCol};
        m_book->setSelection(s);
        return;
    }
    m_drag = Drag::Cells;
    selectTo(cell, shift);
    emit cellClicked(cell.row, cell.col);
}

void SheetGrid::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (m_drag == Drag::None) {
        viewport()->setCursor(resizeHandleColumn(pos) ? Qt::SplitHCursor : resizeHandleRow(pos) ? Qt::SplitVCursor : Qt::ArrowCursor);
        return;
    }
    if (!m_book) return;
    const double perTwip = unitsPerTwip();
    if (m_drag == Drag::ResizeColumn) {
        m_book->setColumnWidth(m_resizeIndex, int(std::max(0, pos.x() - m_resizeStart) / perTwip));
        return;
    }
    if (m_drag == Drag::ResizeRow) {
        m_book->setRowHeight(m_resizeIndex, int(std::max(0, pos.y() - m_resizeStart) / perTwip));
        return;
    }
    CellAddress cell = cellAt(pos);
    if (m_drag == Drag::Cells && cell.row && cell.col) {
        Selection s;
        s.ranges = {CellRange::spanning(m_anchor, cell)};
        s.active = m_anchor;
        m_book->setSelection(s);
    } else if (m_drag == Drag::Columns && cell.col) {
        Selection s;
        s.ranges = {CellRange{1, std::min(m_anchor.col, cell.col), maxRows, std::max(m_anchor.col, cell.col)}};
        s.active = m_anchor;
        m_book->setSelection(s);
    } else if (m_drag == Drag::Rows && cell.row) {
        Selection s;
        s.ranges = {CellRange{std::min(m_anchor.row, cell.row), 1, std::max(m_anchor.row, cell.row), maxColumns}};
        s.active = m_anchor;
        m_book->setSelection(s);
    }
}

void SheetGrid::mouseReleaseEvent(QMouseEvent *)
{
    m_drag = Drag::None;
    if (m_resize && m_book) m_resize->commit();
    m_resize.reset();
}

void SheetGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    const CellAddress cell = cellAt(event->position().toPoint());
    if (cell.row && cell.col)
        startEditing();
}

void SheetGrid::wheelEvent(QWheelEvent *event)
{
    const int steps = -event->angleDelta().y() / 40;
    if (event->modifiers() & Qt::ShiftModifier)
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + steps);
    else
        verticalScrollBar()->setValue(std::max(1, verticalScrollBar()->value() + steps));
    if (verticalScrollBar()->value() >= verticalScrollBar()->maximum() - 1 && steps > 0)
        verticalScrollBar()->setMaximum(verticalScrollBar()->maximum() + steps);
}

// ---- Keyboard and editing -------------------------------------------------------------

void SheetGrid::keyPressEvent(QKeyEvent *event)
{
    if (!m_book) return;
    bool handled = false;
    emit keyCommand(event, &handled); // the view's shortcuts (copy, paste, delete)
    if (handled) return;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const int page = std::max(1, lastVisibleRow() - m_firstRow);
    switch (event->key()) {
    case Qt::Key_Up: moveActive(-1, 0, shift, ctrl); return;
    case Qt::Key_Down: moveActive(1, 0, shift, ctrl); return;
    case Qt::Key_Left: moveActive(0, -1, shift, ctrl); return;
    case Qt::Key_Right: moveActive(0, 1, shift, ctrl); return;
    case Qt::Key_PageUp: moveActive(-page, 0, shift); return;
    case Qt::Key_PageDown: moveActive(page, 0, shift); return;
    case Qt::Key_Tab: moveActive(0, 1, false); return;
    case Qt::Key_Backtab: moveActive(0, -1, false); return;
    case Qt::Key_Return:
    case Qt::Key_Enter: moveActive(shift ? -1 : 1, 0, false); return;
    case Qt::Key_Home:
        if (ctrl) goHome();
        else selectTo({m_book->activeCell().row, 1}, shift);
        return;
    case Qt::Key_End:
        if (ctrl) selectTo({std::max(1, m_book->lastRow()), std::max(1, m_book->lastCol())}, shift);
        return;
    case Qt::Key_F2: startEditing(); return;
    case Qt::Key_A:
        if (ctrl) {
            m_book->setSelection(CellRange{1, 1, m_book->visibleRowLimit(), m_book->visibleColumnLimit()});
            return;
        }
        break;
    default: break;
    }
    const QString text = event->text();
    if (!ctrl && !text.isEmpty() && text[0].isPrint()) {
        startEditing(text, true);
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void SheetGrid::startEditing(const QString &initial, bool replace)
{
    if (!m_book) return;
    const CellAddress a = m_book->activeCell();
    if (const EditResult check = m_book->checkEditable(CellRange::cell(a.row, a.col), EditOrigin::User); !check) {
        emit editRefused(check.message);
        return;
    }
    m_editCell = a;
    scrollTo(a.row, a.col);
    const CellFormat f = m_book->format(a.row, a.col);
    QFont font(f.fontName);
    font.setPointSizeF(std::max(1.0, f.fontSize * m_book->viewScale() / 100.0));
    font.setBold(f.bold);
    font.setItalic(f.italic);
    m_editor->setFont(font);
    m_editor->setText(replace ? initial : m_book->entry(a.row, a.col));
    placeEditor();
    m_editor->show();
    m_editor->setFocus();
    m_editor->end(false);
}

bool SheetGrid::isEditing() const
{
    return m_editor->isVisible();
}

void SheetGrid::placeEditor()
{
    if (!m_editor->isVisible()) return;
    const QRect r = cellRect(m_editCell.row, m_editCell.col);
    if (r.isEmpty()) {
        m_editor->setGeometry(-1000, -1000, 10, 10);
        return;
    }
    const int width = std::max(r.width(), m_editor->fontMetrics().horizontalAdvance(m_editor->text()) + 12);
    m_editor->setGeometry(r.x() + 1, r.y() + 1, std::min(width, viewport()->width() - r.x()) - 2, r.height() - 2);
}

bool SheetGrid::commitEdit()
{
    if (!isEditing() || !m_book) return true;
    EditStep step(*m_book, tr("Typing"));
    step.watchCells(CellRange::cell(m_editCell.row, m_editCell.col));
    const EditResult result = m_book->setEntry(m_editCell.row, m_editCell.col, m_editor->text(), EditOrigin::User);
    if (!result) {
        emit editRefused(result.message);
        return false;
    }
    step.commit();
    m_editor->hide();
    setFocus();
    emit editCommitted(m_editCell.row, m_editCell.col);
    return true;
}

void SheetGrid::cancelEdit()
{
    if (!m_editor->isVisible()) return;
    m_editor->hide();
    setFocus();
}

bool SheetGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_editor && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        switch (key->key()) {
        case Qt::Key_Escape: cancelEdit(); return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (commitEdit()) moveActive((key->modifiers() & Qt::ShiftModifier) ? -1 : 1, 0, false);
            return true;
        case Qt::Key_Tab:
            if (commitEdit()) moveActive(0, 1, false);
            return true;
        case Qt::Key_Backtab:
            if (commitEdit()) moveActive(0, -1, false);
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
            // As in spreadsheets: arrows finish a fresh entry and move on.
            if (commitEdit()) moveActive(key->key() == Qt::Key_Up ? -1 : 1, 0, false);
            return true;
        default: break;
        }
    }
    if (watched == m_editor && event->type() == QEvent::KeyRelease)
        placeEditor();
    return QAbstractScrollArea::eventFilter(watched, event);
}

} // namespace qv::workbook
