#pragma once

#include "controls/workbook/CellFormat.h"
#include "controls/workbook/Value.h"

#include <optional>

namespace qv::workbook {

// A value as a spreadsheet user sees it through an Excel format code:
// "$#,##0.00" gives "$1,500.00", "0%" gives "15%", "#,##0;(#,##0)" gives
// "(1,200)", "mmm yyyy" gives "Jun 2000". The same on every machine:
// English month names, "." decimals and "," thousands, whatever the locale.
struct DisplayText
{
    QString text;
    std::optional<Rgb> color; // from a [Red]-style section colour
};

DisplayText formatValue(const Value &value, const QString &formatCode);
inline QString displayText(const Value &value, const QString &formatCode)
{
    return formatValue(value, formatCode).text;
}

// Numbers in the General format: up to ten significant digits.
QString formatGeneral(double number);

// True for format codes that show dates or times.
bool isDateFormat(const QString &formatCode);

} // namespace qv::workbook
