#include "apps/qvtool/Command.h"

#include "composer/OpenPlanSession.h"
#include "controls/workbook/CellAddress.h"
#include "controls/workbook/Workbook.h"

namespace {

using qv::composer::OpenPlanSession;

// Opens the plan as the composer does, types the entry into a cell of a
// table (links to other tables follow), saves the plan and closes it.
int setcell(qvtool::Context &c)
{
    if (c.args.size() != 4) {
        c.err << "usage: qvtool setcell PLAN.bpl TABLE CELL ENTRY\n";
        return 2;
    }
    const auto cell = qv::workbook::parseCellRange(c.args[2]);
    if (!cell || cell->top != cell->bottom || cell->left != cell->right) {
        c.err << "not a cell: " << c.args[2] << "\n";
        return 2;
    }
    OpenPlanSession session;
    if (const qv::Result<void> opened = session.OpenPlan(c.args[0]); !opened) {
        c.err << opened.failure().description << "\n";
        return 1;
    }
    qv::workbook::Workbook *book = session.table(c.args[1]);
    if (!book) {
        c.err << "no table " << c.args[1] << " in the plan\n";
        return 1;
    }
    book->setActiveSheet(0);
    const auto edit = book->setEntry(cell->top, cell->left, c.args[3]);
    if (!edit) {
        c.err << "the cell refused the entry: " << edit.message << "\n";
        return 1;
    }
    if (const qv::Result<void> saved = session.SavePlan(); !saved) {
        c.err << saved.failure().description << "\n";
        return 1;
    }
    session.ClosePlan();
    return 0;
}

const qvtool::CommandRegistration registration("setcell", "setcell PLAN.bpl TABLE CELL ENTRY", setcell);

} // namespace
