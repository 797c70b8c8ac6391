#pragma once

#include "controls/workbook/DependencyGraph.h"

#include <QtGlobal>

#include <utility>
#include <vector>

namespace qv::workbook {

class EvaluationContext;
class Workbook;
struct FormulaCell;
struct Value;

// The calculation engine over a group of workbooks (a WorkbookSet, or one
// workbook alone): resolving references, keeping the dependency graphs,
// marking what a change affects and evaluating in dependency order with an
// explicit stack, so deep chains never recurse and cycles end as #REF!.
class Recalculation
{
public:
    // Points the formula's references at their workbooks and sheets and
    // enters it in the dependency graphs of the cells it reads. Within one
    // pass (a number from nextGeneration()) the shared code of a shape is
    // resolved once; pass 0 always resolves.
    static void registerFormula(Workbook &book, int formula, quint64 pass = 0);
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
    static void resolve(Workbook &book, FormulaCell &formula, quint64 pass);
    // Enters the formula in (or takes it out of) the graphs of the cells it reads.
    static void link(Workbook &book, int formula, bool enter);
    // The graphs are filled on first need: loading and calculating do not
    // use them, only a change looking for the formulas that read a cell.
    static void linkPending(const std::vector<Workbook *> &group);
    static Value resultOf(const FormulaCell &formula, const EvaluationContext &context);
    static std::vector<std::pair<Workbook *, quint64>> signature(const std::vector<Workbook *> &group);
};

} // namespace qv::workbook
