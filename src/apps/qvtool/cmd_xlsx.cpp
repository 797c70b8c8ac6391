#include "apps/qvtool/Command.h"

#include "controls/workbook/ExcelCopy.h"
#include "controls/workbook/VtsFile.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "platform/Error.h"

#include <QFileInfo>

namespace {

using namespace qv::workbook;

int xlsx(qvtool::Context &c)
{
    if (c.args.size() != 2) {
        c.err << "usage: qvtool xlsx FILE.vts OUT\n";
        return 2;
    }
    const QString path = c.args[0];
    // Its folder's tables load with it, so linked values are current in the copy.
    WorkbookSet set;
    loadFolder(set, QFileInfo(path).absolutePath());
    try {
        Workbook *book = set.find(tableNameOf(path));
        if (!book)
            book = set.add(loadWorkbook(path));
        writeExcelCopy(*book, c.args[1]);
    } catch (const qv::QvError &e) {
        c.err << e.description() << "\n";
        return 1;
    }
    return 0;
}

const qvtool::CommandRegistration registration("xlsx", "xlsx FILE.vts OUT", xlsx);

} // namespace
