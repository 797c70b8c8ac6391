#pragma once

// One table made ready for compiling: measured, and copied in Excel format
// with the print conversions the user chose. The plan's own table file is
// never changed.

#include "controls/workbook/CellAddress.h"

#include <QString>

namespace qv::workbook {
class Workbook;
}

namespace qv::compile {

// Column widths of a table page that still fits upright, in the workbook's
// units (twips): a table at least this wide is laid out landscape.
inline constexpr int kPortraitWidthLimit = 9361;

struct TableMeasurement
{
    qint16 lastRow = 0;
    qint16 lastCol = 0;
    qint32 height = 0; // of the rows 1 to lastRow that are shown
    bool portrait = true;
    int orientationCode() const { return portrait ? 0 : 1; }
    QString orientationName() const { return portrait ? QStringLiteral("portrait") : QStringLiteral("landscape"); }
    // Rows 1 to lastRow, columns 1 to lastCol; invalid for an empty table.
    workbook::CellRange range() const { return {1, 1, lastRow, lastCol}; }
    bool isEmpty() const { return lastRow < 1 || lastCol < 1; }
};

// The two print preferences: black font and italic off.
struct PrintConversions
{
    bool black = true;
    bool normal = true;
    static PrintConversions fromPreferences();
};

TableMeasurement measureTable(const workbook::Workbook &book);

// What the copy for compiling gets on its measured range: the print
// conversions, a thin black outline border, and grid lines and headings off.
void prepareForCompiling(workbook::Workbook &book, const TableMeasurement &measurement,
                         const PrintConversions &conversions);

// Measures the table and writes its prepared Excel copy (the workbook gets
// the conversions too). Throws qv::QvError when the copy cannot be written.
TableMeasurement convertTable(workbook::Workbook &book, const QString &excelFile, const PrintConversions &conversions);

} // namespace qv::compile
