// The engine tested three ways, by tables: formula text to tokens, formula
// to value and value with format code to displayed text. The last two
// compare with what LibreOffice Calc computes for the same cells; the
// expected files in reference/ are made by reference/make-reference.sh.

#include "controls/workbook/NumberFormat.h"
#include "controls/workbook/Tokenizer.h"
#include "controls/workbook/Workbook.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

#include <cmath>

using namespace qv::workbook;

namespace {

QStringList readLines(const char *name)
{
    QFile file(QStringLiteral(QV_ENGINE_REFERENCE_DIR "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    while (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

// One CSV line as LibreOffice writes it: fields quoted only when they must be.
QStringList csvFields(const QString &line)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == u'"' && i + 1 < line.size() && line[i + 1] == u'"') { field += u'"'; ++i; }
            else if (c == u'"') quoted = false;
            else field += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            fields << field;
            field.clear();
        } else {
            field += c;
        }
    }
    fields << field;
    return fields;
}

// Tokens as short text: kind letter and content, "N:2.5 O:+ R:A1".
QString describe(const TokenizeResult &result)
{
    if (!result.error.isEmpty())
        return QStringLiteral("error");
    QStringList parts;
    for (const Token &t : result.tokens) {
        switch (t.kind) {
        case Token::Kind::Number: parts << QStringLiteral("N:") + QString::number(t.number, 'g', 15); break;
        case Token::Kind::String: parts << QStringLiteral("S:") + t.text; break;
        case Token::Kind::Boolean: parts << (t.number != 0 ? QStringLiteral("B:TRUE") : QStringLiteral("B:FALSE")); break;
        case Token::Kind::Error: parts << QStringLiteral("E:") + errorText(t.error); break;
        case Token::Kind::Reference: {
            const Reference &r = t.reference;
            QString text = r.book.isEmpty() ? QString() : u'[' + r.book + u']';
            if (!r.sheet.isEmpty()) text += r.sheet + u'!';
            parts << QStringLiteral("R:") + text + rangeName(r.range);
            break;
        }
        case Token::Kind::Function: parts << QStringLiteral("F:") + t.text; break;
        case Token::Kind::Name: parts << QStringLiteral("Name:") + t.text; break;
        case Token::Kind::Operator: parts << QStringLiteral("O:") + t.text; break;
        case Token::Kind::OpenParen: parts << QStringLiteral("("); break;
        case Token::Kind::CloseParen: parts << QStringLiteral(")"); break;
        case Token::Kind::Comma: parts << QStringLiteral(","); break;
        case Token::Kind::Array: {
            QStringList rows;
            for (int r = 0; r < t.array->rows; ++r) {
                QStringList cols;
                for (int c = 0; c < t.array->cols; ++c)
                    cols << plainText(t.array->at(r, c));
                rows << cols.join(u',');
            }
            parts << QStringLiteral("A:{") + rows.join(u';') + u'}';
            break;
        }
        }
    }
    return parts.join(u' ');
}

} // namespace

TEST(EngineTables, TokenizerTurnsTextIntoTokens)
{
    struct Case { const char *text; const char *tokens; };
    const Case cases[] = {
        {"1+2", "N:1 O:+ N:2"},
        {"1.5e3*.5", "N:1500 O:* N:0.5"},
        {"A1:B2", "R:A1:B2"},
        {"$A$1", "R:A1"},
        {"a1", "R:A1"},
        {"B:D", "R:B1:D1048576"},
        {"3:5", "R:A3:XFD5"},
        {"Sheet2!C3", "R:Sheet2!C3"},
        {"'My Sheet'!A1:A2", "R:My Sheet!A1:A2"},
        {"'It''s'!B2", "R:It's!B2"},
        {"[Tbl0404]Sheet1!$B$1", "R:[Tbl0404]Sheet1!B1"},
        {"'[Tbl 1]Sheet 1'!A1", "R:[Tbl 1]Sheet 1!A1"},
        {"SUM(A1,2)", "F:SUM R:A1 , N:2 )"},
        {"sum (1;2)", "F:SUM N:1 , N:2 )"},
        {"LOG10(100)", "F:LOG10 N:100 )"},
        {"\"say \"\"hi\"\"\"", "S:say \"hi\""},
        {"TRUE<>false", "B:TRUE O:<> B:FALSE"},
        {"1>=2", "N:1 O:>= N:2"},
        {"5%", "N:5 O:%"},
        {"#N/A&#div/0!", "E:#N/A O:& E:#DIV/0!"},
        {"Revenue*2", "Name:Revenue O:* N:2"},
        {"ZZZZ1", "Name:ZZZZ1"},
        {"{1,2;3,4}", "A:{1,2;3,4}"},
        {"{\"a\",TRUE;-1.5,#N/A}", "A:{a,TRUE;-1.5,#N/A}"},
        {"(1)", "( N:1 )"},
        {"\"open", "error"},
        {"{1,2;3}", "error"},
        {"1 ~ 2", "error"},
        {"'Sheet1!A1", "error"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(describe(tokenize(QString::fromUtf8(c.text))), QString::fromUtf8(c.tokens)) << c.text;
}

TEST(EngineTables, FormulasGiveWhatLibreOfficeGives)
{
    const QStringList cases = readLines("evaluation-cases.txt");
    const QStringList expected = readLines("evaluation-libreoffice.csv");
    ASSERT_FALSE(cases.isEmpty());
    ASSERT_EQ(cases.size(), expected.size());
    // The same sample cells the reference sheet holds in A1:D5.
    Workbook book;
    const char *data[5][4] = {{"10", "1", "Jan", "=1/0"}, {"20", "2", "Feb", ""}, {"30", "3", "Mar", ""},
                              {"apple", "4", "", ""},     {"TRUE", "5", "", ""}};
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c)
            book.setEntry(r + 1, c + 1, QString::fromLatin1(data[r][c]));
    for (int i = 0; i < int(cases.size()); ++i) {
        const QStringList formulaAndExcelError = cases[i].split(u'\t');
        const QString formula = formulaAndExcelError[0];
        ASSERT_TRUE(book.setEntry(i + 1, 6, u'=' + formula)) << formula.toStdString();
        const QStringList fields = csvFields(expected[i]);
        ASSERT_EQ(fields.size(), 7) << expected[i].toStdString();
        QString want = fields[5];
        const QString kind = fields[6];
        // LibreOffice's own error names ("Err:502") have no Excel spelling;
        // the case line gives the one Excel shows.
        if (want.startsWith(QLatin1String("Err:"))) {
            ASSERT_EQ(formulaAndExcelError.size(), 2) << formula.toStdString() << " needs Excel's error";
            want = formulaAndExcelError[1];
        }
        const Value got = book.value(i + 1, 6);
        const std::string what = formula.toStdString();
        if (kind == QLatin1String("number")) {
            // LibreOffice keeps logical values as 1 and 0.
            ASSERT_TRUE(got.isNumber() || got.isBoolean()) << what << " gave " << plainText(got).toStdString();
            const double w = want.toDouble();
            EXPECT_NEAR(got.number, w, std::max(1e-12, std::fabs(w) * 1e-13)) << what;
        } else if (kind == QLatin1String("text")) {
            EXPECT_TRUE(got.isText()) << what << " gave " << plainText(got).toStdString();
            EXPECT_EQ(got.text, want) << what;
        } else {
            EXPECT_TRUE(got.isError()) << what << " gave " << plainText(got).toStdString();
            EXPECT_EQ(plainText(got), want) << what;
        }
    }
}

TEST(EngineTables, FormatCodesShowWhatLibreOfficeShows)
{
    const QStringList cases = readLines("format-cases.txt");
    const QStringList expected = readLines("format-libreoffice.csv");
    ASSERT_FALSE(cases.isEmpty());
    ASSERT_EQ(cases.size(), expected.size());
    for (int i = 0; i < int(cases.size()); ++i) {
        const QStringList parts = cases[i].split(u'\t');
        ASSERT_EQ(parts.size(), 2) << cases[i].toStdString();
        const QString shown = csvFields(expected[i]).value(0);
        EXPECT_EQ(displayText(Value::fromNumber(parts[0].toDouble()), parts[1]), shown)
            << parts[0].toStdString() << " as " << parts[1].toStdString();
    }
}
