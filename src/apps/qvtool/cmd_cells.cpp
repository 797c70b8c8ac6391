#include "apps/qvtool/Command.h"

#include "controls/workbook/VtsFile.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "platform/Error.h"

#include <QFileInfo>

namespace {

using namespace qv::workbook;

// The sheet "--sheet" names: its number from 1 or its name; -1 when the
// workbook has no such sheet.
int sheetOf(const Workbook &book, const QString &wanted)
{
    bool isNumber = false;
    const int number = wanted.toInt(&isNumber);
    if (isNumber)
        return number >= 1 && number <= book.sheetCount() ? number - 1 : -1;
    return book.sheetIndex(wanted);
}

int cells(qvtool::Context &c)
{
    QStringList args = c.args;
    QString wantedSheet = QStringLiteral("1");
    if (const auto at = args.indexOf(QStringLiteral("--sheet")); at >= 0) {
        if (at + 1 >= args.size()) {
            c.err << "--sheet needs a sheet's number or name\n";
            return 2;
        }
        wantedSheet = args.at(at + 1);
        args.remove(at, 2);
    }
    if (args.size() < 1 || args.size() > 2) {
        c.err << "usage: qvtool cells FILE.vts [RANGE] [--sheet N|NAME]\n";
        return 2;
    }
    const QString path = args[0];
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
    const int sheet = sheetOf(*book, wantedSheet);
    if (sheet < 0) {
        c.err << "no sheet " << wantedSheet << " in " << path << "\n";
        return 2;
    }
    book->setActiveSheet(sheet);
    CellRange range;
    if (args.size() == 2) {
        const auto parsed = parseCellRange(args[1]);
        if (!parsed) {
            c.err << "not a cell range: " << args[1] << "\n";
            return 2;
        }
        range = *parsed;
        if (range.bottom == maxRows) range.bottom = std::max(book->sheetData(sheet).lastStoredRow(), range.top);
        if (range.right == maxColumns) range.right = std::max(book->sheetData(sheet).lastStoredCol(), range.left);
    } else {
        const auto used = book->usedRange();
        if (!used)
            return 0;
        range = *used;
    }
    for (int row = range.top; row <= range.bottom; ++row) {
        QStringList fields;
        for (int col = range.left; col <= range.right; ++col) {
            const Value &v = book->storedValue(sheet, row, col);
            fields << (v.isNumber() ? qvtool::formatNumber(v.number) : plainText(v));
        }
        c.out << fields.join(u'\t') << "\n";
    }
    return 0;
}

const qvtool::CommandRegistration registration("cells", "cells FILE.vts [RANGE] [--sheet N|NAME]", cells);

} // namespace
