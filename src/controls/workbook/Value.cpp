#include "controls/workbook/Value.h"

#include <cstdio>

namespace qv::workbook {

namespace {
struct ErrorName
{
    ErrorCode code;
    const char *text;
};
constexpr ErrorName errorNames[] = {
    {ErrorCode::DivideByZero, "#DIV/0!"}, {ErrorCode::Value, "#VALUE!"}, {ErrorCode::Ref, "#REF!"},
    {ErrorCode::Name, "#NAME?"},          {ErrorCode::NotAvailable, "#N/A"}, {ErrorCode::Num, "#NUM!"},
};
} // namespace

QString errorText(ErrorCode code)
{
    for (const auto &e : errorNames)
        if (e.code == code)
            return QString::fromLatin1(e.text);
    return {};
}

std::optional<ErrorCode> errorFromText(const QString &text)
{
    for (const auto &e : errorNames)
        if (text.compare(QLatin1String(e.text), Qt::CaseInsensitive) == 0)
            return e.code;
    return std::nullopt;
}

bool Value::operator==(const Value &other) const
{
    if (type != other.type)
        return false;
    switch (type) {
    case Type::Empty: return true;
    case Type::Number:
    case Type::Boolean: return number == other.number;
    case Type::Text: return text == other.text;
    case Type::Error: return error == other.error;
    }
    return false;
}

QString formatGeneralNumber(double number)
{
    if (number == 0.0)
        number = 0.0;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", number);
    return QString::fromLatin1(buffer);
}

QString plainText(const Value &value)
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

} // namespace qv::workbook
