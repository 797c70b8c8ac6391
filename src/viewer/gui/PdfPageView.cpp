#include "viewer/gui/PdfPageView.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPdfDocument>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace qv::viewer {

PdfPageView::PdfPageView(QWidget *parent) : QPdfView(parent)
{
    setPageMode(PageMode::MultiPage);
    connect(this, &QPdfView::documentChanged, this, [this] {
        m_markedPage = -1;
        m_marks.clear();
        m_lastPageInSight = -1;
        m_anchorPage = 0;
        m_anchorShare = 0;
    });
    connect(this, &QPdfView::zoomFactorChanged, this, &PdfPageView::notePageInSight);
    connect(this, &QPdfView::zoomModeChanged, this, &PdfPageView::notePageInSight);
}

qreal PdfPageView::screenPixelsPerPoint() const
{
    // The view draws a point at the primary screen's logical resolution.
    const QScreen *screen = QGuiApplication::primaryScreen();
    return (screen ? screen->logicalDotsPerInch() : 96.0) / 72.0;
}

// The same sizes the view gives its pages in each zoom mode.
QSize PdfPageView::pageSize(int page) const
{
    const QPdfDocument *pdf = document();
    if (!pdf || page < 0 || page >= pdf->pageCount())
        return QSize();
    const QMargins margins = documentMargins();
    QSize size = (pdf->pagePointSize(page) * screenPixelsPerPoint()).toSize();
    switch (zoomMode()) {
    case ZoomMode::Custom:
        size = (pdf->pagePointSize(page) * screenPixelsPerPoint() * zoomFactor()).toSize();
        break;
    case ZoomMode::FitToWidth:
        size *= qreal(viewport()->width() - margins.left() - margins.right()) / qreal(size.width());
        break;
    case ZoomMode::FitInView:
        size = size.scaled(viewport()->size() + QSize(-margins.left() - margins.right(), -pageSpacing()),
                           Qt::KeepAspectRatio);
        break;
    }
    return size;
}

QList<QRect> PdfPageView::pageRects() const
{
    const QPdfDocument *pdf = document();
    QList<QRect> rects;
    if (!pdf)
        return rects;
    const QMargins margins = documentMargins();
    int widest = 0;
    int top = margins.top();
    for (int page = 0; page < pdf->pageCount(); ++page) {
        const QSize size = pageSize(page);
        widest = std::max(widest, size.width());
        rects.append(QRect(QPoint(0, top), size));
        top += size.height() + pageSpacing();
    }
    // Each page centred in the widest page's width, or in the view's.
    const int width = std::max(widest + margins.left() + margins.right(), viewport()->width());
    for (QRect &rect : rects)
        rect.moveLeft((width - rect.width()) / 2);
    return rects;
}

QRect PdfPageView::pageRect(int page) const
{
    const QList<QRect> rects = pageRects();
    return page >= 0 && page < rects.size() ? rects.at(page) : QRect();
}

qreal PdfPageView::pixelsPerPoint(int page) const
{
    const QPdfDocument *pdf = document();
    if (!pdf || page < 0 || page >= pdf->pageCount() || pdf->pagePointSize(page).width() <= 0)
        return 0;
    return pageRect(page).width() / pdf->pagePointSize(page).width();
}

qreal PdfPageView::zoomInForce(int page) const
{
    return pixelsPerPoint(page) / screenPixelsPerPoint();
}

qreal PdfPageView::widestPageZoom() const
{
    const QPdfDocument *pdf = document();
    qreal widest = 0;
    for (int page = 0; pdf && page < pdf->pageCount(); ++page)
        widest = std::max(widest, pdf->pagePointSize(page).width());
    if (widest <= 0)
        return 1.0;
    const QMargins margins = documentMargins();
    return qreal(viewport()->width() - margins.left() - margins.right()) / (widest * screenPixelsPerPoint());
}

void PdfPageView::showPlace(int page, const QPointF &place)
{
    const QRect rect = pageRect(page);
    if (rect.isEmpty())
        return;
    const qreal scale = pixelsPerPoint(page);
    // A place is shown a fifth of the way down; a page's top at the top.
    const int margin = place.isNull() ? documentMargins().top() : viewport()->height() / 5;
    verticalScrollBar()->setValue(rect.top() + int(std::lround(place.y() * scale)) - margin);
    noteAnchor();
    // A page's top shows the page's middle; a place comes into sight.
    const int x = rect.left() + int(std::lround(place.x() * scale));
    if (place.isNull())
        horizontalScrollBar()->setValue(rect.center().x() - viewport()->width() / 2);
    else if (x < horizontalScrollBar()->value() || x > horizontalScrollBar()->value() + viewport()->width())
        horizontalScrollBar()->setValue(x - viewport()->width() / 4);
    notePageInSight();
}

int PdfPageView::pageInSight() const
{
    const QList<QRect> rects = pageRects();
    if (rects.isEmpty())
        return -1;
    const int y = verticalScrollBar()->value() + viewport()->height() / 3;
    for (int page = 0; page < rects.size(); ++page)
        if (y < rects.at(page).bottom() + pageSpacing())
            return page;
    return int(rects.size()) - 1;
}

void PdfPageView::setMarks(int page, const QList<QRectF> &rectangles)
{
    m_markedPage = rectangles.isEmpty() ? -1 : page;
    m_marks = rectangles;
    viewport()->update();
}

void PdfPageView::paintEvent(QPaintEvent *event)
{
    QPdfView::paintEvent(event);
    if (m_markedPage < 0 || m_marks.isEmpty())
        return;
    const QRect rect = pageRect(m_markedPage);
    const qreal scale = pixelsPerPoint(m_markedPage);
    QPainter painter(viewport());
    painter.translate(rect.left() - horizontalScrollBar()->value(), rect.top() - verticalScrollBar()->value());
    // Multiplied onto the page, so that the words stay as dark as they are.
    painter.setCompositionMode(QPainter::CompositionMode_Multiply);
    painter.setPen(QPen(QColor(0xE0, 0x8A, 0x00), 1));
    painter.setBrush(QColor(0xFF, 0xD9, 0x5A));
    for (const QRectF &mark : m_marks)
        painter.drawRect(QRectF(mark.topLeft() * scale, mark.size() * scale).adjusted(-1, -1, 1, 1));
}

void PdfPageView::scrollContentsBy(int dx, int dy)
{
    QPdfView::scrollContentsBy(dx, dy);
    if (!m_resizing)
        noteAnchor();
    notePageInSight();
}

void PdfPageView::resizeEvent(QResizeEvent *event)
{
    m_resizing = true;
    QPdfView::resizeEvent(event);
    m_resizing = false;
    restoreAnchor();
    notePageInSight();
    emit viewResized();
}

void PdfPageView::noteAnchor()
{
    const int page = std::max(0, pageInSight());
    const QRect rect = pageRect(page);
    if (rect.height() <= 0)
        return;
    m_anchorPage = page;
    m_anchorShare = qreal(verticalScrollBar()->value() - rect.top()) / rect.height();
}

void PdfPageView::restoreAnchor()
{
    const QRect rect = pageRect(m_anchorPage);
    if (rect.height() <= 0)
        return;
    verticalScrollBar()->setValue(rect.top() + int(std::lround(m_anchorShare * rect.height())));
}

void PdfPageView::notePageInSight()
{
    const int page = pageInSight();
    if (page == m_lastPageInSight)
        return;
    m_lastPageInSight = page;
    emit pageInSightChanged(page);
}

} // namespace qv::viewer
