#pragma once

#include "controls/metafile/MetafilePicture.h"

#include <QBrush>
#include <QFont>
#include <QPen>
#include <QRegion>
#include <QTransform>

#include <optional>
#include <variant>

namespace qv::metafile {

// Plays a picture's records on a painter as Windows would on a device
// context: objects, mapping, saved states, clipping, text alignment.
class MetafilePlayer
{
public:
    MetafilePlayer(const MetafilePicture &picture, QPainter &painter, const QRectF &target);
    void play();

private:
    struct PenObject
    {
        QColor color;
        int width = 0;
        std::uint16_t style = 0;
    };
    struct BrushObject
    {
        QBrush brush;
    };
    struct FontObject
    {
        int height = 0;
        int escapement = 0;
        int weight = 400;
        bool italic = false, underline = false, strikeOut = false;
        QString family;
    };
    struct OtherObject
    {
    };
    using Object = std::variant<std::monostate, PenObject, BrushObject, FontObject, OtherObject>;

    struct DeviceState
    {
        QPointF windowOrigin;
        QSizeF windowExtent;
        PenObject pen{Qt::black, 0, 0};
        QBrush brush{Qt::white};
        FontObject font;
        QColor textColor{Qt::black};
        QColor backgroundColor{Qt::white};
        bool opaqueBackground = true;
        std::uint16_t textAlign = 0;
        Qt::FillRule fillRule = Qt::OddEvenFill;
        QPointF position;
        QRegion clip; // in target coordinates; empty means the whole target
        bool clipped = false;
    };

    class Params;
    void playRecord(const MetafileRecord &record);
    bool playObjectRecord(std::uint16_t function, Params &p);
    bool playShapeRecord(std::uint16_t function, Params &p);
    bool playStateRecord(std::uint16_t function, Params &p);
    bool playBitmapRecord(std::uint16_t function, Params &p, int recordWords);

    void addObject(Object object);
    void selectObject(int index);
    void deleteObject(int index);
    void restore(int which);

    QTransform logicalToTarget() const;
    void applyClip();
    void prepareShape(bool fill);
    void arcShape(std::uint16_t function, Params &p);
    void drawText(QPointF at, const QByteArray &text, const std::vector<int> &advances,
                  std::optional<QRectF> clipRect, std::optional<QRectF> opaqueRect);
    QFont textFont(double &pixelSize) const;
    void drawDib(const QByteArray &dib, QRectF source, QRectF dest);
    void fillDest(std::uint32_t rop, const QRectF &dest);

    const MetafilePicture &m_picture;
    QPainter &m_painter;
    QRectF m_target;
    QTransform m_base;
    std::optional<QRegion> m_callerClip; // the painter's clip when playing began
    DeviceState m_dc;
    std::vector<DeviceState> m_saved;
    std::vector<Object> m_objects;
};

} // namespace qv::metafile
