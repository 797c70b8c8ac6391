#pragma once
// How the values of an answer file are read: counts, years, months, money
// and table-cell keys. Each reader says plainly when a value is unusable, so
// that creation can report the answer instead of guessing.

#include <QString>

#include <optional>

namespace qv::create {

// The number the value begins with ("3 products" reads 3, "2.5" reads 2,
// "3.5" reads 4: halves go to the even neighbour), or none when the value
// does not begin with a number.
std::optional<int> leadingCount(const QString &value);

// The year of the date "1/1/" + value: a whole number of one to four digits;
// one or two digits read as in a short date (0 to 29 are 2000 to 2029, 30 to
// 99 are 1930 to 1999). None for anything else.
std::optional<int> answerYear(const QString &value);

// A month 1 to 12 given as a number (rounded); none otherwise.
std::optional<int> answerMonth(const QString &value);

// The amount of a value that begins with "$" and reads as a number after it
// ("$1,500.50" is 1500.5, "$-20" is -20); none for any other value.
std::optional<double> currencyAmount(const QString &value);

// A table-cell key "Tbl0303:B1" taken apart. The table name is made of
// letters, digits and "_" only; the cell is one column letter A to Z and a
// row number from 1. Tabs are removed first (unless that leaves nothing).
struct CellKey
{
    QString table;
    int row = 0;
    int col = 0;
};
// The key as shown to the user (tabs removed), as updating a cell names it.
QString cellKeyText(const QString &key);
std::optional<CellKey> parseCellKey(const QString &key);

} // namespace qv::create
