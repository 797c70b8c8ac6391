#pragma once

#include "controls/workbook/Formula.h"

#include <QHash>
#include <QString>

#include <memory>
#include <vector>

namespace qv::workbook {

// The compiled code of a workbook's formulas, by shape: formulas of a sheet
// that differ only in where they stand (B2 = A2*2, B3 = A3*2, ...), as a
// filled column of a large sheet holds them, are parsed once and share one
// SharedFormula, which is the bulk of loading such a sheet and of its memory.
class FormulaShapes
{
public:
    // The code of the formula `text` (without "=") standing at row and col
    // of the sheet: shared with earlier formulas of the same shape when
    // their code reads right from here, compiled anew otherwise.
    std::shared_ptr<SharedFormula> compile(const QString &text, int sheet, int row, int col);

private:
    struct Entry
    {
        std::shared_ptr<SharedFormula> code;
        bool shareable = false; // its references are exactly the corners the text shows
    };
    static constexpr int maxShapes = 20000; // per sheet; past it the table starts afresh
    std::vector<QHash<QString, Entry>> m_sheets;
};

// The text of a formula of the given shape (SharedFormula::shape) standing
// at row and col: each relative corner put back at its distance from there.
QString formulaTextAt(const QString &shape, int row, int col);

} // namespace qv::workbook
