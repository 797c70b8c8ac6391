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

// Numbers of the arguments as SUM sees them: direct arguments coerced,
// references contributing their numbers only. Returns an error value, if any.
std::optional<Value> collectNumbers(Args args, const EvaluationContext &c, std::vector<double> &out);

// The same, handing each number to `take` without collecting them.
template <typename F>
std::optional<Value> visitNumbers(Args args, const EvaluationContext &c, F &&take)
{
    for (const Operand &o : args) {
        if (o.isReference()) {
            if (!o.ref->target)
                return Value::fromError(ErrorCode::Ref);
            std::optional<Value> failure;
            c.forEachCell(*o.ref, [&](int, int, const Value &v) {
                if (failure) return;
                if (v.isNumber()) take(v.number);
                else if (v.isError()) failure = v;
            });
            if (failure) return failure;
        } else {
            if (o.value.isEmpty()) { take(0.0); continue; }
            ErrorCode code = ErrorCode::Value;
            const auto n = toNumber(o.value, code);
            if (!n) return Value::fromError(code);
            take(*n);
        }
    }
    return std::nullopt;
}

// The cells of a reference argument as a rectangle of values (the used part).
struct Grid
{
    int rows = 0, cols = 0;
    std::vector<Value> values;
    const Value &at(int r, int col) const { return values[std::size_t(r) * std::size_t(cols) + std::size_t(col)]; }
};
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
