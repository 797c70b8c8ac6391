#include "CheckCommand.h"

#include "sourcereader/FigureCheck.h"
#include "sourcereader/TableDefinition.h"

#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"

#include <QDir>
#include <QFileInfo>

namespace qv::templates {

namespace {

// The outlines whose plans take their tables from a set folder
// ("tables/BusPlan/Common-New" serves the new-business outlines of the four
// kinds but Custom); empty when the folder is not in a sources tree.
QStringList outlinesOf(const QString &setFolder)
{
    const QFileInfo set(QDir::cleanPath(QDir(setFolder).absolutePath()));
    const QString planType = QFileInfo(set.absolutePath()).fileName();
    const QString sources = QDir::cleanPath(set.absolutePath() + QStringLiteral("/../.."));
    if (planType == QLatin1String("MrktPlan"))
        return {sources + QStringLiteral("/outlines/MrktPlan/Common.outline")};
    const QStringList parts = set.fileName().split(u'-');
    if (planType != QLatin1String("BusPlan") || parts.size() != 2)
        return {};
    QStringList result;
    for (const QString &kind : kindNames())
        if ((kind == QLatin1String("Custom")) == (parts.at(0) == QLatin1String("Custom")))
            result << sources + QStringLiteral("/outlines/BusPlan/%1/%2.outline").arg(kindFolder(kind), parts.at(1));
    return result;
}

// Notes on tables that the outlines name but the set lacks, and the other way round.
QStringList outlineNotes(const QString &setFolder, const TableSet &tables)
{
    QStringList notes, named;
    QMap<QString, QStringList> undefined; // table -> the outlines naming it
    for (const QString &path : outlinesOf(setFolder)) {
        if (!QFileInfo::exists(path))
            continue;
        const auto outline = readOutline(path);
        QStringList tableNames = outline.value.tableNames();
        if (!outline.value.analysisKey.isEmpty())
            tableNames << outline.value.analysisKey;
        for (const QString &table : std::as_const(tableNames)) {
            named << table;
            if (!tables.find(table))
                undefined[table] << QDir(QFileInfo(path).absolutePath() + QStringLiteral("/../..")).relativeFilePath(path);
        }
    }
    for (auto it = undefined.cbegin(); it != undefined.cend(); ++it)
        notes << QStringLiteral("%1 is named by %2 but not defined").arg(it.key(), it.value().join(QStringLiteral(", ")));
    if (!named.isEmpty())
        for (const auto &table : tables.tables)
            if (!named.contains(table.name, Qt::CaseInsensitive))
                notes << QStringLiteral("%1 is defined but no outline of this set names it").arg(table.name);
    notes.removeDuplicates();
    return notes;
}

} // namespace

int runCheck(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QString folder, kind;
    QStringList printed;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--example") && hasValue) {
            kind = arguments.at(++i);
        } else if (argument == QLatin1String("--print") && hasValue) {
            printed << arguments.at(++i);
        } else if (folder.isEmpty() && !argument.startsWith(QLatin1String("--"))) {
            folder = argument;
        } else {
            err << "qvlibgen check: unexpected argument " << argument << '\n';
            return 2;
        }
    }
    if (folder.isEmpty()) {
        err << "usage: qvlibgen check <set folder> [--example <Kind>] [--print <Table>]...\n";
        return 2;
    }
    if (!kind.isEmpty() && !kindNames().contains(kind)) {
        err << "qvlibgen check: unknown kind " << kind << " (" << kindNames().join(QStringLiteral(", ")) << ")\n";
        return 2;
    }

    const auto read = readTableSet(folder);
    QStringList problems = read.errors;
    workbook::WorkbookSet set;
    loadTableSet(read.value, set, kind);
    problems << errorCells(set) << failedChecks(read.value, set);

    for (const QString &note : outlineNotes(folder, read.value))
        out << "note: " << note << '\n';
    if (!kind.isEmpty())
        for (const auto &table : read.value.tables)
            if (!table.hasExample(kind))
                out << "note: " << table.name << " has no " << kind << " example; its template is used\n";
    for (const QString &name : printed) {
        const auto *book = set.find(name);
        if (!book) {
            problems << QStringLiteral("--print %1: no such table in %2").arg(name, folder);
            continue;
        }
        const auto *table = read.value.find(name);
        out << '\n' << book->title() << " - " << (table ? table->title : QString()) << '\n';
        for (int sheet = 0; sheet < book->sheetCount(); ++sheet) {
            if (book->sheetCount() > 1)
                out << book->sheetName(sheet) << '\n';
            out << textGrid(*book, sheet);
        }
    }
    for (const QString &problem : problems)
        err << problem << '\n';
    out << read.value.tables.size() << " tables, " << problems.size() << " problems\n";
    return problems.isEmpty() ? 0 : 1;
}

int runFigures(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const bool showAgreed = arguments.contains(QStringLiteral("--agreed"));
    QStringList folders = arguments;
    folders.removeAll(QStringLiteral("--agreed"));
    if (folders.size() != 1) {
        err << "usage: qvlibgen figures <data folder> [--agreed]\n";
        return 2;
    }
    const auto report = checkLibraryFigures(folders.first());
    using Verdict = FigureFinding::Verdict;
    if (showAgreed)
        for (const QString &line : report.lines(Verdict::Agrees))
            out << line << '\n';
    for (const QString &line : report.lines(Verdict::Unmatched))
        out << "confirm: " << line << '\n';
    for (const QString &line : report.errors + report.lines(Verdict::Contradicts))
        err << line << '\n';
    out << report.findings.size() << " figures: " << report.count(Verdict::Agrees) << " agree with the tables, "
        << report.count(Verdict::Contradicts) << " differ, " << report.count(Verdict::Unmatched) << " for a person to confirm\n";
    return report.errors.isEmpty() && report.count(Verdict::Contradicts) == 0 ? 0 : 1;
}

} // namespace qv::templates
