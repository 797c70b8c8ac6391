// qvtool links: the tables a cell's formula reads, as "View Cell Link" lists them.

#include "apps/qvtool/Command.h"

#include "composer/CellLinks.h"
#include "controls/workbook/VtsFile.h"
#include "plan/ModEnglish.h"
#include "plan/Outline.h"
#include "plan/Plan.h"
#include "platform/Error.h"

namespace {

using namespace qv;

int links(qvtool::Context &c)
{
    if (c.args.size() != 2) {
        c.err << "usage: qvtool links PLAN TABLE!CELL\n";
        return 2;
    }
    QString tableName;
    int row = 0, col = 0;
    if (!composer::splitLinkTarget(c.args.at(1), tableName, row, col)) {
        c.err << "not a table cell: " << c.args.at(1) << '\n';
        return 2;
    }
    plan::Plan plan;
    plan.Initialise(QStringLiteral("B"), QStringLiteral("M"));
    plan.planInfo().setPlanType(plan::ModEnglish::PlanTypeOfDocument(c.args.at(0)));
    plan.setFilePath(c.args.at(0));
    if (!plan.Open()) {
        c.err << plan.lastError() << '\n';
        return 1;
    }
    const std::vector<composer::TableEntry> tables = composer::tablesInPlanOrder(plan.outline());
    const auto entry = std::find_if(tables.begin(), tables.end(), [&](const composer::TableEntry &e) {
        return e.table->name().compare(tableName, Qt::CaseInsensitive) == 0;
    });
    if (entry == tables.end()) {
        c.err << "the plan has no table " << tableName << '\n';
        return 1;
    }
    QString formula;
    try {
        formula = workbook::loadWorkbook(entry->table->fileToLoad())->formula(row, col);
    } catch (const QvError &e) {
        c.err << e.description() << '\n';
        return 1;
    }
    const composer::CellLinks found = composer::findCellLinks(formula, tables);
    if (found.outcome == composer::CellLinks::Outcome::TableNotFound) {
        c.err << composer::kLinkedTableNotFound << '\n';
        return 1;
    }
    for (const composer::CellLink &link : found.links)
        c.out << link.target() << '\t' << link.description() << '\n';
    return 0;
}

const qvtool::CommandRegistration registration("links", "links PLAN TABLE!CELL", links);

} // namespace
