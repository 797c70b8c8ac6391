#include "ColumnFit.h"

#include "controls/workbook/Workbook.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace qv::templates {

namespace {

// Advance widths of Arial and Arial Bold in thousandths of an em, for the
// printable ASCII characters from the blank (32) to "~" (126).
constexpr std::array<short, 95> kRegular = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278, // ' ' to '/'
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556,                               // '0' to '9'
    278, 278, 584, 584, 584, 556, 1015,                                             // ':' to '@'
    667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833,                // 'A' to 'M'
    722, 778, 667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611,                // 'N' to 'Z'
    278, 278, 278, 469, 556, 333,                                                   // '[' to '`'
    556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833,                // 'a' to 'm'
    556, 556, 556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500,                // 'n' to 'z'
    334, 260, 334, 584};                                                            // '{' to '~'
constexpr std::array<short, 95> kBold = {
    278, 333, 474, 556, 556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278, 278,
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556,
    333, 333, 584, 584, 584, 611, 975,
    722, 722, 722, 722, 667, 611, 778, 722, 278, 556, 722, 611, 833,
    722, 778, 667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611,
    333, 278, 333, 584, 556, 333,
    556, 611, 556, 611, 556, 333, 611, 611, 278, 278, 556, 278, 889,
    611, 611, 611, 611, 389, 556, 333, 611, 556, 778, 556, 556, 500,
    389, 280, 389, 584};

constexpr double kPixelsPerPoint = 96.0 / 72.0;
// The view pads a text two pixels on each side and draws the grid line.
constexpr double kCellPadding = 6.0;

// Column widths are given in characters of the default font: 7 pixels each
// and 5 more (as the generator turns them into twips).
double charactersFor(double pixels) { return std::ceil(std::max(0.0, pixels - 5.0) / 7.0 * 2.0) / 2.0; }

bool blank(const workbook::Workbook &book, int row, int col)
{
    return col < 1 || col > book.maxCol() || book.storedValue(book.activeSheet(), row, col).isEmpty();
}

bool inMerge(const workbook::Workbook &book, int row, int col)
{
    for (const workbook::CellRange &merge : book.merges())
        if (merge.contains(row, col))
            return true;
    return false;
}

// Whether the text may run on into empty neighbours instead of being cut.
bool canOverflow(const workbook::Workbook &book, int row, int col, workbook::HorizontalAlignment align)
{
    using workbook::HorizontalAlignment;
    const bool leftFree = blank(book, row, col - 1) && col > 1;
    const bool rightFree = blank(book, row, col + 1) && col < book.maxCol();
    switch (align) {
    case HorizontalAlignment::Right: return leftFree;
    case HorizontalAlignment::Center: return leftFree && rightFree;
    default: return rightFree;
    }
}

} // namespace

double arialTextPixels(const QString &text, double points, bool bold)
{
    const auto &widths = bold ? kBold : kRegular;
    double thousandths = 0;
    for (const QChar c : text) {
        const ushort code = c.unicode();
        thousandths += code >= 32 && code <= 126 ? widths[std::size_t(code - 32)] : 556;
    }
    return thousandths / 1000.0 * points * kPixelsPerPoint;
}

void fitColumnsToTexts(workbook::Workbook &book)
{
    const int sheet = book.activeSheet();
    for (int col = 1; col <= book.maxCol(); ++col) {
        double needed = 0;
        for (int row = 1; row <= book.maxRow(); ++row) {
            const workbook::Value &value = book.storedValue(sheet, row, col);
            if (!value.isText() || book.hasFormula(row, col) || inMerge(book, row, col))
                continue;
            const workbook::CellFormat &format = book.formatOf(sheet, row, col);
            if (format.wrap || canOverflow(book, row, col, format.alignment))
                continue;
            needed = std::max(needed, arialTextPixels(value.text, format.fontSize, format.bold) + kCellPadding);
        }
        const double characters = charactersFor(needed);
        const double current = (book.columnWidth(col) / 15.0 - 5.0) / 7.0;
        if (characters > current + 0.01)
            book.setColumnWidth(col, int(std::lround((characters * 7.0 + 5.0) * 15.0)));
    }
}

} // namespace qv::templates
