#include "controls/chart/ChartPicture.h"
#include "controls/chart/ChartRenderer.h"
#include "controls/metafile/MetafilePicture.h"

#include "TestFiles.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

using namespace qv;
using namespace qv::chart;

namespace {

ChartData sampleData()
{
    ChartData d;
    d.categories = QStringList{QStringLiteral("2026"), QStringLiteral("2027"), QStringLiteral("2028")};
    d.series.push_back({QStringLiteral("Sales"), {120000, 180000, 240000}});
    d.series.push_back({QStringLiteral("Costs"), {90000, 110000, -5000}});
    d.numberFormat = QStringLiteral("$#,##0.00");
    return d;
}

int colouredPixels(const QImage &image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y).saturation() > 80 ? 1 : 0;
    return n;
}

} // namespace

TEST(ChartRenderer, EveryTypeDrawsItsSeriesAndReportsWhereTheyAre)
{
    for (ChartType type : allChartTypes()) {
        ChartDefinition chart;
        chart.type = type;
        chart.title = QStringLiteral("Profit by year");
        chart.valueAxisTitle = QStringLiteral("Dollars");
        chart.categoryAxisTitle = QStringLiteral("Year");
        QImage image(640, 400, QImage::Format_RGB32);
        image.fill(Qt::black);
        ChartLayout layout;
        {
            QPainter painter(&image);
            layout = drawChart(painter, QRectF(0, 0, 640, 400), chart, sampleData());
        }
        SCOPED_TRACE(chartTypeName(type).toStdString());
        EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::white)); // the chart fills its area
        EXPECT_GT(colouredPixels(image), 2000);
        const auto title = layout.elementAt(QPointF(40, 25));
        ASSERT_TRUE(title);
        EXPECT_EQ(title->kind, ChartElement::Title);
        int seriesShapes = 0;
        for (const ChartElement &e : layout.elements)
            seriesShapes += e.kind == ChartElement::Series && !e.area.isEmpty() ? 1 : 0;
        EXPECT_GE(seriesShapes, 2);
    }
}

// A graph frame dragged to a sliver, or thousands of long labels, leave the
// plot no room; the graph still draws what fits (the sanitized build checks
// that no size on the way overflows).
TEST(ChartRenderer, ChartsSqueezedToNothingStillDraw)
{
    ChartData crowded = sampleData();
    crowded.categories.clear();
    crowded.series.resize(1);
    crowded.series[0].values.clear();
    for (int i = 0; i < 3000; ++i) {
        crowded.categories << QStringLiteral("A rather long category label %1").arg(i);
        crowded.series[0].values.push_back(i);
    }
    for (ChartType type : allChartTypes()) {
        SCOPED_TRACE(chartTypeName(type).toStdString());
        ChartDefinition chart;
        chart.type = type;
        chart.title = QStringLiteral("A title far too long for the frame it is given");
        for (const QSizeF size : {QSizeF(1, 1), QSizeF(12, 8), QSizeF(160, 100)}) {
            for (const ChartData &data : {sampleData(), crowded}) {
                QImage image(size.toSize(), QImage::Format_RGB32);
                QPainter painter(&image);
                const ChartLayout layout = drawChart(painter, QRectF(QPointF(0, 0), size), chart, data);
                for (const ChartElement &e : layout.elements)
                    EXPECT_TRUE(std::isfinite(e.area.boundingRect().width()));
            }
        }
    }
}

TEST(ChartRenderer, ChartsWithoutFiguresSaySo)
{
    ChartDefinition chart;
    QImage image(300, 200, QImage::Format_RGB32);
    QPainter painter(&image);
    const ChartLayout layout = drawChart(painter, QRectF(0, 0, 300, 200), chart, ChartData());
    EXPECT_TRUE(layout.elements.empty());
}

TEST(ChartRenderer, AxisStepsAreRoundAndShowTheTablesFormat)
{
    const AxisScale s = niceScale(-5000, 240000);
    EXPECT_EQ(s.step, 50000);
    EXPECT_EQ(s.minimum, -50000);
    EXPECT_EQ(s.maximum, 250000);
    EXPECT_EQ(niceScale(0, 0.37).step, 0.1);
    EXPECT_EQ(niceScale(0, 158532).minimum, 0); // no empty band below zero
    EXPECT_EQ(axisLabel(250000, QStringLiteral("$#,##0.00"), 50000), QStringLiteral("$250,000"));
    EXPECT_EQ(axisLabel(0.25, QStringLiteral("0%"), 0.05), QStringLiteral("25%"));
    EXPECT_EQ(axisLabel(1500, QString(), 500), QStringLiteral("1,500"));
}

TEST(ChartPicture, WritesEachFormatItsExtensionNames)
{
    QTemporaryDir dir;
    ChartDefinition chart;
    chart.title = QStringLiteral("Sales");
    for (const char *name : {"g.wmf", "g.svg", "g.png", "g.PDF"}) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        EXPECT_EQ(writeChartPicture(path, chart, sampleData()), QString()) << name;
    }
    EXPECT_TRUE(metafile::MetafilePicture::fromFile(dir.filePath(QStringLiteral("g.wmf"))));
    EXPECT_TRUE(qv::test::readFile(dir.filePath(QStringLiteral("g.svg"))).contains("<svg"));
    EXPECT_EQ(QImage(dir.filePath(QStringLiteral("g.png"))).size(), graphPictureSize * 2);
    EXPECT_TRUE(qv::test::readFile(dir.filePath(QStringLiteral("g.PDF"))).startsWith("%PDF"));
    EXPECT_FALSE(writeChartPicture(dir.filePath(QStringLiteral("g.bmp")), chart, sampleData()).isEmpty());
}
