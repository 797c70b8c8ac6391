#pragma once

#include <QDate>

namespace qv::workbook {

// Dates are day numbers as spreadsheets count them: 1 is 1 January 1900 and
// day 0 is 30 December 1899 (the 1900 leap-year quirk is not copied, so
// serials agree with Excel and LibreOffice from 1 March 1900 on).
QDate dateFromSerial(double serial); // invalid when out of range
double serialFromDate(const QDate &date);
// DATE(y, m, d) as spreadsheets compute it: months and days may overflow.
double serialFromParts(int year, int month, int day, bool *ok);

} // namespace qv::workbook
