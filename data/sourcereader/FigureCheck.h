#pragma once
// The figure check: the numbers an example text quotes in its tables, read
// with their row label and year column, compared with the example tables of
// the same kind and stage within the rounding the text uses.

#include "sourcereader/TemplateSources.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace qv::workbook {
class WorkbookSet;
}

namespace qv::templates {

// A written figure: its value and half its last written unit ("$21,000" is
// 21000 give or take 500, "47.6%" is 0.476 give or take 0.0005).
struct FigureValue
{
    enum class Kind { Money, Percent, Plain };
    double value = 0;
    double tolerance = 0;
    Kind kind = Kind::Plain;
};
std::optional<FigureValue> parseFigure(const QString &written);

struct QuotedFigure
{
    QString file; // relative to the sources folder
    int line = 0;
    QString text;   // the text it belongs to: "Retail New"
    QString label;  // the row label as written
    QString column; // the column heading as written
    QString year;   // its year key: "2028", "year 1"
    QString written;
    FigureValue figure;
};

// The figures of the simple tables of a text whose column (or row) headings
// are years ("2028", "2027 actual", "Year 1"). `lines` are the file's lines,
// the text running from `first` to `last` (0-based, inclusive).
QList<QuotedFigure> quotedFigures(const QStringList &lines, int first, int last);

// The year key of a heading: "2027" for "2027 actual", "year 2" for
// "Year 2"; empty for anything else.
QString yearKey(const QString &heading);

struct FigureFinding
{
    enum class Verdict { Agrees, Contradicts, Unmatched };
    Verdict verdict = Verdict::Unmatched;
    QuotedFigure quoted;
    QString tableCells; // "Tbl0802!B46 $21,343; ..." for the rows the label names
    QString describe() const;
};

// Looks up the quoted figures in a calculated set of example tables: a row
// whose label (column A, parenthetical notes left out) equals the quoted
// label, or one of the indented rows under it (a product's sales under its
// name), in the column whose heading gives the same year and with a number
// format of the figure's kind (money, percent, other).
QList<FigureFinding> compareFigures(const QList<QuotedFigure> &figures, const workbook::WorkbookSet &set);

// Every example text of the sources against its kind's example tables.
struct FigureReport
{
    QList<FigureFinding> findings;
    QStringList errors; // sources that could not be read
    int count(FigureFinding::Verdict verdict) const;
    QStringList lines(FigureFinding::Verdict verdict) const;
};
FigureReport checkLibraryFigures(const QString &sourcesFolder);

} // namespace qv::templates
