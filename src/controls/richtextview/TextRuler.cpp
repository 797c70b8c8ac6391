#include "controls/richtextview/TextRuler.h"

#include "controls/richtextview/TextEditor.h"
#include "controls/richtext/Rtf.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTextBlock>
#include <QTextBlockFormat>

#include <cmath>

namespace qv::richtext
{

namespace
{
constexpr int kHeight = 26;
constexpr double kSnapUnits = 96.0 / 16; // sixteenth of an inch
constexpr int kGrab = 5;                 // pixels around a mark that grab it

double snapped(double units)
{
    return std::round(units / kSnapUnits) * kSnapUnits;
}

QPainterPath triangle(double x, double tipY, bool pointingDown)
{
    QPainterPath path;
    const double baseY = pointingDown ? tipY - 6 : tipY + 6;
    path.moveTo(x, tipY);
    path.lineTo(x - 5, baseY);
    path.lineTo(x + 5, baseY);
    path.closeSubpath();
    return path;
}
} // namespace

TextRuler::TextRuler(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("txRulerBar"));
    setMouseTracking(false);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setToolTip(tr("Drag the marks to indent the paragraph; click to set a tab stop, drag it off to remove it."));
}

QSize TextRuler::sizeHint() const
{
    return QSize(400, kHeight);
}

void TextRuler::attach(TextEditor *editor)
{
    for (const auto &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_editor = editor;
    if (editor) {
        const auto refresh = [this] { update(); };
        m_connections.append(connect(editor, &QTextEdit::cursorPositionChanged, this, refresh));
        m_connections.append(connect(editor, &TextEditor::pageGeometryChanged, this, refresh));
        m_connections.append(connect(editor, &TextEditor::changed, this, refresh));
    }
    update();
}

double TextRuler::rulerX(double units) const
{
    if (!m_editor)
        return 0;
    const QPoint origin = mapFromGlobal(m_editor->viewport()->mapToGlobal(QPoint(m_editor->textLeftInViewport(), 0)));
    return origin.x() + m_editor->unitsToPixels(units);
}

double TextRuler::unitsAt(double x) const
{
    if (!m_editor)
        return 0;
    return (x - rulerX(0)) / m_editor->unitsToPixels(1);
}

double TextRuler::textWidthUnits() const
{
    const QMarginsF margins = m_editor->pageMargins();
    return rtf::twipsToPixels(m_editor->pageWidth() - margins.left() - margins.right());
}

TextRuler::Paragraph TextRuler::paragraph() const
{
    Paragraph p;
    if (!m_editor)
        return p;
    const QTextBlockFormat format = m_editor->textCursor().blockFormat();
    p.left = format.leftMargin();
    p.firstLine = format.textIndent();
    p.right = format.rightMargin();
    p.tabs = format.tabPositions();
    return p;
}

void TextRuler::apply(const Paragraph &p)
{
    QTextBlockFormat format;
    format.setLeftMargin(p.left);
    format.setTextIndent(p.firstLine);
    format.setRightMargin(p.right);
    format.setTabPositions(p.tabs);
    m_editor->applyParagraphFormat(format);
}

void TextRuler::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    if (!m_editor)
        return;
    p.setRenderHint(QPainter::Antialiasing);
    const double zoomPerUnit = m_editor->unitsToPixels(1);
    const QMarginsF margins = m_editor->pageMargins();
    const double pageLeft = rulerX(-rtf::twipsToPixels(margins.left()));
    const double pageRight = rulerX(rtf::twipsToPixels(m_editor->pageWidth() - margins.left()));
    const double textLeft = rulerX(0);
    const double textRight = rulerX(textWidthUnits());
    const QRectF strip(pageLeft, 4, pageRight - pageLeft, kHeight - 10);
    p.fillRect(strip, QColor(0xc8, 0xc8, 0xc8)); // the margins
    p.fillRect(QRectF(textLeft, strip.top(), textRight - textLeft, strip.height()), Qt::white);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(strip);

    // Ticks every eighth of an inch from the left text margin, numbers at inches.
    QFont small = font();
    small.setPixelSize(9);
    p.setFont(small);
    p.setPen(QColor(0x30, 0x30, 0x30));
    const double eighth = 96.0 / 8 * zoomPerUnit;
    const int firstTick = int(std::floor((pageLeft - textLeft) / eighth));
    const int lastTick = int(std::ceil((pageRight - textLeft) / eighth));
    for (int i = firstTick; i <= lastTick; ++i) {
        const double x = textLeft + i * eighth;
        if (x < pageLeft || x > pageRight)
            continue;
        const double mid = strip.center().y();
        if (i % 8 == 0 && i != 0) {
            p.drawText(QRectF(x - 10, strip.top(), 20, strip.height()), Qt::AlignCenter,
                       QString::number(std::abs(i / 8)));
        } else if (i % 4 == 0) {
            p.drawLine(QPointF(x, mid - 3), QPointF(x, mid + 3));
        } else if (i % 8 != 0) {
            p.drawLine(QPointF(x, mid - 1), QPointF(x, mid + 1));
        }
    }

    const Paragraph para = paragraph();
    p.setPen(QColor(0x20, 0x20, 0x20));
    p.setBrush(QColor(0xe8, 0xe8, 0xe8));
    p.drawPath(triangle(rulerX(para.left + para.firstLine), strip.top() + 6, true));
    p.drawPath(triangle(rulerX(para.left), strip.bottom() - 6, false));
    p.drawPath(triangle(rulerX(textWidthUnits() - para.right), strip.bottom() - 6, false));

    // Left tab stops as an "L", others as a T.
    p.setPen(QPen(QColor(0x10, 0x10, 0x10), 2));
    for (const QTextOption::Tab &tab : para.tabs) {
        const double x = rulerX(tab.position);
        const double y = strip.bottom() - 2;
        p.drawLine(QPointF(x, y - 7), QPointF(x, y));
        if (tab.type == QTextOption::LeftTab)
            p.drawLine(QPointF(x, y), QPointF(x + 5, y));
        else if (tab.type == QTextOption::RightTab)
            p.drawLine(QPointF(x - 5, y), QPointF(x, y));
        else
            p.drawLine(QPointF(x - 4, y), QPointF(x + 4, y));
    }
}

TextRuler::Mark TextRuler::markAt(const QPoint &pos, int *tabIndex) const
{
    const Paragraph para = paragraph();
    const double x = pos.x();
    const bool top = pos.y() < height() / 2;
    const auto near = [x](double at) { return std::abs(x - at) <= kGrab; };
    for (int i = 0; i < para.tabs.size(); ++i) {
        if (!top && near(rulerX(para.tabs[i].position))) {
            *tabIndex = i;
            return Mark::Tab;
        }
    }
    if (top && near(rulerX(para.left + para.firstLine)))
        return Mark::FirstLine;
    if (!top && near(rulerX(para.left)))
        return Mark::Left;
    if (!top && near(rulerX(textWidthUnits() - para.right)))
        return Mark::Right;
    return Mark::None;
}

void TextRuler::mousePressEvent(QMouseEvent *event)
{
    if (!m_editor || event->button() != Qt::LeftButton)
        return;
    m_dragging = markAt(event->position().toPoint(), &m_tab);
    m_tabLeaving = false;
    if (m_dragging != Mark::None)
        return;
    // A click on the text part of the ruler sets a left tab stop.
    const double at = snapped(unitsAt(event->position().x()));
    if (at <= 0 || at >= textWidthUnits())
        return;
    Paragraph para = paragraph();
    para.tabs.append(QTextOption::Tab(at, QTextOption::LeftTab));
    std::sort(para.tabs.begin(), para.tabs.end(), [](const auto &a, const auto &b) { return a.position < b.position; });
    apply(para);
    for (int i = 0; i < para.tabs.size(); ++i) {
        if (para.tabs[i].position == at)
            m_tab = i;
    }
    m_dragging = Mark::Tab;
}

void TextRuler::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_editor || m_dragging == Mark::None)
        return;
    Paragraph para = paragraph();
    const double width = textWidthUnits();
    const double at = snapped(unitsAt(event->position().x()));
    switch (m_dragging) {
    case Mark::FirstLine: para.firstLine = std::clamp(at, 0.0, width - para.right - kSnapUnits) - para.left; break;
    case Mark::Left: {
        // The first line stays where it is, as in every word processor.
        const double firstAbsolute = para.left + para.firstLine;
        para.left = std::clamp(at, 0.0, width - para.right - kSnapUnits);
        para.firstLine = firstAbsolute - para.left;
        break;
    }
    case Mark::Right: para.right = std::clamp(width - at, 0.0, width - para.left - kSnapUnits); break;
    case Mark::Tab:
        if (m_tab < 0 || m_tab >= para.tabs.size())
            return;
        m_tabLeaving = !rect().adjusted(0, -8, 0, 8).contains(event->position().toPoint());
        if (!m_tabLeaving)
            para.tabs[m_tab].position = std::clamp(at, kSnapUnits, width);
        break;
    case Mark::None: return;
    }
    apply(para);
}

void TextRuler::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_editor && m_dragging == Mark::Tab && m_tabLeaving) {
        Paragraph para = paragraph();
        if (m_tab >= 0 && m_tab < para.tabs.size()) {
            para.tabs.removeAt(m_tab);
            apply(para);
        }
    }
    m_dragging = Mark::None;
    m_tab = -1;
    QWidget::mouseReleaseEvent(event);
}

} // namespace qv::richtext
