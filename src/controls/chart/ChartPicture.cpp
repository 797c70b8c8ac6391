#include "controls/chart/ChartPicture.h"

#include "controls/chart/ChartRenderer.h"
#include "controls/metafile/MetafilePaintDevice.h"
#include "platform/AtomicFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QObject>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace qv::chart {

namespace {

QString suffixOf(const QString &path)
{
    return QFileInfo(path).suffix().toLower();
}

void paint(QPaintDevice &device, const QRectF &area, const ChartDefinition &chart, const ChartData &data)
{
    QPainter painter(&device);
    drawChart(painter, area, chart, data);
}

QString writeWith(const QString &path, const std::function<void(QIODevice &)> &render)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    render(buffer);
    buffer.close();
    return platform::writeFileAtomically(path, buffer.data());
}

} // namespace

bool isChartPictureFormat(const QString &path)
{
    const QString s = suffixOf(path);
    return s == QLatin1String("wmf") || s == QLatin1String("svg") || s == QLatin1String("png") || s == QLatin1String("pdf");
}

QString writeChartPicture(const QString &path, const ChartDefinition &chart, const ChartData &data, QSize size)
{
    const QString suffix = suffixOf(path);
    const QRectF area(QPointF(0, 0), size);
    if (suffix == QLatin1String("wmf")) {
        metafile::MetafilePaintDevice device(size);
        paint(device, area, chart, data);
        return device.save(path);
    }
    if (suffix == QLatin1String("png")) {
        // Twice the pixels, so the picture stays sharp when it is enlarged.
        QImage image(size * 2, QImage::Format_RGB32);
        image.setDotsPerMeterX(int(192 / 0.0254));
        image.setDotsPerMeterY(int(192 / 0.0254));
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.scale(2, 2);
            drawChart(painter, area, chart, data);
        }
        return writeWith(path, [&](QIODevice &out) { image.save(&out, "PNG"); });
    }
    if (suffix == QLatin1String("svg")) {
        return writeWith(path, [&](QIODevice &out) {
            QSvgGenerator svg;
            svg.setOutputDevice(&out);
            svg.setSize(size);
            svg.setViewBox(area);
            svg.setResolution(96);
            svg.setTitle(chart.title);
            paint(svg, area, chart, data);
        });
    }
    if (suffix == QLatin1String("pdf")) {
        return writeWith(path, [&](QIODevice &out) {
            QPdfWriter pdf(&out);
            pdf.setResolution(96);
            pdf.setPageSize(QPageSize(QSizeF(size.width() * 72.0 / 96, size.height() * 72.0 / 96), QPageSize::Point));
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            pdf.setTitle(chart.title);
            pdf.setCreator(QStringLiteral("Quorvex 8.0"));
            paint(pdf, area, chart, data);
        });
    }
    return QObject::tr("Unknown picture format \"%1\": use .wmf, .svg, .png or .pdf.").arg(QFileInfo(path).suffix());
}

} // namespace qv::chart
