#include "apps/qvtool/Command.h"

#include "controls/workbook/VtsFile.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "platform/Error.h"

#include <QFileInfo>

namespace {

using namespace qv::workbook;

int cells(qvtool::Context &c)
{
    if (c.args.size() < 1 || c.args.size() > 2) {
        c.err << "usage: qvtool cells FILE.vts [RANGE]\n";
        return 2;
    }
    const QString path = c.args[0];
    // The tables of the file's folder load together, so links resolve.
    WorkbookSet set;
    const QStringList problems = loadFolder(set, QFileInfo(path).absolutePath());
    Workbook *book = set.find(tableNameOf(path));
    if (!book) {
        try {
            set.add(loadWorkbook(path)); // a file outside the folder listing, or one that fails to read
            book = set.find(tableNameOf(path));
        } catch (const qv::QvError &e) {
            c.err << e.description() << "\n";
            return 1;
        }
    }
    for (const QString &problem : problems)
        c.err << "warning: " << problem << "\n";
    book->setActiveSheet(0);
    CellRange range;
    if (c.args.size() == 2) {
        const auto parsed = parseCellRange(c.args[1]);
        if (!parsed) {
            c.err << "not a cell range: " << c.args[1] << "\n";
            return 2;
        }
        range = *parsed;
        if (range.bottom == maxRows) range.bottom = std::max(book->sheetData(0).lastStoredRow(), range.top);
        if (range.right == maxColumns) range.right = std::max(book->sheetData(0).lastStoredCol(), range.left);
    } else {
        const auto used = book->usedRange();
        if (!used)
            return 0;
        range = *used;
    }
    for (int row = range.top; row <= range.bottom; ++row) {
        QStringList fields;
        for (int col = range.left; col <= range.right; ++col) {
            const Value &v = book->storedValue(0, row, col);
            fields << (v.isNumber() ? qvtool::formatNumber(v.number) : plainText(v));
        }
        c.out << fields.join(u'\t') << "\n";
    }
    return 0;
}

const qvtool::CommandRegistration registration("cells", "cells FILE.vts [RANGE]", cells);

} // namespace
