#include "controls/metafile/MetafilePaintDevice.h"

#include "controls/metafile/MetafilePaintEngine.h"
#include "platform/AtomicFile.h"

#include <QObject>

namespace qv::metafile {

MetafilePaintDevice::MetafilePaintDevice(QSize sizeInPixels, int dotsPerInch)
    : m_size(sizeInPixels.expandedTo(QSize(1, 1))), m_dpi(std::max(dotsPerInch, 1)),
      m_engine(std::make_unique<MetafilePaintEngine>(m_size, m_dpi))
{
}

MetafilePaintDevice::~MetafilePaintDevice() = default;

QPaintEngine *MetafilePaintDevice::paintEngine() const
{
    return m_engine.get();
}

QByteArray MetafilePaintDevice::data() const
{
    return m_engine->data();
}

QString MetafilePaintDevice::save(const QString &path) const
{
    if (m_engine->data().isEmpty())
        return QObject::tr("Nothing has been drawn on the picture.");
    return qv::platform::writeFileAtomically(path, m_engine->data());
}

int MetafilePaintDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth: return m_size.width();
    case PdmHeight: return m_size.height();
    case PdmWidthMM: return int(m_size.width() * 25.4 / m_dpi);
    case PdmHeightMM: return int(m_size.height() * 25.4 / m_dpi);
    case PdmNumColors: return 0x7fffffff;
    case PdmDepth: return 24;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return m_dpi;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
    default: return QPaintDevice::metric(metric);
    }
}

} // namespace qv::metafile
