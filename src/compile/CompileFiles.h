#pragma once

// Everything compiling writes into the plan folder before the compiler
// starts, in order: the graph pictures, the export files with the Excel
// copies, then the table pictures. The command-line tool and the composer's
// Compile Plan both run it.

#include "compile/TableConversion.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace qv::plan {
class Plan;
class Table;
} // namespace qv::plan

namespace qv::workbook {
class Workbook;
}

namespace qv::compile {

// Draws a table's graph (the table's workbook, the outline's entry with its
// chart file) into a picture file; returns the reason on failure, else
// empty text. The graph generator provides it.
using GraphPictureMaker =
    std::function<QString(const workbook::Workbook &table, const plan::Table &entry, const QString &picturePath)>;

// Writes the graph pictures and the export files into the plan folder
// together, so that a failure leaves the folder as it was. Returns the names
// of the files written. Throws qv::QvError naming what failed.
QStringList writeGraphsAndExport(const plan::Plan &plan, const GraphPictureMaker &graphs,
                                 const PrintConversions &conversions);

// The graph generator's pictures, drawn from the chart files.
GraphPictureMaker graphGeneratorPictures();

// All that Compile Plan writes before the compiler starts: the graph
// pictures and the export files (together, as above), then the table
// pictures; `failedTable` hears the Excel name of each table whose picture
// could not be made. Returns the names written. Throws qv::QvError when the
// export failed, leaving the folder as it was.
QStringList writeCompileFiles(const plan::Plan &plan, const PrintConversions &conversions,
                              const std::function<void(const QString &excelName)> &failedTable);

} // namespace qv::compile
