#pragma once

#include "controls/workbook/Workbook.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

namespace qv::workbook {

// The .vts workbook file: a JSON document named "quorvex-workbook" with a
// version, holding sheets, cells (values, formulas with cached results),
// formats, rows and columns, merges, selection, zoom, print area and
// protection. docs/formats.md describes it member by member.
namespace vts {

constexpr const char *formatName = "quorvex-workbook";
constexpr int formatVersion = 1;
constexpr qint64 maxFileSize = 256 * 1024 * 1024;

// Error numbers of QvError raised here.
constexpr long fileNotFound = 53;
constexpr long fileUnreadable = 75;
constexpr long badFileFormat = 31036;
constexpr long writeFailed = 31037;

QByteArray serialize(const WorkbookContent &content);
// Parses a whole document; throws qv::QvError naming what is wrong.
WorkbookContent parse(const QByteArray &data);

} // namespace vts
} // namespace qv::workbook

namespace qv::workbook {

class WorkbookSet;

// The table name of a workbook file: its file name less ".vts".
QString tableNameOf(const QString &path);
// Reads a file into a new workbook titled by its table name; throws qv::QvError.
std::shared_ptr<Workbook> loadWorkbook(const QString &path);
// Loads every .vts file of a folder into the set, as a plan's tables are
// loaded; returns one message per file that could not be read.
QStringList loadFolder(WorkbookSet &set, const QString &folder);

} // namespace qv::workbook
