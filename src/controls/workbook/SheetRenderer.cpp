#include "controls/workbook/SheetRenderer.h"

#include "controls/workbook/CellExplanations.h"
#include "controls/workbook/NumberFormat.h"
#include "controls/workbook/Workbook.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <vector>

namespace qv::workbook {

namespace {

QColor color(Rgb rgb)
{
    return QColor::fromRgb(QRgb(0xFF000000u | rgb));
}

QPen borderPen(const BorderLine &line, double unit)
{
    QPen pen(color(line.color));
    pen.setCapStyle(Qt::SquareCap);
    switch (line.style) {
    case BorderStyle::None: return QPen(Qt::NoPen);
    case BorderStyle::Thin: pen.setWidthF(std::max(1.0, unit)); break;
    case BorderStyle::Medium: pen.setWidthF(std::max(2.0, 2 * unit)); break;
    case BorderStyle::Thick: pen.setWidthF(std::max(3.0, 3 * unit)); break;
    case BorderStyle::Dashed: pen.setWidthF(std::max(1.0, unit)); pen.setStyle(Qt::DashLine); break;
    case BorderStyle::Dotted: pen.setWidthF(std::max(1.0, unit)); pen.setStyle(Qt::DotLine); break;
    case BorderStyle::Double: pen.setWidthF(std::max(3.0, 3 * unit)); break;
    }
    return pen;
}

} // namespace

SheetRenderer::SheetRenderer(const Workbook &book, int sheet, double unitsPerTwip)
    : m_book(book), m_sheet(sheet), m_scale(unitsPerTwip)
{
}

double SheetRenderer::columnWidth(int col) const
{
    const SheetData &s = m_book.sheetData(m_sheet);
    if (s.hiddenColumns.count(col) || (s.maxCol > 0 && col > s.maxCol))
        return 0;
    const auto w = s.columnWidths.find(col);
    return (w == s.columnWidths.end() ? defaultColumnWidth : w->second) * m_scale;
}

double SheetRenderer::rowHeight(int row) const
{
    const SheetData &s = m_book.sheetData(m_sheet);
    if (s.hiddenRows.count(row) || (s.maxRow > 0 && row > s.maxRow))
        return 0;
    const auto h = s.rowHeights.find(row);
    return (h == s.rowHeights.end() ? defaultRowHeight : h->second) * m_scale;
}

QSizeF SheetRenderer::size(const CellRange &range) const
{
    double w = 0, h = 0;
    for (int c = range.left; c <= range.right; ++c)
        w += columnWidth(c);
    for (int r = range.top; r <= range.bottom; ++r)
        h += rowHeight(r);
    return {w, h};
}

QRectF SheetRenderer::cellRect(const CellRange &range, QPointF origin, int row, int col) const
{
    CellRange cell = CellRange::cell(row, col);
    for (const CellRange &m : m_book.sheetData(m_sheet).merges)
        if (m.contains(row, col))
            cell = m;
    auto offsetX = [&](int col) {
        double x = 0;
        if (col >= range.left)
            for (int c = range.left; c < col; ++c) x += columnWidth(c);
        else
            for (int c = col; c < range.left; ++c) x -= columnWidth(c);
        return x;
    };
    auto offsetY = [&](int row) {
        double y = 0;
        if (row >= range.top)
            for (int r = range.top; r < row; ++r) y += rowHeight(r);
        else
            for (int r = row; r < range.top; ++r) y -= rowHeight(r);
        return y;
    };
    const double x = offsetX(cell.left), y = offsetY(cell.top);
    double w = 0, h = 0;
    for (int c = cell.left; c <= cell.right; ++c) w += columnWidth(c);
    for (int r = cell.top; r <= cell.bottom; ++r) h += rowHeight(r);
    return {origin.x() + x, origin.y() + y, w, h};
}

double SheetRenderer::fontScale(const QPainter &painter) const
{
    // One point is 20 twips; device units per point, in the device's own points.
    const double dpi = painter.device() ? painter.device()->logicalDpiY() : 96.0;
    return m_scale * 20.0 * 72.0 / dpi;
}

void SheetRenderer::paint(QPainter &painter, const CellRange &range, QPointF origin, const RenderOptions &options) const
{
    const SheetData &sheet = m_book.sheetData(m_sheet);
    painter.save();
    std::vector<double> xs{origin.x()}, ys{origin.y()};
    for (int c = range.left; c <= range.right; ++c) xs.push_back(xs.back() + columnWidth(c));
    for (int r = range.top; r <= range.bottom; ++r) ys.push_back(ys.back() + rowHeight(r));
    const QRectF area(QPointF(xs.front(), ys.front()), QPointF(xs.back(), ys.back()));
    painter.setClipRect(area, Qt::IntersectClip);
    if (options.background.alpha() > 0)
        painter.fillRect(area, options.background);

    auto rectOf = [&](int r, int c) {
        return QRectF(QPointF(xs[std::size_t(c - range.left)], ys[std::size_t(r - range.top)]),
                      QPointF(xs[std::size_t(c - range.left + 1)], ys[std::size_t(r - range.top + 1)]));
    };
    auto mergeOf = [&](int r, int c) -> const CellRange * {
        for (const CellRange &m : sheet.merges)
            if (m.contains(r, c)) return &m;
        return nullptr;
    };

    // Fills.
    sheet.forEachCell(range, [&](int r, int c, const Cell &cell) {
        const CellFormat &f = m_book.formats().at(cell.format);
        if (!f.hasFill) return;
        const CellRange *m = mergeOf(r, c);
        painter.fillRect(m ? cellRect(range, origin, r, c) : rectOf(r, c), color(f.fillColor));
    });

    // Grid lines, broken by merges.
    if (options.gridLines) {
        QPen grid(options.gridColor);
        grid.setWidth(0);
        painter.setPen(grid);
        for (int c = range.left; c <= range.right; ++c) {
            if (columnWidth(c) == 0) continue;
            const double x = xs[std::size_t(c - range.left + 1)] - 0.5;
            for (int r = range.top; r <= range.bottom; ++r) {
                if (rowHeight(r) == 0) continue;
                const CellRange *m = mergeOf(r, c);
                if (m && c < m->right) continue;
                painter.drawLine(QPointF(x, ys[std::size_t(r - range.top)]), QPointF(x, ys[std::size_t(r - range.top + 1)]));
            }
        }
        for (int r = range.top; r <= range.bottom; ++r) {
            if (rowHeight(r) == 0) continue;
            const double y = ys[std::size_t(r - range.top + 1)] - 0.5;
            for (int c = range.left; c <= range.right; ++c) {
                if (columnWidth(c) == 0) continue;
                const CellRange *m = mergeOf(r, c);
                if (m && r < m->bottom) continue;
                painter.drawLine(QPointF(xs[std::size_t(c - range.left)], y), QPointF(xs[std::size_t(c - range.left + 1)], y));
            }
        }
    }

    // Text. Cells to the left of the range may overflow into it, so the
    // scan starts a few columns earlier.
    const double fontScaleFactor = fontScale(painter);
    const double padding = 2 * m_scale * 15; // two screen pixels at 100%
    CellRange textRange = range;
    textRange.left = std::max(1, range.left - 16);
    sheet.forEachCell(textRange, [&](int r, int c, const Cell &) {
        if (rowHeight(r) == 0 || columnWidth(c) == 0) return;
        const CellRange *m = mergeOf(r, c);
        if (m && (m->top != r || m->left != c)) return; // merged cells show the top left cell
        const Value &v = m_book.storedValue(m_sheet, r, c);
        if (v.isEmpty()) return;
        const CellFormat &f = m_book.formatOf(m_sheet, r, c);
        const DisplayText shown = formatValue(v, f.numberFormat);
        if (shown.text.isEmpty()) return;
        QRectF rect = cellRect(range, origin, r, c);
        if (c < range.left && rect.right() <= origin.x() && !(v.isText() && !f.wrap)) return;

        QFont font(f.fontName);
        font.setPointSizeF(std::max(1.0, f.fontSize * fontScaleFactor));
        font.setBold(f.bold);
        font.setItalic(f.italic);
        font.setUnderline(f.underline);
        painter.setFont(font);
        painter.setPen(shown.color ? color(*shown.color) : color(f.fontColor));
        const QFontMetricsF metrics(font, painter.device());

        HorizontalAlignment align = f.alignment;
        if (align == HorizontalAlignment::General)
            align = v.isNumber() ? HorizontalAlignment::Right
                    : (v.isBoolean() || v.isError()) ? HorizontalAlignment::Center : HorizontalAlignment::Left;
        Qt::Alignment flags = Qt::AlignBottom;
        if (f.verticalAlignment == VerticalAlignment::Center) flags = Qt::AlignVCenter;
        if (f.verticalAlignment == VerticalAlignment::Top) flags = Qt::AlignTop;
        switch (align) {
        case HorizontalAlignment::Left: flags |= Qt::AlignLeft; break;
        case HorizontalAlignment::Right: flags |= Qt::AlignRight; break;
        default: flags |= Qt::AlignHCenter; break;
        }
        QString text = shown.text;
        QRectF textRect = rect.adjusted(padding, 0, -padding, -padding / 2);
        const double needed = metrics.horizontalAdvance(text);
        int textFlags = 0;
        if (f.wrap) {
            textFlags = Qt::TextWordWrap;
        } else if (needed > textRect.width()) {
            if (v.isNumber()) {
                // Numbers never show cut: the cell fills with # as spreadsheets do.
                const double hash = metrics.horizontalAdvance(u'#');
                text = QString(std::max(1, int(textRect.width() / std::max(hash, 0.1))), u'#');
            } else if (!m) {
                // Text runs on over empty neighbours.
                int last = c;
                double width = rect.width();
                while (width - 2 * padding < needed && last < maxColumns) {
                    const Cell *next = sheet.cell(r, last + 1);
                    if ((next && !next->isBlank()) || mergeOf(r, last + 1)) break;
                    ++last;
                    width += columnWidth(last);
                    if (last > range.right + 64) break;
                }
                if (align == HorizontalAlignment::Left)
                    textRect.setWidth(width - 2 * padding);
            }
        }
        painter.drawText(textRect, int(flags) | textFlags, text);
    });

    // Borders, drawn last so that fills do not cover them.
    const double unit = m_scale * 15;
    sheet.forEachCell(range, [&](int r, int c, const Cell &cell) {
        const CellFormat &f = m_book.formats().at(cell.format);
        if (f.left.style == BorderStyle::None && f.right.style == BorderStyle::None && f.top.style == BorderStyle::None
            && f.bottom.style == BorderStyle::None)
            return;
        if (rowHeight(r) == 0 || columnWidth(c) == 0) return;
        const QRectF rect = rectOf(r, c);
        auto line = [&](const BorderLine &b, QPointF a, QPointF z) {
            if (b.style == BorderStyle::None) return;
            painter.setPen(borderPen(b, unit));
            painter.drawLine(a, z);
        };
        line(f.left, rect.topLeft(), rect.bottomLeft());
        line(f.right, rect.topRight() - QPointF(0.5, 0), rect.bottomRight() - QPointF(0.5, 0));
        line(f.top, rect.topLeft(), rect.topRight());
        line(f.bottom, rect.bottomLeft() - QPointF(0, 0.5), rect.bottomRight() - QPointF(0, 0.5));
    });
    if (options.markTextInNumberCells)
        markTextInNumberCells(painter, range, rectOf);
    painter.restore();
}

void SheetRenderer::markTextInNumberCells(QPainter &painter, const CellRange &range,
                                          const std::function<QRectF(int, int)> &rectOf) const
{
    const SheetData &sheet = m_book.sheetData(m_sheet);
    sheet.forEachCell(range, [&](int r, int c, const Cell &cell) {
        if (rowHeight(r) == 0 || columnWidth(c) == 0 || cell.formula >= 0 || !cell.value.isText())
            return;
        const CellFormat &f = m_book.formatOf(m_sheet, r, c);
        if ((f.locked && sheet.isProtected) || !expectsNumber(f))
            return;
        const QRectF rect = rectOf(r, c);
        const double side = std::min(rect.height() / 2.5, 7 * m_scale * 15);
        const QPointF corner = rect.topRight();
        const QPointF triangle[3] = {corner, corner - QPointF(side, 0), corner + QPointF(0, side)};
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xD0, 0x20, 0x20));
        painter.drawPolygon(triangle, 3);
    });
}

} // namespace qv::workbook
