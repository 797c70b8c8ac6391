// qvtool graph: a table's graph as compile writes it, or its figures.

#include "apps/qvtool/Command.h"

#include "controls/workbook/VtsFile.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "editors/graph/GraphPictures.h"
#include "controls/chart/ChartPicture.h"
#include "platform/Error.h"
#include "plan/ModEnglish.h"
#include "plan/Plan.h"

#include <cmath>

namespace {

using namespace qv;

const char *usage = "usage: qvtool graph PLAN TABLE OUT.(wmf|svg|png|pdf)\n"
                    "       qvtool graph --data PLAN TABLE\n";

const plan::Table *findTable(const plan::Plan &plan, const QString &name)
{
    QString wanted = name;
    if (wanted.endsWith(QLatin1String(".vts"), Qt::CaseInsensitive))
        wanted.chop(4);
    for (const auto &chapter : plan.outline().chapters())
        for (const auto &section : chapter->sections())
            for (const auto &table : section->tables())
                if (table->name().compare(wanted, Qt::CaseInsensitive) == 0)
                    return table.get();
    return nullptr;
}

QString field(const QString &text)
{
    QString out = text;
    for (QChar &ch : out)
        if (ch == u'\t' || ch == u'\n' || ch == u'\r')
            ch = u' ';
    return out;
}

void printData(qvtool::Context &c, const chart::ChartData &data)
{
    QStringList line{QStringLiteral("categories")};
    for (const QString &category : data.categories)
        line << field(category);
    c.out << line.join(u'\t') << '\n';
    for (const chart::ChartSeries &series : data.series) {
        QStringList values{field(series.label)};
        for (double v : series.values)
            values << (std::isnan(v) ? QString() : qvtool::formatNumber(v));
        c.out << values.join(u'\t') << '\n';
    }
}

int graph(qvtool::Context &c)
{
    const bool dataOnly = !c.args.isEmpty() && c.args.first() == QLatin1String("--data");
    const QStringList args = dataOnly ? c.args.mid(1) : c.args;
    if (args.size() != (dataOnly ? 2 : 3)) {
        c.err << usage;
        return 2;
    }
    if (!dataOnly && !chart::isChartPictureFormat(args[2])) {
        c.err << "the picture's extension must be .wmf, .svg, .png or .pdf: " << args[2] << '\n';
        return 2;
    }
    plan::Plan plan;
    plan.Initialise(QStringLiteral("B"), QStringLiteral("M"));
    plan.planInfo().setPlanType(plan::ModEnglish::PlanTypeOfDocument(args[0]));
    plan.setFilePath(args[0]);
    if (!plan.Open()) {
        c.err << plan.lastError() << '\n';
        return 1;
    }
    const plan::Table *table = findTable(plan, args[1]);
    if (!table) {
        c.err << "the plan has no table " << args[1] << '\n';
        return 1;
    }
    if (!table->hasGraph() || table->graphFileName().isEmpty()) {
        c.err << "the table " << table->name() << " has no graph\n";
        return 1;
    }
    // The plan's tables load together, so links between them resolve.
    workbook::WorkbookSet set;
    const QStringList problems = workbook::loadFolder(set, plan.folder());
    const workbook::Workbook *book = set.find(table->name());
    if (!book) {
        for (const QString &problem : problems)
            c.err << problem << '\n';
        c.err << "the table file " << table->fileName() << " cannot be read\n";
        return 1;
    }
    try {
        const editors::TableGraph graph = editors::loadTableGraph(*table, *book);
        if (dataOnly) {
            printData(c, graph.data);
            return 0;
        }
        const QString failure = chart::writeChartPicture(args[2], graph.chart, graph.data);
        if (!failure.isEmpty()) {
            c.err << failure << '\n';
            return 1;
        }
    } catch (const QvError &e) {
        c.err << e.description() << '\n';
        return 1;
    }
    return 0;
}

const qvtool::CommandRegistration registration("graph", "graph [--data] PLAN TABLE [OUT.wmf|svg|png|pdf]", graph);

} // namespace
