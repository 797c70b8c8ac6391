#include "controls/workbook/FormulaCache.h"

#include <QHash>

#include <vector>

namespace qv::workbook {

namespace {

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'.';
}

// A cell corner written in the formula: "B7", "$B$7".
struct Corner
{
    int row, col;
    bool rowAbsolute, colAbsolute;
};

// The formula's text with each cell corner replaced by its position relative
// to the cell (absolute parts as they are), and the corners in order. Text in
// quotes, book names in brackets and quoted sheet names stay as written.
QString shapeOf(const QString &text, int row, int col, std::vector<Corner> &corners)
{
    QString key;
    key.reserve(text.size() + 16);
    const int n = int(text.size());
    int i = 0;
    auto copyQuoted = [&](QChar close) {
        key += text[i++];
        while (i < n) {
            const QChar c = text[i++];
            key += c;
            if (c == close) {
                if (close != u']' && i < n && text[i] == close) { key += text[i++]; continue; }
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
            key += c;
            ++i;
            continue;
        }
        // A candidate corner; anything else is copied as the name it is.
        int j = i;
        Corner corner{0, 0, false, false};
        if (text[j] == u'$') { corner.colAbsolute = true; ++j; }
        const int letters = j;
        while (j < n && j - letters <= 3 && text[j].isLetter() && text[j].unicode() < 128)
            corner.col = corner.col * 26 + (text[j++].toUpper().unicode() - 'A' + 1);
        const int letterCount = j - letters;
        if (j < n && text[j] == u'$') { corner.rowAbsolute = true; ++j; }
        const int digits = j;
        while (j < n && j - digits <= 7 && text[j].isDigit() && text[j].unicode() < 128)
            corner.row = corner.row * 10 + (text[j++].unicode() - '0');
        int after = j;
        while (after < n && text[after].isSpace()) ++after;
        const bool isCorner = letterCount >= 1 && letterCount <= 3 && j > digits && text[digits] != u'0'
                              && corner.col <= maxColumns && corner.row <= maxRows && (j >= n || !isNameChar(text[j]))
                              && (j >= n || text[j] != u'!') && (after >= n || text[after] != u'(');
        if (!isCorner) {
            while (i < n && (isNameChar(text[i]) || text[i] == u'$'))
                key += text[i++];
            continue;
        }
        key += QChar(0x1);
        key += corner.colAbsolute ? u'C' : u'c';
        key += QString::number(corner.colAbsolute ? corner.col : corner.col - col);
        key += corner.rowAbsolute ? u'R' : u'r';
        key += QString::number(corner.rowAbsolute ? corner.row : corner.row - row);
        corners.push_back(corner);
        i = j;
    }
    return key;
}

// The corners the references of the compiled formula start and end at, in
// order, when they are exactly the ones the text shows; false otherwise.
bool cornersMatch(const CompiledFormula &formula, const std::vector<Corner> &corners)
{
    std::size_t k = 0;
    for (const Reference &ref : formula.references) {
        if (ref.wholeRows || ref.wholeColumns)
            continue;
        const bool range = ref.isRange;
        if (k + (range ? 2 : 1) > corners.size())
            return false;
        const Corner &a = corners[k++];
        if (a.row != ref.range.top || a.col != ref.range.left)
            return false;
        const Corner &b = range ? corners[k++] : a;
        if (b.row != ref.range.bottom || b.col != ref.range.right)
            return false;
    }
    return k == corners.size();
}

struct Shape
{
    CompiledFormula formula; // as compiled at its first cell
    std::vector<Corner> corners;
    int row = 0, col = 0;
    bool shareable = false;
};

constexpr int maxShapes = 20000;

} // namespace

ParseResult compileFormulaAt(const QString &text, int row, int col)
{
    thread_local QHash<QString, Shape> shapes;
    std::vector<Corner> corners;
    const QString key = shapeOf(text, row, col, corners);
    auto found = shapes.find(key);
    if (found != shapes.end() && found->shareable) {
        const Shape &shape = *found;
        ParseResult result;
        result.formula = shape.formula;
        const int dRow = row - shape.row, dCol = col - shape.col;
        std::size_t k = 0;
        for (Reference &ref : result.formula.references) {
            if (ref.wholeRows || ref.wholeColumns)
                continue;
            const Corner &a = shape.corners[k++];
            const Corner &b = ref.isRange ? shape.corners[k++] : a;
            ref.range.top += a.rowAbsolute ? 0 : dRow;
            ref.range.left += a.colAbsolute ? 0 : dCol;
            ref.range.bottom += b.rowAbsolute ? 0 : dRow;
            ref.range.right += b.colAbsolute ? 0 : dCol;
            if (ref.range.top > ref.range.bottom || ref.range.left > ref.range.right)
                return parseFormula(text); // the parser orders such corners itself
        }
        return result;
    }
    ParseResult parsed = parseFormula(text);
    if (found == shapes.end() && parsed.ok()) {
        if (shapes.size() >= maxShapes)
            shapes.clear();
        Shape shape;
        shape.shareable = cornersMatch(parsed.formula, corners);
        shape.formula = parsed.formula;
        shape.corners = std::move(corners);
        shape.row = row;
        shape.col = col;
        shapes.insert(key, std::move(shape));
    }
    return parsed;
}

} // namespace qv::workbook
