// The second step of reading: the model into a QTextDocument.

#include "controls/richtext/DocumentModel.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <array>
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
    std::map<std::pair<int, int>, QTextList *> m_lists; // by list number and level
    std::array<QTextList *, 9> m_markerLists{};          // lists without a number, by level
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
    if (para.list.isItem)
        list(para.list);
    else if (!inCell)
        m_markerLists.fill(nullptr); // lists known only from their markers end with their items
    runs(para.runs);
}

void Builder::list(const ListMembership &item)
{
    QTextList *&list = item.key < 0 ? m_markerLists[size_t(std::clamp(item.level, 0, 8))]
                                    : m_lists[std::make_pair(item.key, item.level)];
    if (list && list->format().style() == item.style) {
        list->add(m_cursor.block());
        return;
    }
    QTextListFormat format;
    format.setStyle(item.style);
    format.setIndent(item.level + 1);
    format.setNumberPrefix(item.prefix);
    format.setNumberSuffix(item.suffix);
    list = m_cursor.createList(format);
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

bool isEmpty(const Cell &cell)
{
    for (const Paragraph &para : cell.paragraphs) {
        if (!para.runs.empty())
            return false;
    }
    return true;
}

// Where a cell of a row goes in the table's grid.
struct Placement
{
    int column = 0;
    int columns = 1;
    int rows = 1;
    bool absorbed = false; // merged into the cell to its left or above
};

// The grid of a table: RTF gives each row its own cell edges, so the columns
// are the union of all rows' edges, and a cell spans the columns between its
// edges. Rows without usable edges fall back to one column per cell.
struct Grid
{
    std::vector<int> edges; // right edges of the columns, twips
    std::vector<std::vector<Placement>> placements;
    int columns = 1;
};

Grid layOut(const Table &table, int maxColumns)
{
    constexpr int tolerance = 20; // twips; word processors round edges differently per row
    Grid grid;
    bool aligned = true;
    std::vector<int> all;
    std::vector<std::vector<int>> rowEdges;
    for (const Row &row : table.rows) {
        std::vector<int> edges;
        if (row.definitions.size() != row.cells.size())
            aligned = false;
        int last = 0;
        for (const CellDefinition &d : row.definitions) {
            last = std::max(d.rightEdge, last + 1); // strictly increasing
            edges.push_back(last);
        }
        all.insert(all.end(), edges.begin(), edges.end());
        rowEdges.push_back(std::move(edges));
    }
    std::sort(all.begin(), all.end());
    for (const int e : all) {
        if (grid.edges.empty() || e - grid.edges.back() > tolerance)
            grid.edges.push_back(e);
    }
    if (grid.edges.empty() || grid.edges.size() > size_t(maxColumns))
        aligned = false;

    auto columnOf = [&grid](int edge) {
        const auto it = std::lower_bound(grid.edges.begin(), grid.edges.end(), edge - tolerance);
        return int(std::min<size_t>(size_t(it - grid.edges.begin()), grid.edges.size() - 1));
    };

    auto fallback = [&grid, &table] {
        // One column per cell, no spans.
        grid.edges.clear();
        grid.placements.clear();
        grid.columns = 1;
        for (const Row &row : table.rows) {
            std::vector<Placement> places;
            for (size_t c = 0; c < row.cells.size(); ++c)
                places.push_back(Placement{int(c), 1, 1, false});
            grid.columns = std::max(grid.columns, int(row.cells.size()));
            grid.placements.push_back(std::move(places));
        }
        return grid;
    };
    if (!aligned)
        return fallback();

    grid.columns = int(grid.edges.size());
    // The cell that starts a vertical run in each column: row, index in row.
    std::vector<std::pair<int, int>> origins(size_t(grid.columns), {-1, -1});
    for (size_t r = 0; r < table.rows.size(); ++r) {
        const Row &row = table.rows[r];
        std::vector<Placement> places;
        int next = 0;
        for (size_t c = 0; c < row.cells.size(); ++c) {
            if (next >= grid.columns)
                return fallback(); // edges too close together to tell apart
            const int end = std::max(columnOf(rowEdges[r][c]), next);
            Placement p{next, end - next + 1, 1, false};
            next = end + 1;
            const CellDefinition &definition = row.definitions[c];
            if (definition.mergesLeft && !places.empty()) {
                size_t origin = places.size() - 1;
                while (origin > 0 && places[origin].absorbed)
                    --origin;
                places[origin].columns = p.column + p.columns - places[origin].column;
                p.absorbed = true;
            } else if (definition.mergesAbove) {
                const auto [originRow, originIndex] = origins[size_t(p.column)];
                if (originRow >= 0) {
                    Placement &q = grid.placements[size_t(originRow)][size_t(originIndex)];
                    if (q.column == p.column && q.columns == p.columns && originRow + q.rows == int(r)) {
                        ++q.rows;
                        p.absorbed = true;
                    }
                }
            }
            if (!p.absorbed)
                origins[size_t(p.column)] = {int(r), int(places.size())};
            places.push_back(p);
        }
        grid.placements.push_back(std::move(places));
    }
    return grid;
}

void Builder::table(Table &table)
{
    const Row &first = table.rows.front();
    const Grid grid = layOut(table, 63);

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
    if (!grid.edges.empty()) {
        QList<QTextLength> widths;
        int left = 0;
        for (const int edge : grid.edges) {
            widths.append(QTextLength(QTextLength::FixedLength, twipsToPixels(edge - left)));
            left = edge;
        }
        format.setColumnWidthConstraints(widths);
    }

    // The table goes after the current block; an untouched first block stays
    // in front of it, as QTextDocument requires a block before every table.
    m_blockIsFresh = false;
    QTextTable *t = m_cursor.insertTable(int(table.rows.size()), grid.columns, format);
    for (size_t r = 0; r < table.rows.size(); ++r) {
        Row &row = table.rows[r];
        for (size_t c = 0; c < row.cells.size(); ++c) {
            const Placement &p = grid.placements[r][c];
            if (p.absorbed && isEmpty(row.cells[c]))
                continue; // the empty part of a merged cell
            m_cursor = t->cellAt(int(r), p.column).firstCursorPosition();
            m_blockIsFresh = true;
            for (Paragraph &para : row.cells[c].paragraphs)
                paragraph(para, true);
        }
    }
    for (size_t r = 0; r < grid.placements.size(); ++r) {
        for (const Placement &p : grid.placements[r]) {
            if (!p.absorbed && (p.rows > 1 || p.columns > 1))
                t->mergeCells(int(r), p.column, p.rows, p.columns);
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
