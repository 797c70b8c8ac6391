#include "controls/workbook/Recalculation.h"

#include "controls/workbook/DateSerial.h"
#include "controls/workbook/Evaluator.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "platform/Services.h"

#include <algorithm>

namespace qv::workbook {

namespace {

Workbook *resolveBook(Workbook &from, const QString &title)
{
    if (title.isEmpty())
        return &from;
    if (WorkbookSet *set = from.workbookSet())
        return set->find(title);
    return from.title().compare(title, Qt::CaseInsensitive) == 0 ? &from : nullptr;
}

// The part of a reference's range that can hold cells: whole rows and
// columns are cut to the sheet's stored extent.
CellRange storedPart(const Workbook &book, const Reference &ref, CellRange r)
{
    const SheetData &sheet = book.sheetData(ref.targetSheet);
    r.bottom = std::min(r.bottom, std::max(sheet.storedRows(), r.top - 1));
    return r;
}

class Context final : public EvaluationContext
{
public:
    Value cellValue(const Reference &ref, int row, int col) const override
    {
        return ref.target->storedValue(ref.targetSheet, row, col);
    }

    void forEachCell(const Reference &ref, const std::function<void(int, int, const Value &)> &visit) const override
    {
        const Workbook &book = *ref.target;
        book.sheetData(ref.targetSheet).forEachCell(storedPart(book, ref, ref.range), [&](int row, int col, const Cell &cell) {
            const Value &v = cell.formula >= 0 ? book.formulaCell(cell.formula).result : cell.value;
            if (!v.isEmpty())
                visit(row, col, v);
        });
    }

    CellRange usedPart(const Reference &ref) const override
    {
        CellRange r = ref.range;
        if (!ref.wholeColumns && !ref.wholeRows)
            return r;
        const SheetData &sheet = ref.target->sheetData(ref.targetSheet);
        if (ref.wholeColumns)
            r.bottom = std::min(r.bottom, std::max(sheet.lastStoredRow(), r.top));
        if (ref.wholeRows)
            r.right = std::min(r.right, std::max(sheet.lastStoredCol(), r.left));
        return r;
    }

    double today() const override
    {
        return serialFromDate(platform::services().clock->now().date());
    }
};

} // namespace

namespace {
// The order of the last full calculation. While no formula and no link has
// changed since, it is a valid dependency order, so a full recalculation
// can run straight down it without searching for precedents again.
struct CalculationOrder
{
    std::vector<std::pair<Workbook *, quint64>> signature;
    std::vector<FormulaKey> order;
};
CalculationOrder &lastOrder()
{
    static CalculationOrder order;
    return order;
}
std::vector<FormulaKey> *recording = nullptr;
} // namespace

void Recalculation::resolve(Workbook &book, FormulaCell &f, quint64 pass)
{
    if (f.code->resolvedFor && (f.code->resolvedFor != &book || f.code->resolvedSheet != f.sheet)) {
        // Code copied with its content into another workbook: it gets its own.
        f.code = std::make_shared<SharedFormula>(*f.code);
    } else if (pass && f.code->resolvedPass == pass) {
        return; // done for another formula of the shape in this pass
    }
    SharedFormula &code = *f.code;
    code.resolvedFor = &book;
    code.resolvedSheet = f.sheet;
    code.resolvedPass = pass;
    for (Reference &ref : code.compiled.references) {
        ref.target = resolveBook(book, ref.book);
        ref.targetSheet = -1;
        if (!ref.target)
            continue;
        if (ref.sheet.isEmpty())
            ref.targetSheet = ref.book.isEmpty() ? f.sheet : 0;
        else
            ref.targetSheet = ref.target->sheetIndex(ref.sheet);
        if (ref.targetSheet < 0 || ref.targetSheet >= ref.target->sheetCount())
            ref.target = nullptr;
    }
}

void Recalculation::registerFormula(Workbook &book, int id, quint64 pass)
{
    FormulaCell &f = book.m_content.formulas[std::size_t(id)];
    if (f.code->compiled.isVolatile && std::find(book.m_volatile.begin(), book.m_volatile.end(), id) == book.m_volatile.end())
        book.m_volatile.push_back(id);
    resolve(book, f, pass);
    if (!book.m_graphPending)
        link(book, id, true);
}

void Recalculation::unregisterFormula(Workbook &book, int id)
{
    FormulaCell &f = book.m_content.formulas[std::size_t(id)];
    book.m_volatile.erase(std::remove(book.m_volatile.begin(), book.m_volatile.end(), id), book.m_volatile.end());
    if (!book.m_graphPending && f.code && f.code->resolvedFor == &book)
        link(book, id, false);
}

void Recalculation::link(Workbook &book, int id, bool enter)
{
    const FormulaCell &f = book.m_content.formulas[std::size_t(id)];
    const FormulaKey key{&book, id};
    const auto &references = f.code->compiled.references;
    for (std::size_t i = 0; i < references.size(); ++i) {
        const Reference &ref = references[i];
        if (!ref.target)
            continue;
        DependencyGraph &graph = ref.target->m_graph;
        const CellRange range = f.rangeOf(i);
        const bool cell = range.isSingleCell() && !ref.isRange;
        if (enter && cell)
            graph.addCell(ref.targetSheet, range.top, range.left, key);
        else if (enter)
            graph.addRange(ref.targetSheet, range, key);
        else if (cell)
            graph.removeCell(ref.targetSheet, range.top, range.left, key);
        else
            graph.removeRange(ref.targetSheet, range, key);
    }
}

void Recalculation::linkPending(const std::vector<Workbook *> &group)
{
    for (Workbook *book : group) {
        if (!book->m_graphPending)
            continue;
        book->m_graphPending = false;
        const auto &formulas = book->m_content.formulas;
        for (std::size_t id = 0; id < formulas.size(); ++id)
            if (formulas[id].alive)
                link(*book, int(id), true);
    }
}

void Recalculation::markCellChanged(Workbook &book, int sheet, int row, int col)
{
    linkPending(book.calculationGroup());
    std::vector<FormulaKey> work;
    book.m_graph.dependentsOf(sheet, row, col, work);
    while (!work.empty()) {
        const FormulaKey k = work.back();
        work.pop_back();
        FormulaCell &f = k.book->m_content.formulas[std::size_t(k.formula)];
        if (!f.alive || f.state != FormulaCell::State::Clean)
            continue; // already dirty, and so are its dependents
        f.state = FormulaCell::State::Dirty;
        k.book->m_dirty.push_back(k.formula);
        k.book->m_graph.dependentsOf(f.sheet, f.row, f.col, work);
    }
}

Value Recalculation::resultOf(const FormulaCell &f, const EvaluationContext &context)
{
    if (f.broken())
        return Value::fromError(ErrorCode::Name);
    if (f.circular)
        return Value::fromError(ErrorCode::Ref);
    return evaluate(*f.code, f.row, f.col, context);
}

std::vector<Workbook *> Recalculation::run(const std::vector<Workbook *> &group)
{
    using State = FormulaCell::State;
    struct Frame
    {
        Workbook *book;
        int formula;
        bool expanded;
    };
    const Context context;
    std::vector<Workbook *> changed;
    std::vector<Frame> stack;

    // Formulas calling TODAY() are due again whenever anything is calculated.
    for (Workbook *book : group)
        for (int id : book->m_volatile) {
            FormulaCell &f = book->m_content.formulas[std::size_t(id)];
            if (!f.alive || f.state != State::Clean)
                continue;
            f.state = State::Dirty;
            book->m_dirty.push_back(id);
            markCellChanged(*book, f.sheet, f.row, f.col);
        }

    for (Workbook *start : group) {
        if (start->m_dirty.empty())
            continue;
        changed.push_back(start);
        std::vector<int> dirty;
        dirty.swap(start->m_dirty);
        for (int id : dirty) {
            if (start->m_content.formulas[std::size_t(id)].state != State::Dirty)
                continue;
            stack.push_back({start, id, false});
            while (!stack.empty()) {
                Frame &top = stack.back();
                FormulaCell &f = top.book->m_content.formulas[std::size_t(top.formula)];
                if (top.expanded) {
                    Workbook *book = top.book;
                    const int formula = top.formula;
                    stack.pop_back();
                    if (f.state == State::Visiting) {
                        f.result = resultOf(f, context);
                        f.state = State::Clean;
                        if (recording)
                            recording->push_back({book, formula});
                        if (book != start && std::find(changed.begin(), changed.end(), book) == changed.end())
                            changed.push_back(book);
                    }
                    continue;
                }
                if (f.state != State::Dirty || !f.alive) {
                    stack.pop_back();
                    continue;
                }
                top.expanded = true;
                f.state = State::Visiting;
                f.circular = false;
                const std::size_t frameIndex = stack.size() - 1;
                // Push the formulas this one reads that still need evaluating.
                const auto &references = f.code->compiled.references;
                for (std::size_t i = 0; i < references.size(); ++i) {
                    const Reference &ref = references[i];
                    if (!ref.target)
                        continue;
                    Workbook *target = ref.target;
                    const CellRange part = storedPart(*target, ref, f.rangeOf(i));
                    target->m_content.sheets[std::size_t(ref.targetSheet)].forEachCell(
                        part, [&](int, int, const Cell &cell) {
                            if (cell.formula < 0)
                                return;
                            FormulaCell &p = target->m_content.formulas[std::size_t(cell.formula)];
                            if (p.state == State::Dirty)
                                stack.push_back({target, cell.formula, false});
                            else if (p.state == State::Visiting)
                                stack[frameIndex].book->m_content.formulas[std::size_t(stack[frameIndex].formula)].circular = true;
                        });
                }
            }
        }
    }
    return changed;
}


quint64 Recalculation::nextGeneration()
{
    // Unique across workbooks, so a new workbook at an old one's address never matches its order.
    static quint64 generation = 0;
    return ++generation;
}

std::vector<std::pair<Workbook *, quint64>> Recalculation::signature(const std::vector<Workbook *> &group)
{
    std::vector<std::pair<Workbook *, quint64>> s;
    for (Workbook *b : group)
        s.emplace_back(b, b->m_formulaGeneration);
    return s;
}

std::vector<Workbook *> Recalculation::recalculateAll(const std::vector<Workbook *> &group)
{
    CalculationOrder &cached = lastOrder();
    if (!group.empty() && cached.signature == signature(group)) {
        const Context context;
        for (const FormulaKey &k : cached.order) {
            FormulaCell &f = k.book->m_content.formulas[std::size_t(k.formula)];
            if (!f.alive)
                continue;
            f.result = resultOf(f, context);
            f.state = FormulaCell::State::Clean;
        }
        return group;
    }
    for (Workbook *book : group) {
        book->m_dirty.clear();
        auto &formulas = book->m_content.formulas;
        for (std::size_t id = 0; id < formulas.size(); ++id) {
            if (!formulas[id].alive)
                continue;
            formulas[id].state = FormulaCell::State::Dirty;
            book->m_dirty.push_back(int(id));
        }
    }
    std::vector<FormulaKey> order;
    recording = &order;
    run(group);
    recording = nullptr;
    cached.signature = signature(group);
    cached.order = std::move(order);
    return group;
}

std::vector<Workbook *> Recalculation::rebuild(const std::vector<Workbook *> &group)
{
    for (Workbook *book : group) {
        book->m_graph.clear();
        book->m_graphPending = true; // filled when a change first needs it
        book->m_dirty.clear();
        book->m_volatile.clear();
        book->m_formulaGeneration = nextGeneration();
    }
    const quint64 pass = nextGeneration();
    for (Workbook *book : group) {
        auto &formulas = book->m_content.formulas;
        for (std::size_t id = 0; id < formulas.size(); ++id) {
            if (!formulas[id].alive)
                continue;
            registerFormula(*book, int(id), pass);
            formulas[id].state = FormulaCell::State::Dirty;
            book->m_dirty.push_back(int(id));
        }
    }
    run(group);
    return group;
}

} // namespace qv::workbook
