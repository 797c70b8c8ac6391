#include "composer/PlanCheck.h"

#include "composer/CellLinks.h"
#include "composer/PlanTables.h"
#include "controls/richtext/Rtf.h"
#include "controls/workbook/Workbook.h"
#include "plan/Outline.h"
#include "plan/Plan.h"
#include "platform/Error.h"
#include "platform/Paths.h"

#include <QFileInfo>
#include <QTextDocument>

namespace qv::composer {

namespace {

void checkText(const QString &path, QStringList &problems)
{
    if (!QFileInfo::exists(path)) {
        problems << QStringLiteral("%1: missing").arg(path);
        return;
    }
    const rtf::ReadResult read = rtf::readRtfFile(path);
    if (!read.error.isEmpty())
        problems << QStringLiteral("%1: %2").arg(path, read.error);
}

void checkLinks(const QString &path, workbook::Workbook &book, const std::vector<TableEntry> &tables,
                QStringList &problems)
{
    for (int sheet = 0; sheet < book.sheetCount(); ++sheet) {
        book.setActiveSheet(sheet);
        for (int row = 1; row <= book.lastRow(); ++row) {
            for (int col = 1; col <= book.lastCol(); ++col) {
                const QString formula = book.formula(row, col);
                if (!formula.contains(QLatin1Char('[')))
                    continue;
                const CellLinks links = findCellLinks(formula, tables);
                if (links.outcome == CellLinks::Outcome::TableNotFound)
                    problems << QStringLiteral("%1: a link names %2, which the plan does not have")
                                    .arg(path, links.missingTable);
            }
        }
    }
}

void checkTable(const QString &path, const std::vector<TableEntry> &tables, QStringList &problems)
{
    if (!QFileInfo::exists(path)) {
        problems << QStringLiteral("%1: missing").arg(path);
        return;
    }
    workbook::Workbook book;
    try {
        book.read(path);
    } catch (const QvError &error) {
        problems << QStringLiteral("%1: %2").arg(path, error.description());
        return;
    }
    checkLinks(path, book, tables, problems);
}

} // namespace

QStringList checkPlanFiles(const plan::Plan &plan)
{
    QStringList problems;
    const QString folder = plan.folder();
    for (const auto &section : sectionsWithText(plan.outline())) {
        checkText(platform::joinPath(folder, section->textFileName()), problems);
        const QString workingCopy = platform::joinPath(folder, section->primaryTextFileName());
        if (QFileInfo::exists(workingCopy))
            checkText(workingCopy, problems);
    }
    const std::vector<TableEntry> tables = tablesInPlanOrder(plan.outline());
    for (const TableEntry &entry : tables) {
        const plan::Table &table = *entry.table;
        checkTable(platform::joinPath(folder, table.fileName()), tables, problems);
        const QString workingCopy = platform::joinPath(folder, table.primaryFileName());
        if (QFileInfo::exists(workingCopy))
            checkTable(workingCopy, tables, problems);
    }
    // The analysis reads the statements by link; a plan made before its
    // template offered one has no analysis file until the window makes it.
    const QString analysis = plan.profile().analysis() && !plan.profile().analysisFileName().isEmpty()
                                 ? platform::joinPath(folder, plan.profile().analysisFileName())
                                 : QString();
    if (!analysis.isEmpty() && QFileInfo::exists(analysis))
        checkTable(analysis, tables, problems);
    return problems;
}

} // namespace qv::composer
