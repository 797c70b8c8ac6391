#pragma once

#include "controls/workbook/DependencyGraph.h"

#include <QtGlobal>

#include <utility>
#include <vector>

namespace qv::workbook {

class Workbook;

// The calculation engine over a group of workbooks (a WorkbookSet, or one
// workbook alone): resolving references, keeping the dependency graphs,
// marking what a change affects and evaluating in dependency order with an
// explicit stack, so deep chains never recurse and cycles end as #REF!.
class Recalculation
{
public:
    // Points the formula's references at their workbooks and sheets and
    // enters it in the dependency graphs of the cells it reads.
    static void registerFormula(Workbook &book, int formula);
    static void unregisterFormula(Workbook &book, int formula);

    // Marks dirty every formula that reads the cell, and theirs in turn.
    static void markCellChanged(Workbook &book, int sheet, int row, int col);

    // Evaluates every dirty formula of the group; returns the workbooks whose values were recalculated.
    static std::vector<Workbook *> run(const std::vector<Workbook *> &group);

    // Evaluates every formula of the group again (references unchanged).
    static std::vector<Workbook *> recalculateAll(const std::vector<Workbook *> &group);

    // Re-resolves every reference of the group and recalculates all (after
    // workbooks joined or left, or titles or sheet names changed).
    static std::vector<Workbook *> rebuild(const std::vector<Workbook *> &group);

    static quint64 nextGeneration();

private:
    static std::vector<std::pair<Workbook *, quint64>> signature(const std::vector<Workbook *> &group);
};

} // namespace qv::workbook
