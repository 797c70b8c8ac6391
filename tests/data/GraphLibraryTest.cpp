// Walks the generated template library's graphs: every table a template
// marks with a graph has its chart file, the chart's range lies inside the
// table, and the graph draws figures; the example graphs likewise.

#include "controls/chart/ChartFile.h"
#include "controls/chart/ChartRenderer.h"
#include "controls/workbook/VtsFile.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "platform/Error.h"
#include "plan/FileNames.h"
#include "plan/ModEnglish.h"
#include "plan/Plan.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace qv;

namespace {

const QString library = QStringLiteral(QV_INSTALL_DIR "/Data/ENG");

struct Template
{
    QString document;
    QString tables;
    QString examples;
};

// Every template document with its tables and example folders.
std::vector<Template> templates()
{
    std::vector<Template> result;
    QDirIterator it(library, {QStringLiteral("default.~pl")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString document = it.next();
        const QString folder = QFileInfo(document).absolutePath();
        const bool business = document.contains(QLatin1String("/BusPlan/"));
        if (business) {
            const QString stage = QFileInfo(folder).fileName();
            const QString kind = QFileInfo(QFileInfo(folder).absolutePath()).fileName();
            const QString set = kind == QLatin1String("Custom") ? kind : QStringLiteral("Common");
            result.push_back({document, library + QStringLiteral("/BusPlan/%1/%2/Tables").arg(set, stage),
                              folder + QStringLiteral("/Example")});
        } else {
            QDirIterator kinds(library + QStringLiteral("/MrktPlan"), QDir::Dirs | QDir::NoDotAndDotDot);
            while (kinds.hasNext()) {
                const QString kind = kinds.next();
                if (QFileInfo::exists(kind + QStringLiteral("/Example")))
                    result.push_back({document, library + QStringLiteral("/MrktPlan/Common/Tables"),
                                      kind + QStringLiteral("/Example")});
            }
        }
    }
    return result;
}

// What is wrong with one graph of one table, or nothing.
// A template's tables hold no figures yet, so only an example must draw some.
QString graphProblem(const QString &chartPath, const QString &tablesFolder, const QString &tableFile,
                     bool mustDrawFigures)
{
    chart::ChartDefinition definition;
    try {
        definition = chart::readChartFile(chartPath);
    } catch (const QvError &e) {
        return chartPath + QStringLiteral(": ") + e.description();
    }
    workbook::WorkbookSet set;
    workbook::loadFolder(set, tablesFolder);
    set.recalculate();
    const workbook::Workbook *book = set.find(workbook::tableNameOf(tableFile));
    if (!book)
        return tableFile + QStringLiteral(": cannot be read");
    const auto range = workbook::parseCellRange(definition.dataRange);
    if (!range || range->bottom > book->lastRow() || range->right > book->lastCol())
        return chartPath + QStringLiteral(": the range %1 is not inside the table").arg(definition.dataRange);
    const chart::ChartData data = chart::chartDataFor(*book, definition);
    // A template's products and media have no names yet, so its graph may lack series.
    if (mustDrawFigures ? data.isEmpty() : data.categories.isEmpty())
        return chartPath + QStringLiteral(": the graph shows no figures");
    QImage image(624, 384, QImage::Format_RGB32);
    QPainter painter(&image);
    const chart::ChartLayout layout = chart::drawChart(painter, QRectF(0, 0, 624, 384), definition, data);
    bool drawsSeries = false;
    for (const chart::ChartElement &e : layout.elements)
        drawsSeries = drawsSeries || e.kind == chart::ChartElement::Series;
    return drawsSeries || !mustDrawFigures ? QString() : chartPath + QStringLiteral(": the graph draws nothing");
}

} // namespace

TEST(GraphLibrary, EveryMarkedTableHasAChartThatDrawsItsTableAndItsExample)
{
    if (!QFileInfo(library).isDir())
        GTEST_SKIP() << "the library is not generated: " << library.toStdString();
    QStringList problems;
    int graphs = 0;
    for (const Template &t : templates()) {
        plan::Plan plan;
        plan.Initialise(QStringLiteral("B"), QStringLiteral("M"));
        plan.planInfo().setPlanType(plan::ModEnglish::PlanTypeOfDocument(t.document));
        plan.setFilePath(t.document);
        ASSERT_TRUE(plan.Open()) << t.document.toStdString();
        for (const auto &chapter : plan.outline().chapters())
            for (const auto &section : chapter->sections())
                for (const auto &table : section->tables()) {
                    if (!table->hasGraph())
                        continue;
                    ++graphs;
                    if (table->graphFileName() != plan::chartFileNameOf(table->name()))
                        problems << t.document + QStringLiteral(": %1 names the chart %2")
                                                     .arg(table->name(), table->graphFileName());
                    const QString own = graphProblem(t.tables + u'/' + table->graphFileName(), t.tables,
                                                     table->fileName(), false);
                    if (!own.isEmpty())
                        problems << own;
                    const QString part = table->name().mid(3);
                    const QString exampleTable = t.examples + QStringLiteral("/TPL") + part + QStringLiteral(".vts");
                    if (!QFileInfo::exists(exampleTable))
                        continue;
                    // The example is drawn on its own, as the graph window's sample shows it.
                    const QString example = graphProblem(t.examples + QStringLiteral("/TPL") + part + QStringLiteral(".vtc"),
                                                         t.examples, exampleTable, true);
                    if (!example.isEmpty())
                        problems << example;
                }
    }
    problems.removeDuplicates();
    EXPECT_GT(graphs, 30);
    EXPECT_TRUE(problems.isEmpty()) << problems.join(u'\n').toStdString();
}
