#include "controls/chart/ChartFile.h"
#include "platform/Error.h"

#include "TestFiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qv;
using namespace qv::chart;

namespace {

ChartDefinition everyField()
{
    ChartDefinition c;
    c.type = ChartType::ColumnLine;
    c.dataRange = QStringLiteral("B4:M8");
    c.seriesLayout = SeriesLayout::InColumns;
    c.title = QStringLiteral("Sales \"forecast\" – 2026");
    c.categoryAxisTitle = QStringLiteral("Month");
    c.valueAxisTitle = QStringLiteral("Dollars");
    c.legend = LegendPosition::Right;
    c.valueFormat = QStringLiteral("$#,##0");
    c.gridlines = false;
    c.setSeriesColor(2, QColor(0x12, 0x34, 0x56));
    c.excludedRows = {5, 33};
    c.excludedColumns = {3};
    return c;
}

QString failureOf(const QByteArray &bytes)
{
    try {
        parseChartFile(bytes);
    } catch (const QvError &e) {
        return e.description();
    }
    return QString();
}

} // namespace

TEST(ChartFile, KeepsEveryFieldThroughWriteAndRead)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Grf0503.vtc"));
    const ChartDefinition chart = everyField();
    writeChartFile(path, chart);
    EXPECT_EQ(readChartFile(path), chart);
    EXPECT_FALSE(chart.seriesColors[0].isValid());
    EXPECT_EQ(chart.seriesColor(0), paletteColor(0)); // unset colours come from the palette
    EXPECT_EQ(chart.seriesColor(2), QColor(0x12, 0x34, 0x56));
    EXPECT_TRUE(qv::test::readFile(path).contains("\"version\": 1"));
}

TEST(ChartFile, FieldsLeftOutTakeTheirDefaults)
{
    const ChartDefinition c = parseChartFile(R"({"format": "Quorvex chart", "version": 1, "dataRange": "A1:C3"})");
    EXPECT_EQ(c.type, ChartType::Column);
    EXPECT_EQ(c.seriesLayout, SeriesLayout::InRows);
    EXPECT_EQ(c.legend, LegendPosition::Bottom);
    EXPECT_TRUE(c.gridlines);
}

TEST(ChartFile, DamagedOrHostileFilesAreRefusedWithAReason)
{
    const char *header = R"("format": "Quorvex chart", "version": 1)";
    auto with = [&](const char *fields) -> QByteArray { return QByteArray("{") + header + ", " + fields + "}"; };
    EXPECT_TRUE(failureOf("not json").contains(QStringLiteral("not a chart")));
    EXPECT_TRUE(failureOf(R"({"format": "something else", "version": 1})").contains(QStringLiteral("not a chart")));
    EXPECT_TRUE(failureOf(R"({"format": "Quorvex chart", "version": 7})").contains(QStringLiteral("newer version")));
    EXPECT_TRUE(failureOf(R"({"format": "Quorvex chart", "version": "1"})").contains(QStringLiteral("version")));
    EXPECT_TRUE(failureOf(with(R"("type": "doughnut")")).contains(QStringLiteral("type")));
    EXPECT_TRUE(failureOf(with(R"("dataRange": "B4:ZZZZ9")")).contains(QStringLiteral("data range")));
    EXPECT_TRUE(failureOf(with(R"("title": 5)")).contains(QStringLiteral("title")));
    EXPECT_TRUE(failureOf(with(R"("title": "a\u0007b")")).contains(QStringLiteral("control")));
    EXPECT_TRUE(failureOf(with(R"("seriesColors": ["#12345", "red"])")).contains(QStringLiteral("colour")));
    EXPECT_TRUE(failureOf(with(R"("gridlines": "yes")")).contains(QStringLiteral("gridlines")));
    const QByteArray longTitle = QByteArray("\"title\": \"") + QByteArray(600, 'x') + QByteArray("\"");
    EXPECT_FALSE(failureOf(with(longTitle.constData())).isEmpty());
    EXPECT_FALSE(failureOf(QByteArray(300 * 1024, ' ')).isEmpty());
    EXPECT_TRUE(failureOf(with(R"("excludedRows": [3, -1])")).contains(QStringLiteral("table line")));
    EXPECT_TRUE(failureOf(with(R"("excludedColumns": [2.5])")).contains(QStringLiteral("table line")));
    EXPECT_TRUE(failureOf(with(R"("excludedColumns": [20000])")).contains(QStringLiteral("table line")));
}

TEST(ChartFile, AFailedWriteLeavesTheOldFileAndSaysWhy)
{
    QTemporaryDir dir;
    EXPECT_THROW(writeChartFile(dir.filePath(QStringLiteral("missing/Grf0503.vtc")), everyField()), QvError);
    try {
        readChartFile(dir.filePath(QStringLiteral("Grf9999.vtc")));
        FAIL();
    } catch (const QvError &e) {
        EXPECT_EQ(e.number(), chartFileNotFound);
    }
}
