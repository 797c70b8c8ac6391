#pragma once

// Shared helpers of the function library's files.

#include "controls/workbook/Evaluator.h"

#include <span>
#include <vector>

namespace qv::workbook::functions {

using Args = std::span<const Operand>;
using Function = Value (*)(Args, const EvaluationContext &);

struct Definition
{
    const char *name;
    int minArgs;
    int maxArgs; // -1: any number
    Function function;
};

inline Value error(ErrorCode code) { return Value::fromError(code); }
inline Value number(double n) { return Value::fromNumber(n); }

// A scalar argument (a one-cell reference reads as its value).
inline Value scalar(const Operand &o, const EvaluationContext &c) { return dereference(o, c); }

// A number argument; sets `failure` to the error value when it is not one.
std::optional<double> numberArg(const Operand &o, const EvaluationContext &c, Value &failure);
std::optional<QString> textArg(const Operand &o, const EvaluationContext &c, Value &failure);
std::optional<bool> booleanArg(const Operand &o, const EvaluationContext &c, Value &failure);

// A number argument used as a whole number (an index, a count, a number of
// digits): truncated toward zero and held within int's range, so that a
// huge argument reads as out of range instead of overflowing.
int wholeNumber(double n);

// Each value of a reference or array argument that is not empty, or the
// argument's own value; #REF! when the reference points nowhere.
template <typename F>
std::optional<Value> visitValues(const Operand &o, const EvaluationContext &c, F &&visit)
{
    if (o.isArray()) {
        for (const Value &v : o.array->values)
            visit(v);
    } else if (o.isReference()) {
        if (!o.ref->target)
            return Value::fromError(ErrorCode::Ref);
        c.forEachCell(*o.ref, [&](int, int, const Value &v) { visit(v); });
    } else {
        visit(o.value);
    }
    return std::nullopt;
}

// Numbers of the arguments as SUM sees them: direct arguments coerced,
// references and arrays contributing their numbers only. The first error
// value met comes back, if any; `take` gets each number.
template <typename F>
std::optional<Value> visitNumbers(Args args, const EvaluationContext &c, F &&take)
{
    for (const Operand &o : args) {
        if (o.isArray() || o.isReference()) {
            std::optional<Value> failure;
            if (auto missing = visitValues(o, c, [&](const Value &v) {
                    if (failure) return;
                    if (v.isNumber()) take(v.number);
                    else if (v.isError()) failure = v;
                }))
                return missing;
            if (failure) return failure;
            continue;
        }
        if (o.value.isEmpty()) { take(0.0); continue; }
        ErrorCode code = ErrorCode::Value;
        const auto n = toNumber(o.value, code);
        if (!n) return Value::fromError(code);
        take(*n);
    }
    return std::nullopt;
}

inline std::optional<Value> collectNumbers(Args args, const EvaluationContext &c, std::vector<double> &out)
{
    return visitNumbers(args, c, [&](double n) { out.push_back(n); });
}

// The cells of a reference argument as a rectangle of values (the used
// part), an array argument as it is, anything else as one value.
using Grid = ValueArray;
std::optional<Grid> gridArg(const Operand &o, const EvaluationContext &c, Value &failure);

// Spreadsheet criteria: 5, ">=5", "<>abc", "a*" (wildcards * and ?).
class Criterion
{
public:
    explicit Criterion(const Value &criterion);
    bool matches(const Value &value) const;

private:
    OpCode m_op = OpCode::Equal;
    Value m_operand;
    bool m_wildcard = false;
};

// Rounds at decimal digits as people expect (2.675 to 2.68), not as binary does.
enum class Rounding { Nearest, Up, Down };
double roundDecimal(double x, int digits, Rounding mode);

} // namespace qv::workbook::functions
