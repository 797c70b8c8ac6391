#include "controls/workbook/FormulaShift.h"

#include "controls/workbook/CellAddress.h"
#include "controls/workbook/Tokenizer.h"

#include <QStringList>

namespace qv::workbook {

namespace {

// Shifts one corner ("$B3", "C", "$7"); false when it leaves the sheet.
// A copy moves the relative parts only; a move moves the "$" parts too.
bool shiftCorner(const QString &corner, int dRow, int dCol, bool moveAbsolute, QString &out)
{
    int i = 0;
    const int n = int(corner.size());
    QString result;
    const bool colAbsolute = i < n && corner[i] == u'$';
    if (colAbsolute) ++i;
    int start = i;
    while (i < n && corner[i].isLetter()) ++i;
    const QString letters = corner.mid(start, i - start);
    const bool rowAbsolute = i < n && corner[i] == u'$';
    if (rowAbsolute) ++i;
    const QString digits = corner.mid(i);
    if (!letters.isEmpty()) {
        int col = columnNumber(letters);
        if (!colAbsolute || moveAbsolute) col += dCol;
        if (col < 1 || col > maxColumns) return false;
        result += (colAbsolute ? QStringLiteral("$") : QString()) + columnName(col);
    } else if (colAbsolute && digits.isEmpty()) {
        return false;
    }
    if (!digits.isEmpty()) {
        int row = digits.toInt();
        if (!rowAbsolute || moveAbsolute) row += dRow;
        if (row < 1 || row > maxRows) return false;
        result += (rowAbsolute ? QStringLiteral("$") : QString()) + QString::number(row);
    } else if (rowAbsolute) {
        result += u'$';
    }
    if (letters.isEmpty() && colAbsolute)
        result.prepend(u'$');
    out = result;
    return true;
}

// The reference text moved by dRow and dCol, or #REF! when it leaves the sheet.
QString shiftedReference(const QString &text, int dRow, int dCol, bool moveAbsolute)
{
    // The part after the last "!" is the cell or range; what precedes it stays.
    const auto bang = text.lastIndexOf(u'!');
    const QString prefix = bang >= 0 ? text.left(bang + 1) : QString();
    QStringList shifted;
    for (const QString &corner : text.mid(bang + 1).split(u':')) {
        QString moved;
        if (!shiftCorner(corner, dRow, dCol, moveAbsolute, moved))
            return QStringLiteral("#REF!");
        shifted << moved;
    }
    return prefix + shifted.join(u':');
}

// Rebuilds the formula with each reference token replaced by what `rewrite`
// makes of it (the index counts the references from 0).
template <typename F>
QString rewriteReferences(const QString &formula, F &&rewrite)
{
    const bool hasEquals = formula.startsWith(u'=');
    const QString body = hasEquals ? formula.mid(1) : formula;
    const TokenizeResult tokens = tokenize(body);
    if (!tokens.error.isEmpty())
        return formula;
    QString out;
    int copied = 0;
    int index = 0;
    for (const Token &t : tokens.tokens) {
        if (t.kind != Token::Kind::Reference)
            continue;
        out += body.mid(copied, t.start - copied);
        out += rewrite(index++, t.reference, body.mid(t.start, t.length));
        copied = t.start + t.length;
    }
    out += body.mid(copied);
    return hasEquals ? u'=' + out : out;
}

} // namespace

QString shiftFormula(const QString &formula, int dRow, int dCol)
{
    if (dRow == 0 && dCol == 0)
        return formula;
    return rewriteReferences(formula, [&](int, const Reference &, const QString &text) {
        return shiftedReference(text, dRow, dCol, false);
    });
}

QString moveReferences(const QString &formula, const std::function<ReferenceFate(int, const Reference &)> &fate, int dRow, int dCol)
{
    return rewriteReferences(formula, [&](int index, const Reference &ref, const QString &text) {
        switch (fate(index, ref)) {
        case ReferenceFate::Keep: return text;
        case ReferenceFate::Move: return shiftedReference(text, dRow, dCol, true);
        case ReferenceFate::Lost: break;
        }
        return QStringLiteral("#REF!");
    });
}

} // namespace qv::workbook
