#pragma once

#include <QString>

#include <optional>

namespace qv::workbook {

// Sheet size, as in current spreadsheets; rows and columns count from 1.
constexpr int maxRows = 1048576;
constexpr int maxColumns = 16384;

struct CellAddress
{
    int row = 1;
    int col = 1;
    bool operator==(const CellAddress &) const = default;
};

// A rectangle of cells, corners included.
struct CellRange
{
    int top = 1, left = 1, bottom = 1, right = 1;

    static CellRange cell(int row, int col) { return {row, col, row, col}; }
    static CellRange spanning(CellAddress a, CellAddress b);
    bool contains(int row, int col) const { return row >= top && row <= bottom && col >= left && col <= right; }
    bool intersects(const CellRange &o) const
    {
        return o.top <= bottom && o.bottom >= top && o.left <= right && o.right >= left;
    }
    bool isSingleCell() const { return top == bottom && left == right; }
    int rows() const { return bottom - top + 1; }
    int cols() const { return right - left + 1; }
    bool isValid() const;
    bool operator==(const CellRange &) const = default;
};

// "A" = 1, "Z" = 26, "AA" = 27 ... "XFD" = 16384.
QString columnName(int col);
int columnNumber(const QString &letters); // 0 when not a column name in the sheet

// "B3" -> row 3, col 2; "$B$3" and "b3" read the same.
std::optional<CellAddress> parseCellAddress(const QString &text);
// "B3:D5", "$B$3", "B:D", "3:5".
std::optional<CellRange> parseCellRange(const QString &text);

QString cellName(int row, int col);         // "B3"
QString absoluteCellName(int row, int col); // "$B$3"
QString rangeName(const CellRange &range);  // "B3:D5", or "B3" for one cell
// "$B$3:$D$5", a single cell "$B$3".
QString absoluteRangeName(const CellRange &range);

} // namespace qv::workbook
