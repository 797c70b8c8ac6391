#include "controls/workbook/TableClipboard.h"

#include "controls/workbook/Workbook.h"

#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace qv::workbook {

QString rangeAsTabText(const Workbook &book, const CellRange &range)
{
    QString out;
    for (int r = range.top; r <= range.bottom; ++r) {
        QStringList fields;
        for (int c = range.left; c <= range.right; ++c) {
            QString text = book.text(r, c);
            // Tabs and line breaks inside a cell would split it.
            text.replace(u'\t', u' ').replace(u'\n', u' ').replace(u'\r', u' ');
            fields << text;
        }
        out += fields.join(u'\t') + QStringLiteral("\r\n");
    }
    return out;
}

QString rangeAsHtml(const Workbook &book, const CellRange &range)
{
    QString html = QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body><table border=\"1\" cellspacing=\"0\">");
    for (int r = range.top; r <= range.bottom; ++r) {
        html += QStringLiteral("<tr>");
        for (int c = range.left; c <= range.right; ++c) {
            const CellFormat f = book.format(r, c);
            const Value v = book.value(r, c);
            QString style;
            if (f.bold) style += QStringLiteral("font-weight:bold;");
            if (f.italic) style += QStringLiteral("font-style:italic;");
            if (f.hasFill) style += QStringLiteral("background:#%1;").arg(f.fillColor, 6, 16, QLatin1Char('0'));
            if (v.isNumber() && f.alignment == HorizontalAlignment::General) style += QStringLiteral("text-align:right;");
            html += QStringLiteral("<td");
            if (!style.isEmpty()) html += QStringLiteral(" style=\"") + style + u'"';
            html += u'>' + book.text(r, c).toHtmlEscaped() + QStringLiteral("</td>");
        }
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table></body></html>");
}

TextGrid parseTabText(const QString &text)
{
    TextGrid grid;
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    if (normalised.endsWith(u'\n'))
        normalised.chop(1);
    if (normalised.isEmpty())
        return grid;
    for (const QString &line : normalised.split(u'\n'))
        grid.push_back(line.split(u'\t'));
    return grid;
}

TextGrid parseHtmlTable(const QString &html)
{
    TextGrid grid;
    QTextDocument document;
    document.setHtml(html);
    for (QTextFrame *frame : document.rootFrame()->childFrames()) {
        auto *table = qobject_cast<QTextTable *>(frame);
        if (!table)
            continue;
        for (int r = 0; r < table->rows(); ++r) {
            QStringList row;
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                QTextCursor cursor = cell.firstCursorPosition();
                cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
                row << (cell.row() == r && cell.column() == c ? cursor.selectedText().trimmed() : QString());
            }
            grid.push_back(row);
        }
        break;
    }
    return grid;
}

QStringList commonNumberFormats()
{
    return {
        QStringLiteral("General"),          QStringLiteral("0"),
        QStringLiteral("0.00"),             QStringLiteral("#,##0"),
        QStringLiteral("#,##0.00"),         QStringLiteral("#,##0;(#,##0)"),
        QStringLiteral("$#,##0"),           QStringLiteral("$#,##0.00"),
        QStringLiteral("$#,##0_);($#,##0)"), QStringLiteral("$#,##0.00_);($#,##0.00)"),
        QStringLiteral("0%"),               QStringLiteral("0.00%"),
        QStringLiteral("m/d/yyyy"),         QStringLiteral("mmm yyyy"),
        QStringLiteral("mmmm yyyy"),        QStringLiteral("d-mmm-yy"),
        QStringLiteral("0.00E+00"),         QStringLiteral("@"),
    };
}

} // namespace qv::workbook
