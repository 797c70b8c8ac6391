#include "controls/workbook/Tokenizer.h"

#include <algorithm>

namespace qv::workbook {

namespace {

bool isNameStart(QChar c)
{
    return c.isLetter() || c == u'_';
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'.';
}

class Scanner
{
public:
    explicit Scanner(const QString &text) : s(text) {}

    TokenizeResult run()
    {
        TokenizeResult result;
        while (true) {
            skipSpaces();
            if (i >= n)
                break;
            Token token;
            const int before = i;
            // Every token consumes text; one that does not would loop forever.
            if (!next(token) || i == before) {
                result.error = error.isEmpty() ? QStringLiteral("Unexpected character at position %1").arg(i + 1) : error;
                result.tokens.clear();
                return result;
            }
            token.start = before;
            token.length = i - before;
            result.tokens.push_back(std::move(token));
        }
        return result;
    }

private:
    const QString &s;
    int i = 0;
    int n = int(s.size());
    QString error;

    void skipSpaces()
    {
        while (i < n && s[i].isSpace())
            ++i;
    }

    bool next(Token &token)
    {
        const QChar c = s[i];
        if (c == u'"')
            return string(token);
        if (c == u'#')
            return errorValue(token);
        if (c == u'{')
            return arrayConstant(token);
        if (c.isDigit() || (c == u'.' && i + 1 < n && s[i + 1].isDigit()))
            return numberOrRows(token);
        if (c == u'(') { token.kind = Token::Kind::OpenParen; ++i; return true; }
        if (c == u')') { token.kind = Token::Kind::CloseParen; ++i; return true; }
        if (c == u',' || c == u';') { token.kind = Token::Kind::Comma; ++i; return true; }
        if (c == u'[' || c == u'\'' || c == u'$' || isNameStart(c))
            return referenceOrName(token);
        return op(token);
    }

    bool op(Token &token)
    {
        static const char *const twoChar[] = {"<>", "<=", ">="};
        for (const char *o : twoChar) {
            if (s.mid(i, 2) == QLatin1String(o)) {
                token.kind = Token::Kind::Operator;
                token.text = QString::fromLatin1(o);
                i += 2;
                return true;
            }
        }
        const QChar c = s[i];
        if (QStringLiteral("+-*/^&=<>%").contains(c)) {
            token.kind = Token::Kind::Operator;
            token.text = c;
            ++i;
            return true;
        }
        return false;
    }

    bool string(Token &token)
    {
        ++i;
        QString text;
        while (i < n) {
            if (s[i] == u'"') {
                if (i + 1 < n && s[i + 1] == u'"') {
                    text += u'"';
                    i += 2;
                    continue;
                }
                ++i;
                token.kind = Token::Kind::String;
                token.text = text;
                return true;
            }
            text += s[i++];
        }
        error = QStringLiteral("Missing closing quote");
        return false;
    }

    bool errorValue(Token &token)
    {
        for (const char *e : {"#DIV/0!", "#VALUE!", "#REF!", "#NAME?", "#N/A", "#NUM!"}) {
            const QLatin1String text(e);
            if (s.mid(i, text.size()).compare(text, Qt::CaseInsensitive) == 0) {
                token.kind = Token::Kind::Error;
                token.error = *errorFromText(text);
                i += int(text.size());
                return true;
            }
        }
        return false;
    }

    // {1,2;3,4}: commas part the columns, semicolons the rows; each element
    // a number, text, TRUE/FALSE or an error value, as Excel allows.
    bool arrayConstant(Token &token)
    {
        ++i;
        auto array = std::make_shared<ValueArray>();
        int col = 0;
        while (true) {
            skipSpaces();
            Value element;
            if (i >= n || !arrayElement(element)) {
                if (error.isEmpty())
                    error = QStringLiteral("Bad array constant at position %1").arg(i + 1);
                return false;
            }
            array->values.push_back(std::move(element));
            ++col;
            skipSpaces();
            if (i >= n) {
                error = QStringLiteral("Missing closing brace");
                return false;
            }
            const QChar separator = s[i++];
            if (separator == u',')
                continue;
            if (separator != u';' && separator != u'}') {
                error = QStringLiteral("Bad array constant at position %1").arg(i);
                return false;
            }
            if (array->rows == 0)
                array->cols = col;
            else if (col != array->cols) {
                error = QStringLiteral("The rows of an array constant differ in length");
                return false;
            }
            ++array->rows;
            col = 0;
            if (separator == u'}')
                break;
        }
        token.kind = Token::Kind::Array;
        token.array = std::move(array);
        return true;
    }

    bool arrayElement(Value &element)
    {
        Token t;
        const QChar c = s[i];
        if (c == u'"') {
            if (!string(t)) return false;
            element = Value::fromText(t.text);
            return true;
        }
        if (c == u'#') {
            if (!errorValue(t)) return false;
            element = Value::fromError(t.error);
            return true;
        }
        if (c.isLetter()) {
            int j = i;
            while (j < n && s[j].isLetter()) ++j;
            const QString word = s.mid(i, j - i);
            const bool isTrue = word.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0;
            if (!isTrue && word.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) != 0)
                return false;
            i = j;
            element = Value::fromBoolean(isTrue);
            return true;
        }
        const bool negative = c == u'-';
        if (c == u'-' || c == u'+') ++i;
        if (i >= n || !(s[i].isDigit() || s[i] == u'.')) return false;
        if (!numberOrRows(t) || t.kind != Token::Kind::Number) return false;
        element = Value::fromNumber(negative ? -t.number : t.number);
        return true;
    }

    QString digitsAt(int &j) const
    {
        const int start = j;
        while (j < n && s[j].isDigit() && s[j].unicode() < 128)
            ++j;
        return s.mid(start, j - start);
    }

    bool numberOrRows(Token &token)
    {
        // "3:5" is a range of whole rows.
        int j = i;
        const QString first = digitsAt(j);
        if (!first.isEmpty() && j < n && s[j] == u':') {
            int k = j + 1;
            if (k < n && s[k] == u'$') ++k;
            const QString second = digitsAt(k);
            if (!second.isEmpty() && (k >= n || !isNameChar(s[k]))) {
                if (auto range = parseCellRange(s.mid(i, k - i))) {
                    token.kind = Token::Kind::Reference;
                    token.reference.range = *range;
                    token.reference.isRange = true;
                    token.reference.wholeRows = true;
                    i = k;
                    return true;
                }
                return false;
            }
        }
        j = i;
        digitsAt(j);
        if (j < n && s[j] == u'.') {
            ++j;
            digitsAt(j);
        }
        if (j < n && (s[j] == u'e' || s[j] == u'E')) {
            int k = j + 1;
            if (k < n && (s[k] == u'+' || s[k] == u'-')) ++k;
            if (!digitsAt(k).isEmpty())
                j = k;
        }
        bool ok = false;
        token.number = s.mid(i, j - i).toDouble(&ok);
        if (!ok)
            return false;
        token.kind = Token::Kind::Number;
        i = j;
        return true;
    }

    // Reads "Sheet1!", "'My Sheet'!", "[Book]Sheet1!" or "'[Book]My Sheet'!".
    bool prefix(Reference &ref)
    {
        const int start = i;
        if (s[i] == u'\'') {
            int j = i + 1;
            QString name;
            while (j < n) {
                if (s[j] == u'\'') {
                    if (j + 1 < n && s[j + 1] == u'\'') { name += u'\''; j += 2; continue; }
                    break;
                }
                name += s[j++];
            }
            if (j >= n || j + 1 >= n || s[j + 1] != u'!') {
                error = QStringLiteral("Bad sheet reference");
                return false;
            }
            if (name.startsWith(u'[')) {
                const auto close = name.indexOf(u']');
                if (close < 0) { error = QStringLiteral("Bad workbook reference"); return false; }
                ref.book = name.mid(1, close - 1);
                name = name.mid(close + 1);
            }
            ref.sheet = name;
            i = j + 2;
            return true;
        }
        int j = i;
        if (s[j] == u'[') {
            const auto close = s.indexOf(u']', j);
            if (close < 0) { error = QStringLiteral("Bad workbook reference"); return false; }
            ref.book = s.mid(j + 1, close - j - 1).trimmed();
            j = int(close) + 1;
            if (ref.book.isEmpty()) { error = QStringLiteral("Bad workbook reference"); return false; }
        }
        const int nameStart = j;
        while (j < n && isNameChar(s[j]))
            ++j;
        if (j < n && s[j] == u'!') {
            ref.sheet = s.mid(nameStart, j - nameStart);
            i = j + 1;
            return true;
        }
        if (!ref.book.isEmpty()) { error = QStringLiteral("Bad workbook reference"); return false; }
        i = start;
        return true; // no prefix
    }

    // One corner: $A$1, A1, or for whole rows or columns just A or 1.
    int cornerEnd(int j) const
    {
        if (j < n && s[j] == u'$') ++j;
        while (j < n && s[j].isLetter() && s[j].unicode() < 128) ++j;
        if (j < n && s[j] == u'$') ++j;
        while (j < n && s[j].isDigit() && s[j].unicode() < 128) ++j;
        return j;
    }

    bool referenceOrName(Token &token)
    {
        Reference ref;
        if (!prefix(ref))
            return false;
        const bool hasPrefix = !ref.sheet.isEmpty() || !ref.book.isEmpty();
        const int start = i;

        // A function name: letters and digits followed by "(".
        if (!hasPrefix) {
            int j = i;
            while (j < n && isNameChar(s[j])) ++j;
            int k = j;
            while (k < n && s[k].isSpace()) ++k;
            if (j > i && k < n && s[k] == u'(' && isNameStart(s[i])) {
                token.kind = Token::Kind::Function;
                token.text = s.mid(i, j - i).toUpper();
                i = k + 1;
                return true;
            }
        }

        int end = cornerEnd(i);
        if (end < n && s[end] == u':') {
            const int secondEnd = cornerEnd(end + 1);
            if (secondEnd > end + 1 && (secondEnd >= n || !isNameChar(s[secondEnd]))) {
                if (auto range = parseCellRange(s.mid(start, secondEnd - start))) {
                    ref.range = *range;
                    ref.isRange = true;
                    const QString text = s.mid(start, secondEnd - start);
                    const bool digits = std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
                    const bool letters = std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
                    ref.wholeColumns = !digits;
                    ref.wholeRows = !letters;
                    token.kind = Token::Kind::Reference;
                    token.reference = std::move(ref);
                    i = secondEnd;
                    return true;
                }
            }
        }
        if (end > start && (end >= n || !isNameChar(s[end]))) {
            if (auto address = parseCellAddress(s.mid(start, end - start))) {
                ref.range = CellRange::cell(address->row, address->col);
                token.kind = Token::Kind::Reference;
                token.reference = std::move(ref);
                i = end;
                return true;
            }
        }
        if (hasPrefix) {
            error = QStringLiteral("Bad cell reference");
            return false;
        }
        // TRUE, FALSE or a name (names are not defined here: #NAME?).
        int j = i;
        if (j < n && isNameStart(s[j])) {
            while (j < n && isNameChar(s[j])) ++j;
            const QString word = s.mid(i, j - i);
            i = j;
            if (word.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0) {
                token.kind = Token::Kind::Boolean;
                token.number = 1;
            } else if (word.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0) {
                token.kind = Token::Kind::Boolean;
                token.number = 0;
            } else {
                token.kind = Token::Kind::Name;
                token.text = word;
            }
            return true;
        }
        return false;
    }
};

} // namespace

TokenizeResult tokenize(const QString &formula)
{
    return Scanner(formula).run();
}

} // namespace qv::workbook
