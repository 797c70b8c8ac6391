// Making the pictures of every graph of a 60-table plan, as compile does
// before it writes its files: each table a year-by-month sales table of
// 13 lines by 13 columns with two hidden lines, each graph a different
// kind. Prints the time for all 60 pictures (median of 5 runs) and the
// size of a picture; the goal is under one second for the whole plan.

#include "controls/chart/ChartFile.h"
#include "controls/workbook/Workbook.h"
#include "editors/graph/GraphPictures.h"
#include "plan/FileNames.h"
#include "plan/Plan.h"
#include "plan/PlanBuilder.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

using namespace qv;

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QTemporaryDir folder;
    plan::PlanBuilder builder(plan::BusinessPlan);
    builder.filePath(folder.filePath(QStringLiteral("Bench.bpl")));
    std::map<QString, std::unique_ptr<workbook::Workbook>> books;
    std::map<QString, chart::ChartDefinition> charts;
    const auto &types = chart::allChartTypes();
    for (int t = 0; t < 60; ++t) {
        if (t % 6 == 0)
            builder.chapter(QStringLiteral("Chapter %1").arg(t / 6 + 1));
        builder.section(QStringLiteral("Section %1").arg(t + 1));
        const QString name = QStringLiteral("Tbl%1").arg(t + 101, 4, 10, QLatin1Char('0'));
        builder.table(name + QStringLiteral(".vts"), QStringLiteral("Table %1").arg(t + 1), true);
        auto book = std::make_unique<workbook::Workbook>();
        for (int m = 1; m <= 12; ++m)
            book->setEntry(1, 1 + m, QStringLiteral("Month %1").arg(m));
        for (int r = 2; r <= 13; ++r) {
            book->setEntry(r, 1, QStringLiteral("Product %1").arg(r - 1));
            for (int m = 1; m <= 12; ++m)
                book->setEntry(r, 1 + m, QString::number(1000 * r + 37 * m * (t + 1)));
        }
        book->setRowsHidden(5, 6, true);
        chart::ChartDefinition chart;
        chart.type = types[std::size_t(t) % types.size()];
        chart.dataRange = QStringLiteral("A1:M13");
        chart.title = QStringLiteral("Sales by month, table %1").arg(t + 1);
        charts[name] = chart;
        books[name] = std::move(book);
    }
    const plan::Plan &plan = builder.plan();
    QDir().mkpath(plan.folder());
    for (const auto &[name, chart] : charts)
        chart::writeChartFile(QDir(plan.folder()).filePath(plan::chartFileNameOf(name)), chart);
    auto lookup = [&](const QString &name) -> const workbook::Workbook * {
        const auto it = books.find(name);
        return it == books.end() ? nullptr : it->second.get();
    };
    std::vector<double> times;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        const QStringList problems = editors::updateGraphPictures(plan, lookup);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (!problems.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(problems.join(u'\n')));
            return 1;
        }
    }
    std::sort(times.begin(), times.end());
    qint64 bytes = 0;
    int pictures = 0;
    QDirIterator it(plan.folder(), {QStringLiteral("*.wmf")});
    while (it.hasNext()) {
        bytes += QFileInfo(it.next()).size();
        ++pictures;
    }
    std::printf("graph pictures of a 60-table plan: %d pictures, median %.1f ms, slowest %.1f ms, "
                "%.1f ms a picture, %lld bytes a picture on average\n",
                pictures, times[times.size() / 2], times.back(), times[times.size() / 2] / 60,
                static_cast<long long>(pictures ? bytes / pictures : 0));
    return 0;
}
