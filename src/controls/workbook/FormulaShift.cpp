#include "controls/workbook/FormulaShift.h"

#include "controls/workbook/CellAddress.h"
#include "controls/workbook/Tokenizer.h"

#include <QStringList>

namespace qv::workbook {

namespace {

// Shifts one corner ("$B3", "C", "$7"); false when it leaves the sheet.
bool shiftCorner(const QString &corner, int dRow, int dCol, QString &out)
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
        if (!colAbsolute) col += dCol;
        if (col < 1 || col > maxColumns) return false;
        result += (colAbsolute ? QStringLiteral("$") : QString()) + columnName(col);
    } else if (colAbsolute && digits.isEmpty()) {
        return false;
    }
    if (!digits.isEmpty()) {
        int row = digits.toInt();
        if (!rowAbsolute) row += dRow;
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

} // namespace

QString shiftFormula(const QString &formula, int dRow, int dCol)
{
    if (dRow == 0 && dCol == 0)
        return formula;
    const bool hasEquals = formula.startsWith(u'=');
    const QString body = hasEquals ? formula.mid(1) : formula;
    const TokenizeResult tokens = tokenize(body);
    if (!tokens.error.isEmpty())
        return formula;
    QString out;
    int copied = 0;
    for (const Token &t : tokens.tokens) {
        if (t.kind != Token::Kind::Reference)
            continue;
        const QString text = body.mid(t.start, t.length);
        // The part after the last "!" is the cell or range; what precedes it stays.
        const auto bang = text.lastIndexOf(u'!');
        const QString prefix = bang >= 0 ? text.left(bang + 1) : QString();
        const QStringList corners = text.mid(bang + 1).split(u':');
        QStringList shifted;
        bool valid = true;
        for (const QString &corner : corners) {
            QString moved;
            if (!shiftCorner(corner, dRow, dCol, moved)) {
                valid = false;
                break;
            }
            shifted << moved;
        }
        out += body.mid(copied, t.start - copied);
        out += valid ? prefix + shifted.join(u':') : QStringLiteral("#REF!");
        copied = t.start + t.length;
    }
    out += body.mid(copied);
    return hasEquals ? u'=' + out : out;
}

} // namespace qv::workbook
