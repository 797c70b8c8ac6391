#pragma once

#include "controls/workbook/Formula.h"

#include <QString>

#include <vector>

namespace qv::workbook {

struct Token
{
    enum class Kind { Number, String, Boolean, Error, Reference, Function, Name, Operator, OpenParen, CloseParen, Comma, Array };
    Kind kind;
    QString text;       // operator, function or name text; string content
    double number = 0.0;
    Reference reference; // for Reference
    std::shared_ptr<const ValueArray> array; // for Array: {1,2;3,4}
    ErrorCode error = ErrorCode::None;
    int start = 0;  // where the token's text begins in the formula
    int length = 0; // and how long it is
};

struct TokenizeResult
{
    std::vector<Token> tokens;
    QString error; // empty on success
};

// Splits formula text (without its "=") into tokens. References are whole
// tokens, so "Sheet1!A1:B5" and "[Tbl0404]Sheet1!$B$1" come out as one.
TokenizeResult tokenize(const QString &formula);

} // namespace qv::workbook
