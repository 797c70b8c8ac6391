#include "controls/workbook/DateSerial.h"

#include <cmath>

namespace qv::workbook {

namespace {
const QDate epoch(1899, 12, 30);
} // namespace

QDate dateFromSerial(double serial)
{
    if (!std::isfinite(serial) || serial < 0 || serial > 2958465) // 31 December 9999
        return {};
    return epoch.addDays(qint64(std::floor(serial)));
}

double serialFromDate(const QDate &date)
{
    return double(epoch.daysTo(date));
}

double serialFromParts(int year, int month, int day, bool *ok)
{
    *ok = false;
    if (year >= 0 && year < 1900)
        year += 1900;
    if (year < 1900 || year > 9999)
        return 0;
    // Month overflow moves whole years; the day then counts from the 1st.
    int m = month - 1;
    year += m >= 0 ? m / 12 : -((11 - m) / 12);
    m = ((m % 12) + 12) % 12;
    const QDate first(year, m + 1, 1);
    if (!first.isValid())
        return 0;
    const double serial = serialFromDate(first) + day - 1;
    if (serial < 0 || serial > 2958465)
        return 0;
    *ok = true;
    return serial;
}

} // namespace qv::workbook
