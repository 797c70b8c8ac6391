#include "controls/workbook/Evaluator.h"

#include "controls/workbook/EntryText.h"
#include "controls/workbook/Functions.h"

#include <cmath>

namespace qv::workbook {

Value dereference(const Operand &operand, const EvaluationContext &context)
{
    if (operand.array)
        return operand.array->values.empty() ? Value{} : operand.array->values.front();
    if (!operand.ref)
        return operand.value;
    const Reference &ref = *operand.ref;
    if (!ref.target)
        return Value::fromError(ErrorCode::Ref);
    if (ref.range.isSingleCell())
        return context.cellValue(ref, ref.range.top, ref.range.left);
    return Value::fromError(ErrorCode::Value);
}

std::optional<double> toNumber(const Value &value, ErrorCode &error)
{
    switch (value.type) {
    case Value::Type::Empty: return 0.0;
    case Value::Type::Number:
    case Value::Type::Boolean: return value.number;
    case Value::Type::Error: error = value.error; return std::nullopt;
    case Value::Type::Text: {
        if (auto n = parseNumberEntry(value.text))
            return n;
        error = ErrorCode::Value;
        return std::nullopt;
    }
    }
    error = ErrorCode::Value;
    return std::nullopt;
}

QString toText(const Value &value)
{
    switch (value.type) {
    case Value::Type::Empty: return {};
    case Value::Type::Number: return formatGeneralNumber(value.number);
    case Value::Type::Text: return value.text;
    case Value::Type::Boolean: return value.boolean() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case Value::Type::Error: return errorText(value.error);
    }
    return {};
}

int compareValues(const Value &a, const Value &b)
{
    auto rank = [](const Value &v) {
        switch (v.type) {
        case Value::Type::Number: return 0;
        case Value::Type::Text: return 1;
        case Value::Type::Boolean: return 2;
        default: return 0;
        }
    };
    // An empty cell compares as the other side's kind of nothing.
    Value left = a, right = b;
    if (left.isEmpty())
        left = right.isText() ? Value::fromText({}) : right.isBoolean() ? Value::fromBoolean(false) : Value::fromNumber(0);
    if (right.isEmpty())
        right = left.isText() ? Value::fromText({}) : left.isBoolean() ? Value::fromBoolean(false) : Value::fromNumber(0);
    const int ra = rank(left), rb = rank(right);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    if (left.isText()) {
        const int c = left.text.compare(right.text, Qt::CaseInsensitive);
        return c < 0 ? -1 : c > 0 ? 1 : 0;
    }
    return left.number < right.number ? -1 : left.number > right.number ? 1 : 0;
}

std::optional<ValueArray> referenceArray(const Reference &ref, const EvaluationContext &context, Value &failure)
{
    if (!ref.target) {
        failure = Value::fromError(ErrorCode::Ref);
        return std::nullopt;
    }
    const CellRange r = ref.range;
    const CellRange used = context.usedPart(ref);
    ValueArray array;
    array.rows = ref.wholeColumns ? std::max(0, used.bottom - r.top + 1) : r.rows();
    array.cols = ref.wholeRows ? std::max(0, used.right - r.left + 1) : r.cols();
    if (double(array.rows) * double(array.cols) > 4e6) {
        failure = Value::fromError(ErrorCode::Num);
        return std::nullopt;
    }
    array.values.assign(std::size_t(array.rows) * std::size_t(array.cols), Value{});
    context.forEachCell(ref, [&](int row, int col, const Value &v) {
        const int rr = row - r.top, cc = col - r.left;
        if (rr < array.rows && cc < array.cols)
            array.values[std::size_t(rr) * std::size_t(array.cols) + std::size_t(cc)] = v;
    });
    return array;
}

namespace {

Value arithmetic(OpCode op, const Value &a, const Value &b)
{
    if (op == OpCode::Concat) {
        if (a.isError()) return a;
        if (b.isError()) return b;
        return Value::fromText(toText(a) + toText(b));
    }
    if (op >= OpCode::Equal && op <= OpCode::GreaterEqual) {
        if (a.isError()) return a;
        if (b.isError()) return b;
        const int c = compareValues(a, b);
        switch (op) {
        case OpCode::Equal: return Value::fromBoolean(c == 0);
        case OpCode::NotEqual: return Value::fromBoolean(c != 0);
        case OpCode::Less: return Value::fromBoolean(c < 0);
        case OpCode::Greater: return Value::fromBoolean(c > 0);
        case OpCode::LessEqual: return Value::fromBoolean(c <= 0);
        default: return Value::fromBoolean(c >= 0);
        }
    }
    ErrorCode error = ErrorCode::Value;
    const auto x = toNumber(a, error);
    if (!x) return Value::fromError(error);
    const auto y = toNumber(b, error);
    if (!y) return Value::fromError(error);
    double r = 0;
    switch (op) {
    case OpCode::Add: r = *x + *y; break;
    case OpCode::Subtract: r = *x - *y; break;
    case OpCode::Multiply: r = *x * *y; break;
    case OpCode::Divide:
        if (*y == 0) return Value::fromError(ErrorCode::DivideByZero);
        r = *x / *y;
        break;
    case OpCode::Power:
        if (*x == 0 && *y == 0) return Value::fromError(ErrorCode::Num);
        if (*x == 0 && *y < 0) return Value::fromError(ErrorCode::DivideByZero);
        r = std::pow(*x, *y);
        break;
    default: return Value::fromError(ErrorCode::Value);
    }
    if (!std::isfinite(r)) return Value::fromError(ErrorCode::Num);
    return Value::fromNumber(r);
}

// An operand as an array for element-wise work: arrays as they are, ranges
// as their cells, anything else as one value.
std::shared_ptr<const ValueArray> asArray(const Operand &o, const EvaluationContext &context, Value &failure)
{
    if (o.array)
        return o.array;
    auto single = std::make_shared<ValueArray>();
    if (o.ref && !(o.ref->range.isSingleCell() && !o.ref->isRange)) {
        auto cells = referenceArray(*o.ref, context, failure);
        if (!cells)
            return nullptr;
        *single = std::move(*cells);
        return single;
    }
    single->rows = single->cols = 1;
    single->values.push_back(dereference(o, context));
    return single;
}

// Element by element; a single row, column or value stretches to fit the
// other side, and what lies beyond a shorter side is #N/A, as spreadsheets do.
Operand elementWise(const Operand &left, const Operand &right, const EvaluationContext &context,
                    const std::function<Value(const Value &, const Value &)> &combine)
{
    Value failure;
    const auto a = asArray(left, context, failure);
    const auto b = a ? asArray(right, context, failure) : nullptr;
    if (!a || !b)
        return {failure};
    auto out = std::make_shared<ValueArray>();
    out->rows = std::max(a->rows, b->rows);
    out->cols = std::max(a->cols, b->cols);
    out->values.reserve(std::size_t(out->rows) * std::size_t(out->cols));
    auto pick = [](const ValueArray &x, int r, int c) -> const Value * {
        const int rr = x.rows == 1 ? 0 : r, cc = x.cols == 1 ? 0 : c;
        return rr < x.rows && cc < x.cols ? &x.at(rr, cc) : nullptr;
    };
    const Value notAvailable = Value::fromError(ErrorCode::NotAvailable);
    for (int r = 0; r < out->rows; ++r)
        for (int c = 0; c < out->cols; ++c) {
            const Value *x = pick(*a, r, c), *y = pick(*b, r, c);
            out->values.push_back(x && y ? combine(*x, *y) : notAvailable);
        }
    return Operand(std::shared_ptr<const ValueArray>(std::move(out)));
}

bool needsElementWise(const Instruction &in, const Operand &o)
{
    return o.array || (in.elementWise && o.ref && !(o.ref->range.isSingleCell() && !o.ref->isRange));
}

Value unary(OpCode op, const Value &v)
{
    if (op == OpCode::UnaryPlus)
        return v;
    ErrorCode error = ErrorCode::Value;
    const auto x = toNumber(v, error);
    return x ? Value::fromNumber(op == OpCode::Negate ? -*x : *x / 100) : Value::fromError(error);
}

// `references` are the formula's own or, for shared code, those moved to
// where the formula stands.
Value run(const CompiledFormula &formula, const Reference *references, const EvaluationContext &context)
{
    // One stack per thread, reused: a formula evaluation allocates nothing.
    thread_local std::vector<Operand> stack;
    stack.clear();
    for (const Instruction &in : formula.code) {
        switch (in.op) {
        case OpCode::Number: stack.push_back({Value::fromNumber(in.number)}); break;
        case OpCode::Boolean: stack.push_back({Value::fromBoolean(in.number != 0)}); break;
        case OpCode::String: stack.push_back({Value::fromText(formula.strings[in.index])}); break;
        case OpCode::Error: stack.push_back({Value::fromError(ErrorCode(in.index))}); break;
        case OpCode::Missing: stack.push_back({Value{}}); break;
        case OpCode::Ref: stack.push_back({Value{}, &references[in.index]}); break;
        case OpCode::Array: stack.push_back(Operand(formula.arrays[in.index])); break;
        case OpCode::Negate:
        case OpCode::UnaryPlus:
        case OpCode::Percent: {
            if (stack.empty()) return Value::fromError(ErrorCode::Value);
            if (needsElementWise(in, stack.back())) {
                const Operand none{Value::fromNumber(0)};
                stack.back() = elementWise(stack.back(), none, context,
                                           [op = in.op](const Value &v, const Value &) { return unary(op, v); });
                break;
            }
            stack.back() = {unary(in.op, dereference(stack.back(), context))};
            break;
        }
        case OpCode::Call: {
            if (stack.size() < in.argc) return Value::fromError(ErrorCode::Value);
            const std::size_t first = stack.size() - in.argc;
            Value result = in.index == unknownFunction
                               ? Value::fromError(ErrorCode::Name)
                               : callFunction(in.index, std::span<const Operand>(stack.data() + first, in.argc), context);
            stack.resize(first);
            stack.push_back({std::move(result)});
            break;
        }
        default: {
            if (stack.size() < 2) return Value::fromError(ErrorCode::Value);
            const Operand &right = stack.back(), &left = stack[stack.size() - 2];
            if (needsElementWise(in, left) || needsElementWise(in, right)) {
                Operand result = elementWise(left, right, context,
                                             [op = in.op](const Value &a, const Value &b) { return arithmetic(op, a, b); });
                stack.pop_back();
                stack.back() = std::move(result);
                break;
            }
            const Value b = dereference(stack.back(), context);
            stack.pop_back();
            const Value a = dereference(stack.back(), context);
            stack.back() = {arithmetic(in.op, a, b)};
            break;
        }
        }
    }
    if (stack.size() != 1) {
        stack.clear();
        return Value::fromError(ErrorCode::Value);
    }
    Value result = dereference(stack.back(), context);
    stack.clear();
    if (result.isEmpty())
        return Value::fromNumber(0); // =A1 of an empty cell shows 0
    if (result.isNumber() && !std::isfinite(result.number))
        return Value::fromError(ErrorCode::Num);
    return result;
}

} // namespace

Value evaluate(const CompiledFormula &formula, const EvaluationContext &context)
{
    return run(formula, formula.references.data(), context);
}

Value evaluate(const SharedFormula &code, int row, int col, const EvaluationContext &context)
{
    if (row == code.row && col == code.col)
        return run(code.compiled, code.compiled.references.data(), context);
    // One buffer per thread, as for the stack: no allocation once it has grown.
    thread_local std::vector<Reference> moved;
    moved.assign(code.compiled.references.begin(), code.compiled.references.end());
    for (std::size_t i = 0; i < moved.size(); ++i)
        moved[i].range = code.rangeAt(i, row, col);
    return run(code.compiled, moved.data(), context);
}

} // namespace qv::workbook
