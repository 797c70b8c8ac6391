#pragma once

// The export of an open plan for the compilers: "Field.txt", "Chapters.txt",
// "Sections.txt", "files.txt" and "bpfiles.csv" in outline order, and an
// Excel copy of every exported table, all in the plan folder.

#include "compile/TableConversion.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace qv::plan {
class Plan;
class Table;
} // namespace qv::plan

namespace qv::compile {

struct ExportTexts
{
    QByteArray field;    // "Field.txt"
    QByteArray chapters; // "Chapters.txt"
    QByteArray sections; // "Sections.txt"
    QByteArray files;    // "files.txt"
    QByteArray bpfiles;  // "bpfiles.csv"
};

// Converts one table (writing its Excel copy) and returns its measurement.
using TableConverter = std::function<TableMeasurement(const plan::Table &table)>;

QByteArray fieldFile(const plan::Plan &plan);
// The four list files and "Field.txt"; `convert` runs for every table of
// every exported section, in outline order.
ExportTexts exportTexts(const plan::Plan &plan, const TableConverter &convert);

class FolderTables;
class StagedFiles;
// The whole export into staged files: the Excel copies are made from the
// plan folder's tables and written with the print conversions. Throws
// qv::QvError when a table cannot be read or a file written.
void stageExport(const plan::Plan &plan, FolderTables &tables, StagedFiles &staged, const PrintConversions &conversions);

} // namespace qv::compile
