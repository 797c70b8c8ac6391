#pragma once

#include "controls/workbook/CellAddress.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <functional>

class QPainter;

namespace qv::workbook {

class Workbook;

struct RenderOptions
{
    bool gridLines = false;
    QColor gridColor = QColor(0xD4, 0xD4, 0xD4);
    QColor background = Qt::white; // transparent to paint fills only
    // A red corner on input cells meant for a number that hold text (the
    // screen view; printed tables and pictures go without).
    bool markTextInNumberCells = false;
};

// Paints a range of one sheet (values as displayed, fonts, fills, borders,
// merges; hidden rows and columns left out) onto any QPainter: the screen
// view, printing and the table pictures of compilation all draw through it.
// Sizes are device units: `unitsPerTwip` is the scale (1/15 for a 96 dpi
// screen at 100%).
class SheetRenderer
{
public:
    SheetRenderer(const Workbook &book, int sheet, double unitsPerTwip);

    double columnWidth(int col) const; // 0 for a hidden column
    double rowHeight(int row) const;   // 0 for a hidden row
    QSizeF size(const CellRange &range) const;
    // The rectangle of a cell (or of its merged range) with the range's top left at `origin`.
    QRectF cellRect(const CellRange &range, QPointF origin, int row, int col) const;

    void paint(QPainter &painter, const CellRange &range, QPointF origin, const RenderOptions &options = {}) const;

    // Font point sizes for the painter's device so that text scales with the cells.
    double fontScale(const QPainter &painter) const;

private:
    void markTextInNumberCells(QPainter &painter, const CellRange &range,
                               const std::function<QRectF(int, int)> &rectOf) const;

    const Workbook &m_book;
    int m_sheet;
    double m_scale;
};

} // namespace qv::workbook
