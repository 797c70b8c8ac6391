#include "controls/workbook/DateSerial.h"
#include "controls/workbook/NumberFormat.h"

#include <gtest/gtest.h>

using namespace qv::workbook;

TEST(NumberFormat, RendersAsSpreadsheetsDo)
{
    const double june2000 = serialFromDate(QDate(2000, 6, 15));
    struct Case { double value; const char *format; const char *shown; };
    const Case cases[] = {
        {1500, "$#,##0.00", "$1,500.00"}, {1500, "$#,##0", "$1,500"}, {-1500, "$#,##0.00", "-$1,500.00"},
        {0.15, "0%", "15%"}, {0.1234, "0.00%", "12.34%"}, {-1200, "#,##0;(#,##0)", "(1,200)"},
        {1200, "#,##0;(#,##0)", "1,200"}, {0, "#,##0;(#,##0);\"-\"", "-"}, {june2000, "mmm yyyy", "Jun 2000"},
        {june2000, "m/d/yyyy", "6/15/2000"}, {june2000, "mmmm d, yyyy", "June 15, 2000"}, {june2000, "dd-mmm-yy", "15-Jun-00"},
        {1234567.891, "#,##0.00", "1,234,567.89"}, {0.5, "0.0", "0.5"}, {2.5, "0", "3"}, {1234.5, "General", "1234.5"},
        {1.0 / 3, "General", "0.333333333"}, {15139379946.46, "General", "15139379946"}, {0.1 + 0.2, "General", "0.3"}, {-2.5, "General", "-2.5"}, {1e12, "General", "1E+12"}, {12345, "0.00E+00", "1.23E+04"},
        {-5, "0;[Red]-0", "-5"}, {5, "\"Total \"0", "Total 5"}, {1500, "#,##0,", "2"}, {0.75, "h:mm AM/PM", "6:00 PM"},
        {42, "@", "42"}, {3, "0 \"units\"", "3 units"}, {-0.001, "0.00", "0.00"}, {1500, "[$$-409]#,##0", "$1,500"},
        {-1500, "$#,##0_);($#,##0)", "($1,500)"}, {1500, "$#,##0_);($#,##0)", "$1,500 "}, {7, "00", "07"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(displayText(Value::fromNumber(c.value), QString::fromLatin1(c.format)), QString::fromLatin1(c.shown))
            << c.format << " " << c.value;
    EXPECT_EQ(formatValue(Value::fromNumber(-5), QStringLiteral("0;[Red]0")).color, std::optional<Rgb>(0xFF0000));
    EXPECT_EQ(displayText(Value::fromText(QStringLiteral("Jun 2000")), QStringLiteral("$#,##0")), QStringLiteral("Jun 2000"));
    EXPECT_EQ(displayText(Value::fromBoolean(true), QStringLiteral("0.00")), QStringLiteral("TRUE"));
    EXPECT_EQ(displayText(Value::fromError(ErrorCode::NotAvailable), QStringLiteral("0.00")), QStringLiteral("#N/A"));
    EXPECT_TRUE(isDateFormat(QStringLiteral("mmm yyyy")));
    EXPECT_FALSE(isDateFormat(QStringLiteral("$#,##0.00")));
}
