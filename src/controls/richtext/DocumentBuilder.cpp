// The second step of reading: the model into a QTextDocument.

#include "controls/richtext/DocumentModel.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <map>

namespace qv::rtf::model {

namespace {

class Builder
{
public:
    explicit Builder(QTextDocument &document) : m_document(document), m_cursor(&document) {}

    void paragraph(Paragraph &para, bool inCell);
    void table(Table &table);

private:
    void runs(std::vector<Run> &runs);
    void list(const ListMembership &list);

    QTextDocument &m_document;
    QTextCursor m_cursor;
    bool m_blockIsFresh = true; // the cursor's block is empty and unused
    std::map<std::pair<int, int>, QTextList *> m_lists;
    int m_images = 0;
};

void Builder::paragraph(Paragraph &para, bool inCell)
{
    if (m_blockIsFresh) {
        m_cursor.setBlockFormat(para.block);
        m_cursor.setBlockCharFormat(para.markFormat);
        m_blockIsFresh = false;
    } else {
        m_cursor.insertBlock(para.block, para.markFormat);
    }
    if (para.list.isItem) {
        list(para.list);
    } else if (!inCell) {
        // Lists known only from their markers end where their items end.
        for (auto it = m_lists.begin(); it != m_lists.end();)
            it = it->first.first < 0 ? m_lists.erase(it) : std::next(it);
    }
    runs(para.runs);
}

void Builder::list(const ListMembership &item)
{
    const auto key = std::make_pair(item.key, item.level);
    const auto found = m_lists.find(key);
    if (found != m_lists.end() && found->second->format().style() == item.style) {
        found->second->add(m_cursor.block());
        return;
    }
    QTextListFormat format;
    format.setStyle(item.style);
    format.setIndent(item.level + 1);
    format.setNumberPrefix(item.prefix);
    format.setNumberSuffix(item.suffix);
    m_lists[key] = m_cursor.createList(format);
}

void Builder::runs(std::vector<Run> &runs)
{
    for (Run &run : runs) {
        if (run.image.isNull()) {
            m_cursor.insertText(run.text, run.format);
            continue;
        }
        const QString name = QStringLiteral("rtf-image-%1.png").arg(++m_images);
        m_document.addResource(QTextDocument::ImageResource, QUrl(name), run.image);
        QTextImageFormat image;
        image.merge(run.format);
        image.setName(name);
        image.setWidth(run.imageSize.width());
        image.setHeight(run.imageSize.height());
        m_cursor.insertImage(image);
    }
}

void Builder::table(Table &table)
{
    size_t columns = 1;
    for (const Row &row : table.rows)
        columns = std::max(columns, row.cells.size());
    const Row &first = table.rows.front();

    QTextTableFormat format;
    if (first.borders) {
        format.setBorder(1);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderCollapse(true);
    } else {
        format.setBorder(0);
    }
    format.setCellSpacing(0);
    format.setCellPadding(twipsToPixels(first.padding));
    if (first.rightEdges.size() == columns) {
        QList<QTextLength> widths;
        int left = 0;
        for (const int edge : first.rightEdges) {
            widths.append(QTextLength(QTextLength::FixedLength, twipsToPixels(std::max(edge - left, 1))));
            left = std::max(edge, left + 1);
        }
        format.setColumnWidthConstraints(widths);
    }

    // The table goes after the current block; an untouched first block stays
    // in front of it, as QTextDocument requires a block before every table.
    m_blockIsFresh = false;
    QTextTable *t = m_cursor.insertTable(int(table.rows.size()), int(columns), format);
    for (size_t r = 0; r < table.rows.size(); ++r) {
        Row &row = table.rows[r];
        for (size_t c = 0; c < row.cells.size(); ++c) {
            m_cursor = t->cellAt(int(r), int(c)).firstCursorPosition();
            m_blockIsFresh = true;
            for (Paragraph &para : row.cells[c].paragraphs)
                paragraph(para, true);
        }
    }
    m_cursor = t->lastCursorPosition();
    m_cursor.movePosition(QTextCursor::NextBlock);
    m_blockIsFresh = true; // the block QTextDocument keeps after a table
}

} // namespace

std::unique_ptr<QTextDocument> buildDocument(Document &&document)
{
    auto result = std::make_unique<QTextDocument>();
    result->setUndoRedoEnabled(false);
    if (!document.defaultFamily.isEmpty()) {
        QFont font(document.defaultFamily);
        font.setPointSizeF(12);
        result->setDefaultFont(font);
    }
    QTextOption option = result->defaultTextOption();
    option.setTabStopDistance(twipsToPixels(document.defaultTab));
    result->setDefaultTextOption(option);
    setPageLayout(*result, document.page);

    // One edit block: the cursors then skip laying out each line they touch.
    QTextCursor edit(result.get());
    edit.beginEditBlock();
    Builder builder(*result);
    for (Item &item : document.items) {
        if (auto *para = std::get_if<Paragraph>(&item))
            builder.paragraph(*para, false);
        else if (auto *table = std::get_if<Table>(&item); table && !table->rows.empty())
            builder.table(*table);
    }
    edit.endEditBlock();
    result->setUndoRedoEnabled(true);
    result->setModified(false);
    return result;
}

} // namespace qv::rtf::model
