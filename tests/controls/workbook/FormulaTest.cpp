// The function library and operators, as tables of formula and expected value.

#include "controls/workbook/Parser.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"

#include "FakePlatform.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qv::workbook;

namespace {

struct Case
{
    const char *formula;
    const char *expected; // as qvtool prints it
};

// A set with one table of sample data that the formulas read.
class FormulaTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Workbook *data = set.create(QStringLiteral("Data"));
        const char *cells[][3] = {
            {"A1", "10", ""}, {"A2", "20", ""}, {"A3", "30", ""}, {"A4", "apple", ""}, {"A5", "TRUE", ""},
            {"B1", "1", ""},  {"B2", "2", ""},  {"B3", "3", ""},  {"B4", "4", ""},     {"B5", "5", ""},
            {"C1", "Jan", ""}, {"C2", "Feb", ""}, {"C3", "Mar", ""},
            {"D1", "=1/0", ""},
        };
        for (const auto &c : cells) {
            const auto a = parseCellAddress(QString::fromLatin1(c[0]));
            data->setEntry(a->row, a->col, QString::fromLatin1(c[1]));
        }
    }

    QString eval(const char *formula)
    {
        QString error;
        return plainText(set.evaluate(QString::fromLatin1(formula), &error));
    }

    void check(std::initializer_list<Case> cases)
    {
        for (const Case &c : cases)
            EXPECT_EQ(eval(c.formula), QString::fromUtf8(c.expected)) << c.formula;
    }

    WorkbookSet set;
};

} // namespace

TEST_F(FormulaTest, Operators)
{
    check({
        {"1+2*3", "7"}, {"(1+2)*3", "9"}, {"2^3^2", "64"}, {"-2^2", "4"}, {"2^-1", "0.5"},
        {"10/4", "2.5"}, {"1/0", "#DIV/0!"}, {"50%", "0.5"}, {"-5%", "-0.05"}, {"200*10%", "20"},
        {"\"a\"&\"b\"", "ab"}, {"1&2", "12"}, {"1=1", "TRUE"}, {"1<>1", "FALSE"}, {"\"A\"=\"a\"", "TRUE"},
        {"2<10", "TRUE"}, {"\"2\"<\"10\"", "FALSE"}, {"1<\"a\"", "TRUE"}, {"\"a\"<TRUE", "TRUE"},
        {"--3", "3"}, {"+4", "4"}, {"\"3\"+1", "4"}, {"\"x\"+1", "#VALUE!"}, {"TRUE+1", "2"},
        {"0.1+0.2", "0.3"}, {"1e3", "1000"}, {"=3", "3"}, {"0^0", "#NUM!"}, {"0^-1", "#DIV/0!"},
        {"#N/A+1", "#N/A"}, {"1-1", "0"}, {"-0", "0"},
    });
}

TEST_F(FormulaTest, References)
{
    check({
        {"[Data]Sheet1!A1", "10"}, {"[data]sheet1!$a$2", "20"}, {"[Data]Sheet1!A1+[Data]Sheet1!B1", "11"},
        {"SUM([Data]Sheet1!A1:A3)", "60"}, {"SUM([Data]Sheet1!B:B)", "15"}, {"SUM([Data]Sheet1!1:2)", "#DIV/0!"}, {"SUM([Data]Sheet1!2:3)", "55"},
        {"[Data]Sheet1!Z99", "0"}, {"[Missing]Sheet1!A1", "#REF!"}, {"[Data]NoSheet!A1", "#REF!"},
        {"'[Data]Sheet1'!A2", "20"}, {"A1", "0"}, {"[Data]Sheet1!D1", "#DIV/0!"}, {"[Data]Sheet1!A1:A3", "#VALUE!"},
    });
}

TEST_F(FormulaTest, MathAndStatistics)
{
    check({
        {"SUM(1,2,3)", "6"}, {"SUM([Data]Sheet1!A1:A5)", "60"}, {"SUM(\"3\",TRUE)", "4"}, {"SUM(\"x\")", "#VALUE!"},
        {"SUM([Data]Sheet1!D1,1)", "#DIV/0!"},
        {"AVERAGE([Data]Sheet1!A1:A5)", "20"}, {"AVERAGE([Data]Sheet1!C1:C3)", "#DIV/0!"},
        {"MIN([Data]Sheet1!B1:B5)", "1"}, {"MAX([Data]Sheet1!B1:B5,9)", "9"}, {"MAX([Data]Sheet1!C1:C3)", "0"},
        {"COUNT([Data]Sheet1!A1:A5)", "3"}, {"COUNTA([Data]Sheet1!A1:A5)", "5"}, {"COUNT(1,\"2\",\"x\")", "2"},
        {"COUNTIF([Data]Sheet1!A1:A5,\">15\")", "2"}, {"COUNTIF([Data]Sheet1!C1:C3,\"?a?\")", "2"},
        {"COUNTIF([Data]Sheet1!C1:C3,\"j*\")", "1"}, {"COUNTIF([Data]Sheet1!B1:B5,3)", "1"},
        {"COUNTIF([Data]Sheet1!B1:B5,\"<>3\")", "4"},
        {"SUMIF([Data]Sheet1!B1:B5,\">2\")", "12"}, {"SUMIF([Data]Sheet1!B1:B3,\">1\",[Data]Sheet1!A1:A3)", "50"},
        {"SUMPRODUCT([Data]Sheet1!A1:A3,[Data]Sheet1!B1:B3)", "140"},
        {"SUMPRODUCT([Data]Sheet1!A1:A3,[Data]Sheet1!B1:B2)", "#VALUE!"},
        {"ROUND(2.675,2)", "2.68"}, {"ROUND(-2.5,0)", "-3"}, {"ROUND(1234.5,-2)", "1200"},
        {"ROUNDUP(1.21,1)", "1.3"}, {"ROUNDUP(-1.21,1)", "-1.3"}, {"ROUNDDOWN(1.29,1)", "1.2"},
        {"ROUNDDOWN(-1.29,1)", "-1.2"}, {"INT(-1.5)", "-2"}, {"INT(1.9)", "1"}, {"ABS(-3)", "3"},
        {"MOD(10,3)", "1"}, {"MOD(-10,3)", "2"}, {"MOD(10,-3)", "-2"}, {"MOD(1,0)", "#DIV/0!"},
        {"SQRT(16)", "4"}, {"SQRT(-1)", "#NUM!"}, {"POWER(2,10)", "1024"}, {"POWER(-8,1/3)", "#NUM!"},
        {"EXP(0)", "1"}, {"LN(EXP(2))", "2"}, {"LN(0)", "#NUM!"}, {"LOG10(1000)", "3"}, {"LOG10(-1)", "#NUM!"},
    });
}

TEST_F(FormulaTest, HugeWholeNumberArgumentsReadAsOutOfRange)
{
    check({
        {"ROUND(2.5,1E+300)", "2.5"}, {"ROUND(2.5,-1E+300)", "0"}, {"ROUNDUP(1.21,4E+38)", "1.21"},
        {"CHOOSE(1E+300,1,2)", "#VALUE!"}, {"CHOOSE(-1E+300,1,2)", "#VALUE!"},
        {"INDEX({1,2;3,4},1E+300,1)", "#REF!"}, {"INDEX({1,2;3,4},1,-1E+300)", "#VALUE!"},
        {"VLOOKUP(1,{1,2},1E+300)", "#REF!"}, {"HLOOKUP(1,{1,2},-1E+300)", "#VALUE!"},
    });
}

TEST_F(FormulaTest, DoubleDecliningDepreciationOverVeryLongLivesFinishes)
{
    // Past the longest walked schedule the closed form continues the walk:
    // each period's depreciation is the previous one's less the rate.
    const double walked = eval("DDB(2400,0,20000,10000)").toDouble();
    const double closed = eval("DDB(2400,0,20000,10001)").toDouble();
    EXPECT_GT(walked, 0);
    EXPECT_NEAR(closed, walked * (1 - 2.0 / 20000), 1e-9);
    // A trillion periods: the last one's share of what is left, e^-2 of the cost.
    EXPECT_NEAR(eval("DDB(1000,0,1E+12,1E+12)").toDouble() * 1e12, 2000 * std::exp(-2.0), 0.1);
    // Once the salvage value is reached nothing more is depreciated.
    check({{"DDB(2400,2300,20000,15000)", "0"}, {"DDB(2400,300,20000,20000,3E+4)", "0"}});
}

TEST_F(FormulaTest, Logic)
{
    check({
        {"IF(1>0,\"yes\",\"no\")", "yes"}, {"IF(0,1)", "FALSE"}, {"IF(1,2)", "2"}, {"IF(\"x\",1,2)", "#VALUE!"},
        {"IF(1,1/0,2)", "#DIV/0!"}, {"IF(0,1/0,2)", "2"},
        {"IFERROR(1/0,\"bad\")", "bad"}, {"IFERROR(5,0)", "5"}, {"AND(TRUE,1)", "TRUE"}, {"AND(TRUE,0)", "FALSE"},
        {"OR(0,0)", "FALSE"}, {"OR(0,1)", "TRUE"}, {"AND([Data]Sheet1!C1:C3)", "#VALUE!"}, {"NOT(TRUE)", "FALSE"},
        {"ISBLANK([Data]Sheet1!Z1)", "TRUE"}, {"ISBLANK([Data]Sheet1!A1)", "FALSE"}, {"ISERROR(1/0)", "TRUE"},
        {"ISERROR(1)", "FALSE"}, {"ISNUMBER([Data]Sheet1!A1)", "TRUE"}, {"ISNUMBER(\"1\")", "FALSE"},
    });
}

TEST_F(FormulaTest, Financial)
{
    check({
        {"ROUND(PMT(0.08/12,10,10000),6)", "-1037.032089"},
        {"ROUND(PMT(0,10,1000),6)", "-100"},
        {"ROUND(PV(0.08/12,240,500),2)", "-59777.15"},
        {"ROUND(FV(0.06/12,10,-200,-500,1),4)", "2581.4034"},
        {"ROUND(NPV(0.1,-10000,3000,4200,6800),4)", "1188.4434"},
        {"ROUND(NPER(0.12/12,-100,-1000,10000,1),4)", "59.6739"},
        {"ROUND(RATE(48,-200,8000),8)", "0.00770147"},
        {"ROUND(IPMT(0.1/12,1,36,8000),4)", "-66.6667"},
        {"ROUND(PPMT(0.1/12,1,24,2000),2)", "-75.62"},
        {"SLN(30000,7500,10)", "2250"}, {"SLN(1,0,0)", "#DIV/0!"},
        {"DDB(2400,300,10,1)", "480"}, {"ROUND(DDB(2400,300,10,2),2)", "384"},
        {"ROUND(DDB(2400,300,120,1),2)", "40"}, {"DDB(2400,300,10,11)", "#NUM!"},
        {"IPMT(0.1,0,10,100)", "#NUM!"},
    });
}

TEST_F(FormulaTest, Irr)
{
    Workbook *data = set.find(QStringLiteral("Data"));
    const char *values[] = {"-70000", "12000", "15000", "18000", "21000", "26000"};
    for (int i = 0; i < 6; ++i)
        data->setEntry(i + 1, 6, QString::fromLatin1(values[i]));
    check({{"ROUND(IRR([Data]Sheet1!F1:F6),6)", "0.086631"}, {"IRR([Data]Sheet1!B1:B5)", "#NUM!"}});
}

TEST_F(FormulaTest, Lookup)
{
    check({
        {"VLOOKUP(20,[Data]Sheet1!A1:B3,2,FALSE)", "2"}, {"VLOOKUP(25,[Data]Sheet1!A1:B3,2)", "2"},
        {"VLOOKUP(5,[Data]Sheet1!A1:B3,2)", "#N/A"}, {"VLOOKUP(20,[Data]Sheet1!A1:B3,3,FALSE)", "#REF!"},
        {"VLOOKUP(20,[Data]Sheet1!A1:B3,0,FALSE)", "#VALUE!"}, {"VLOOKUP(\"APPLE\",[Data]Sheet1!A1:B5,2,FALSE)", "4"},
        {"HLOOKUP(\"Feb\",[Data]Sheet1!C1:C3,1,FALSE)", "#N/A"},
        {"INDEX([Data]Sheet1!A1:B3,2,2)", "2"}, {"INDEX([Data]Sheet1!A1:A3,3)", "30"}, {"INDEX([Data]Sheet1!A1:B3,4,1)", "#REF!"},
        {"MATCH(30,[Data]Sheet1!A1:A3,0)", "3"}, {"MATCH(25,[Data]Sheet1!A1:A3)", "2"}, {"MATCH(\"mar\",[Data]Sheet1!C1:C3,0)", "3"},
        {"MATCH(99,[Data]Sheet1!A1:A3,0)", "#N/A"}, {"CHOOSE(2,\"a\",\"b\",\"c\")", "b"}, {"CHOOSE(4,1,2)", "#VALUE!"},
    });
}

TEST_F(FormulaTest, ArrayConstants)
{
    check({
        {"ROUND(NPV(8%,{12000,15000,18000}),2)", "38260.17"},
        {"IRR({-70000,12000,15000,18000,21000,26000})", "0.0866309480365316"},
        {"SUMPRODUCT({1,2,3},{4,5,6})", "32"}, {"VLOOKUP(2,{1,\"one\";2,\"two\"},2,FALSE)", "two"},
        {"SUM({1,2;3,4})", "10"}, {"SUM({1,\"2\",TRUE})", "1"}, {"COUNT({1,\"a\",TRUE,2})", "2"},
        {"COUNTA({1,\"a\",TRUE})", "3"}, {"AVERAGE({1,2,3,4})", "2.5"}, {"MAX({-1,-5})", "-1"},
        {"MIN({3,-2.5e1})", "-25"}, {"SUM({1,#N/A})", "#N/A"}, {"AND({TRUE,FALSE})", "FALSE"}, {"OR({FALSE,TRUE})", "TRUE"},
        {"INDEX({1,2;3,4},2,1)", "3"}, {"INDEX({10,20,30},2)", "20"}, {"INDEX({1,2;3,4},3,1)", "#REF!"},
        {"MATCH(\"b\",{\"a\",\"b\",\"c\"},0)", "2"}, {"MATCH(25,{10;20;30})", "2"},
        {"HLOOKUP(\"b\",{\"a\",\"b\";1,2},2,FALSE)", "2"}, {"CHOOSE(2,{1,2},{3,4})", "3"},
        {"{5,6}", "5"}, {"{\"x\"}&\"y\"", "xy"}, {"SUM({1,2,3}*2)", "12"}, {"SUM(-{1,2})", "-3"},
        {"SUMPRODUCT({1,2,3}*{4,5,6})", "32"}, {"SUMPRODUCT(({1,2,3}>1)*{4,5,6})", "11"},
        {"SUM({1,2}+{10;20})", "66"}, {"SUM({1,2,3}+{1,2})", "#N/A"}, {"{#DIV/0!,1}", "#DIV/0!"},
        {"SUMPRODUCT([Data]Sheet1!B1:B3,{1;1;1})", "6"}, {"SUMPRODUCT(([Data]Sheet1!A1:A3>15)*[Data]Sheet1!B1:B3)", "5"},
        {"SUM([Data]Sheet1!B1:B3*{1;10;100})", "321"},
    });
}

TEST(FormulaParser, ReadsArrayConstants)
{
    for (const char *good : {"{1,2,3}", "{1;2;3}", "{ 1 , -2 ; +3 , .5 }", "{\"a\",TRUE,false,#N/A}", "SUM({1e3,2E-1})"})
        EXPECT_TRUE(parseFormula(QString::fromLatin1(good)).ok()) << good;
    // Ragged rows, empty elements, references and nesting are not array constants.
    for (const char *bad : {"{1,2;3}", "{1,,2}", "{}", "{A1}", "{{1}}", "{1,2", "{1+2}", "{SUM(1)}", "{1;}"})
        EXPECT_FALSE(parseFormula(QString::fromLatin1(bad)).ok()) << bad;
}

TEST_F(FormulaTest, TextAndDates)
{
    check({
        {"LEFT(\"Quorvex\",3)", "Quo"}, {"RIGHT(\"Quorvex\",3)", "vex"}, {"MID(\"Quorvex\",2,3)", "uor"},
        {"LEFT(\"ab\")", "a"}, {"LEN(\"hello\")", "5"}, {"LEN(123)", "3"}, {"UPPER(\"ab\")", "AB"},
        {"LOWER(\"AB\")", "ab"}, {"TRIM(\"  a   b  \")", "a b"}, {"CONCATENATE(\"a\",1,TRUE)", "a1TRUE"},
        {"TEXT(1500,\"$#,##0.00\")", "$1,500.00"}, {"TEXT(0.15,\"0%\")", "15%"}, {"TEXT(DATE(2000,6,1),\"mmm yyyy\")", "Jun 2000"},
        {"VALUE(\"1,500\")", "1500"}, {"VALUE(\"15%\")", "0.15"}, {"VALUE(\"abc\")", "#VALUE!"}, {"MID(\"abc\",0,1)", "#VALUE!"},
        {"DATE(2000,1,1)", "36526"}, {"DATE(1999,13,1)", "36526"}, {"DATE(2000,3,0)", "36585"},
        {"YEAR(36526)", "2000"}, {"MONTH(36585)", "2"}, {"DAY(36585)", "29"},
        {"EDATE(DATE(2000,1,31),1)", "36585"}, {"EOMONTH(DATE(2000,1,15),1)", "36585"},
        {"EOMONTH(DATE(2000,1,15),-1)", "36525"}, {"YEAR(-1)", "#NUM!"},
    });
}

TEST_F(FormulaTest, ErrorsAndNames)
{
    check({
        {"NOSUCH(1)", "#NAME?"}, {"undefinedname", "#NAME?"}, {"#REF!", "#REF!"}, {"ISERROR(#N/A)", "TRUE"},
        {"SUM(1,#NUM!)", "#NUM!"},
    });
}

TEST(FormulaParser, RefusesBadFormulas)
{
    for (const char *bad : {"1+", "(1", "1)", "SUM(1,", "\"abc", "1 2", "*3", "SUM(1))", "[Tbl]A1", "Sheet1!", ",1"})
        EXPECT_FALSE(parseFormula(QString::fromLatin1(bad)).ok()) << bad;
    EXPECT_FALSE(parseFormula(QStringLiteral("ROUND(1)")).ok()); // too few arguments
    EXPECT_TRUE(parseFormula(QStringLiteral("IF(A1,,2)")).ok());
    EXPECT_TRUE(parseFormula(QStringLiteral("TODAY()")).ok());
}

TEST(FormulaParser, RefusesDeepNestingWithoutRecursion)
{
    QString deep;
    for (int i = 0; i < 5000; ++i) deep += u'(';
    deep += u'1';
    for (int i = 0; i < 5000; ++i) deep += u')';
    const ParseResult r = parseFormula(deep);
    EXPECT_FALSE(r.ok());
    QString ok;
    for (int i = 0; i < 200; ++i) ok += QStringLiteral("ABS(");
    ok += u'1';
    for (int i = 0; i < 200; ++i) ok += u')';
    EXPECT_TRUE(parseFormula(ok).ok());
    // A long chain of operators is flat, not deep.
    QString chain = QStringLiteral("1");
    for (int i = 0; i < 3000; ++i) chain += QStringLiteral("+1");
    EXPECT_TRUE(parseFormula(chain).ok());
}

TEST(FormulaEvaluation, CircularReferencesGiveErrors)
{
    Workbook book;
    book.setEntry(1, 1, QStringLiteral("=B1+1"));
    book.setEntry(1, 2, QStringLiteral("=A1+1"));
    book.setEntry(1, 3, QStringLiteral("=C1"));
    EXPECT_EQ(plainText(book.value(1, 1)), QStringLiteral("#REF!"));
    EXPECT_EQ(plainText(book.value(1, 2)), QStringLiteral("#REF!"));
    EXPECT_EQ(plainText(book.value(1, 3)), QStringLiteral("#REF!"));
    // Breaking the cycle brings the numbers back.
    book.setEntry(1, 2, QStringLiteral("5"));
    EXPECT_EQ(plainText(book.value(1, 1)), QStringLiteral("6"));
}

TEST(FormulaEvaluation, DeepChainDoesNotRecurse)
{
    Workbook book;
    book.setNumber(1, 1, 1);
    const int n = 200000;
    for (int r = 2; r <= n; ++r)
        book.setFormula(r, 1, QStringLiteral("A%1+1").arg(r - 1));
    EXPECT_EQ(book.number(n, 1), double(n));
    book.setNumber(1, 1, 10);
    EXPECT_EQ(book.number(n, 1), double(n + 9));
    book.recalculate();
    EXPECT_EQ(book.number(n, 1), double(n + 9));
}

TEST(FormulaParser, FuzzFindingsStayFixed)
{
    // Once looped forever in the tokenizer: a backslash started a name that never advanced.
    EXPECT_FALSE(parseFormula(QStringLiteral("IF(,F(FALSE)ig/,VLO,a1:B3,2,FA\\SE))")).ok());
    EXPECT_FALSE(parseFormula(QStringLiteral("\\")).ok());
}

TEST(FormulaEvaluation, TodayFollowsTheClockOnEveryCalculation)
{
    // The test clock stands at 15 January 2026 until a test moves it.
    Workbook book;
    book.setEntry(1, 1, QStringLiteral("=TODAY()"));
    book.setEntry(1, 2, QStringLiteral("=A1+1"));
    EXPECT_EQ(book.text(1, 1), QStringLiteral("46037"));
    qv::test::fakes().clock->advance(24 * 3600 * 1000);
    book.setEntry(5, 5, QStringLiteral("1")); // any change recalculates TODAY()
    EXPECT_EQ(book.number(1, 1), 46038);
    EXPECT_EQ(book.number(1, 2), 46039);
}

#include "controls/workbook/FormulaShift.h"

TEST(FormulaShift, MovesRelativePartsOnly)
{
    struct Case { const char *formula; int dRow, dCol; const char *expected; };
    const Case cases[] = {
        {"=A1*2", 1, 0, "=A2*2"},
        {"=$A$1+A1", 2, 1, "=$A$1+B3"},
        {"=SUM(B1:B5)", 0, 2, "=SUM(D1:D5)"},
        {"=A$1+$A1", 3, 3, "=D$1+$A4"},
        {"=[Tbl0404]Sheet1!B1+'My Sheet'!C2", 1, 1, "=[Tbl0404]Sheet1!C2+'My Sheet'!D3"},
        {"=A1+1", -1, 0, "=#REF!+1"},
        {"=SUM(A:A)", 0, 1, "=SUM(B:B)"},
        {"=\"A1\"&B2", 1, 0, "=\"A1\"&B3"},
        {"=SUM(1:2)", 2, 0, "=SUM(3:4)"},
        {"=1+", 1, 1, "=1+"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(shiftFormula(QString::fromLatin1(c.formula), c.dRow, c.dCol), QString::fromLatin1(c.expected)) << c.formula;
}

TEST(FormulaEvaluation, FilledFormulasCompileAlikeWhereverTheyStand)
{
    // The same shapes at many cells, compiled once and moved, must read the
    // cells they name: relative, absolute and mixed corners, ranges, names
    // that look like cells and references in text.
    Workbook book;
    for (int r = 1; r <= 30; ++r)
        book.setNumber(r, 1, r);
    const char *shapes[] = {"A{r}*2", "$A$1+A{r}", "SUM(A$1:A{r})", "SUM(A{r}:$A$30)", "LOG10(A{r}*10)",
                            "\"A{r}\"&A{r}", "IF(A{r}>15,A{r},-A{r})"};
    for (int col = 0; col < 7; ++col)
        for (int r = 1; r <= 30; ++r)
            book.setFormula(r, col + 2, QString::fromLatin1(shapes[col]).replace(QStringLiteral("{r}"), QString::number(r)));
    for (int r = 1; r <= 30; ++r) {
        EXPECT_EQ(book.number(r, 2), 2 * r);
        EXPECT_EQ(book.number(r, 3), 1 + r);
        EXPECT_EQ(book.number(r, 4), r * (r + 1) / 2);
        EXPECT_EQ(book.number(r, 5), (30 * 31 - (r - 1) * r) / 2);
        EXPECT_DOUBLE_EQ(book.number(r, 6), std::log10(r * 10.0));
        EXPECT_EQ(book.text(r, 7), QStringLiteral("A%1%1").arg(r));
        EXPECT_EQ(book.number(r, 8), r > 15 ? r : -r);
    }
}
