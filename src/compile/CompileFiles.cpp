#include "compile/CompileFiles.h"

#include "compile/CompileExport.h"
#include "compile/CompileErrors.h"
#include "compile/FolderTables.h"
#include "compile/StagedFiles.h"
#include "compile/TablePictures.h"
#include "editors/graph/GraphPictures.h"
#include "controls/workbook/Workbook.h"
#include "platform/Error.h"
#include "plan/Plan.h"
#include "platform/Paths.h"

namespace qv::compile {

namespace {

// Every table with a graph, in every section whatever its status: a graph
// of an excluded section is pictured, only not listed.
void stageGraphPictures(const plan::Plan &plan, FolderTables &tables, const GraphPictureMaker &graphs,
                        StagedFiles &staged)
{
    for (const auto &chapter : plan.outline().chapters())
        for (const auto &section : chapter->sections())
            for (const auto &table : section->tables()) {
                if (!table->hasGraph() || table->fileName().isEmpty() || table->graphPictureFileName().isEmpty())
                    continue;
                const workbook::Workbook &book = tables.table(table->fileName());
                const QString failure = graphs(book, *table, staged.stagingPath(table->graphPictureFileName()));
                if (!failure.isEmpty())
                    throw QvError(kPathFileAccessError, QStringLiteral("Export"),
                                  failure + QStringLiteral("\r\nSaving ") + table->graphPictureFileName());
            }
}

} // namespace

QStringList writeGraphsAndExport(const plan::Plan &plan, const GraphPictureMaker &graphs,
                                 const PrintConversions &conversions)
{
    StagedFiles staged(plan.folder());
    FolderTables tables(plan.folder());
    if (graphs)
        stageGraphPictures(plan, tables, graphs, staged);
    stageExport(plan, tables, staged, conversions);
    return staged.commit();
}

GraphPictureMaker graphGeneratorPictures()
{
    return [](const workbook::Workbook &book, const plan::Table &entry, const QString &picturePath) {
        return editors::writeTableGraphPicture(entry, book, picturePath);
    };
}

QStringList writeCompileFiles(const plan::Plan &plan, const PrintConversions &conversions,
                              const std::function<void(const QString &excelName)> &failedTable)
{
    QStringList written = writeGraphsAndExport(plan, graphGeneratorPictures(), conversions);
    written += convertListedTables(plan.folder(), conversions, failedTable);
    return written;
}

} // namespace qv::compile
