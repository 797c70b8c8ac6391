#include "compile/compiler/FlowPieces.h"

#include "compile/compiler/PlanPages.h"
#include "controls/metafile/MetafilePicture.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>

#include <algorithm>
#include <cmath>

namespace qv::compiler {

namespace {

// The vertical extent of every table of the document, where no page ends.
std::vector<std::pair<double, double>> tableSpans(const QTextDocument &doc)
{
    std::vector<std::pair<double, double>> spans;
    for (QTextFrame *frame : doc.rootFrame()->childFrames()) {
        const QRectF r = doc.documentLayout()->frameBoundingRect(frame);
        spans.emplace_back(r.top(), r.bottom());
    }
    return spans;
}

bool insideTable(const std::vector<std::pair<double, double>> &spans, double y)
{
    return std::any_of(spans.begin(), spans.end(),
                       [y](const auto &s) { return y > s.first + 0.5 && y < s.second - 0.5; });
}

} // namespace

TextBox::TextBox(const QString &text, const QFont &font, double width, Qt::Alignment align, const QColor &color)
    : m_doc(std::make_shared<QTextDocument>())
{
    m_doc->documentLayout()->setPaintDevice(layoutDevice());
    m_doc->setDocumentMargin(0);
    m_doc->setDefaultFont(font);
    QTextCursor cursor(m_doc.get());
    QTextBlockFormat block;
    block.setAlignment(align);
    cursor.setBlockFormat(block);
    QTextCharFormat chars;
    chars.setForeground(color);
    chars.setFont(font);
    cursor.insertText(text, chars);
    m_doc->setTextWidth(width);
}

double TextBox::height() const
{
    return m_doc->size().height();
}

double TextBox::naturalWidth() const
{
    return m_doc->idealWidth();
}

void TextBox::draw(QPainter &painter, double x, double y) const
{
    painter.save();
    painter.translate(x, y);
    m_doc->drawContents(&painter);
    painter.restore();
}

std::vector<TextBreak> layOutText(QTextDocument &doc, double width)
{
    doc.documentLayout()->setPaintDevice(layoutDevice());
    doc.setDocumentMargin(0);
    doc.setTextWidth(width);
    const auto tables = tableSpans(doc);
    std::vector<TextBreak> breaks;
    auto addBreak = [&](double end, double next) {
        if (insideTable(tables, end) || (!breaks.empty() && end <= breaks.back().end))
            return;
        breaks.push_back({end, next});
    };
    // Line tops and bottoms of each block, in document order.
    std::vector<std::vector<std::pair<double, double>>> blocks;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        if (!layout || layout->lineCount() == 0)
            continue;
        const double top = doc.documentLayout()->blockBoundingRect(block).top();
        std::vector<std::pair<double, double>> lines;
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            lines.emplace_back(top + line.y(), top + line.y() + line.height());
        }
        blocks.push_back(std::move(lines));
    }
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        const auto &lines = blocks[b];
        const int n = int(lines.size());
        // Inside a paragraph: at least two lines on each side.
        for (int i = 2; i <= n - 2; ++i)
            addBreak(lines[std::size_t(i - 1)].second, lines[std::size_t(i)].first);
        const double next = b + 1 < blocks.size() ? blocks[b + 1].front().first : lines.back().second;
        addBreak(lines.back().second, next);
    }
    const double end = doc.size().height();
    if (breaks.empty() || breaks.back().end < end - 0.5)
        breaks.push_back({end, end});
    return breaks;
}

std::vector<double> lineBottoms(const QTextDocument &doc)
{
    std::vector<double> bottoms;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        if (!layout)
            continue;
        const double top = doc.documentLayout()->blockBoundingRect(block).top();
        for (int i = 0; i < layout->lineCount(); ++i)
            bottoms.push_back(top + layout->lineAt(i).y() + layout->lineAt(i).height());
    }
    std::sort(bottoms.begin(), bottoms.end());
    return bottoms;
}

std::vector<double> pictureCuts(const metafile::MetafilePicture &picture, double width, double height)
{
    // Drawn at twice the size, so thin rules and small text show.
    const int w = std::max(1, int(std::ceil(width * 2)));
    const int h = std::max(1, int(std::ceil(height * 2)));
    const QImage image = picture.toImage(QSize(w, h)).convertToFormat(QImage::Format_Grayscale8);
    constexpr int kInk = 235; // any darker pixel is ink, antialiased edges included
    // Columns inked nearly all the way down are the table's vertical rules.
    std::vector<int> inkedRows(std::size_t(w), 0);
    for (int y = 0; y < h; ++y) {
        const uchar *row = image.constScanLine(y);
        for (int x = 0; x < w; ++x)
            if (row[x] < kInk)
                ++inkedRows[std::size_t(x)];
    }
    std::vector<bool> rule(static_cast<std::size_t>(w));
    for (int x = 0; x < w; ++x)
        rule[std::size_t(x)] = inkedRows[std::size_t(x)] >= h * 9 / 10;
    // A row may be cut when it holds no ink but the rules, or is one even
    // tone across (a rule, or a shaded band between lines of text).
    std::vector<bool> clear(static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y) {
        const uchar *row = image.constScanLine(y);
        int inkOffRules = 0;
        uchar darkest = 255, lightest = 0;
        for (int x = 0; x < w; ++x) {
            if (rule[std::size_t(x)])
                continue;
            if (row[x] < kInk)
                ++inkOffRules;
            darkest = std::min(darkest, row[x]);
            lightest = std::max(lightest, row[x]);
        }
        clear[std::size_t(y)] = inkOffRules == 0 || lightest - darkest <= 40;
    }
    std::vector<double> cuts;
    // Only in the middle of three clear rows, so no glyph's edge is cut.
    for (int y = 1; y + 1 < h; ++y)
        if (clear[std::size_t(y - 1)] && clear[std::size_t(y)] && clear[std::size_t(y + 1)])
            cuts.push_back(y / 2.0);
    return cuts;
}

} // namespace qv::compiler
