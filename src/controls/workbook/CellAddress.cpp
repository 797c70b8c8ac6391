#include "controls/workbook/CellAddress.h"

#include <algorithm>

namespace qv::workbook {

CellRange CellRange::spanning(CellAddress a, CellAddress b)
{
    return {std::min(a.row, b.row), std::min(a.col, b.col), std::max(a.row, b.row), std::max(a.col, b.col)};
}

bool CellRange::isValid() const
{
    return top >= 1 && left >= 1 && bottom <= maxRows && right <= maxColumns && top <= bottom && left <= right;
}

QString columnName(int col)
{
    QString name;
    while (col > 0) {
        const int digit = (col - 1) % 26;
        name.prepend(QChar(u'A' + digit));
        col = (col - 1) / 26;
    }
    return name;
}

int columnNumber(const QString &letters)
{
    if (letters.isEmpty() || letters.size() > 3)
        return 0;
    int col = 0;
    for (QChar c : letters) {
        const char16_t u = c.toUpper().unicode();
        if (u < u'A' || u > u'Z')
            return 0;
        col = col * 26 + (u - u'A' + 1);
    }
    return col <= maxColumns ? col : 0;
}

namespace {
// One corner: optional "$", letters, optional "$", digits; either part may be
// missing when the caller allows whole rows or columns.
struct Corner
{
    int row = 0;
    int col = 0;
};

std::optional<Corner> parseCorner(QStringView text)
{
    Corner corner;
    int i = 0;
    const int n = int(text.size());
    if (i < n && text[i] == u'$')
        ++i;
    int start = i;
    while (i < n && text[i].isLetter() && text[i].unicode() < 128)
        ++i;
    if (i > start) {
        corner.col = columnNumber(text.mid(start, i - start).toString());
        if (corner.col == 0)
            return std::nullopt;
    }
    if (i < n && text[i] == u'$' && i > 0 && text[i - 1] != u'$')
        ++i;
    start = i;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128)
        ++i;
    if (i != n)
        return std::nullopt;
    if (i > start) {
        if (i - start > 7)
            return std::nullopt;
        corner.row = text.mid(start, i - start).toInt();
        if (corner.row < 1 || corner.row > maxRows)
            return std::nullopt;
    }
    if (corner.row == 0 && corner.col == 0)
        return std::nullopt;
    return corner;
}
} // namespace

std::optional<CellAddress> parseCellAddress(const QString &text)
{
    const auto corner = parseCorner(QStringView(text).trimmed());
    if (!corner || corner->row == 0 || corner->col == 0)
        return std::nullopt;
    return CellAddress{corner->row, corner->col};
}

std::optional<CellRange> parseCellRange(const QString &text)
{
    const QStringView view = QStringView(text).trimmed();
    const auto colon = view.indexOf(u':');
    if (colon < 0) {
        const auto a = parseCellAddress(view.toString());
        if (!a)
            return std::nullopt;
        return CellRange::cell(a->row, a->col);
    }
    const auto a = parseCorner(view.left(colon));
    const auto b = parseCorner(view.mid(colon + 1));
    if (!a || !b)
        return std::nullopt;
    const bool aCell = a->row && a->col, bCell = b->row && b->col;
    if (aCell && bCell)
        return CellRange::spanning({a->row, a->col}, {b->row, b->col});
    if (!a->row && !b->row && a->col && b->col) // whole columns
        return CellRange{1, std::min(a->col, b->col), maxRows, std::max(a->col, b->col)};
    if (!a->col && !b->col && a->row && b->row) // whole rows
        return CellRange{std::min(a->row, b->row), 1, std::max(a->row, b->row), maxColumns};
    return std::nullopt;
}

QString cellName(int row, int col)
{
    return columnName(col) + QString::number(row);
}

QString absoluteCellName(int row, int col)
{
    return u'$' + columnName(col) + u'$' + QString::number(row);
}

QString rangeName(const CellRange &range)
{
    if (range.isSingleCell())
        return cellName(range.top, range.left);
    return cellName(range.top, range.left) + u':' + cellName(range.bottom, range.right);
}

QString absoluteRangeName(const CellRange &range)
{
    if (range.isSingleCell())
        return absoluteCellName(range.top, range.left);
    return absoluteCellName(range.top, range.left) + u':' + absoluteCellName(range.bottom, range.right);
}

} // namespace qv::workbook
