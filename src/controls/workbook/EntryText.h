#pragma once

#include "controls/workbook/Value.h"

namespace qv::workbook {

// What typed input means, the same on every machine whatever its locale:
// "=..." a formula, "1500" and "-1,500.25" numbers, "$1,500" a currency
// number, "15%" 0.15 with a percent format, "7/31/1999" a date (US order),
// TRUE/FALSE Booleans, "#N/A"-style errors, anything else text ("Jun 2000"
// stays text). A leading apostrophe keeps the rest as text.
struct EntryMeaning
{
    enum class Kind { Empty, Formula, Constant };
    Kind kind = Kind::Empty;
    Value value;           // the constant
    QString formula;       // without its "=", for a formula
    QString numberFormat;  // the format the input implies; empty keeps the cell's own
};

EntryMeaning interpretEntry(const QString &text);

// Reads "1,500.25", "$1,500", "(1,200)", "15%" as a number; nullopt for
// anything else. `format` receives the format the decoration implies.
std::optional<double> parseNumberEntry(const QString &text, QString *format = nullptr);

} // namespace qv::workbook
