#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPolygon>
#include <QRect>
#include <QString>

#include <cstdint>
#include <vector>

namespace qv::metafile {

// A font as a metafile describes it; sizes in logical units.
struct MetafileFont
{
    QString family;
    int height = 0;       // negative: the em height, as Windows means it
    int escapement = 0;   // tenths of a degree, counter-clockwise
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool symbol = false;
    bool operator==(const MetafileFont &) const = default;
};

// Writes the records of a Windows metafile (with its placeable header) in
// logical units, and keeps the object table as Windows does: a new object
// takes the lowest free slot.
class MetafileRecorder
{
public:
    MetafileRecorder(const QRect &bounds, int unitsPerInch);

    int createPen(std::uint16_t style, int width, QRgb color);
    int createBrush(std::uint16_t style, QRgb color, std::uint16_t hatch = 0);
    int createFont(const MetafileFont &font);
    void selectObject(int slot);
    void deleteObject(int slot);

    void setWindow(const QRect &window);
    void setBackgroundMode(std::uint16_t mode);
    void setTextAlign(std::uint16_t align);
    void setTextColor(QRgb color);
    void setPolyFillMode(std::uint16_t mode);

    void saveDC();
    void restoreDC();
    void intersectClipRect(const QRect &rect);

    void moveTo(QPoint p);
    void lineTo(QPoint p);
    void polyline(const QPolygon &points);
    void polygon(const QPolygon &points);
    void polyPolygon(const std::vector<QPolygon> &polygons);
    void rectangle(const QRect &rect);
    void roundRect(const QRect &rect, int cornerWidth, int cornerHeight);
    void ellipse(const QRect &rect);
    void pie(const QRect &rect, QPoint start, QPoint end);
    void arc(const QRect &rect, QPoint start, QPoint end);
    // Text at the reference point of the current alignment; advances give
    // each character's step, so other readers place it as we measured it.
    void extTextOut(QPoint p, const QByteArray &text, const std::vector<int> &advances);
    void stretchDib(const QRect &target, const QImage &image);

    // Appends the end record and returns the whole file.
    QByteArray finish();

private:
    class Record;
    void add(const Record &record);
    void rectParams(Record &r, const QRect &rect);

    QRect m_bounds;
    int m_unitsPerInch;
    QByteArray m_records;
    std::vector<bool> m_slots;
    std::uint32_t m_largestRecord = 0;
    bool m_finished = false;
};

} // namespace qv::metafile
