#pragma once

#include <QByteArray>
#include <QPaintDevice>
#include <QSize>

#include <memory>

namespace qv::metafile {

class MetafilePaintEngine;

// A page that QPainter draws on and that becomes a Windows metafile (with a
// placeable header) that word processors and other programs read. Its size
// is in pixels at the given resolution; the file keeps the drawing in finer
// logical units so lines and text land where they were drawn.
class MetafilePaintDevice : public QPaintDevice
{
public:
    explicit MetafilePaintDevice(QSize sizeInPixels, int dotsPerInch = 96);
    ~MetafilePaintDevice() override;

    QPaintEngine *paintEngine() const override;

    // The finished file; valid after the painter has ended.
    QByteArray data() const;
    // Writes the finished file atomically; returns an empty text on success,
    // else the reason.
    QString save(const QString &path) const;

    QSize size() const { return m_size; }
    int dotsPerInch() const { return m_dpi; }

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize m_size;
    int m_dpi;
    std::unique_ptr<MetafilePaintEngine> m_engine;
};

} // namespace qv::metafile
