#pragma once

// What the RTF reader makes of a file before it becomes a QTextDocument:
// paragraphs and tables in reading order. Keeping the two steps apart lets
// the reader collect a whole table row before the document sees it.

#include "controls/richtext/Rtf.h"

#include <QFont>
#include <QImage>
#include <QSizeF>
#include <QTextCharFormat>
#include <QTextFormat>
#include <QTextListFormat>

#include <variant>
#include <vector>

namespace qv::rtf::model {

struct Run
{
    QString text; // empty for an image
    QTextCharFormat format;
    QImage image;
    QSizeF imageSize; // display size in pixels
};

struct ListMembership
{
    bool isItem = false;
    int key = 0;   // paragraphs with the same key and level share one list
    int level = 0; // 0-based nesting level
    QTextListFormat::Style style = QTextListFormat::ListDisc;
    QString prefix;
    QString suffix;
};

struct Paragraph
{
    QTextBlockFormat block;
    QTextCharFormat markFormat; // the format of the paragraph mark
    std::vector<Run> runs;
    ListMembership list;
};

struct Cell
{
    std::vector<Paragraph> paragraphs;
};

struct CellDefinition
{
    int rightEdge = 0;        // twips from the row's left edge
    bool mergesLeft = false;  // \clmrg: part of the cell to its left
    bool mergesAbove = false; // \clvmrg: part of the cell above
};

struct Row
{
    std::vector<Cell> cells;
    std::vector<CellDefinition> definitions;
    bool borders = false;
    int padding = 0; // twips
};

struct Table
{
    std::vector<Row> rows;
};

using Item = std::variant<Paragraph, Table>;

struct Document
{
    std::vector<Item> items;
    QString defaultFamily;
    PageLayout page;
    int defaultTab = 720; // twips
};

// Turns the model into a document (consumes it).
std::unique_ptr<QTextDocument> buildDocument(Document &&document);

} // namespace qv::rtf::model
