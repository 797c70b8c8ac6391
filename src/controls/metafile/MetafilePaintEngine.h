#pragma once

#include "controls/metafile/MetafileRecorder.h"

#include <QBrush>
#include <QFont>
#include <QPaintEngine>
#include <QPen>
#include <QTransform>

#include <optional>

namespace qv::metafile {

// Turns QPainter's drawing into metafile records. Coordinates go through the
// painter's transform here, so every primitive reaches the file whatever the
// transform; gradients and transparency become their nearest plain colour.
class MetafilePaintEngine : public QPaintEngine
{
public:
    MetafilePaintEngine(QSize sizeInPixels, int dotsPerInch);

    bool begin(QPaintDevice *device) override;
    bool end() override;
    void updateState(const QPaintEngineState &state) override;
    Type type() const override { return QPaintEngine::User; }

    void drawRects(const QRectF *rects, int rectCount) override;
    void drawLines(const QLineF *lines, int lineCount) override;
    void drawEllipse(const QRectF &rect) override;
    void drawPath(const QPainterPath &path) override;
    void drawPoints(const QPointF *points, int pointCount) override;
    void drawPolygon(const QPointF *points, int pointCount, PolygonDrawMode mode) override;
    void drawTextItem(const QPointF &p, const QTextItem &textItem) override;
    void drawPixmap(const QRectF &r, const QPixmap &pm, const QRectF &sr) override;
    void drawImage(const QRectF &r, const QImage &image, const QRectF &sr,
                   Qt::ImageConversionFlags flags = Qt::AutoColor) override;

    QByteArray data() const { return m_data; }

private:
    struct PenKey
    {
        std::uint16_t style;
        int width;
        QRgb color;
        bool operator==(const PenKey &) const = default;
    };
    struct BrushKey
    {
        std::uint16_t style;
        QRgb color;
        std::uint16_t hatch;
        bool operator==(const BrushKey &) const = default;
    };
    struct Selected
    {
        int slot = -1;
        bool selected = false;
    };

    QPoint toLogical(QPointF devicePoint) const;
    QPoint map(QPointF p) const { return toLogical(m_transform.map(p)); }
    QPolygon map(const QPolygonF &polygon) const;
    QRect logicalRect(const QRectF &deviceRect) const;
    bool axisAligned() const { return m_transform.type() <= QTransform::TxScale; }
    double transformScale() const;

    void usePen(const QPen &pen);
    void useBrush(const QBrush &brush);
    void useFont(const MetafileFont &font);
    void useFillMode(Qt::FillRule rule);
    void useTextColor(QRgb color);
    void replaceObject(Selected &current, int newSlot);
    void reselect(Selected &current);
    void updateClip();
    void forgetDeviceState();

    void drawShape(const QPolygonF &polygon); // outlined and filled
    void fillAndStroke(const QList<QPolygonF> &subpaths, Qt::FillRule rule);

    QSize m_size;
    int m_dpi;
    double m_scale = 1; // logical units per device pixel
    int m_unitsPerInch = 1440;
    std::optional<MetafileRecorder> m_recorder;
    QByteArray m_data;

    QPen m_pen;
    QBrush m_brush;
    QFont m_font;
    QTransform m_transform;

    std::optional<PenKey> m_penKey;
    std::optional<BrushKey> m_brushKey;
    std::optional<MetafileFont> m_fontKey;
    Selected m_penObject, m_brushObject, m_fontObject;
    std::optional<QRgb> m_textColor;
    std::optional<Qt::FillRule> m_fillRule;
    std::optional<QRect> m_clip;
};

} // namespace qv::metafile
