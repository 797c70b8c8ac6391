// Lookups in tables: VLOOKUP, HLOOKUP, INDEX, MATCH, CHOOSE.

#include "controls/workbook/FunctionSupport.h"

#include <cmath>

namespace qv::workbook::functions {

namespace {

bool sameKind(const Value &a, const Value &b)
{
    auto kind = [](const Value &v) { return v.isText() ? 1 : v.isBoolean() ? 2 : v.isEmpty() ? 3 : 0; };
    return kind(a) == kind(b);
}

bool exactMatch(const Value &key, const Value &candidate)
{
    if (!sameKind(key, candidate))
        return false;
    if (key.isText() && (key.text.contains(u'*') || key.text.contains(u'?')))
        return Criterion(Value::fromText(u'=' + key.text)).matches(candidate);
    return compareValues(key, candidate) == 0;
}

// Position (from 0) in a line of values; -1 when not found.
// mode 0 exact, 1 largest not above the key (ascending data), -1 smallest not below it.
int findInLine(const Value &key, int length, const std::function<const Value &(int)> &at, int mode)
{
    int found = -1;
    for (int i = 0; i < length; ++i) {
        const Value &v = at(i);
        if (mode == 0) {
            if (exactMatch(key, v)) return i;
            continue;
        }
        if (!sameKind(key, v)) continue;
        const int c = compareValues(v, key);
        if (mode > 0) {
            if (c <= 0) found = i;
            else break;
        } else {
            if (c >= 0) found = i;
            else break;
        }
    }
    return found;
}

// The whole declared rectangle of a reference (whole rows and columns cut
// to the used part), or an array, as values.
std::optional<Grid> tableArg(const Operand &o, const EvaluationContext &c, Value &failure)
{
    if (!o.isReference() && !o.isArray()) {
        failure = error(ErrorCode::NotAvailable);
        return std::nullopt;
    }
    return gridArg(o, c, failure);
}

Value lookup(Args args, const EvaluationContext &c, bool vertical)
{
    const Value key = scalar(args[0], c);
    if (key.isError()) return key;
    Value failure;
    auto table = tableArg(args[1], c, failure);
    if (!table) return failure;
    const auto index = numberArg(args[2], c, failure);
    if (!index) return failure;
    bool approximate = true;
    if (args.size() > 3) {
        const auto b = booleanArg(args[3], c, failure);
        if (!b) return failure;
        approximate = *b;
    }
    const int line = wholeNumber(*index);
    if (line < 1) return error(ErrorCode::Value);
    if (line > (vertical ? table->cols : table->rows)) return error(ErrorCode::Ref);
    const int length = vertical ? table->rows : table->cols;
    const Grid &g = *table;
    const int at = findInLine(key, length, [&](int i) -> const Value & { return vertical ? g.at(i, 0) : g.at(0, i); },
                              approximate ? 1 : 0);
    if (at < 0) return error(ErrorCode::NotAvailable);
    const Value &result = vertical ? g.at(at, line - 1) : g.at(line - 1, at);
    return result.isEmpty() ? number(0) : result;
}

Value vlookup(Args args, const EvaluationContext &c) { return lookup(args, c, true); }
Value hlookup(Args args, const EvaluationContext &c) { return lookup(args, c, false); }

Value match(Args args, const EvaluationContext &c)
{
    const Value key = scalar(args[0], c);
    if (key.isError()) return key;
    Value failure;
    auto table = tableArg(args[1], c, failure);
    if (!table) return failure;
    double mode = 1;
    if (args.size() > 2) {
        const auto m = numberArg(args[2], c, failure);
        if (!m) return failure;
        mode = *m;
    }
    if (table->rows != 1 && table->cols != 1) return error(ErrorCode::NotAvailable);
    const Grid &g = *table;
    const bool column = g.cols == 1;
    const int at = findInLine(key, column ? g.rows : g.cols,
                              [&](int i) -> const Value & { return column ? g.at(i, 0) : g.at(0, i); },
                              mode > 0 ? 1 : mode < 0 ? -1 : 0);
    if (at < 0) return error(ErrorCode::NotAvailable);
    return number(at + 1);
}

Value index(Args args, const EvaluationContext &c)
{
    Value failure;
    const auto rowArg = numberArg(args[1], c, failure);
    if (!rowArg) return failure;
    double colArg = 0;
    if (args.size() > 2) {
        const auto col = numberArg(args[2], c, failure);
        if (!col) return failure;
        colArg = *col;
    }
    int row = wholeNumber(*rowArg), col = wholeNumber(colArg);
    if (row < 0 || col < 0) return error(ErrorCode::Value);
    const bool isArray = args[0].isArray();
    if (!isArray && !args[0].isReference()) {
        if ((row == 0 || row == 1) && (col == 0 || col == 1)) return scalar(args[0], c);
        return error(ErrorCode::Ref);
    }
    if (!isArray && !args[0].ref->target) return error(ErrorCode::Ref);
    const int rows = isArray ? args[0].array->rows : args[0].ref->range.rows();
    const int cols = isArray ? args[0].array->cols : args[0].ref->range.cols();
    if (args.size() == 2 && rows == 1) { col = row; row = 1; }
    if (row == 0) row = rows == 1 ? 1 : 0;
    if (col == 0) col = cols == 1 ? 1 : 0;
    if (row == 0 || col == 0) return error(ErrorCode::Value); // a whole line is not a single value
    if (row > rows || col > cols) return error(ErrorCode::Ref);
    const Reference *ref = args[0].ref;
    const Value v = isArray ? args[0].array->at(row - 1, col - 1)
                            : c.cellValue(*ref, ref->range.top + row - 1, ref->range.left + col - 1);
    return v.isEmpty() ? number(0) : v;
}

Value choose(Args args, const EvaluationContext &c)
{
    Value failure;
    const auto i = numberArg(args[0], c, failure);
    if (!i) return failure;
    const int pick = wholeNumber(*i);
    if (pick < 1 || pick >= int(args.size())) return error(ErrorCode::Value);
    const Value v = scalar(args[std::size_t(pick)], c);
    return v.isEmpty() ? number(0) : v;
}

const Definition definitions[] = {
    {"VLOOKUP", 3, 4, vlookup}, {"HLOOKUP", 3, 4, hlookup}, {"INDEX", 2, 3, index},
    {"MATCH", 2, 3, match},     {"CHOOSE", 2, -1, choose},
};

} // namespace

std::span<const Definition> lookupFunctions()
{
    return definitions;
}

} // namespace qv::workbook::functions
