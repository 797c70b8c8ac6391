#pragma once

#include "controls/richtextview/SpellCheckDialog.h"

namespace qv::spell {
class SpellChecker;
}
namespace qv::workbook {
class Workbook;
}

namespace qv::editors {

// Checks the spelling of a sheet's text cells (not formulas or numbers)
// with the spelling dialog, as one text of one paragraph per cell, and
// writes the corrected cells back as one undoable step. Locked cells of a
// protected sheet are left out.
richtext::SpellCheckOutcome checkSheetSpelling(QWidget *owner, workbook::Workbook &book, spell::SpellChecker &checker);

} // namespace qv::editors
