#include "controls/workbookview/SheetPrinter.h"

#include "controls/workbook/SheetRenderer.h"
#include "controls/workbook/Workbook.h"

#include <QPainter>
#include <QPrinter>

namespace qv::workbook {

void printRange(const Workbook &book, const CellRange &range, QPrinter &printer)
{
    QPainter painter(&printer);
    if (!painter.isActive())
        return;
    const double perTwip = printer.resolution() / 1440.0;
    const SheetRenderer renderer(book, book.activeSheet(), perTwip);
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double pageW = page.width(), pageH = page.height();
    // Cut the range into page-sized blocks of whole rows and columns.
    std::vector<std::pair<int, int>> columnBlocks, rowBlocks;
    for (int c = range.left; c <= range.right;) {
        int end = c;
        double w = renderer.columnWidth(c);
        while (end + 1 <= range.right && w + renderer.columnWidth(end + 1) <= pageW) w += renderer.columnWidth(++end);
        columnBlocks.emplace_back(c, end);
        c = end + 1;
    }
    for (int r = range.top; r <= range.bottom;) {
        int end = r;
        double h = renderer.rowHeight(r);
        while (end + 1 <= range.bottom && h + renderer.rowHeight(end + 1) <= pageH) h += renderer.rowHeight(++end);
        rowBlocks.emplace_back(r, end);
        r = end + 1;
    }
    bool first = true;
    for (const auto &[top, bottom] : rowBlocks)
        for (const auto &[left, right] : columnBlocks) {
            if (!first)
                printer.newPage();
            first = false;
            renderer.paint(painter, CellRange{top, left, bottom, right}, QPointF(0, 0), RenderOptions{false, {}, Qt::transparent});
        }
}

} // namespace qv::workbook
