#include "controls/workbook/Parser.h"

#include "controls/workbook/Functions.h"
#include "controls/workbook/Tokenizer.h"

#include <algorithm>

namespace qv::workbook {

namespace {

struct Pending
{
    enum class Kind { Operator, OpenParen, Function };
    Kind kind;
    OpCode op = OpCode::Add;
    int precedence = 0;
    bool rightAssociative = false;
    std::uint32_t function = 0;
    int commas = 0;
};

constexpr int unaryPrecedence = 7;

bool binaryOperator(const QString &text, OpCode &op, int &precedence)
{
    static const struct { const char *text; OpCode op; int precedence; } table[] = {
        {"^", OpCode::Power, 5},      {"*", OpCode::Multiply, 4},   {"/", OpCode::Divide, 4},
        {"+", OpCode::Add, 3},        {"-", OpCode::Subtract, 3},   {"&", OpCode::Concat, 2},
        {"=", OpCode::Equal, 1},      {"<>", OpCode::NotEqual, 1},  {"<", OpCode::Less, 1},
        {">", OpCode::Greater, 1},    {"<=", OpCode::LessEqual, 1}, {">=", OpCode::GreaterEqual, 1},
    };
    for (const auto &entry : table) {
        if (text == QLatin1String(entry.text)) {
            op = entry.op;
            precedence = entry.precedence;
            return true;
        }
    }
    return false;
}

class Compiler
{
public:
    ParseResult run(const QString &source)
    {
        ParseResult result;
        QString text = source.trimmed();
        if (text.startsWith(u'='))
            text = text.mid(1);
        if (text.size() > maxFormulaLength)
            return fail(QStringLiteral("The formula is too long"));
        if (text.trimmed().isEmpty())
            return fail(QStringLiteral("The formula is empty"));
        TokenizeResult tokens = tokenize(text);
        if (!tokens.error.isEmpty())
            return fail(tokens.error);

        bool expectOperand = true;
        bool justOpenedFunction = false;
        for (Token &token : tokens.tokens) {
            const bool opened = justOpenedFunction;
            justOpenedFunction = false;
            switch (token.kind) {
            case Token::Kind::Number:
            case Token::Kind::String:
            case Token::Kind::Boolean:
            case Token::Kind::Error:
            case Token::Kind::Reference:
            case Token::Kind::Name:
            case Token::Kind::Array:
                if (!expectOperand)
                    return fail(QStringLiteral("Missing operator"));
                emitOperand(token);
                expectOperand = false;
                break;
            case Token::Kind::Function: {
                if (!expectOperand)
                    return fail(QStringLiteral("Missing operator"));
                Pending p{Pending::Kind::Function};
                p.function = findFunction(token.text);
                if (token.text == QLatin1String("TODAY"))
                    out.formula.isVolatile = true;
                if (!push(p))
                    return fail(tooDeep());
                justOpenedFunction = true;
                break;
            }
            case Token::Kind::OpenParen:
                if (!expectOperand)
                    return fail(QStringLiteral("Missing operator"));
                if (!push(Pending{Pending::Kind::OpenParen}))
                    return fail(tooDeep());
                break;
            case Token::Kind::Operator:
                if (token.text == QLatin1String("%")) {
                    if (expectOperand)
                        return fail(QStringLiteral("Misplaced %"));
                    // Postfix and binding tighter than every binary operator.
                    while (!stack.empty() && stack.back().kind == Pending::Kind::Operator
                           && stack.back().precedence > unaryPrecedence)
                        popOperator();
                    emitOperator(OpCode::Percent);
                    break;
                }
                if (expectOperand) {
                    if (token.text != QLatin1String("-") && token.text != QLatin1String("+"))
                        return fail(QStringLiteral("Missing operand"));
                    Pending p{Pending::Kind::Operator};
                    p.op = token.text == QLatin1String("-") ? OpCode::Negate : OpCode::UnaryPlus;
                    p.precedence = unaryPrecedence;
                    p.rightAssociative = true;
                    if (!push(p))
                        return fail(tooDeep());
                    break;
                }
                {
                    Pending p{Pending::Kind::Operator};
                    if (!binaryOperator(token.text, p.op, p.precedence))
                        return fail(QStringLiteral("Unknown operator"));
                    while (!stack.empty() && stack.back().kind == Pending::Kind::Operator
                           && stack.back().precedence >= p.precedence)
                        popOperator();
                    if (!push(p))
                        return fail(tooDeep());
                    expectOperand = true;
                }
                break;
            case Token::Kind::Comma:
                if (expectOperand)
                    out.formula.code.push_back({OpCode::Missing});
                while (!stack.empty() && stack.back().kind == Pending::Kind::Operator)
                    popOperator();
                if (stack.empty() || stack.back().kind != Pending::Kind::Function)
                    return fail(QStringLiteral("Misplaced comma"));
                ++stack.back().commas;
                expectOperand = true;
                break;
            case Token::Kind::CloseParen: {
                while (!stack.empty() && stack.back().kind == Pending::Kind::Operator)
                    popOperator();
                if (stack.empty())
                    return fail(QStringLiteral("Unbalanced parentheses"));
                Pending open = stack.back();
                stack.pop_back();
                --depth;
                if (open.kind == Pending::Kind::OpenParen) {
                    if (expectOperand)
                        return fail(QStringLiteral("Empty parentheses"));
                } else {
                    int argc = open.commas + 1;
                    if (expectOperand) {
                        if (opened)
                            argc = 0;
                        else
                            out.formula.code.push_back({OpCode::Missing});
                    }
                    if (argc > 255)
                        return fail(QStringLiteral("Too many arguments"));
                    if (open.function != unknownFunction && !functionAccepts(open.function, argc))
                        return fail(QStringLiteral("Wrong number of arguments to %1").arg(functionName(open.function)));
                    Instruction call{OpCode::Call};
                    call.argc = std::uint16_t(argc);
                    call.index = open.function;
                    out.formula.code.push_back(call);
                }
                expectOperand = false;
                break;
            }
            }
        }
        if (expectOperand)
            return fail(QStringLiteral("Missing operand"));
        while (!stack.empty()) {
            if (stack.back().kind != Pending::Kind::Operator)
                return fail(QStringLiteral("Unbalanced parentheses"));
            popOperator();
        }
        result.formula = std::move(out.formula);
        return result;
    }

private:
    ParseResult out;
    std::vector<Pending> stack;
    int depth = 0;

    static ParseResult fail(const QString &message)
    {
        ParseResult r;
        r.error = message;
        return r;
    }
    static QString tooDeep() { return QStringLiteral("The formula is nested too deeply"); }

    bool push(const Pending &p)
    {
        if (p.kind != Pending::Kind::Operator && ++depth > maxNestingDepth)
            return false;
        if (stack.size() > std::size_t(maxFormulaLength))
            return false;
        stack.push_back(p);
        return true;
    }

    void popOperator()
    {
        emitOperator(stack.back().op);
        stack.pop_back();
    }

    void emitOperator(OpCode op)
    {
        static const std::uint32_t sumProduct = findFunction(QStringLiteral("SUMPRODUCT"));
        Instruction in{op};
        in.elementWise = std::any_of(stack.begin(), stack.end(), [](const Pending &p) {
            return p.kind == Pending::Kind::Function && p.function == sumProduct;
        });
        out.formula.code.push_back(in);
    }

    void emitOperand(Token &token)
    {
        Instruction in{OpCode::Number};
        switch (token.kind) {
        case Token::Kind::Number: in.number = token.number; break;
        case Token::Kind::Boolean: in.op = OpCode::Boolean; in.number = token.number; break;
        case Token::Kind::String:
            in.op = OpCode::String;
            in.index = std::uint32_t(out.formula.strings.size());
            out.formula.strings.push_back(token.text);
            break;
        case Token::Kind::Error: in.op = OpCode::Error; in.index = std::uint32_t(token.error); break;
        case Token::Kind::Name: in.op = OpCode::Error; in.index = std::uint32_t(ErrorCode::Name); break;
        case Token::Kind::Array:
            in.op = OpCode::Array;
            in.index = std::uint32_t(out.formula.arrays.size());
            out.formula.arrays.push_back(std::move(token.array));
            break;
        case Token::Kind::Reference:
            in.op = OpCode::Ref;
            in.index = std::uint32_t(out.formula.references.size());
            out.formula.references.push_back(std::move(token.reference));
            break;
        default: break;
        }
        out.formula.code.push_back(in);
    }
};

} // namespace

ParseResult parseFormula(const QString &text)
{
    return Compiler().run(text);
}

} // namespace qv::workbook
