#include "apps/qvtool/Command.h"

#include "controls/workbook/VtsFile.h"
#include "controls/workbook/Workbook.h"
#include "platform/Error.h"

namespace {

using namespace qv::workbook;

QString joined(const std::vector<int> &numbers)
{
    QStringList parts;
    for (int n : numbers)
        parts << QString::number(n);
    return parts.join(u',');
}

int info(qvtool::Context &c)
{
    if (c.args.size() != 1) {
        c.err << "usage: qvtool info FILE.vts\n";
        return 2;
    }
    Workbook book;
    try {
        book.read(c.args[0]);
    } catch (const qv::QvError &e) {
        c.err << e.description() << "\n";
        return 1;
    }
    book.setActiveSheet(0);
    c.out << "title=" << book.title() << "\n";
    c.out << "sheets=" << book.sheetCount() << "\n";
    c.out << "last_row=" << book.lastRow() << "\n";
    c.out << "last_col=" << book.lastCol() << "\n";
    c.out << "max_col=" << book.maxCol() << "\n";
    c.out << "hidden_rows=" << joined(book.hiddenRows()) << "\n";
    c.out << "hidden_cols=" << joined(book.hiddenColumns()) << "\n";
    c.out << "protected=" << qvtool::formatBool(book.isProtected()) << "\n";
    return 0;
}

const qvtool::CommandRegistration registration("info", "info FILE.vts", info);

} // namespace
