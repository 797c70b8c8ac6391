#pragma once

// The table workbooks of a plan folder, loaded together so that a formula
// reading another table ("[Tbl0301]Sheet1!$B$2") shows its value in the
// copies, graph pictures and table pictures that compiling makes, as it
// does in the composer.

#include "controls/workbook/WorkbookSet.h"

#include <QHash>
#include <QString>

namespace qv::workbook {
class Workbook;
}

namespace qv::compile {

class FolderTables
{
public:
    // Reads every ".vts" file of the folder; one that cannot be read is
    // reported only when it is asked for.
    explicit FolderTables(const QString &folder);
    ~FolderTables();

    // The workbook of a table file of the folder (any case). Throws
    // qv::QvError when the file is missing or could not be read.
    workbook::Workbook &table(const QString &fileName);

private:
    QString m_folder;
    workbook::WorkbookSet m_set;
    QHash<QString, std::pair<long, QString>> m_failures; // by title in lower case
};

} // namespace qv::compile
