#pragma once

// Column widths that show every caption whole: a text that cannot run on
// into the next cell (a heading between others, a label beside its figures,
// a centred or right-aligned text) widens its column until it fits at 100%.
// Measured with the published advance widths of Arial, the tables' font, so
// that the same sources always give the same widths on every machine.

#include <QString>

namespace qv::workbook {
class Workbook;
}

namespace qv::templates {

// The width of the text in screen pixels (96 dpi) in Arial of that size.
double arialTextPixels(const QString &text, double points, bool bold);

// Widens the columns of the workbook's active sheet within its extent.
void fitColumnsToTexts(workbook::Workbook &book);

} // namespace qv::templates
