#include "controls/metafile/MetafilePaintEngine.h"

#include "controls/metafile/AnsiText.h"
#include "controls/metafile/WmfFormat.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>
#include <cmath>

namespace qv::metafile {

namespace {

// Metafiles have no transparency: a colour is laid over white paper.
QRgb opaqueOnWhite(const QColor &c)
{
    const QRgb rgb = c.rgba();
    const int a = qAlpha(rgb);
    auto blend = [a](int v) { return (v * a + 255 * (255 - a)) / 255; };
    return qRgb(blend(qRed(rgb)), blend(qGreen(rgb)), blend(qBlue(rgb)));
}

QColor brushColor(const QBrush &brush)
{
    if (const QGradient *g = brush.gradient()) {
        const QGradientStops stops = g->stops();
        if (stops.isEmpty())
            return Qt::gray;
        const QColor a = stops.first().second, b = stops.last().second;
        return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2,
                      (a.alpha() + b.alpha()) / 2);
    }
    if (brush.style() == Qt::TexturePattern)
        return Qt::gray;
    return brush.color();
}

std::uint16_t penStyle(Qt::PenStyle style)
{
    switch (style) {
    case Qt::NoPen: return wmf::PenNull;
    case Qt::DashLine: return wmf::PenDash;
    case Qt::DotLine: return wmf::PenDot;
    case Qt::DashDotLine: return wmf::PenDashDot;
    case Qt::DashDotDotLine: return wmf::PenDashDotDot;
    default: return wmf::PenSolid;
    }
}

std::optional<std::uint16_t> hatchOf(Qt::BrushStyle style)
{
    switch (style) {
    case Qt::HorPattern: return wmf::HatchHorizontal;
    case Qt::VerPattern: return wmf::HatchVertical;
    case Qt::FDiagPattern: return wmf::HatchForwardDiagonal;
    case Qt::BDiagPattern: return wmf::HatchBackwardDiagonal;
    case Qt::CrossPattern: return wmf::HatchCross;
    case Qt::DiagCrossPattern: return wmf::HatchDiagonalCross;
    default: return std::nullopt;
    }
}

constexpr QPaintEngine::PaintEngineFeatures allFeatures = QPaintEngine::AllFeatures;

} // namespace

MetafilePaintEngine::MetafilePaintEngine(QSize sizeInPixels, int dotsPerInch)
    : QPaintEngine(allFeatures), m_size(sizeInPixels), m_dpi(std::max(dotsPerInch, 1))
{
    // Twips where the picture fits the format's 16-bit coordinates, coarser where not.
    const int longest = std::max({m_size.width(), m_size.height(), 1});
    m_unitsPerInch = std::clamp(int(32000.0 * m_dpi / longest), 1, 1440);
    m_scale = double(m_unitsPerInch) / m_dpi;
}

bool MetafilePaintEngine::begin(QPaintDevice *)
{
    const QRect bounds(0, 0, int(std::lround(m_size.width() * m_scale)),
                       int(std::lround(m_size.height() * m_scale)));
    m_recorder.emplace(bounds, m_unitsPerInch);
    m_recorder->setWindow(bounds);
    m_recorder->setBackgroundMode(wmf::Transparent);
    m_recorder->setTextAlign(wmf::alignBaseline);
    // Clipping is replaced by restoring this saved state and clipping anew.
    m_recorder->saveDC();
    m_penKey.reset();
    m_brushKey.reset();
    m_fontKey.reset();
    m_penObject = m_brushObject = m_fontObject = {};
    m_textColor.reset();
    m_fillRule.reset();
    m_clip.reset();
    m_transform = QTransform();
    setActive(true);
    return true;
}

bool MetafilePaintEngine::end()
{
    if (!m_recorder)
        return false;
    m_recorder->restoreDC();
    for (Selected *s : {&m_penObject, &m_brushObject, &m_fontObject})
        if (s->slot >= 0)
            m_recorder->deleteObject(s->slot);
    m_data = m_recorder->finish();
    m_recorder.reset();
    setActive(false);
    return true;
}

void MetafilePaintEngine::updateState(const QPaintEngineState &state)
{
    const DirtyFlags flags = state.state();
    if (flags & DirtyPen)
        m_pen = state.pen();
    if (flags & DirtyBrush)
        m_brush = state.brush();
    if (flags & DirtyFont)
        m_font = state.font();
    if (flags & DirtyTransform)
        m_transform = state.transform();
    if (flags & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled | DirtyTransform))
        updateClip();
}

void MetafilePaintEngine::updateClip()
{
    std::optional<QRect> clip;
    if (QPainter *p = painter(); p && p->hasClipping())
        clip = logicalRect(p->transform().mapRect(p->clipBoundingRect()));
    if (clip == m_clip)
        return;
    m_clip = clip;
    m_recorder->restoreDC();
    m_recorder->saveDC();
    forgetDeviceState();
    if (clip)
        m_recorder->intersectClipRect(*clip);
}

// Restoring the saved state deselects our objects and resets the text colour
// and fill mode, so they are chosen again before the next drawing.
void MetafilePaintEngine::forgetDeviceState()
{
    m_penObject.selected = m_brushObject.selected = m_fontObject.selected = false;
    m_textColor.reset();
    m_fillRule.reset();
}

QPoint MetafilePaintEngine::toLogical(QPointF p) const
{
    auto fit = [](double v) { return int(std::clamp(std::lround(v), -32768L, 32767L)); };
    return {fit(p.x() * m_scale), fit(p.y() * m_scale)};
}

QPolygon MetafilePaintEngine::map(const QPolygonF &polygon) const
{
    QPolygon out;
    out.reserve(polygon.size());
    for (const QPointF &p : polygon) {
        const QPoint q = map(p);
        if (out.isEmpty() || out.last() != q)
            out.append(q);
    }
    return out;
}

QRect MetafilePaintEngine::logicalRect(const QRectF &deviceRect) const
{
    const QPoint a = toLogical(deviceRect.topLeft()), b = toLogical(deviceRect.bottomRight());
    return QRect(a, QSize(b.x() - a.x(), b.y() - a.y())).normalized();
}

double MetafilePaintEngine::transformScale() const
{
    return std::sqrt(std::abs(m_transform.determinant()));
}

void MetafilePaintEngine::replaceObject(Selected &current, int newSlot)
{
    m_recorder->selectObject(newSlot);
    if (current.slot >= 0)
        m_recorder->deleteObject(current.slot);
    current = {newSlot, true};
}

void MetafilePaintEngine::reselect(Selected &current)
{
    if (!current.selected) {
        m_recorder->selectObject(current.slot);
        current.selected = true;
    }
}

void MetafilePaintEngine::usePen(const QPen &pen)
{
    PenKey key{wmf::PenNull, 0, 0};
    if (pen.style() != Qt::NoPen && pen.brush().style() != Qt::NoBrush && brushColor(pen.brush()).alpha() > 0) {
        key.style = penStyle(pen.style());
        key.color = opaqueOnWhite(brushColor(pen.brush()));
        const double width = pen.widthF() * (pen.isCosmetic() ? 1.0 : transformScale());
        key.width = pen.widthF() <= 0 ? 0 : std::max(1, int(std::lround(width * m_scale)));
    }
    if (key != m_penKey) {
        replaceObject(m_penObject, m_recorder->createPen(key.style, key.width, key.color));
        m_penKey = key;
    }
    reselect(m_penObject);
}

void MetafilePaintEngine::useBrush(const QBrush &brush)
{
    BrushKey key{wmf::BrushNull, 0, 0};
    const QColor color = brushColor(brush);
    if (brush.style() != Qt::NoBrush && color.alpha() > 0) {
        key.color = opaqueOnWhite(color);
        if (auto hatch = hatchOf(brush.style())) {
            key.style = wmf::BrushHatched;
            key.hatch = *hatch;
        } else {
            key.style = wmf::BrushSolid;
        }
    }
    if (key != m_brushKey) {
        replaceObject(m_brushObject, m_recorder->createBrush(key.style, key.color, key.hatch));
        m_brushKey = key;
    }
    reselect(m_brushObject);
}

void MetafilePaintEngine::useFont(const MetafileFont &font)
{
    if (font != m_fontKey) {
        replaceObject(m_fontObject, m_recorder->createFont(font));
        m_fontKey = font;
    }
    reselect(m_fontObject);
}

void MetafilePaintEngine::useFillMode(Qt::FillRule rule)
{
    if (m_fillRule != rule) {
        m_recorder->setPolyFillMode(rule == Qt::WindingFill ? wmf::Winding : wmf::Alternate);
        m_fillRule = rule;
    }
}

void MetafilePaintEngine::useTextColor(QRgb color)
{
    if (m_textColor != color) {
        m_recorder->setTextColor(color);
        m_textColor = color;
    }
}

void MetafilePaintEngine::drawShape(const QPolygonF &polygon)
{
    usePen(m_pen);
    useBrush(m_brush);
    m_recorder->polygon(map(polygon));
}

void MetafilePaintEngine::drawRects(const QRectF *rects, int rectCount)
{
    usePen(m_pen);
    useBrush(m_brush);
    for (int i = 0; i < rectCount; ++i) {
        if (axisAligned())
            m_recorder->rectangle(logicalRect(m_transform.mapRect(rects[i])));
        else
            m_recorder->polygon(map(QPolygonF(rects[i])));
    }
}

void MetafilePaintEngine::drawLines(const QLineF *lines, int lineCount)
{
    if (m_pen.style() == Qt::NoPen)
        return;
    usePen(m_pen);
    for (int i = 0; i < lineCount; ++i) {
        m_recorder->moveTo(map(lines[i].p1()));
        m_recorder->lineTo(map(lines[i].p2()));
    }
}

void MetafilePaintEngine::drawEllipse(const QRectF &rect)
{
    if (!axisAligned()) {
        QPainterPath path;
        path.addEllipse(rect);
        drawPath(path);
        return;
    }
    usePen(m_pen);
    useBrush(m_brush);
    m_recorder->ellipse(logicalRect(m_transform.mapRect(rect)));
}

void MetafilePaintEngine::fillAndStroke(const QList<QPolygonF> &subpaths, Qt::FillRule rule)
{
    std::vector<QPolygon> polygons;
    bool allClosed = true;
    for (const QPolygonF &p : subpaths) {
        QPolygon mapped = map(p);
        if (mapped.size() < 2)
            continue;
        allClosed = allClosed && p.isClosed();
        polygons.push_back(std::move(mapped));
    }
    if (polygons.empty())
        return;
    useFillMode(rule);
    if (allClosed) {
        usePen(m_pen);
        useBrush(m_brush);
        if (polygons.size() == 1)
            m_recorder->polygon(polygons.front());
        else
            m_recorder->polyPolygon(polygons);
        return;
    }
    if (m_brush.style() != Qt::NoBrush) {
        usePen(QPen(Qt::NoPen));
        useBrush(m_brush);
        m_recorder->polyPolygon(polygons);
    }
    if (m_pen.style() == Qt::NoPen)
        return;
    usePen(m_pen);
    for (const QPolygon &p : polygons)
        m_recorder->polyline(p);
}

void MetafilePaintEngine::drawPath(const QPainterPath &path)
{
    // Subpaths flattened in item coordinates, mapped point by point after.
    fillAndStroke(path.toSubpathPolygons(), path.fillRule());
}

void MetafilePaintEngine::drawPoints(const QPointF *points, int pointCount)
{
    usePen(QPen(Qt::NoPen));
    useBrush(QBrush(m_pen.color()));
    const double half = std::max(0.5, m_pen.widthF() / 2);
    for (int i = 0; i < pointCount; ++i) {
        const QPointF c = m_transform.map(points[i]);
        m_recorder->rectangle(logicalRect(QRectF(c.x() - half, c.y() - half, 2 * half, 2 * half)));
    }
}

void MetafilePaintEngine::drawPolygon(const QPointF *points, int pointCount, PolygonDrawMode mode)
{
    const QPolygonF polygon(QList<QPointF>(points, points + pointCount));
    if (mode == PolylineMode) {
        if (m_pen.style() == Qt::NoPen)
            return;
        usePen(m_pen);
        m_recorder->polyline(map(polygon));
        return;
    }
    useFillMode(mode == OddEvenMode ? Qt::OddEvenFill : Qt::WindingFill);
    drawShape(polygon);
}

void MetafilePaintEngine::drawTextItem(const QPointF &p, const QTextItem &textItem)
{
    const QString text = textItem.text();
    if (text.isEmpty())
        return;
    const QFont font = textItem.font();
    const double pixelSize = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * m_dpi / 72.0;
    const QPointF xAxis = m_transform.map(QPointF(1, 0)) - m_transform.map(QPointF(0, 0));
    const double angle = std::atan2(xAxis.y(), xAxis.x()) * 180.0 / M_PI;
    const double scale = transformScale() * m_scale;

    MetafileFont mf;
    mf.family = font.family();
    mf.height = -std::max(1, int(std::lround(pixelSize * scale)));
    mf.escapement = (int(std::lround(-angle * 10)) % 3600 + 3600) % 3600;
    mf.bold = font.weight() >= QFont::DemiBold;
    mf.italic = font.italic();
    mf.underline = font.underline();
    mf.strikeOut = font.strikeOut();
    useFont(mf);
    useTextColor(opaqueOnWhite(m_pen.color()));

    // Each character's step as we measured it, so the reader's own font
    // metrics cannot spread or squeeze the line.
    const QFontMetricsF metrics(font, paintDevice());
    std::vector<int> advances;
    advances.reserve(std::size_t(text.size()));
    int placed = 0;
    for (int i = 1; i <= text.size(); ++i) {
        if (i < text.size() && text.at(i).isLowSurrogate()) {
            advances.push_back(0); // the pair's first half; its step goes to the second
            continue;
        }
        const int step = int(std::lround(metrics.horizontalAdvance(text.left(i)) * scale)) - placed;
        placed += step;
        advances.push_back(step);
    }
    const QByteArray bytes = toWindows1252(text);
    advances.resize(std::size_t(bytes.size()), 0);
    m_recorder->extTextOut(map(p), bytes, advances);
}

void MetafilePaintEngine::drawPixmap(const QRectF &r, const QPixmap &pm, const QRectF &sr)
{
    drawImage(r, pm.toImage(), sr);
}

void MetafilePaintEngine::drawImage(const QRectF &r, const QImage &image, const QRectF &sr, Qt::ImageConversionFlags)
{
    QImage part = image.copy(sr.toAlignedRect());
    if (part.hasAlphaChannel()) {
        QImage flat(part.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter(&flat).drawImage(0, 0, part);
        part = flat;
    }
    m_recorder->stretchDib(logicalRect(m_transform.mapRect(r)), part);
}

} // namespace qv::metafile
