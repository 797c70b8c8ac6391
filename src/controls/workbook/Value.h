#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace qv::workbook {

// Error values of formulas; they travel through calculations like numbers.
enum class ErrorCode : std::uint8_t { None, DivideByZero, Value, Ref, Name, NotAvailable, Num };

QString errorText(ErrorCode code);                       // "#DIV/0!" ...
std::optional<ErrorCode> errorFromText(const QString &); // case-insensitive

// One cell's content or one result of a calculation.
struct Value
{
    enum class Type : std::uint8_t { Empty, Number, Text, Boolean, Error };

    Type type = Type::Empty;
    ErrorCode error = ErrorCode::None;
    double number = 0.0; // the number, or 1/0 for a Boolean
    QString text;

    static Value fromNumber(double n) { Value v; v.type = Type::Number; v.number = n; return v; }
    static Value fromText(QString t) { Value v; v.type = Type::Text; v.text = std::move(t); return v; }
    static Value fromBoolean(bool b) { Value v; v.type = Type::Boolean; v.number = b ? 1 : 0; return v; }
    static Value fromError(ErrorCode e) { Value v; v.type = Type::Error; v.error = e; return v; }

    bool isEmpty() const { return type == Type::Empty; }
    bool isNumber() const { return type == Type::Number; }
    bool isText() const { return type == Type::Text; }
    bool isBoolean() const { return type == Type::Boolean; }
    bool isError() const { return type == Type::Error; }
    bool boolean() const { return number != 0.0; }

    bool operator==(const Value &other) const;
};

// The value as qvtool and the tests print it: %.15g numbers (negative zero
// as 0), TRUE/FALSE, error texts, text as is, empty as nothing.
QString plainText(const Value &value);
QString formatGeneralNumber(double number); // %.15g without negative zero

} // namespace qv::workbook
