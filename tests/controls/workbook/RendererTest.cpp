#include "controls/workbook/SheetRenderer.h"
#include "controls/workbook/Workbook.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace qv::workbook;

namespace {

bool hasInk(const QImage &image, QRect area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 160)
                return true;
    return false;
}

} // namespace

TEST(SheetRenderer, LeavesOutHiddenLinesAndScales)
{
    Workbook book;
    book.setRowsHidden(2, 2, true);
    book.setColumnsHidden(2, 2, true);
    const SheetRenderer r(book, 0, 1.0 / 15);
    const QSizeF size = r.size(CellRange{1, 1, 3, 3});
    EXPECT_DOUBLE_EQ(size.width(), 2 * defaultColumnWidth / 15.0);
    EXPECT_DOUBLE_EQ(size.height(), 2 * defaultRowHeight / 15.0);
    const SheetRenderer doubled(book, 0, 2.0 / 15);
    EXPECT_DOUBLE_EQ(doubled.size(CellRange{1, 1, 3, 3}).width(), 2 * size.width());
    book.setMaxCol(1);
    EXPECT_DOUBLE_EQ(r.size(CellRange{1, 1, 3, 3}).width(), defaultColumnWidth / 15.0);
}

TEST(SheetRenderer, PaintsValuesFillsAndBorders)
{
    Workbook book;
    book.setEntry(1, 1, QStringLiteral("Revenue"));
    book.setEntry(1, 2, QStringLiteral("$1,500.00"));
    book.setEntry(2, 1, QStringLiteral("secret"));
    book.setRowsHidden(2, 2, true);
    book.setEntry(3, 2, QStringLiteral("123456789012"));
    book.changeFormat(CellRange::cell(3, 1), [](CellFormat &f) {
        f.hasFill = true;
        f.fillColor = 0xFF0000;
        f.bottom = {BorderStyle::Thick, 0x0000FF};
    });
    const SheetRenderer r(book, 0, 1.0 / 15);
    const CellRange range{1, 1, 3, 2};
    const QSize size = r.size(range).toSize();
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    r.paint(painter, range, QPointF(0, 0), RenderOptions{true});
    painter.end();
    image.save(QStringLiteral(QV_BINARY_DIR "/renderer-sample.png"));

    const int colW = defaultColumnWidth / 15, rowH = defaultRowHeight / 15;
    EXPECT_TRUE(hasInk(image, QRect(2, 2, colW - 4, rowH - 4)));          // "Revenue"
    EXPECT_TRUE(hasInk(image, QRect(colW + 2, 2, colW - 4, rowH - 4)));   // "$1,500.00"
    // Row 3 follows row 1 directly: the hidden row takes no space; its fill is red.
    const QRgb fill = image.pixel(colW / 2, rowH + rowH / 3);
    EXPECT_EQ(qRed(fill), 255);
    EXPECT_LT(qGreen(fill), 30);
    const QRgb border = image.pixel(colW / 2, 2 * rowH - 2);
    EXPECT_GT(qBlue(border), 200);
    EXPECT_LT(qRed(border), 60);
    EXPECT_EQ(image.height(), 2 * rowH);
}
