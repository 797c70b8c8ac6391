#pragma once
// Reader of the table definitions (data/README.md, "Table definitions"):
// one file per table and stage that builds the template workbook and, per
// kind, the example workbook. The generator and the checks share it.

#include "TemplateSources.h"

#include "controls/workbook/CellAddress.h"
#include "controls/workbook/CellFormat.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <variant>

namespace qv::workbook {
class Workbook;
class WorkbookSet;
} // namespace qv::workbook

namespace qv::templates {

// The attributes of a style or a cell line: each one set overrides the
// cell's format, the others leave it as it is.
struct FormatChange
{
    std::optional<bool> bold, italic, unlocked;
    std::optional<double> size;
    std::optional<QString> font, numberFormat;
    std::optional<workbook::Rgb> fill;
    bool borderTop = false, borderBottom = false, borderLeft = false, borderRight = false;
    std::optional<workbook::HorizontalAlignment> alignment;

    void add(const FormatChange &other); // other's settings win
    void applyTo(workbook::CellFormat &format) const;
};

using StyleSheet = QMap<QString, FormatChange>;

// The shared styles (data/tables/styles).
Parsed<StyleSheet> readStyles(const QString &path);

// One line that sets cells: content (if any) into every cell of the range,
// a formula as if filled from the range's first cell, then the attributes.
struct CellStatement
{
    enum class Content { None, Text, Number, Formula };
    int line = 0;
    workbook::CellRange range;
    Content content = Content::None;
    QString text; // the text, the number as written, or the formula without "="
    FormatChange format;
};

// "fill <source> <target> [step n]": the source block repeated over the
// target, relative references moving along.
struct FillStatement
{
    int line = 0;
    workbook::CellRange source;
    workbook::CellRange target;
    int step = 0; // rows of one repetition; 0: the source's height
};

using Statement = std::variant<CellStatement, FillStatement>;

// "check <range> = <range>": cells that must agree after calculation (a
// balance sheet's total assets against liabilities and equity).
struct AgreementCheck
{
    int line = 0;
    workbook::CellRange left;
    workbook::CellRange right;
};

struct TableDefinition
{
    QString path;
    QString name;  // "Tbl0601", or an analysis's key ("ANRT")
    QString title; // "Advertising Budget"
    // A workbook of several sheets (an analysis, one sheet per projected
    // year) repeats every line on each sheet, with "{year}" in texts and
    // formulas standing for the sheet's number from 1.
    int sheets = 1;
    QString sheetName;               // "Year {year}"; empty: the workbook's own names
    int rows = 0;    // the table's extent; 0 when not given
    int columns = 0; // the last column given a width
    std::map<int, double> columnWidths; // column -> characters
    std::set<int> hiddenRows;
    QList<Statement> statements;
    QMap<QString, QList<Statement>> examples; // kind name -> its changes
    QMap<QString, std::set<int>> exampleHiddenRows; // kind name -> rows its example hides besides
    QList<AgreementCheck> checks;

    QStringList exampleKinds() const { return examples.keys(); }
    // An analysis workbook rather than a table of the outline: named by its
    // key, its example lies in the tables folder as "TPL" + the key + ".vts".
    bool isAnalysis() const { return !name.startsWith(QLatin1String("Tbl")); }
    bool hasExample(const QString &kind) const { return examples.contains(kind); }
    // The template workbook, or with a kind that has an example, that
    // kind's example workbook. Titled with the table name; not in a set.
    std::shared_ptr<workbook::Workbook> build(const QString &exampleKind = QString()) const;
};

// Reads one ".table" file; styles are the shared ones it may use.
Parsed<TableDefinition> readTableDefinition(const QString &path, const StyleSheet &styles);
// The same for a file's content; `path` names it in the messages and must
// end in "<table name>.table".
Parsed<TableDefinition> parseTableDefinition(const QString &path, const QByteArray &text, const StyleSheet &styles);

// Every cell of a table lies in this area, so a slip such as A1:XFD9999
// is an error and not an endless build.
constexpr int maxTableRows = 1000;
constexpr int maxTableColumns = 100;

// Every "*.table" file of a set folder in name order, with the shared styles
// found beside the plan-type folders ("tables/styles").
struct TableSet
{
    QString folder;
    QList<TableDefinition> tables;
    const TableDefinition *find(const QString &name) const;
};
Parsed<TableSet> readTableSet(const QString &folder);
// The styles file that serves a set folder: <folder>/../../styles, or
// <folder>/../styles; empty when there is none.
QString stylesFileFor(const QString &setFolder);

// Builds every table of the set (the kind's examples where they exist, the
// templates elsewhere) into `set` and recalculates it once.
void loadTableSet(const TableSet &tables, workbook::WorkbookSet &set, const QString &exampleKind = QString());

// Problems of a calculated set: every cell holding an error value
// ("Tbl0802!C14: #REF!  =[Tbl0599]Sheet1!A1 (no table Tbl0599 in the set)")
// and every check whose cells disagree.
QStringList errorCells(const workbook::WorkbookSet &set);
QStringList failedChecks(const TableSet &tables, const workbook::WorkbookSet &set);

// The shown values of a workbook's sheet as a text grid, one line per row
// of its extent, hidden rows and columns marked.
QString textGrid(const workbook::Workbook &book, int sheet = 0);

// A content with "{year}" standing for the sheet's number.
QString forSheet(const QString &content, int year);

} // namespace qv::templates
