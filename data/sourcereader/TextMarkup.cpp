#include "TextMarkup.h"

#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

namespace qv::templates {

namespace {

const QString bodyFont = QStringLiteral("Arial");
constexpr double bodySize = 10.0;

QTextCharFormat baseFormat()
{
    QTextCharFormat format;
    format.setFontFamilies({bodyFont});
    format.setFontPointSize(bodySize);
    return format;
}

// Writes one line of inline markup: "**" bold, "*" italic, "\*" an asterisk.
void insertInline(QTextCursor &cursor, const QString &text, QTextCharFormat format)
{
    QString run;
    bool bold = format.fontWeight() >= QFont::Bold;
    bool italic = false;
    const auto flush = [&] {
        if (run.isEmpty())
            return;
        QTextCharFormat f = format;
        f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(italic);
        cursor.insertText(run, f);
        run.clear();
    };
    const bool boldBase = bold;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size() && text[i + 1] == u'*') {
            run += u'*';
            ++i;
        } else if (text[i] == u'*' && i + 1 < text.size() && text[i + 1] == u'*') {
            flush();
            bold = !bold || boldBase;
            ++i;
        } else if (text[i] == u'*') {
            flush();
            italic = !italic;
        } else {
            run += text[i];
        }
    }
    flush();
}

enum class BlockKind { Paragraph, Heading1, Heading2, Bullet, Numbered, TableRow };

struct Block
{
    BlockKind kind;
    QString text;
    QStringList cells; // table rows
    int table = 0;     // rows of one table share the number
};

QList<Block> blocksOf(const QString &markup)
{
    static const QRegularExpression numbered(QStringLiteral("^\\d+\\. "));
    static const QRegularExpression separatorRow(QStringLiteral("^[|:\\- ]+$"));
    QList<Block> blocks;
    QString paragraph;
    int table = 0;
    bool inTable = false;
    const auto flush = [&] {
        if (!paragraph.isEmpty())
            blocks.append({BlockKind::Paragraph, paragraph, {}, 0});
        paragraph.clear();
    };
    for (const QString &raw : markup.split(u'\n')) {
        const QString line = raw.trimmed();
        if (!line.startsWith(u'|'))
            inTable = false; // anything else, a blank line too, ends a table
        if (line.isEmpty()) {
            flush();
        } else if (line.startsWith(QLatin1String("## "))) {
            flush();
            blocks.append({BlockKind::Heading2, line.mid(3).trimmed(), {}, 0});
        } else if (line.startsWith(QLatin1String("# "))) {
            flush();
            blocks.append({BlockKind::Heading1, line.mid(2).trimmed(), {}, 0});
        } else if (line.startsWith(QLatin1String("- "))) {
            flush();
            blocks.append({BlockKind::Bullet, line.mid(2).trimmed(), {}, 0});
        } else if (const auto match = numbered.match(line); match.hasMatch()) {
            flush();
            blocks.append({BlockKind::Numbered, line.mid(match.capturedLength()).trimmed(), {}, 0});
        } else if (line.startsWith(u'|')) {
            flush();
            if (separatorRow.match(line).hasMatch())
                continue;
            QString inner = line.mid(1);
            if (inner.endsWith(u'|'))
                inner.chop(1);
            QStringList cells = inner.split(u'|');
            for (auto &cell : cells)
                cell = cell.trimmed();
            if (!inTable)
                ++table;
            inTable = true;
            blocks.append({BlockKind::TableRow, QString(), cells, table});
        } else {
            paragraph += (paragraph.isEmpty() ? QString() : QStringLiteral(" ")) + line;
        }
    }
    flush();
    return blocks;
}

} // namespace

std::unique_ptr<QTextDocument> markupDocument(const QString &markup)
{
    auto document = std::make_unique<QTextDocument>();
    QFont font(bodyFont);
    font.setPointSizeF(bodySize);
    document->setDefaultFont(font);
    QTextCursor cursor(document.get());
    const QList<Block> blocks = blocksOf(markup);
    bool first = true;
    QTextList *list = nullptr;
    BlockKind listKind = BlockKind::Paragraph;

    for (int i = 0; i < blocks.size(); ++i) {
        const Block &block = blocks.at(i);
        QTextBlockFormat paragraphFormat;
        paragraphFormat.setBottomMargin(6);
        QTextCharFormat format = baseFormat();
        if (block.kind == BlockKind::Heading1 || block.kind == BlockKind::Heading2) {
            paragraphFormat.setTopMargin(first ? 0 : 10);
            format.setFontWeight(QFont::Bold);
            format.setFontPointSize(block.kind == BlockKind::Heading1 ? 14.0 : 12.0);
        }
        const bool listItem = block.kind == BlockKind::Bullet || block.kind == BlockKind::Numbered;
        if (listItem)
            paragraphFormat.setBottomMargin(2);
        else if (list)
            paragraphFormat.setTopMargin(std::max(paragraphFormat.topMargin(), 6.0)); // air after a list
        if (first)
            cursor.setBlockFormat(paragraphFormat);
        else
            cursor.insertBlock(paragraphFormat, baseFormat());
        first = false;

        if (block.kind == BlockKind::TableRow) {
            int rows = 0, columns = 0;
            for (int j = i; j < blocks.size() && blocks.at(j).kind == BlockKind::TableRow &&
                            blocks.at(j).table == block.table;
                 ++j) {
                ++rows;
                columns = std::max(columns, int(blocks.at(j).cells.size()));
            }
            QTextTableFormat tableFormat;
            tableFormat.setCellPadding(3);
            tableFormat.setCellSpacing(0);
            tableFormat.setBorder(1);
            tableFormat.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            tableFormat.setHeaderRowCount(1);
            QTextTable *table = cursor.insertTable(rows, columns, tableFormat);
            for (int r = 0; r < rows; ++r) {
                const QStringList &cells = blocks.at(i + r).cells;
                for (int c = 0; c < cells.size(); ++c) {
                    QTextCursor cellCursor = table->cellAt(r, c).firstCursorPosition();
                    QTextCharFormat cellFormat = baseFormat();
                    if (r == 0)
                        cellFormat.setFontWeight(QFont::Bold);
                    insertInline(cellCursor, cells.at(c), cellFormat);
                }
            }
            cursor.movePosition(QTextCursor::End);
            i += rows - 1;
            list = nullptr;
            continue;
        }

        if (block.kind == BlockKind::Bullet || block.kind == BlockKind::Numbered) {
            if (!list || listKind != block.kind) {
                QTextListFormat listFormat;
                listFormat.setStyle(block.kind == BlockKind::Bullet ? QTextListFormat::ListDisc
                                                                    : QTextListFormat::ListDecimal);
                listFormat.setIndent(1);
                list = cursor.createList(listFormat);
                listKind = block.kind;
            } else {
                list->add(cursor.block());
            }
        } else {
            list = nullptr;
        }
        insertInline(cursor, block.text, format);
    }
    return document;
}

} // namespace qv::templates
