#include "TableDefinition.h"

#include "ColumnFit.h"

#include "controls/workbook/EntryText.h"
#include "controls/workbook/FormulaShift.h"
#include "controls/workbook/Parser.h"
#include "controls/workbook/Value.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <cmath>

namespace qv::templates {

using workbook::CellFormat;
using workbook::CellRange;

void FormatChange::add(const FormatChange &other)
{
    auto take = [](auto &mine, const auto &theirs) {
        if (theirs)
            mine = theirs;
    };
    take(bold, other.bold);
    take(italic, other.italic);
    take(unlocked, other.unlocked);
    take(size, other.size);
    take(font, other.font);
    take(numberFormat, other.numberFormat);
    take(fill, other.fill);
    take(alignment, other.alignment);
    borderTop = borderTop || other.borderTop;
    borderBottom = borderBottom || other.borderBottom;
    borderLeft = borderLeft || other.borderLeft;
    borderRight = borderRight || other.borderRight;
}

void FormatChange::applyTo(CellFormat &format) const
{
    if (bold)
        format.bold = *bold;
    if (italic)
        format.italic = *italic;
    if (unlocked)
        format.locked = !*unlocked;
    if (size)
        format.fontSize = *size;
    if (font)
        format.fontName = *font;
    if (numberFormat)
        format.numberFormat = *numberFormat;
    if (fill) {
        format.hasFill = true;
        format.fillColor = *fill;
    }
    if (alignment)
        format.alignment = *alignment;
    const workbook::BorderLine thin{workbook::BorderStyle::Thin, 0};
    if (borderTop)
        format.top = thin;
    if (borderBottom)
        format.bottom = thin;
    if (borderLeft)
        format.left = thin;
    if (borderRight)
        format.right = thin;
}

namespace {

// A line split into blank-separated words. Quotes group (a backslash in a
// quoted text escapes a quote or a backslash), parentheses group so that a
// formula may hold blanks, and "#" at the start of a word begins a comment.
struct Words
{
    QStringList words;
    QString error;
};

Words splitWords(const QString &line)
{
    Words result;
    const int n = int(line.size());
    int i = 0;
    while (i < n) {
        while (i < n && line[i].isSpace())
            ++i;
        if (i >= n || line[i] == u'#')
            break;
        const int start = i;
        const bool formula = line[start] == u'='; // formulas double their quotes instead
        bool quoted = false;
        int depth = 0;
        for (; i < n; ++i) {
            const QChar c = line[i];
            if (quoted) {
                if (c == u'\\' && i + 1 < n && !formula)
                    ++i;
                else if (c == u'"')
                    quoted = false;
            } else if (c == u'"') {
                quoted = true;
            } else if (c == u'(') {
                ++depth;
            } else if (c == u')') {
                --depth;
            } else if (c.isSpace() && depth <= 0) {
                break;
            }
        }
        if (quoted) {
            result.error = QStringLiteral("a quote is not closed");
            return result;
        }
        result.words << line.mid(start, i - start);
    }
    return result;
}

bool isQuoted(const QString &word)
{
    return word.size() >= 2 && word.startsWith(u'"') && word.endsWith(u'"');
}

QString unquote(const QString &word)
{
    if (!isQuoted(word))
        return word;
    QString result;
    const QString inner = word.mid(1, word.size() - 2);
    for (int i = 0; i < inner.size(); ++i) {
        if (inner[i] == u'\\' && i + 1 < inner.size())
            ++i;
        result += inner[i];
    }
    return result;
}

std::optional<CellRange> cellRange(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\$?[A-Za-z]{1,3}\\$?[0-9]+(:\\$?[A-Za-z]{1,3}\\$?[0-9]+)?$"));
    if (!pattern.match(text).hasMatch())
        return std::nullopt;
    auto range = workbook::parseCellRange(text);
    if (!range || !range->isValid())
        return std::nullopt;
    return range;
}

std::optional<workbook::Rgb> colour(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    if (!pattern.match(text).hasMatch())
        return std::nullopt;
    return workbook::Rgb(text.mid(1).toUInt(nullptr, 16));
}

// Reads attribute words into `change`; returns the first problem, if any.
QString readAttributes(const QStringList &words, int from, const StyleSheet &styles, FormatChange &change)
{
    for (int i = from; i < words.size(); ++i) {
        const QString &word = words.at(i);
        const auto equals = word.indexOf(u'=');
        const QString name = equals < 0 ? word : word.left(equals);
        const QString value = equals < 0 ? QString() : unquote(word.mid(equals + 1));
        if (equals < 0) {
            if (word == QLatin1String("bold"))
                change.bold = true;
            else if (word == QLatin1String("italic"))
                change.italic = true;
            else if (word == QLatin1String("unlocked"))
                change.unlocked = true;
            else if (styles.contains(word))
                change.add(styles.value(word));
            else
                return QStringLiteral("unknown style or attribute \"%1\"").arg(word);
        } else if (name == QLatin1String("size")) {
            bool ok = false;
            const double points = value.toDouble(&ok);
            if (!ok || points < 4 || points > 72)
                return QStringLiteral("size is a number of points from 4 to 72");
            change.size = points;
        } else if (name == QLatin1String("font")) {
            if (value.isEmpty())
                return QStringLiteral("font needs a name");
            change.font = value;
        } else if (name == QLatin1String("format")) {
            if (value.isEmpty())
                return QStringLiteral("format needs a number format");
            change.numberFormat = value;
        } else if (name == QLatin1String("fill")) {
            const auto rgb = colour(value);
            if (!rgb)
                return QStringLiteral("fill is a colour #RRGGBB");
            change.fill = *rgb;
        } else if (name == QLatin1String("border")) {
            if (value == QLatin1String("top"))
                change.borderTop = true;
            else if (value == QLatin1String("bottom"))
                change.borderBottom = true;
            else if (value == QLatin1String("box"))
                change.borderTop = change.borderBottom = change.borderLeft = change.borderRight = true;
            else
                return QStringLiteral("border is top, bottom or box");
        } else if (name == QLatin1String("align")) {
            if (value == QLatin1String("left"))
                change.alignment = workbook::HorizontalAlignment::Left;
            else if (value == QLatin1String("center"))
                change.alignment = workbook::HorizontalAlignment::Center;
            else if (value == QLatin1String("right"))
                change.alignment = workbook::HorizontalAlignment::Right;
            else
                return QStringLiteral("align is left, center or right");
        } else {
            return QStringLiteral("unknown attribute \"%1\"").arg(name);
        }
    }
    return {};
}

bool readLines(const QString &path, QStringList &lines, QStringList &errors)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        errors << path + QStringLiteral(": cannot be read");
        return false;
    }
    QString content = QString::fromUtf8(file.readAll());
    if (content.startsWith(QChar(0xFEFF)))
        content.remove(0, 1);
    lines = content.split(u'\n');
    for (auto &line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    return true;
}

QString where(const QString &path, int line)
{
    return path + u':' + QString::number(line) + QStringLiteral(": ");
}

// Reads "style <name> <attributes>" into the sheet; an error text or empty.
QString readStyleLine(const QStringList &words, StyleSheet &styles)
{
    static const QRegularExpression namePattern(QStringLiteral("^[A-Za-z][A-Za-z0-9_-]*$"));
    if (words.size() < 2 || !namePattern.match(words.at(1)).hasMatch())
        return QStringLiteral("style needs a name (letters, digits, - and _)");
    static const QStringList reserved{QStringLiteral("bold"), QStringLiteral("italic"), QStringLiteral("unlocked")};
    if (reserved.contains(words.at(1)))
        return QStringLiteral("\"%1\" is an attribute, not a style name").arg(words.at(1));
    FormatChange change;
    const QString problem = readAttributes(words, 2, styles, change);
    if (!problem.isEmpty())
        return problem;
    styles.insert(words.at(1), change);
    return {};
}

// Twips of a column that shows `characters` digits of the default font
// (7 pixels a digit plus 5 of padding, at 15 twips a pixel).
int columnTwips(double characters)
{
    return int(std::lround((characters * 7.0 + 5.0) * 15.0));
}

void setCells(workbook::Workbook &book, const CellStatement &statement, int year)
{
    const CellRange &r = statement.range;
    const QString content = forSheet(statement.text, year);
    for (int row = r.top; row <= r.bottom; ++row) {
        for (int col = r.left; col <= r.right; ++col) {
            switch (statement.content) {
            case CellStatement::Content::None: break;
            case CellStatement::Content::Text: book.setText(row, col, content); break;
            case CellStatement::Content::Number: book.setEntry(row, col, content); break;
            case CellStatement::Content::Formula:
                book.setFormula(row, col, workbook::shiftFormula(content, row - r.top, col - r.left));
                break;
            }
            book.changeFormat(CellRange::cell(row, col),
                              [&](CellFormat &format) { statement.format.applyTo(format); });
        }
    }
}

void fillCells(workbook::Workbook &book, const FillStatement &statement)
{
    struct Source
    {
        QString formula; // without "="; empty for a constant
        workbook::Value value;
        CellFormat format;
    };
    const CellRange &s = statement.source;
    const int sheet = book.activeSheet();
    std::vector<Source> sources;
    for (int row = s.top; row <= s.bottom; ++row) {
        for (int col = s.left; col <= s.right; ++col) {
            Source source;
            if (const auto *cell = book.sheetData(sheet).cell(row, col)) {
                if (cell->formula >= 0)
                    source.formula = book.formulaCell(cell->formula).text;
                else
                    source.value = cell->value;
            }
            source.format = book.formatOf(sheet, row, col);
            sources.push_back(source);
        }
    }
    const int rowPeriod = statement.step > 0 ? statement.step : s.rows();
    const CellRange &t = statement.target;
    for (int row = t.top; row <= t.bottom; ++row) {
        const int sourceRow = s.top + (row - t.top) % rowPeriod;
        if (sourceRow > s.bottom)
            continue; // a step taller than the source leaves gaps
        for (int col = t.left; col <= t.right; ++col) {
            const int sourceCol = s.left + (col - t.left) % s.cols();
            const Source &source = sources[std::size_t((sourceRow - s.top) * s.cols() + (sourceCol - s.left))];
            if (!source.formula.isEmpty())
                book.setFormula(row, col, workbook::shiftFormula(source.formula, row - sourceRow, col - sourceCol));
            else if (source.value.isEmpty())
                book.clearRange(CellRange::cell(row, col), workbook::ClearKind::Contents);
            else
                book.setValue(row, col, source.value);
            book.setFormat(CellRange::cell(row, col), source.format);
        }
    }
}

void run(workbook::Workbook &book, const QList<Statement> &statements, int year)
{
    for (const auto &statement : statements) {
        if (const auto *cells = std::get_if<CellStatement>(&statement))
            setCells(book, *cells, year);
        else
            fillCells(book, std::get<FillStatement>(statement));
    }
}

QString formulaProblem(const QString &formula)
{
    const auto parsed = workbook::parseFormula(forSheet(formula, 1));
    return parsed.ok() ? QString() : parsed.error;
}

} // namespace

Parsed<StyleSheet> readStyles(const QString &path)
{
    Parsed<StyleSheet> result;
    QStringList lines;
    if (!readLines(path, lines, result.errors))
        return result;
    for (int i = 0; i < lines.size(); ++i) {
        const Words words = splitWords(lines.at(i));
        if (!words.error.isEmpty()) {
            result.errors << where(path, i + 1) + words.error;
            continue;
        }
        if (words.words.isEmpty())
            continue;
        const QString problem = words.words.first() == QLatin1String("style")
                                    ? readStyleLine(words.words, result.value)
                                    : QStringLiteral("only style lines belong here");
        if (!problem.isEmpty())
            result.errors << where(path, i + 1) + problem;
    }
    return result;
}

Parsed<TableDefinition> readTableDefinition(const QString &path, const StyleSheet &styles)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Parsed<TableDefinition> result;
        result.value.path = path;
        result.errors << path + QStringLiteral(": cannot be read");
        return result;
    }
    return parseTableDefinition(path, file.readAll(), styles);
}

Parsed<TableDefinition> parseTableDefinition(const QString &path, const QByteArray &text, const StyleSheet &sharedStyles)
{
    Parsed<TableDefinition> result;
    TableDefinition &table = result.value;
    table.path = path;
    QString content = QString::fromUtf8(text);
    if (content.startsWith(QChar(0xFEFF)))
        content.remove(0, 1); // a byte-order mark some editors write
    QStringList lines = content.split(u'\n');
    for (auto &line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    StyleSheet styles = sharedStyles;
    QList<Statement> *statements = &table.statements;
    QString exampleKind;
    struct Placed
    {
        int line;
        CellRange range;
    };
    std::vector<Placed> placed; // every range a line writes, checked against the extent at the end
    static const QRegularExpression tableName(QStringLiteral("^(Tbl[0-9]{4}|[A-Z]{4})$"));

    for (int i = 0; i < lines.size(); ++i) {
        const int lineNumber = i + 1;
        const Words split = splitWords(lines.at(i));
        auto fail = [&](const QString &what) { result.errors << where(path, lineNumber) + what; };
        if (!split.error.isEmpty()) {
            fail(split.error);
            continue;
        }
        const QStringList &words = split.words;
        if (words.isEmpty())
            continue;
        const auto inArea = [&](const CellRange &range) {
            if (range.bottom <= maxTableRows && range.right <= maxTableColumns)
                return true;
            fail(QStringLiteral("a table has at most %1 rows and columns A-%2")
                     .arg(maxTableRows)
                     .arg(workbook::columnName(maxTableColumns)));
            return false;
        };
        const QString &keyword = words.first();
        const bool header = keyword == QLatin1String("table") || keyword == QLatin1String("title") ||
                            keyword == QLatin1String("columns") || keyword == QLatin1String("rows") ||
                            keyword == QLatin1String("style") || keyword == QLatin1String("check") ||
                            keyword == QLatin1String("sheets");
        if (header && !exampleKind.isEmpty()) {
            fail(keyword + QStringLiteral(" belongs before the first example"));
            continue;
        }
        if (keyword == QLatin1String("table")) {
            if (words.size() != 2 || !tableName.match(words.at(1)).hasMatch())
                fail(QStringLiteral("table needs a name Tbl<nnnn>, or an analysis's key of four capitals"));
            else if (words.at(1) != QFileInfo(path).completeBaseName())
                fail(QStringLiteral("table %1 is in a file named %2").arg(words.at(1), QFileInfo(path).fileName()));
            else
                table.name = words.at(1);
        } else if (keyword == QLatin1String("title")) {
            if (words.size() != 2 || !isQuoted(words.at(1)))
                fail(QStringLiteral("title needs one quoted text"));
            else
                table.title = unquote(words.at(1));
        } else if (keyword == QLatin1String("columns")) {
            static const QRegularExpression widthPattern(
                QStringLiteral("^([A-Za-z]{1,3})(?:-([A-Za-z]{1,3}))?:([0-9]+(?:\\.[0-9]+)?)$"));
            if (words.size() < 2)
                fail(QStringLiteral("columns needs widths such as A:28 B-H:12"));
            for (int w = 1; w < words.size(); ++w) {
                const auto match = widthPattern.match(words.at(w));
                const int first = match.hasMatch() ? workbook::columnNumber(match.captured(1).toUpper()) : 0;
                const int last = match.hasMatch() && !match.captured(2).isEmpty()
                                     ? workbook::columnNumber(match.captured(2).toUpper())
                                     : first;
                const double width = match.captured(3).toDouble();
                if (first < 1 || last < first || last > maxTableColumns || width <= 0 || width > 255) {
                    fail(QStringLiteral("\"%1\" is not a column width such as A:28 or B-H:12").arg(words.at(w)));
                    continue;
                }
                for (int col = first; col <= last; ++col)
                    table.columnWidths[col] = width;
                table.columns = std::max(table.columns, last);
            }
        } else if (keyword == QLatin1String("sheets")) {
            bool ok = false;
            const int sheets = words.size() >= 2 ? words.at(1).toInt(&ok) : 0;
            if (!ok || sheets < 1 || sheets > 12 || words.size() > 3 || (words.size() == 3 && !isQuoted(words.at(2))))
                fail(QStringLiteral("sheets reads \"sheets 5 \"Year {year}\"\" (1 to 12 sheets, a quoted name)"));
            else {
                table.sheets = sheets;
                table.sheetName = words.size() == 3 ? unquote(words.at(2)) : QString();
                if (sheets > 1 && !table.sheetName.isEmpty() && !table.sheetName.contains(QLatin1String("{year}")))
                    fail(QStringLiteral("the sheets' name needs {year}, so each sheet has a name of its own"));
            }
        } else if (keyword == QLatin1String("rows")) {
            bool ok = false;
            const int rows = words.size() == 2 ? words.at(1).toInt(&ok) : 0;
            if (!ok || rows < 1 || rows > 1000)
                fail(QStringLiteral("rows needs the number of used rows (1 to 1000)"));
            else
                table.rows = rows;
        } else if (keyword == QLatin1String("hidden")) {
            static const QRegularExpression rowsPattern(QStringLiteral("^([0-9]+)(?:-([0-9]+))?$"));
            if (words.size() < 2)
                fail(QStringLiteral("hidden needs rows such as 14 or 20-24"));
            for (int w = 1; w < words.size(); ++w) {
                const auto match = rowsPattern.match(words.at(w));
                const int first = match.captured(1).toInt();
                const int last = match.captured(2).isEmpty() ? first : match.captured(2).toInt();
                if (!match.hasMatch() || first < 1 || last < first || last > 1000) {
                    fail(QStringLiteral("\"%1\" is not a row or rows such as 14 or 20-24").arg(words.at(w)));
                    continue;
                }
                // In an example section the rows are hidden in that example only.
                std::set<int> &hidden = exampleKind.isEmpty() ? table.hiddenRows : table.exampleHiddenRows[exampleKind];
                for (int row = first; row <= last; ++row)
                    hidden.insert(row);
                placed.push_back({lineNumber, CellRange{first, 1, last, 1}});
            }
        } else if (keyword == QLatin1String("style")) {
            const QString problem = readStyleLine(words, styles);
            if (!problem.isEmpty())
                fail(problem);
        } else if (keyword == QLatin1String("check")) {
            const auto left = words.size() == 4 ? cellRange(words.at(1)) : std::nullopt;
            const auto right = words.size() == 4 ? cellRange(words.at(3)) : std::nullopt;
            if (!left || !right || words.at(2) != QLatin1String("="))
                fail(QStringLiteral("check reads \"check B20:F20 = B35:F35\""));
            else if (!inArea(*left) || !inArea(*right))
                continue;
            else if (left->rows() != right->rows() || left->cols() != right->cols())
                fail(QStringLiteral("the two ranges of a check have different shapes"));
            else {
                table.checks.append({lineNumber, *left, *right});
                placed.push_back({lineNumber, *left});
                placed.push_back({lineNumber, *right});
            }
        } else if (keyword == QLatin1String("example")) {
            if (words.size() != 2 || !kindNames().contains(words.at(1))) {
                fail(QStringLiteral("example needs a kind: ") + kindNames().join(QStringLiteral(", ")));
                exampleKind = QStringLiteral("?");
                statements = nullptr;
            } else if (table.examples.contains(words.at(1))) {
                fail(QStringLiteral("a second example ") + words.at(1));
                exampleKind = words.at(1);
                statements = nullptr;
            } else {
                exampleKind = words.at(1);
                statements = &table.examples[exampleKind];
            }
        } else if (keyword == QLatin1String("fill")) {
            FillStatement fill;
            fill.line = lineNumber;
            const bool shape = words.size() == 3 || (words.size() == 5 && words.at(3) == QLatin1String("step"));
            const auto source = shape ? cellRange(words.at(1)) : std::nullopt;
            const auto target = shape ? cellRange(words.at(2)) : std::nullopt;
            bool stepOk = true;
            if (words.size() == 5)
                fill.step = words.at(4).toInt(&stepOk);
            if (!source || !target || !stepOk || (words.size() == 5 && fill.step < 1)) {
                fail(QStringLiteral("fill reads \"fill B9 C9:H9\" or \"fill A3:H5 A6:H32 step 3\""));
                continue;
            }
            if (!inArea(*source) || !inArea(*target))
                continue;
            fill.source = *source;
            fill.target = *target;
            placed.push_back({lineNumber, *target});
            if (statements)
                statements->append(fill);
        } else if (const auto range = cellRange(keyword)) {
            if (!inArea(*range))
                continue;
            CellStatement cells;
            cells.line = lineNumber;
            cells.range = *range;
            int attributesFrom = 1;
            if (words.size() > 1) {
                const QString &content = words.at(1);
                attributesFrom = 2;
                if (isQuoted(content)) {
                    cells.content = CellStatement::Content::Text;
                    cells.text = unquote(content);
                } else if (content.startsWith(u'=')) {
                    cells.content = CellStatement::Content::Formula;
                    cells.text = content.mid(1);
                    const QString problem = formulaProblem(cells.text);
                    if (!problem.isEmpty()) {
                        fail(QStringLiteral("formula %1: %2").arg(content, problem));
                        continue;
                    }
                } else if (workbook::parseNumberEntry(content)) {
                    cells.content = CellStatement::Content::Number;
                    cells.text = content;
                } else {
                    attributesFrom = 1; // no content: the line only formats
                }
            }
            const QString problem = readAttributes(words, attributesFrom, styles, cells.format);
            if (!problem.isEmpty()) {
                fail(problem);
                continue;
            }
            placed.push_back({lineNumber, *range});
            if (statements)
                statements->append(cells);
        } else {
            fail(QStringLiteral("\"%1\" is neither a keyword nor a cell").arg(keyword));
        }
    }

    if (table.name.isEmpty() && result.errors.isEmpty())
        result.errors << where(path, 1) + QStringLiteral("the file does not start with \"table Tbl<nnnn>\"");
    for (const auto &p : placed) {
        if (table.rows > 0 && p.range.bottom > table.rows)
            result.errors << where(path, p.line) +
                                 QStringLiteral("row %1 lies outside the table's %2 rows").arg(p.range.bottom).arg(table.rows);
        if (table.columns > 0 && p.range.right > table.columns)
            result.errors << where(path, p.line) +
                                 QStringLiteral("column %1 lies outside the table's columns A-%2 (give it a width)")
                                     .arg(workbook::columnName(p.range.right), workbook::columnName(table.columns));
    }
    return result;
}

std::shared_ptr<workbook::Workbook> TableDefinition::build(const QString &exampleKind) const
{
    auto book = std::make_shared<workbook::Workbook>();
    book->setTitle(name);
    for (int sheet = 0; sheet < sheets; ++sheet) {
        const int year = sheet + 1;
        if (sheet > 0)
            book->addSheet();
        if (!sheetName.isEmpty())
            book->setSheetName(sheet, forSheet(sheetName, year));
        book->setActiveSheet(sheet);
        for (const auto &[col, characters] : columnWidths)
            book->setColumnWidth(col, columnTwips(characters));
        for (const int row : hiddenRows)
            book->setRowsHidden(row, row, true);
        run(*book, statements, year);
        if (!exampleKind.isEmpty() && examples.contains(exampleKind)) {
            run(*book, examples.value(exampleKind), year);
            for (const int row : exampleHiddenRows.value(exampleKind))
                book->setRowsHidden(row, row, true);
        }
        if (rows > 0)
            book->setMaxRow(rows);
        if (columns > 0)
            book->setMaxCol(columns);
        if (rows > 0 && columns > 0)
            fitColumnsToTexts(*book);
        book->setActiveCell(1, 1);
    }
    book->setActiveSheet(0);
    book->setProtected(true);
    return book;
}

QString forSheet(const QString &content, int year)
{
    QString result = content;
    return result.replace(QLatin1String("{year}"), QString::number(year));
}

const TableDefinition *TableSet::find(const QString &name) const
{
    for (const auto &table : tables)
        if (table.name.compare(name, Qt::CaseInsensitive) == 0)
            return &table;
    return nullptr;
}

QString stylesFileFor(const QString &setFolder)
{
    const QDir folder(setFolder);
    for (const QString &candidate : {QStringLiteral("../../styles"), QStringLiteral("../styles")}) {
        const QString path = QDir::cleanPath(folder.absoluteFilePath(candidate));
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

Parsed<TableSet> readTableSet(const QString &folder)
{
    Parsed<TableSet> result;
    result.value.folder = folder;
    const QDir dir(folder);
    if (!dir.exists()) {
        result.errors << folder + QStringLiteral(": no such folder");
        return result;
    }
    StyleSheet styles;
    const QString stylesPath = stylesFileFor(folder);
    if (!stylesPath.isEmpty()) {
        auto read = readStyles(stylesPath);
        result.errors << read.errors;
        styles = read.value;
    }
    QSet<QString> names;
    const auto files = dir.entryList({QStringLiteral("*.table")}, QDir::Files, QDir::Name);
    for (const QString &file : files) {
        auto read = readTableDefinition(dir.filePath(file), styles);
        result.errors << read.errors;
        if (read.value.name.isEmpty())
            continue;
        if (names.contains(read.value.name.toLower())) {
            result.errors << dir.filePath(file) + QStringLiteral(": a second table ") + read.value.name;
            continue;
        }
        names.insert(read.value.name.toLower());
        result.value.tables.append(read.value);
    }
    return result;
}

void loadTableSet(const TableSet &tables, workbook::WorkbookSet &set, const QString &exampleKind)
{
    {
        workbook::WorkbookSet::Batch batch(set);
        for (const auto &table : tables.tables)
            set.add(table.build(exampleKind));
    }
    set.recalculate();
}

QStringList errorCells(const workbook::WorkbookSet &set)
{
    QStringList result;
    static const QRegularExpression linked(QStringLiteral("\\[([^\\]]+)\\]"));
    for (const auto *book : set.books()) {
        for (int s = 0; s < book->sheetCount(); ++s) {
            const auto &sheet = book->sheetData(s);
            const CellRange all{1, 1, workbook::maxRows, workbook::maxColumns};
            sheet.forEachCell(all, [&](int row, int col, const workbook::Cell &cell) {
                const workbook::Value &value = book->storedValue(s, row, col);
                if (!value.isError())
                    return;
                QString line = book->title() + u'!' + workbook::cellName(row, col) + QStringLiteral(": ") +
                               workbook::errorText(value.error);
                if (cell.formula >= 0) {
                    const QString formula = book->formulaCell(cell.formula).text;
                    line += QStringLiteral("  =") + formula;
                    QStringList missing;
                    for (auto it = linked.globalMatch(formula); it.hasNext();) {
                        const QString other = it.next().captured(1);
                        if (!set.contains(other) && !missing.contains(other))
                            missing << other;
                    }
                    for (const auto &other : missing)
                        line += QStringLiteral(" (no table %1 in the set)").arg(other);
                }
                result << line;
            });
        }
    }
    return result;
}

QStringList failedChecks(const TableSet &tables, const workbook::WorkbookSet &set)
{
    QStringList result;
    for (const auto &table : tables.tables) {
        const auto *book = set.find(table.name);
        if (!book)
            continue;
        for (const auto &check : table.checks) {
            for (int dr = 0; dr < check.left.rows(); ++dr) {
                for (int dc = 0; dc < check.left.cols(); ++dc) {
                    const int lr = check.left.top + dr, lc = check.left.left + dc;
                    const int rr = check.right.top + dr, rc = check.right.left + dc;
                    const auto a = book->storedValue(0, lr, lc);
                    const auto b = book->storedValue(0, rr, rc);
                    const bool numbers = (a.isNumber() || a.isEmpty()) && (b.isNumber() || b.isEmpty());
                    if (numbers && std::abs(a.number - b.number) < 0.005)
                        continue;
                    result << QStringLiteral("%1!%2: %3 differs from %4: %5 (check at %6:%7)")
                                  .arg(table.name, workbook::cellName(lr, lc), workbook::plainText(a),
                                       workbook::cellName(rr, rc), workbook::plainText(b), table.path)
                                  .arg(check.line);
                }
            }
        }
    }
    return result;
}

QString textGrid(const workbook::Workbook &book, int sheet)
{
    const auto &data = book.sheetData(sheet);
    const int rows = data.maxRow > 0 ? data.maxRow : data.lastStoredRow();
    const int cols = data.maxCol > 0 ? data.maxCol : data.lastStoredCol();
    constexpr int widest = 30;
    std::vector<int> widths(std::size_t(cols) + 1, 1);
    std::vector<QStringList> cells(std::size_t(rows) + 1);
    for (int row = 1; row <= rows; ++row) {
        for (int col = 1; col <= cols; ++col) {
            QString text = book.textOf(sheet, row, col);
            if (text.size() > widest)
                text = text.left(widest - 1) + QChar(0x2026);
            cells[std::size_t(row)] << text;
            widths[std::size_t(col)] = std::max(widths[std::size_t(col)], int(text.size()));
        }
    }
    QString out;
    QString header = QStringLiteral("     ");
    for (int col = 1; col <= cols; ++col) {
        QString name = workbook::columnName(col);
        if (data.hiddenColumns.count(col) > 0)
            name += u'*';
        widths[std::size_t(col)] = std::max(widths[std::size_t(col)], int(name.size()));
        header += QStringLiteral(" | ") + name.leftJustified(widths[std::size_t(col)]);
    }
    out += header + u'\n';
    for (int row = 1; row <= rows; ++row) {
        QString line = QString::number(row).rightJustified(4) + (data.hiddenRows.count(row) > 0 ? u'*' : u' ');
        for (int col = 1; col <= cols; ++col) {
            const QString &text = cells[std::size_t(row)].at(col - 1);
            const auto value = book.storedValue(sheet, row, col);
            const bool right = value.isNumber() || value.isError();
            line += QStringLiteral(" | ") + (right ? text.rightJustified(widths[std::size_t(col)])
                                                    : text.leftJustified(widths[std::size_t(col)]));
        }
        while (line.endsWith(u' '))
            line.chop(1);
        out += line + u'\n';
    }
    return out;
}

} // namespace qv::templates
