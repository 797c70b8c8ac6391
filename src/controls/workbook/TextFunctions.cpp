// Text and date functions.

#include "controls/workbook/DateSerial.h"
#include "controls/workbook/EntryText.h"
#include "controls/workbook/FunctionSupport.h"
#include "controls/workbook/NumberFormat.h"

#include <cmath>

namespace qv::workbook::functions {

namespace {

std::optional<int> countArg(Args args, std::size_t i, const EvaluationContext &c, Value &failure, int fallback)
{
    if (i >= args.size()) return fallback;
    const auto n = numberArg(args[i], c, failure);
    if (!n) return std::nullopt;
    if (*n < 0) { failure = error(ErrorCode::Value); return std::nullopt; }
    return int(std::min(std::trunc(*n), 1e9));
}

Value left(Args args, const EvaluationContext &c)
{
    Value failure;
    const auto text = textArg(args[0], c, failure);
    if (!text) return failure;
    const auto n = countArg(args, 1, c, failure, 1);
    if (!n) return failure;
    return Value::fromText(text->left(*n));
}

Value right(Args args, const EvaluationContext &c)
{
    Value failure;
    const auto text = textArg(args[0], c, failure);
    if (!text) return failure;
    const auto n = countArg(args, 1, c, failure, 1);
    if (!n) return failure;
    return Value::fromText(text->right(*n));
}

Value mid(Args args, const EvaluationContext &c)
{
    Value failure;
    const auto text = textArg(args[0], c, failure);
    if (!text) return failure;
    const auto start = numberArg(args[1], c, failure);
    if (!start) return failure;
    const auto n = countArg(args, 2, c, failure, 0);
    if (!n) return failure;
    if (*start < 1) return error(ErrorCode::Value);
    if (*start > text->size()) return Value::fromText({});
    return Value::fromText(text->mid(int(*start) - 1, *n));
}

Value len(Args args, const EvaluationContext &c)
{
    Value failure;
    const auto text = textArg(args[0], c, failure);
    if (!text) return failure;
    return number(double(text->size()));
}

Value upper(Args args, const EvaluationContext &c)
{
    Value failure;
    const auto text = textArg(args[0], c, failure);
    if (!text) return failure;
    return Value::fromText(text->toUpper());
}

Value lower(Args args, const EvaluationContext &c)
{
    Value failure;
    const auto text = textArg(args[0], c, failure);
    if (!text) return failure;
    return Value::fromText(text->toLower());
}

Value trim(Args args, const EvaluationContext &c)
{
    Value failure;
    const auto text = textArg(args[0], c, failure);
    if (!text) return failure;
    // Spreadsheets also squeeze runs of inner spaces to one.
    QString out;
    bool space = false;
    for (QChar ch : text->trimmed()) {
        if (ch == u' ') {
            if (!space) out += ch;
            space = true;
        } else {
            out += ch;
            space = false;
        }
    }
    return Value::fromText(out);
}

Value concatenate(Args args, const EvaluationContext &c)
{
    QString out;
    for (const Operand &o : args) {
        Value failure;
        const auto text = textArg(o, c, failure);
        if (!text) return failure;
        out += *text;
    }
    return Value::fromText(out);
}

Value text(Args args, const EvaluationContext &c)
{
    Value v = scalar(args[0], c);
    if (v.isError()) return v;
    Value failure;
    const auto format = textArg(args[1], c, failure);
    if (!format) return failure;
    if (v.isText()) {
        if (auto n = parseNumberEntry(v.text)) v = Value::fromNumber(*n);
    }
    if (v.isEmpty()) v = Value::fromNumber(0);
    return Value::fromText(displayText(v, *format));
}

Value value(Args args, const EvaluationContext &c)
{
    const Value v = scalar(args[0], c);
    if (v.isError()) return v;
    if (v.isNumber()) return v;
    if (v.isEmpty()) return number(0);
    if (v.isText()) {
        const auto meaning = interpretEntry(v.text.trimmed());
        if (meaning.value.isNumber()) return meaning.value;
    }
    return error(ErrorCode::Value);
}

Value date(Args args, const EvaluationContext &c)
{
    Value failure;
    const auto y = numberArg(args[0], c, failure);
    if (!y) return failure;
    const auto m = numberArg(args[1], c, failure);
    if (!m) return failure;
    const auto d = numberArg(args[2], c, failure);
    if (!d) return failure;
    if (std::fabs(*y) > 1e5 || std::fabs(*m) > 1e6 || std::fabs(*d) > 1e8) return error(ErrorCode::Num);
    bool ok = false;
    const double serial = serialFromParts(int(*y), int(std::trunc(*m)), int(std::trunc(*d)), &ok);
    if (!ok) return error(ErrorCode::Num);
    return number(serial);
}

std::optional<QDate> dateArg(const Operand &o, const EvaluationContext &c, Value &failure)
{
    const auto n = numberArg(o, c, failure);
    if (!n) return std::nullopt;
    const QDate d = dateFromSerial(*n);
    if (!d.isValid()) { failure = error(ErrorCode::Num); return std::nullopt; }
    return d;
}

Value year(Args args, const EvaluationContext &c)
{
    Value failure;
    const auto d = dateArg(args[0], c, failure);
    return d ? number(d->year()) : failure;
}

Value month(Args args, const EvaluationContext &c)
{
    Value failure;
    const auto d = dateArg(args[0], c, failure);
    return d ? number(d->month()) : failure;
}

Value day(Args args, const EvaluationContext &c)
{
    Value failure;
    const auto d = dateArg(args[0], c, failure);
    return d ? number(d->day()) : failure;
}

Value today(Args, const EvaluationContext &c) { return number(c.today()); }

std::optional<QDate> shiftedMonths(Args args, const EvaluationContext &c, Value &failure)
{
    const auto d = dateArg(args[0], c, failure);
    if (!d) return std::nullopt;
    const auto months = numberArg(args[1], c, failure);
    if (!months) return std::nullopt;
    if (std::fabs(*months) > 120000) { failure = error(ErrorCode::Num); return std::nullopt; }
    const QDate shifted = d->addMonths(int(std::trunc(*months))); // keeps the day, or the month's last
    if (!shifted.isValid() || shifted.year() < 1900 || shifted.year() > 9999) {
        failure = error(ErrorCode::Num);
        return std::nullopt;
    }
    return shifted;
}

Value edate(Args args, const EvaluationContext &c)
{
    Value failure;
    const auto d = shiftedMonths(args, c, failure);
    return d ? number(serialFromDate(*d)) : failure;
}

Value eomonth(Args args, const EvaluationContext &c)
{
    Value failure;
    const auto d = shiftedMonths(args, c, failure);
    if (!d) return failure;
    return number(serialFromDate(QDate(d->year(), d->month(), d->daysInMonth())));
}

const Definition definitions[] = {
    {"LEFT", 1, 2, left},   {"RIGHT", 1, 2, right},  {"MID", 3, 3, mid},         {"LEN", 1, 1, len},
    {"UPPER", 1, 1, upper}, {"LOWER", 1, 1, lower},  {"TRIM", 1, 1, trim},       {"CONCATENATE", 1, -1, concatenate},
    {"TEXT", 2, 2, text},   {"VALUE", 1, 1, value},  {"DATE", 3, 3, date},       {"YEAR", 1, 1, year},
    {"MONTH", 1, 1, month}, {"DAY", 1, 1, day},      {"TODAY", 0, 0, today},     {"EDATE", 2, 2, edate},
    {"EOMONTH", 2, 2, eomonth},
};

} // namespace

std::span<const Definition> textFunctions()
{
    return definitions;
}

} // namespace qv::workbook::functions
