#pragma once

// The table pictures compilers place: for every table listed in
// "files.txt" whose Excel copy exists, a Windows metafile of the copy's
// range (rows 1 to its last row, columns 1 to its last column) with the
// copy's print conversions and border, drawn from the table's workbook,
// named plan folder + the upper-case name before ".XLS" + ".WMF".

#include "compile/ExportRecords.h"
#include "compile/TableConversion.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace qv::compile {

// "Tbl0404.xls" gives "TBL0404.WMF", "tbl0404.XLS" too.
QString tablePictureName(const QString &excelName);

// Converts the tables "files.txt" in the folder lists; `failed` hears the
// Excel name of each table whose picture could not be made. Returns the
// names of the pictures written.
QStringList convertListedTables(const QString &planFolder, const PrintConversions &conversions,
                                const std::function<void(const QString &excelName)> &failed);

// The compile command's conversion: the plan folder from the "dir" setting.
// False, after `beforeMessage` and the message "Plan to compile is not
// located", when no folder is stored; otherwise converts, showing "Error
// retrieving file: " + Excel name for each table that fails, and returns true.
bool ConvertTables(const std::function<void()> &beforeMessage = {});

} // namespace qv::compile
