#include "controls/workbook/FormulaCache.h"

#include "controls/workbook/Parser.h"

#include <optional>

namespace qv::workbook {

namespace {

// Marks a corner in a shape; written twice it stands for itself.
constexpr char16_t cornerMark = 0x1;

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'.';
}

bool isUpperAscii(QChar c)
{
    return c.unicode() >= 'A' && c.unicode() <= 'Z';
}

bool isDigitAscii(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

void appendInt(QString &out, int n)
{
    if (n < 0) {
        out += u'-';
        n = -n;
    }
    char16_t digits[12];
    int count = 0;
    do {
        digits[count++] = char16_t(u'0' + n % 10);
        n /= 10;
    } while (n);
    while (count)
        out += QChar(digits[--count]);
}

// A cell corner written in the formula: "B7", "$B$7".
struct Corner
{
    int row, col;
    bool rowAbsolute, colAbsolute;
};

// Writes into `shape` the formula's text with each cell corner replaced by
// its position relative to the cell (absolute parts as they are), and
// returns the corners in order. Text in quotes, book names in brackets,
// quoted sheet names and anything not written in capitals stay as written,
// so formulaTextAt() gives back the very text.
void shapeOf(const QString &text, int row, int col, QString &shape, std::vector<Corner> &corners)
{
    shape.resize(0); // keeps the buffer
    corners.clear();
    const int n = int(text.size());
    int i = 0;
    auto put = [&](QChar c) {
        shape += c;
        if (c == QChar(cornerMark))
            shape += c;
    };
    auto copyQuoted = [&](QChar close) {
        put(text[i++]);
        while (i < n) {
            const QChar c = text[i++];
            put(c);
            if (c == close) {
                if (close != u']' && i < n && text[i] == close) { put(text[i++]); continue; }
                return;
            }
        }
    };
    while (i < n) {
        const QChar c = text[i];
        if (c == u'"') { copyQuoted(u'"'); continue; }
        if (c == u'\'') { copyQuoted(u'\''); continue; }
        if (c == u'[') { copyQuoted(u']'); continue; }
        if (!(c.isLetter() || c == u'$') || (i > 0 && (isNameChar(text[i - 1]) || text[i - 1] == u'$'))) {
            put(c);
            ++i;
            continue;
        }
        // A candidate corner; anything else is copied as the name it is.
        int j = i;
        Corner corner{0, 0, false, false};
        if (text[j] == u'$') { corner.colAbsolute = true; ++j; }
        const int letters = j;
        while (j < n && j - letters <= 3 && isUpperAscii(text[j]))
            corner.col = corner.col * 26 + (text[j++].unicode() - 'A' + 1);
        const int letterCount = j - letters;
        if (j < n && text[j] == u'$') { corner.rowAbsolute = true; ++j; }
        const int digits = j;
        while (j < n && j - digits <= 7 && isDigitAscii(text[j]))
            corner.row = corner.row * 10 + (text[j++].unicode() - '0');
        int after = j;
        while (after < n && text[after].isSpace()) ++after;
        const bool isCorner = letterCount >= 1 && letterCount <= 3 && j > digits && text[digits] != u'0'
                              && corner.col <= maxColumns && corner.row <= maxRows && (j >= n || !isNameChar(text[j]))
                              && (j >= n || text[j] != u'!') && (after >= n || text[after] != u'(');
        if (!isCorner) {
            while (i < n && (isNameChar(text[i]) || text[i] == u'$'))
                put(text[i++]);
            continue;
        }
        shape += QChar(cornerMark);
        shape += corner.colAbsolute ? u'C' : u'c';
        appendInt(shape, corner.colAbsolute ? corner.col : corner.col - col);
        shape += corner.rowAbsolute ? u'R' : u'r';
        appendInt(shape, corner.rowAbsolute ? corner.row : corner.row - row);
        corners.push_back(corner);
        i = j;
    }
}

// The locks of the compiled formula's references, when its references start
// and end exactly at the corners the text shows, in order; none otherwise.
std::optional<std::vector<ReferenceLocks>> locksOf(const CompiledFormula &formula, const std::vector<Corner> &corners)
{
    std::vector<ReferenceLocks> locks(formula.references.size());
    std::size_t k = 0;
    for (std::size_t i = 0; i < formula.references.size(); ++i) {
        const Reference &ref = formula.references[i];
        if (ref.wholeRows || ref.wholeColumns)
            continue; // written without corners; stays where it is
        const bool range = ref.isRange;
        if (k + (range ? 2 : 1) > corners.size())
            return std::nullopt;
        const Corner &a = corners[k++];
        if (a.row != ref.range.top || a.col != ref.range.left)
            return std::nullopt;
        const Corner &b = range ? corners[k++] : a;
        if (b.row != ref.range.bottom || b.col != ref.range.right)
            return std::nullopt;
        locks[i] = {a.rowAbsolute, a.colAbsolute, b.rowAbsolute, b.colAbsolute};
    }
    if (k != corners.size())
        return std::nullopt;
    return locks;
}

// Whether the shared code's references, moved to row and col, are ranges
// the parser would have made of the text there (it orders crossed corners).
bool readsRightAt(const SharedFormula &code, int row, int col)
{
    for (std::size_t i = 0; i < code.compiled.references.size(); ++i) {
        const CellRange r = code.rangeAt(i, row, col);
        if (r.top > r.bottom || r.left > r.right)
            return false;
    }
    return true;
}

} // namespace

std::shared_ptr<SharedFormula> FormulaShapes::compile(const QString &text, int sheet, int row, int col)
{
    thread_local QString shape;
    thread_local std::vector<Corner> corners;
    shapeOf(text, row, col, shape, corners);
    if (sheet >= int(m_sheets.size()))
        m_sheets.resize(std::size_t(sheet) + 1);
    QHash<QString, Entry> &shapes = m_sheets[std::size_t(sheet)];
    const auto found = shapes.constFind(shape);
    if (found != shapes.cend() && found->shareable && readsRightAt(*found->code, row, col))
        return found->code;

    auto code = std::make_shared<SharedFormula>();
    code->shape = shape;
    code->row = row;
    code->col = col;
    ParseResult parsed = parseFormula(text);
    if (!parsed.ok()) {
        code->broken = true;
        return code;
    }
    code->compiled = std::move(parsed.formula);
    const auto locks = locksOf(code->compiled, corners);
    code->locks = locks ? *locks : std::vector<ReferenceLocks>(code->compiled.references.size());
    if (found == shapes.cend()) {
        if (shapes.size() >= maxShapes)
            shapes.clear();
        shapes.insert(code->shape, Entry{code, locks.has_value()});
    }
    return code;
}

QString formulaTextAt(const QString &shape, int row, int col)
{
    QString text;
    text.reserve(shape.size());
    const int n = int(shape.size());
    auto readInt = [&](int &i) {
        bool negative = false;
        if (i < n && shape[i] == u'-') { negative = true; ++i; }
        int value = 0;
        while (i < n && isDigitAscii(shape[i]))
            value = value * 10 + (shape[i++].unicode() - '0');
        return negative ? -value : value;
    };
    for (int i = 0; i < n;) {
        const QChar c = shape[i++];
        if (c != QChar(cornerMark)) {
            text += c;
            continue;
        }
        if (i < n && shape[i] == QChar(cornerMark)) {
            text += shape[i++];
            continue;
        }
        const bool colAbsolute = i < n && shape[i] == u'C';
        ++i;
        const int cornerCol = readInt(i) + (colAbsolute ? 0 : col);
        const bool rowAbsolute = i < n && shape[i] == u'R';
        ++i;
        const int cornerRow = readInt(i) + (rowAbsolute ? 0 : row);
        if (colAbsolute) text += u'$';
        text += columnName(cornerCol);
        if (rowAbsolute) text += u'$';
        appendInt(text, cornerRow);
    }
    return text;
}

} // namespace qv::workbook
