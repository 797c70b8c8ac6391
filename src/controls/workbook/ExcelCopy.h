#pragma once

#include <QString>

namespace qv::workbook {

class Workbook;

// Writes the Excel copy of a workbook (Office Open XML content, whatever
// name the caller gives it): values, formulas with their cached results,
// number formats, fonts, fills, borders, alignment, merges, row heights,
// column widths, hidden rows and columns, zoom, print area, protection and
// the grid-line setting. A formula that reads another workbook is written as
// its value, since the copy travels alone. Cells beyond a column or row
// limit are left out. Written atomically; throws qv::QvError on failure.
void writeExcelCopy(const Workbook &book, const QString &path);

} // namespace qv::workbook
