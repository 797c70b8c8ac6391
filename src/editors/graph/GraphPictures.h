#pragma once

#include "controls/chart/ChartData.h"
#include "controls/chart/ChartDefinition.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace qv::plan {
class Plan;
class Table;
} // namespace qv::plan
namespace qv::workbook {
class Workbook;
}

namespace qv::editors {

// The chart file of a table's graph and the graph's picture, both in the
// plan folder ("Grf0404.vtc", "Grf0404.wmf").
QString chartFilePath(const plan::Table &table);
QString graphPicturePath(const plan::Table &table);

// A table's graph as compile draws it: the chart read from its file, with
// the plan's graph title where the chart has none, and its figures from the
// table with hidden lines removed. Throws qv::QvError when the chart file
// is missing or damaged.
struct TableGraph
{
    chart::ChartDefinition chart;
    chart::ChartData data;
};
TableGraph loadTableGraph(const plan::Table &table, const workbook::Workbook &book);

// Writes the graph's picture in the format of the path's extension; an
// empty text on success, else the reason.
QString writeTableGraphPicture(const plan::Table &table, const workbook::Workbook &book, const QString &path);

// Update graph pictures: every table with a graph, in plan order, gets its
// picture beside its table. Returns one line per graph that failed; the
// others are still written.
using TableLookup = std::function<const workbook::Workbook *(const QString &tableName)>;
QStringList updateGraphPictures(const plan::Plan &plan, const TableLookup &tableOf);

} // namespace qv::editors
