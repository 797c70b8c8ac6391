#pragma once

// The pieces the page layout places: short texts set in one font, long
// section texts with the places a page may end in them, and pictures with
// the heights at which they may be cut.

#include <QColor>
#include <QFont>
#include <QString>

#include <memory>
#include <vector>

class QPainter;
class QTextDocument;

namespace qv::metafile {
class MetafilePicture;
}

namespace qv::compiler {

// A text in one font, wrapped to a width; drawn as selectable text.
class TextBox
{
public:
    TextBox(const QString &text, const QFont &font, double width, Qt::Alignment align = Qt::AlignLeft,
            const QColor &color = Qt::black);
    double height() const;
    double naturalWidth() const; // of the longest line
    void draw(QPainter &painter, double x, double y) const;

private:
    std::shared_ptr<QTextDocument> m_doc;
};

// Where a page may end inside a laid-out section text: after a line, never
// leaving a paragraph's first or last line alone on a page, never inside a
// table; `next` is where the following page starts.
struct TextBreak
{
    double end = 0;
    double next = 0;
};

// Lays the document out at the width and lists its breaks in order; the
// last one is the end of the text.
std::vector<TextBreak> layOutText(QTextDocument &doc, double width);
// The bottom of every line, for a text that cannot end a page by the rules.
std::vector<double> lineBottoms(const QTextDocument &doc);

// Heights (in the picture drawn at `width` x `height`) where a cut crosses
// no text: a blank band or a rule across the picture. In order.
std::vector<double> pictureCuts(const metafile::MetafilePicture &picture, double width, double height);

} // namespace qv::compiler
