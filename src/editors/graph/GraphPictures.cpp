#include "editors/graph/GraphPictures.h"

#include "controls/chart/ChartFile.h"
#include "controls/chart/ChartPicture.h"
#include "controls/workbook/Workbook.h"
#include "platform/Error.h"
#include "plan/Plan.h"

#include <QObject>

namespace qv::editors {

QString chartFilePath(const plan::Table &table)
{
    return table.graphFileName().isEmpty() ? QString() : table.folder() + table.graphFileName();
}

QString graphPicturePath(const plan::Table &table)
{
    return table.graphPictureFileName().isEmpty() ? QString() : table.folder() + table.graphPictureFileName();
}

TableGraph loadTableGraph(const plan::Table &table, const workbook::Workbook &book)
{
    TableGraph graph;
    graph.chart = chart::readChartFile(chartFilePath(table));
    if (graph.chart.title.trimmed().isEmpty())
        graph.chart.title = table.graphTitle().isEmpty() ? table.displayName() : table.graphTitle();
    graph.data = chart::chartDataFor(book, graph.chart);
    return graph;
}

QString writeTableGraphPicture(const plan::Table &table, const workbook::Workbook &book, const QString &path)
{
    try {
        const TableGraph graph = loadTableGraph(table, book);
        return chart::writeChartPicture(path, graph.chart, graph.data);
    } catch (const QvError &e) {
        return e.description();
    }
}

QStringList updateGraphPictures(const plan::Plan &plan, const TableLookup &tableOf)
{
    QStringList problems;
    for (const auto &chapter : plan.outline().chapters())
        for (const auto &section : chapter->sections())
            for (const auto &table : section->tables()) {
                if (!table->hasGraph() || table->graphFileName().isEmpty())
                    continue;
                const workbook::Workbook *book = tableOf(table->name());
                const QString failure = book ? writeTableGraphPicture(*table, *book, graphPicturePath(*table))
                                             : QObject::tr("The table is not loaded.");
                if (!failure.isEmpty())
                    problems << QObject::tr("Graph of %1: %2").arg(table->displayName(), failure);
            }
    return problems;
}

} // namespace qv::editors
