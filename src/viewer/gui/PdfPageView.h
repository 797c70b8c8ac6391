#pragma once

// The page view: Qt's PDF view that also knows where each page lies, so
// that it can bring a place on a page into sight, say which page is in
// sight, and mark the search hit it shows.

#include <QList>
#include <QPdfView>
#include <QRectF>

namespace qv::viewer {

class PdfPageView : public QPdfView
{
    Q_OBJECT

public:
    explicit PdfPageView(QWidget *parent = nullptr);

    // The page's rectangle in the document's coordinates (before scrolling),
    // laid out as the view lays the pages out; empty for a page it lacks.
    QRect pageRect(int page) const;
    // The zoom in force, whatever the zoom mode: view pixels per point.
    qreal pixelsPerPoint(int page) const;
    // The same as a zoom factor (1 is the page at its printed size), and
    // the factor that makes the widest page (a landscape table) as wide as
    // the view.
    qreal zoomInForce(int page) const;
    qreal widestPageZoom() const;

    // Scrolls so that the place (in points from the page's top left) is in
    // sight, a little below the top of the view.
    void showPlace(int page, const QPointF &place);
    void showPage(int page) { showPlace(page, QPointF()); }
    // The page at the top third of the view.
    int pageInSight() const;

    // Rectangles (in points) marked on a page; an empty list clears them.
    void setMarks(int page, const QList<QRectF> &rectangles);
    int markedPage() const { return m_markedPage; }

signals:
    void pageInSightChanged(int page);
    void viewResized();

protected:
    void paintEvent(QPaintEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    qreal screenPixelsPerPoint() const;
    QSize pageSize(int page) const;
    // Every page's rectangle, worked out in one pass.
    QList<QRect> pageRects() const;
    void notePageInSight();
    // The place at the top of the view, as a page and a share of its
    // height, so that a new size of the view (a scroll bar coming or going,
    // the window resized) keeps the reader's place.
    void noteAnchor();
    void restoreAnchor();

    int m_markedPage = -1;
    QList<QRectF> m_marks;
    int m_lastPageInSight = -1;
    int m_anchorPage = 0;
    qreal m_anchorShare = 0;
    bool m_resizing = false;
};

} // namespace qv::viewer
