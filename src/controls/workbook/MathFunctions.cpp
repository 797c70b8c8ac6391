// Arithmetic, statistics, logic and information functions.

#include "controls/workbook/FunctionSupport.h"

#include <cmath>

namespace qv::workbook::functions {

namespace {

Value sum(Args args, const EvaluationContext &c)
{
    double total = 0;
    if (auto failure = visitNumbers(args, c, [&](double n) { total += n; })) return *failure;
    return number(total);
}

Value average(Args args, const EvaluationContext &c)
{
    double total = 0;
    std::size_t count = 0;
    if (auto failure = visitNumbers(args, c, [&](double n) { total += n; ++count; })) return *failure;
    if (count == 0) return error(ErrorCode::DivideByZero);
    return number(total / double(count));
}

Value minimum(Args args, const EvaluationContext &c)
{
    std::optional<double> least;
    if (auto failure = visitNumbers(args, c, [&](double n) { if (!least || n < *least) least = n; })) return *failure;
    return number(least.value_or(0));
}

Value maximum(Args args, const EvaluationContext &c)
{
    std::optional<double> most;
    if (auto failure = visitNumbers(args, c, [&](double n) { if (!most || n > *most) most = n; })) return *failure;
    return number(most.value_or(0));
}

Value count(Args args, const EvaluationContext &c)
{
    double n = 0;
    for (const Operand &o : args) {
        if (o.isReference() || o.isArray()) {
            if (o.isReference() && !o.ref->target) continue;
            visitValues(o, c, [&](const Value &v) { if (v.isNumber()) ++n; });
        } else {
            ErrorCode ignored;
            if (o.value.isNumber() || o.value.isBoolean() || (o.value.isText() && toNumber(o.value, ignored))) ++n;
        }
    }
    return number(n);
}

Value countA(Args args, const EvaluationContext &c)
{
    double n = 0;
    for (const Operand &o : args) {
        if (o.isReference() && !o.ref->target) continue;
        visitValues(o, c, [&](const Value &v) { if (!v.isEmpty()) ++n; });
    }
    return number(n);
}

Value countIf(Args args, const EvaluationContext &c)
{
    if (!args[0].isReference()) return error(ErrorCode::Value);
    if (!args[0].ref->target) return error(ErrorCode::Ref);
    const Value criterionValue = scalar(args[1], c);
    if (criterionValue.isError()) return criterionValue;
    const Criterion criterion(criterionValue);
    Value failure;
    auto grid = gridArg(args[0], c, failure);
    if (!grid) return failure;
    double n = 0;
    for (const Value &v : grid->values) if (criterion.matches(v)) ++n;
    // Blank cells beyond the used part match an empty criterion too.
    if (criterion.matches(Value{})) {
        const CellRange whole = args[0].ref->range;
        const double all = double(whole.rows()) * double(whole.cols());
        n += all - double(grid->values.size());
    }
    return number(n);
}

Value sumIf(Args args, const EvaluationContext &c)
{
    if (!args[0].isReference()) return error(ErrorCode::Value);
    const Value criterionValue = scalar(args[1], c);
    if (criterionValue.isError()) return criterionValue;
    const Criterion criterion(criterionValue);
    Value failure;
    auto tested = gridArg(args[0], c, failure);
    if (!tested) return failure;
    std::optional<Grid> summed;
    if (args.size() > 2) {
        if (!args[2].isReference()) return error(ErrorCode::Value);
        // The sum range has the shape of the tested range, from its own corner.
        Reference shaped = *args[2].ref;
        const CellRange used = c.usedPart(*args[0].ref);
        shaped.range.top = args[2].ref->range.top + (used.top - args[0].ref->range.top);
        shaped.range.left = args[2].ref->range.left + (used.left - args[0].ref->range.left);
        shaped.range.bottom = shaped.range.top + tested->rows - 1;
        shaped.range.right = shaped.range.left + tested->cols - 1;
        shaped.wholeRows = shaped.wholeColumns = false;
        shaped.isRange = true;
        if (tested->rows == 0) return number(0);
        Operand o{Value{}, &shaped};
        summed = gridArg(o, c, failure);
        if (!summed) return failure;
    }
    const Grid &values = summed ? *summed : *tested;
    double total = 0;
    for (int r = 0; r < tested->rows; ++r)
        for (int col = 0; col < tested->cols; ++col)
            if (criterion.matches(tested->at(r, col))) {
                if (r >= values.rows || col >= values.cols) continue;
                const Value &v = values.at(r, col);
                if (v.isError()) return v;
                if (v.isNumber()) total += v.number;
            }
    return number(total);
}

Value sumProduct(Args args, const EvaluationContext &c)
{
    std::vector<Grid> grids;
    for (const Operand &o : args) {
        Value failure;
        // A range keeps its full declared shape so that ranges line up.
        auto g = o.isReference() ? referenceArray(*o.ref, c, failure) : gridArg(o, c, failure);
        if (!g) return failure;
        grids.push_back(std::move(*g));
    }
    for (const Grid &g : grids)
        if (g.rows != grids[0].rows || g.cols != grids[0].cols) return error(ErrorCode::Value);
    double total = 0;
    const std::size_t n = grids[0].values.size();
    for (std::size_t i = 0; i < n; ++i) {
        double product = 1;
        for (const Grid &g : grids) {
            const Value &v = g.values[i];
            if (v.isError()) return v;
            product *= v.isNumber() ? v.number : 0;
        }
        total += product;
    }
    return number(total);
}

Value ifFunction(Args args, const EvaluationContext &c)
{
    Value failure;
    const auto condition = booleanArg(args[0], c, failure);
    if (!condition) return failure;
    if (*condition) return args.size() > 1 ? scalar(args[1], c) : Value::fromBoolean(true);
    return args.size() > 2 ? scalar(args[2], c) : Value::fromBoolean(false);
}

Value ifError(Args args, const EvaluationContext &c)
{
    const Value v = scalar(args[0], c);
    return v.isError() ? scalar(args[1], c) : v;
}

Value logical(Args args, const EvaluationContext &c, bool isAnd)
{
    bool any = false;
    bool result = isAnd;
    for (const Operand &o : args) {
        auto take = [&](const Value &v) {
            if (v.isNumber() || v.isBoolean()) {
                any = true;
                if (isAnd) result = result && v.number != 0;
                else result = result || v.number != 0;
            }
        };
        if (o.isReference() || o.isArray()) {
            std::optional<Value> failure;
            if (auto missing = visitValues(o, c, [&](const Value &v) {
                    if (v.isError() && !failure) failure = v;
                    take(v);
                }))
                return *missing;
            if (failure) return *failure;
        } else {
            if (o.value.isError()) return o.value;
            if (o.value.isText()) {
                Value failure;
                auto b = booleanArg(o, c, failure);
                if (!b) return failure;
                take(Value::fromBoolean(*b));
            } else {
                take(o.value);
            }
        }
    }
    if (!any) return error(ErrorCode::Value);
    return Value::fromBoolean(result);
}

Value andFunction(Args args, const EvaluationContext &c) { return logical(args, c, true); }
Value orFunction(Args args, const EvaluationContext &c) { return logical(args, c, false); }

Value notFunction(Args args, const EvaluationContext &c)
{
    Value failure;
    const auto b = booleanArg(args[0], c, failure);
    if (!b) return failure;
    return Value::fromBoolean(!*b);
}

Value isBlank(Args args, const EvaluationContext &c)
{
    if (!args[0].isReference()) return Value::fromBoolean(false);
    return Value::fromBoolean(scalar(args[0], c).isEmpty());
}

Value isError(Args args, const EvaluationContext &c) { return Value::fromBoolean(scalar(args[0], c).isError()); }
Value isNumber(Args args, const EvaluationContext &c) { return Value::fromBoolean(scalar(args[0], c).isNumber()); }

template <Rounding mode>
Value roundFunction(Args args, const EvaluationContext &c)
{
    Value failure;
    const auto x = numberArg(args[0], c, failure);
    if (!x) return failure;
    int digits = 0;
    if (args.size() > 1) {
        const auto d = numberArg(args[1], c, failure);
        if (!d) return failure;
        digits = wholeNumber(*d);
    }
    // ROUNDUP and ROUNDDOWN round away from and toward zero.
    return number(roundDecimal(*x, digits, mode));
}

using Unary = double (*)(double);

template <Unary f>
Value unary(Args args, const EvaluationContext &c)
{
    Value failure;
    const auto x = numberArg(args[0], c, failure);
    if (!x) return failure;
    return number(f(*x));
}

double floorOf(double x) { return std::floor(x); }
double absOf(double x) { return std::fabs(x); }
double expOf(double x) { return std::exp(x); }

Value sqrtFunction(Args args, const EvaluationContext &c)
{
    Value failure;
    const auto x = numberArg(args[0], c, failure);
    if (!x) return failure;
    if (*x < 0) return error(ErrorCode::Num);
    return number(std::sqrt(*x));
}

Value lnFunction(Args args, const EvaluationContext &c)
{
    Value failure;
    const auto x = numberArg(args[0], c, failure);
    if (!x) return failure;
    if (*x <= 0) return error(ErrorCode::Num);
    return number(std::log(*x));
}

Value log10Function(Args args, const EvaluationContext &c)
{
    Value failure;
    const auto x = numberArg(args[0], c, failure);
    if (!x) return failure;
    if (*x <= 0) return error(ErrorCode::Num);
    return number(std::log10(*x));
}

Value modFunction(Args args, const EvaluationContext &c)
{
    Value failure;
    const auto x = numberArg(args[0], c, failure);
    if (!x) return failure;
    const auto y = numberArg(args[1], c, failure);
    if (!y) return failure;
    if (*y == 0) return error(ErrorCode::DivideByZero);
    // The result takes the divisor's sign.
    return number(*x - *y * std::floor(*x / *y));
}

Value powerFunction(Args args, const EvaluationContext &c)
{
    Value failure;
    const auto x = numberArg(args[0], c, failure);
    if (!x) return failure;
    const auto y = numberArg(args[1], c, failure);
    if (!y) return failure;
    if (*x == 0 && *y == 0) return error(ErrorCode::Num);
    if (*x == 0 && *y < 0) return error(ErrorCode::DivideByZero);
    const double r = std::pow(*x, *y);
    if (std::isnan(r)) return error(ErrorCode::Num);
    return number(r);
}

const Definition definitions[] = {
    {"SUM", 1, -1, sum},
    {"SUMIF", 2, 3, sumIf},
    {"SUMPRODUCT", 1, -1, sumProduct},
    {"AVERAGE", 1, -1, average},
    {"MIN", 1, -1, minimum},
    {"MAX", 1, -1, maximum},
    {"COUNT", 1, -1, count},
    {"COUNTA", 1, -1, countA},
    {"COUNTIF", 2, 2, countIf},
    {"IF", 1, 3, ifFunction},
    {"IFERROR", 2, 2, ifError},
    {"AND", 1, -1, andFunction},
    {"OR", 1, -1, orFunction},
    {"NOT", 1, 1, notFunction},
    {"ISBLANK", 1, 1, isBlank},
    {"ISERROR", 1, 1, isError},
    {"ISNUMBER", 1, 1, isNumber},
    {"ROUND", 2, 2, roundFunction<Rounding::Nearest>},
    {"ROUNDUP", 2, 2, roundFunction<Rounding::Up>},
    {"ROUNDDOWN", 2, 2, roundFunction<Rounding::Down>},
    {"INT", 1, 1, unary<floorOf>},
    {"ABS", 1, 1, unary<absOf>},
    {"MOD", 2, 2, modFunction},
    {"SQRT", 1, 1, sqrtFunction},
    {"POWER", 2, 2, powerFunction},
    {"EXP", 1, 1, unary<expOf>},
    {"LN", 1, 1, lnFunction},
    {"LOG10", 1, 1, log10Function},
};

} // namespace

std::span<const Definition> mathFunctions()
{
    return definitions;
}

} // namespace qv::workbook::functions
