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

} // namespace qv::compile
