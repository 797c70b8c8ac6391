#include "editors/graph/GraphPictures.h"

#include "controls/chart/ChartFile.h"
#include "controls/metafile/MetafilePicture.h"
#include "controls/workbook/Workbook.h"
#include "plan/FileNames.h"
#include "plan/Plan.h"
#include "plan/PlanBuilder.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qv;

TEST(GraphPictures, EveryGraphGetsItsPictureBesideItsTableUnderItsOwnName)
{
    QTemporaryDir folder;
    plan::PlanBuilder builder(plan::BusinessPlan);
    builder.filePath(folder.filePath(QStringLiteral("Acme.bpl")));
    builder.chapter(QStringLiteral("Sales")).section(QStringLiteral("Forecast"));
    builder.table(QStringLiteral("Tbl0503.vts"), QStringLiteral("Sales Forecast"), true);
    builder.table(QStringLiteral("Tbl0601.vts"), QStringLiteral("Advertising Budget"), true);
    builder.table(QStringLiteral("Tbl0505.vts"), QStringLiteral("Prices"), false);
    plan::Plan &plan = builder.plan();
    const auto *table = plan.outline().chapters().item(1)->sections().item(1)->tables().item(1).get();
    EXPECT_EQ(table->graphFileName(), QStringLiteral("Grf0503.vtc"));
    EXPECT_EQ(table->graphPictureFileName(), QStringLiteral("Grf0503.wmf"));
    EXPECT_EQ(plan::chartFileNameOf(QStringLiteral("Tbl0404")), QStringLiteral("Grf0404.vtc"));

    workbook::Workbook sales;
    sales.setEntry(1, 2, QStringLiteral("Jan"));
    sales.setEntry(2, 1, QStringLiteral("Sales"));
    sales.setEntry(2, 2, QStringLiteral("1200"));
    chart::ChartDefinition chart;
    chart.dataRange = QStringLiteral("A1:B2");
    const QString planFolder = plan.folder() + QLatin1Char('/');
    ASSERT_FALSE(planFolder.isEmpty());
    QDir().mkpath(planFolder);
    chart::writeChartFile(planFolder + QStringLiteral("Grf0503.vtc"), chart);
    // Tbl0601's chart file is missing: reported, and the other graph is still drawn.

    const QStringList problems = editors::updateGraphPictures(plan, [&](const QString &name) -> const workbook::Workbook * {
        return name == QLatin1String("Tbl0503") || name == QLatin1String("Tbl0601") ? &sales : nullptr;
    });
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains(QStringLiteral("Advertising Budget")));
    EXPECT_TRUE(metafile::MetafilePicture::fromFile(planFolder + QStringLiteral("Grf0503.wmf")));
    EXPECT_FALSE(QFileInfo::exists(planFolder + QStringLiteral("Grf0601.wmf")));
    EXPECT_FALSE(QFileInfo::exists(planFolder + QStringLiteral("Tbl0503.wmf")));
}
