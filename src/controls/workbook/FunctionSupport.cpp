#include "controls/workbook/FunctionSupport.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>
#include <cstdio>
#include <cstdlib>

namespace qv::workbook::functions {

std::optional<double> numberArg(const Operand &o, const EvaluationContext &c, Value &failure)
{
    const Value v = scalar(o, c);
    ErrorCode code = ErrorCode::Value;
    auto n = toNumber(v, code);
    if (!n)
        failure = error(code);
    return n;
}

std::optional<QString> textArg(const Operand &o, const EvaluationContext &c, Value &failure)
{
    const Value v = scalar(o, c);
    if (v.isError()) {
        failure = v;
        return std::nullopt;
    }
    return toText(v);
}

std::optional<bool> booleanArg(const Operand &o, const EvaluationContext &c, Value &failure)
{
    const Value v = scalar(o, c);
    if (v.isError()) { failure = v; return std::nullopt; }
    if (v.isText()) {
        if (v.text.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0) return true;
        if (v.text.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0) return false;
        failure = error(ErrorCode::Value);
        return std::nullopt;
    }
    return v.number != 0;
}

std::optional<Grid> gridArg(const Operand &o, const EvaluationContext &c, Value &failure)
{
    Grid grid;
    if (o.isArray())
        return *o.array;
    if (!o.isReference()) {
        if (o.value.isError()) { failure = o.value; return std::nullopt; }
        grid.rows = grid.cols = 1;
        grid.values.push_back(o.value);
        return grid;
    }
    if (!o.ref->target) { failure = error(ErrorCode::Ref); return std::nullopt; }
    const CellRange r = c.usedPart(*o.ref);
    if (r.bottom < r.top || r.right < r.left) {
        grid.rows = 0;
        grid.cols = 0;
        return grid;
    }
    const std::size_t count = std::size_t(r.rows()) * std::size_t(r.cols());
    if (count > 4'000'000) { failure = error(ErrorCode::Num); return std::nullopt; }
    grid.rows = r.rows();
    grid.cols = r.cols();
    grid.values.assign(count, Value{});
    c.forEachCell(*o.ref, [&](int row, int col, const Value &v) {
        if (r.contains(row, col))
            grid.values[std::size_t(row - r.top) * std::size_t(grid.cols) + std::size_t(col - r.left)] = v;
    });
    return grid;
}

namespace {
QRegularExpression wildcardPattern(const QString &text)
{
    QString pattern;
    for (int i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch == u'~' && i + 1 < text.size()) { pattern += QRegularExpression::escape(QString(text[++i])); continue; }
        if (ch == u'*') pattern += QStringLiteral(".*");
        else if (ch == u'?') pattern += u'.';
        else pattern += QRegularExpression::escape(QString(ch));
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern),
                              QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
}
} // namespace

Criterion::Criterion(const Value &criterion)
{
    if (!criterion.isText()) {
        m_operand = criterion.isEmpty() ? Value::fromNumber(0) : criterion;
        return;
    }
    QString text = criterion.text;
    static const struct { const char *prefix; OpCode op; } ops[] = {
        {"<>", OpCode::NotEqual}, {"<=", OpCode::LessEqual}, {">=", OpCode::GreaterEqual},
        {"<", OpCode::Less},      {">", OpCode::Greater},    {"=", OpCode::Equal},
    };
    for (const auto &o : ops) {
        if (text.startsWith(QLatin1String(o.prefix))) {
            m_op = o.op;
            text = text.mid(int(std::strlen(o.prefix)));
            break;
        }
    }
    ErrorCode ignored;
    if (auto n = toNumber(Value::fromText(text), ignored); n && !text.trimmed().isEmpty())
        m_operand = Value::fromNumber(*n);
    else if (text.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0)
        m_operand = Value::fromBoolean(true);
    else if (text.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0)
        m_operand = Value::fromBoolean(false);
    else {
        m_operand = Value::fromText(text);
        m_wildcard = (m_op == OpCode::Equal || m_op == OpCode::NotEqual) && (text.contains(u'*') || text.contains(u'?'));
    }
}

bool Criterion::matches(const Value &value) const
{
    if (m_operand.isText() && m_operand.text.isEmpty() && (m_op == OpCode::Equal))
        return value.isEmpty() || (value.isText() && value.text.isEmpty());
    if (m_operand.isText() && m_operand.text.isEmpty() && m_op == OpCode::NotEqual)
        return !value.isEmpty();
    if (m_wildcard) {
        const bool hit = value.isText() && wildcardPattern(m_operand.text).match(value.text).hasMatch();
        return m_op == OpCode::Equal ? hit : !hit;
    }
    if (m_op == OpCode::NotEqual)
        return value.type != m_operand.type || compareValues(value, m_operand) != 0;
    // Other comparisons only match values of the criterion's own kind.
    if (value.type != m_operand.type)
        return false;
    const int c = compareValues(value, m_operand);
    switch (m_op) {
    case OpCode::Equal: return c == 0;
    case OpCode::Less: return c < 0;
    case OpCode::Greater: return c > 0;
    case OpCode::LessEqual: return c <= 0;
    case OpCode::GreaterEqual: return c >= 0;
    default: return false;
    }
}

int wholeNumber(double n)
{
    if (std::isnan(n))
        return 0;
    constexpr double lowest = std::numeric_limits<int>::min(), highest = std::numeric_limits<int>::max();
    return int(std::clamp(std::trunc(n), lowest, highest));
}

double roundDecimal(double x, int digits, Rounding mode)
{
    if (!std::isfinite(x) || x == 0)
        return x;
    digits = std::clamp(digits, -300, 300);
    // Work on the 15 significant digits a spreadsheet shows, so that 2.675
    // (stored as 2.67499999...) rounds as written.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(x));
    const double decimal = std::strtod(buffer, nullptr);
    const double scale = std::pow(10.0, digits);
    double scaled = decimal * scale;
    std::snprintf(buffer, sizeof buffer, "%.14e", scaled);
    scaled = std::strtod(buffer, nullptr);
    double r = 0;
    switch (mode) {
    case Rounding::Nearest: r = std::floor(scaled + 0.5); break;
    case Rounding::Up: r = std::ceil(scaled); break;
    case Rounding::Down: r = std::floor(scaled); break;
    }
    r /= scale;
    return x < 0 ? -r : r;
}

} // namespace qv::workbook::functions
