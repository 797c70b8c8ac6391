#include "CheckCommand.h"

#include "sourcereader/TableDefinition.h"

#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"

namespace qv::templates {

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
        out << '\n' << book->title() << " - " << (table ? table->title : QString()) << '\n' << textGrid(*book);
    }
    for (const QString &problem : problems)
        err << problem << '\n';
    out << read.value.tables.size() << " tables, " << problems.size() << " problems\n";
    return problems.isEmpty() ? 0 : 1;
}

} // namespace qv::templates
