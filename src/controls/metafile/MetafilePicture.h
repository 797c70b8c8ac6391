#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

class QPainter;

namespace qv::metafile {

// One record of a metafile: its function and where its parameters lie.
struct MetafileRecord
{
    std::uint16_t function = 0;
    int offset = 0; // of the parameters, in the file's bytes
    int size = 0;   // bytes of parameters
};

// A Windows metafile read from a file or from memory, checked record by
// record, ready to be drawn on any QPainter. Works with files of other
// programs as well as our own: placeable or not, any mapping of their own.
class MetafilePicture
{
public:
    // Reads the picture; a file that is not a metafile or is damaged gives
    // nothing and the reason in error.
    static std::optional<MetafilePicture> fromData(const QByteArray &data, QString *error = nullptr);
    static std::optional<MetafilePicture> fromFile(const QString &path, QString *error = nullptr);

    // The picture's frame in its own logical units.
    QRect frame() const { return m_frame; }
    // Logical units per inch; 0 when the file does not say (no placeable header).
    int unitsPerInch() const { return m_unitsPerInch; }
    // The picture's natural size in pixels at the given resolution.
    QSize sizeAt(int dotsPerInch) const;
    int objectCount() const { return m_objectCount; }
    const std::vector<MetafileRecord> &records() const { return m_records; }
    const QByteArray &bytes() const { return m_data; }

    // Draws the whole picture scaled into target; nothing outside it.
    void draw(QPainter &painter, const QRectF &target) const;
    // The picture drawn on white at the given size.
    QImage toImage(QSize size) const;

private:
    QByteArray m_data;
    std::vector<MetafileRecord> m_records;
    QRect m_frame;
    int m_unitsPerInch = 0;
    int m_objectCount = 0;
};

} // namespace qv::metafile
