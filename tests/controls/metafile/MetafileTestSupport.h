#pragma once

#include "controls/metafile/MetafilePaintDevice.h"
#include "controls/metafile/MetafilePicture.h"

#include <QImage>
#include <QPainterPath>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <functional>

namespace qv::test {

// Draws with a painter on a metafile page and returns the file.
inline QByteArray recordMetafile(QSize size, const std::function<void(QPainter &)> &draw)
{
    metafile::MetafilePaintDevice device(size);
    {
        QPainter painter(&device);
        draw(painter);
    }
    return device.data();
}

inline QColor colorAt(const QImage &image, int x, int y)
{
    return image.pixelColor(x, y);
}

// Roughly the same colour, allowing for anti-aliasing and rounding.
inline bool near(const QColor &a, const QColor &b, int tolerance = 40)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// Counts pixels that are clearly not white.
inline int inkedPixels(const QImage &image, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 200)
                ++count;
    return count;
}

struct ToolResult
{
    bool ran = false;
    int exitCode = -1;
    QByteArray err;
};

// Runs an outside program; ran is false when it is not installed.
inline ToolResult runTool(const QString &program, const QStringList &arguments, int timeoutMs = 60000)
{
    if (QStandardPaths::findExecutable(program).isEmpty())
        return {};
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs))
        return {true, -1, "timed out"};
    return {true, process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardError()};
}

// Every kind of drawing the writer turns into records.
inline void drawSampleScene(QPainter &p)
{
    p.fillRect(QRect(0, 0, 200, 150), Qt::white);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(0x1f, 0x77, 0xb4));
    p.drawRect(10, 10, 80, 60);
    p.setBrush(QColor(0xff, 0x7f, 0x0e));
    p.drawEllipse(QRect(110, 10, 80, 60));
    p.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
    p.drawLine(10, 90, 190, 90);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2c, 0xa0, 0x2c));
    p.drawPie(QRect(10, 95, 50, 50), 0, 90 * 16);
    p.setBrush(QBrush(Qt::red, Qt::BDiagPattern));
    p.drawPolygon(QPolygon({QPoint(70, 145), QPoint(100, 100), QPoint(130, 145)}));
    p.setPen(Qt::black);
    p.setFont(QFont(QStringLiteral("Liberation Sans"), 10));
    p.drawText(QPointF(140, 120), QStringLiteral("Café €5"));
    p.save();
    p.translate(190, 145);
    p.rotate(-90);
    p.drawText(QPointF(0, 0), QStringLiteral("Up"));
    p.restore();
    QImage swatch(8, 8, QImage::Format_RGB32);
    swatch.fill(Qt::magenta);
    p.drawImage(QRect(140, 130, 16, 16), swatch);
    p.setClipRect(QRect(0, 0, 100, 150));
    p.setPen(QPen(Qt::blue, 3));
    p.drawPolyline(QPolygon({QPoint(5, 140), QPoint(60, 100), QPoint(195, 140)}));
}

} // namespace qv::test
