#include "FigureCheck.h"

#include "sourcereader/TableDefinition.h"

#include "controls/workbook/CellAddress.h"
#include "controls/workbook/CellFormat.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"

#include <QDir>
#include <QMap>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

namespace qv::templates {

namespace {

QString plainCell(QString cell)
{
    cell.remove(u'*');
    cell.replace(QStringLiteral("\\"), QString());
    return cell.simplified();
}

// Labels compare without case, emphasis, a trailing colon or a note in
// parentheses: "Debt-service coverage (lenders look for 1.25 or more)" is
// "debt-service coverage".
QString labelKey(const QString &label)
{
    static const QRegularExpression note(QStringLiteral("\\([^)]*\\)"));
    QString key = plainCell(label).toLower();
    key.remove(note);
    key.replace(u'&', QStringLiteral("and"));
    key = key.simplified();
    while (key.endsWith(u':') || key.endsWith(u'.'))
        key.chop(1);
    return key.trimmed();
}

QStringList cellsOf(const QString &row)
{
    QString inner = row.trimmed();
    if (inner.startsWith(u'|'))
        inner.remove(0, 1);
    if (inner.endsWith(u'|'))
        inner.chop(1);
    QStringList cells = inner.split(u'|');
    for (QString &cell : cells)
        cell = cell.trimmed();
    return cells;
}

bool isSeparator(const QStringList &cells)
{
    static const QRegularExpression dashes(QStringLiteral("^:?-{2,}:?$"));
    for (const QString &cell : cells)
        if (!dashes.match(cell).hasMatch())
            return false;
    return !cells.isEmpty();
}

} // namespace

std::optional<FigureValue> parseFigure(const QString &written)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^(?:about |some |around )?([-\u2212\u2013(]?)\\s*(\\$?)\\s*([0-9][0-9,]*(?:\\.[0-9]+)?)\\s*(%|\\s*million|\\s*times|x)?\\)?$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto match = pattern.match(plainCell(written));
    if (!match.hasMatch())
        return std::nullopt;
    QString digits = match.captured(3);
    digits.remove(u',');
    bool ok = false;
    double value = digits.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    // The last written unit: the last decimal, or the trailing zeros of a
    // whole number of thousands or more ("$21,000" is rounded to thousands).
    double unit = 1;
    if (const int dot = digits.indexOf(u'.'); dot >= 0) {
        unit = std::pow(10.0, -double(digits.size() - dot - 1));
    } else if (value >= 1000) {
        int zeros = 0;
        for (qsizetype i = digits.size() - 1; i > 0 && digits.at(i) == u'0'; --i)
            ++zeros;
        unit = std::pow(10.0, zeros);
    }
    const QString suffix = match.captured(4).trimmed().toLower();
    auto kind = match.captured(2).isEmpty() ? FigureValue::Kind::Plain : FigureValue::Kind::Money;
    if (suffix == QLatin1String("%")) {
        value /= 100;
        unit /= 100;
        kind = FigureValue::Kind::Percent;
    } else if (suffix == QLatin1String("million")) {
        value *= 1e6;
        unit *= 1e6;
    } else if (suffix.isEmpty() && match.captured(2).isEmpty() && !digits.contains(u'.')) {
        return std::nullopt; // a bare whole number (a count, a date) is not a figure of the tables
    }
    if (!match.captured(1).isEmpty())
        value = -value;
    return FigureValue{value, unit / 2, kind};
}

QString yearKey(const QString &heading)
{
    // A heading that names a year and nothing else of substance ("2027
    // actual", "End of 2027"); "Purchases in 2028" heads another quantity.
    static const QRegularExpression otherWords(QStringLiteral(
        "^(?:(?:fy|year|end|of|at|the|actual|actuals|plan|planned|projected|projection|forecast|budget|estimate|estimated|ending|first|second|third|fourth|fifth|jan|feb|mar|apr|may|jun|jul|aug|sep|sept|oct|nov|dec|january|february|march|april|june|july|august|september|october|november|december|\\d+|[-\u2013/(),:.])\\s*)*$"),
        QRegularExpression::CaseInsensitiveOption);
    if (!otherWords.match(plainCell(heading)).hasMatch())
        return {};
    static const QRegularExpression year(QStringLiteral("\\b((?:19|20)\\d\\d)\\b"));
    static const QRegularExpression planYear(QStringLiteral("\\byear (\\d{1,2})\\b"), QRegularExpression::CaseInsensitiveOption);
    const QString plain = plainCell(heading);
    if (const auto match = year.match(plain); match.hasMatch())
        return match.captured(1);
    if (const auto match = planYear.match(plain); match.hasMatch())
        return QStringLiteral("year ") + match.captured(1);
    if (plain.compare(QLatin1String("first year"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("year 1");
    return {};
}

QList<QuotedFigure> quotedFigures(const QStringList &lines, int first, int last)
{
    QList<QuotedFigure> result;
    int i = first;
    while (i <= last) {
        if (!lines.at(i).trimmed().startsWith(u'|')) {
            ++i;
            continue;
        }
        int end = i;
        while (end + 1 <= last && lines.at(end + 1).trimmed().startsWith(u'|'))
            ++end;
        const QStringList header = cellsOf(lines.at(i));
        QList<QStringList> rows;
        QList<int> rowLines;
        for (int r = i + 1; r <= end; ++r) {
            const QStringList cells = cellsOf(lines.at(r));
            if (isSeparator(cells))
                continue;
            rows << cells;
            rowLines << r + 1;
        }
        // Years across the heading row, or down the first column. A table
        // that starts with "Year 1" and goes on in calendar years counts its
        // years by position ("Year 1 | 2026 | 2027" are the first three).
        bool yearsAcross = false;
        QStringList keys;
        for (int c = 0; c < header.size(); ++c) {
            keys << (c == 0 ? QString() : yearKey(header.at(c)));
            yearsAcross = yearsAcross || !keys.last().isEmpty();
        }
        const auto firstYear = std::find_if(keys.cbegin(), keys.cend(), [](const QString &k) { return !k.isEmpty(); });
        const bool calendarYearsToo = std::any_of(keys.cbegin(), keys.cend(), [](const QString &k) { return !k.isEmpty() && !k.startsWith(u'y'); });
        if (firstYear != keys.cend() && *firstYear == QLatin1String("year 1") && calendarYearsToo) {
            int position = 0;
            for (QString &key : keys)
                if (!key.isEmpty())
                    key = QStringLiteral("year %1").arg(++position);
        }
        for (int r = 0; r < rows.size(); ++r) {
            const QStringList &cells = rows.at(r);
            for (int c = 1; c < cells.size() && c < header.size(); ++c) {
                const QString label = yearsAcross ? cells.at(0) : header.at(c);
                const QString column = yearsAcross ? header.at(c) : cells.at(0);
                const QString key = yearsAcross ? keys.at(c) : yearKey(column);
                if (key.isEmpty() || labelKey(label).isEmpty())
                    continue;
                const auto figure = parseFigure(cells.at(c));
                if (!figure)
                    continue;
                result.append({QString(), rowLines.at(r), QString(), plainCell(label), plainCell(column), key, cells.at(c), *figure});
            }
        }
        i = end + 1;
    }
    return result;
}

QString FigureFinding::describe() const
{
    const QString where = QStringLiteral("%1:%2: %3: \"%4\", %5: %6").arg(quoted.file).arg(quoted.line).arg(quoted.text, quoted.label, quoted.column, quoted.written);
    switch (verdict) {
    case Verdict::Agrees:
        return where + QStringLiteral(" agrees with ") + tableCells;
    case Verdict::Contradicts:
        return where + QStringLiteral(" differs from the tables: ") + tableCells;
    case Verdict::Unmatched:
        return where + (tableCells.isEmpty() ? QStringLiteral(": no table row or year matches; confirm by hand")
                                             : QStringLiteral(": no year column; rows ") + tableCells);
    }
    return where;
}

namespace {

struct TableIndex
{
    struct Row
    {
        const workbook::Workbook *book = nullptr;
        int row = 0;
    };
    QMultiMap<QString, Row> rows;                                    // label key -> rows
    std::map<const workbook::Workbook *, QMap<QString, int>> columns; // year key -> column

    explicit TableIndex(const workbook::WorkbookSet &set)
    {
        for (const auto *book : set.books()) {
            const auto &sheet = book->sheetData(0);
            // One heading per year; a table whose headings repeat a year
            // (months of one year) has no year columns.
            QMap<QString, int> years;
            int order = 0;
            bool monthly = false;
            for (int col = 2; col <= 60 && !monthly; ++col) {
                for (int row = 1; row <= 4; ++row) {
                    const QString key = yearKey(book->text(row, col));
                    if (key.isEmpty())
                        continue;
                    monthly = years.contains(key);
                    years.insert(key, col);
                    if (!key.startsWith(QLatin1String("year ")))
                        years.insert(QStringLiteral("year %1").arg(++order), col);
                    break;
                }
            }
            if (monthly)
                years.clear();
            columns[book] = years;
            sheet.forEachCell({1, 1, workbook::maxRows, 1}, [&](int row, int, const workbook::Cell &) {
                const QString key = labelKey(book->text(row, 1));
                if (!key.isEmpty())
                    rows.insert(key, Row{book, row});
            });
        }
    }
};

} // namespace

namespace {

bool fits(FigureValue::Kind kind, const workbook::CellFormat &format)
{
    switch (kind) {
    case FigureValue::Kind::Money:
        return format.isCurrency();
    case FigureValue::Kind::Percent:
        return format.isPercent();
    case FigureValue::Kind::Plain:
        return !format.isCurrency() && !format.isPercent();
    }
    return false;
}

} // namespace

QList<FigureFinding> compareFigures(const QList<QuotedFigure> &figures, const workbook::WorkbookSet &set)
{
    const TableIndex index(set);
    QList<FigureFinding> result;
    for (const auto &quoted : figures) {
        FigureFinding finding;
        finding.quoted = quoted;
        // "Total" names a different row in every table; such a figure is
        // left for a person.
        const QString label = labelKey(quoted.label);
        const auto candidates = label == QLatin1String("total") ? QList<TableIndex::Row>() : index.rows.values(label);
        QStringList cells, rowsWithoutYear;
        bool agrees = false;
        for (const auto &candidate : candidates) {
            const auto *book = candidate.book;
            const int col = index.columns.at(book).value(quoted.year);
            if (col == 0) {
                rowsWithoutYear << book->title() + u'!' + QString::number(candidate.row);
                continue;
            }
            for (int row = candidate.row; row <= candidate.row + 4; ++row) {
                if (row > candidate.row && !book->text(row, 1).startsWith(u' '))
                    break;
                if (!book->value(row, col).isNumber() || !fits(quoted.figure.kind, book->format(row, col)))
                    continue;
                const double number = book->number(row, col);
                agrees = agrees || std::abs(std::abs(number) - std::abs(quoted.figure.value)) <= quoted.figure.tolerance + 1e-9;
                cells << QStringLiteral("%1!%2 %3").arg(book->title(), workbook::cellName(row, col), book->text(row, col).trimmed());
            }
        }
        if (agrees)
            finding.verdict = FigureFinding::Verdict::Agrees;
        else if (!cells.isEmpty())
            finding.verdict = FigureFinding::Verdict::Contradicts;
        finding.tableCells = cells.isEmpty() ? rowsWithoutYear.join(QStringLiteral(", ")) : cells.join(QStringLiteral("; "));
        result << finding;
    }
    return result;
}

int FigureReport::count(FigureFinding::Verdict verdict) const
{
    return int(std::count_if(findings.cbegin(), findings.cend(), [verdict](const auto &f) { return f.verdict == verdict; }));
}

QStringList FigureReport::lines(FigureFinding::Verdict verdict) const
{
    QStringList result;
    for (const auto &finding : findings)
        if (finding.verdict == verdict)
            result << finding.describe();
    return result;
}

FigureReport checkLibraryFigures(const QString &sourcesFolder)
{
    FigureReport report;
    const QDir sources(sourcesFolder);
    std::map<QString, std::unique_ptr<workbook::WorkbookSet>> sets; // "<set folder>|<kind>" -> calculated examples
    std::map<QString, TableSet> tableSets;
    const auto setFor = [&](const QString &folder, const QString &kind) -> const workbook::WorkbookSet * {
        const QString key = folder + u'|' + kind;
        if (auto it = sets.find(key); it != sets.end())
            return it->second.get();
        if (!tableSets.count(folder)) {
            auto read = readTableSet(sources.filePath(folder));
            report.errors << read.errors;
            tableSets[folder] = read.value;
        }
        auto set = std::make_unique<workbook::WorkbookSet>();
        loadTableSet(tableSets[folder], *set, kind);
        return (sets[key] = std::move(set)).get();
    };
    for (const QString &planType : {QStringLiteral("BusPlan"), QStringLiteral("MrktPlan")}) {
        const QDir texts(sources.filePath(QStringLiteral("texts/") + planType));
        for (const QString &name : texts.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
            QFile file(texts.filePath(name));
            if (!file.open(QIODevice::ReadOnly)) {
                report.errors << file.fileName() + QStringLiteral(": cannot read");
                continue;
            }
            const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
            const QString relative = sources.relativeFilePath(file.fileName());
            for (int i = 0; i < lines.size(); ++i) {
                if (!lines.at(i).startsWith(QLatin1String("@EXAM ")))
                    continue;
                int last = i + 1;
                while (last < lines.size() && !lines.at(last).startsWith(u'@'))
                    ++last;
                const QStringList words = lines.at(i).mid(1).split(u' ', Qt::SkipEmptyParts);
                const QString kind = words.value(1);
                QStringList folders;
                if (planType == QLatin1String("MrktPlan"))
                    folders << QStringLiteral("tables/MrktPlan/Common");
                for (const QString &stage : words.mid(2))
                    folders << QStringLiteral("tables/BusPlan/%1-%2").arg(kind == QLatin1String("Custom") ? kind : QStringLiteral("Common"), stage);
                auto figures = quotedFigures(lines, i + 1, last - 1);
                for (const QString &folder : std::as_const(folders)) {
                    if (!QDir(sources.filePath(folder)).exists())
                        continue;
                    const QString stage = folder.section(u'-', 1);
                    for (auto &figure : figures) {
                        figure.file = relative;
                        figure.text = kind + (planType == QLatin1String("BusPlan") ? u' ' + stage : QString());
                    }
                    report.findings << compareFigures(figures, *setFor(folder, kind));
                }
                i = last - 1;
            }
        }
    }
    return report;
}

} // namespace qv::templates
