// Saves pictures of the Graph Generator and of its chart kinds when
// QV_SCREENSHOT_DIR names a folder; does nothing otherwise.

#include "editors/graph/ChartView.h"
#include "editors/graph/frmGraph.h"

#include "controls/chart/ChartFile.h"
#include "controls/workbook/Workbook.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qv;

TEST(GraphScreenshots, TheWindowWithAYearOfSales)
{
    const QString folder = qEnvironmentVariable("QV_SCREENSHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "QV_SCREENSHOT_DIR not set";
    QDir().mkpath(folder);
    workbook::Workbook book;
    book.setTitle(QStringLiteral("Tbl0503"));
    const QStringList months{QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mar"), QStringLiteral("Apr"),
                             QStringLiteral("May"), QStringLiteral("Jun"), QStringLiteral("Jul"), QStringLiteral("Aug"),
                             QStringLiteral("Sep"), QStringLiteral("Oct"), QStringLiteral("Nov"), QStringLiteral("Dec")};
    const QStringList lines{QStringLiteral("Bicycles"), QStringLiteral("Parts and accessories"), QStringLiteral("Repairs")};
    for (int m = 0; m < 12; ++m)
        book.setEntry(1, 2 + m, months[m]);
    for (int p = 0; p < 3; ++p) {
        book.setEntry(2 + p, 1, lines[p]);
        for (int m = 0; m < 12; ++m)
            book.setEntry(2 + p, 2 + m, QString::number((3 - p) * 4200 + m * m * 95 * (p + 1) + (m % 3) * 700));
    }
    book.setNumberFormat(workbook::CellRange{2, 2, 4, 13}, QStringLiteral("$#,##0"));
    QTemporaryDir dir;
    chart::ChartDefinition chart;
    chart.dataRange = QStringLiteral("A1:M4");
    chart.title = QStringLiteral("Monthly Sales Forecast");
    chart.valueAxisTitle = QStringLiteral("Sales");
    const QString path = dir.filePath(QStringLiteral("Grf0503.vtc"));
    chart::writeChartFile(path, chart);
    editors::frmGraph window;
    ASSERT_TRUE(window.graphTable(book, path));
    window.resize(900, 600);
    window.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.grab().save(folder + QStringLiteral("/graph-generator.png")));
}
