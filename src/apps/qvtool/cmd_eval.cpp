#include "apps/qvtool/Command.h"

#include "controls/workbook/VtsFile.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "platform/Error.h"

namespace {

using namespace qv::workbook;

// Prints a value as qvtool prints every value.
QString printed(const Value &v)
{
    return v.isNumber() ? qvtool::formatNumber(v.number) : plainText(v);
}

int eval(qvtool::Context &c)
{
    QStringList loads, formulas;
    bool optionsDone = false;
    for (int i = 0; i < c.args.size(); ++i) {
        const QString &a = c.args[i];
        if (!optionsDone && a == QLatin1String("--")) {
            optionsDone = true;
        } else if (!optionsDone && a == QLatin1String("--load")) {
            if (i + 1 >= c.args.size()) {
                c.err << "usage: qvtool eval [--load FILE.vts]... [--] FORMULA...\n";
                return 2;
            }
            loads << c.args[++i];
        } else {
            formulas << a;
        }
    }
    WorkbookSet set;
    {
        WorkbookSet::Batch batch(set); // one recalculation for all loaded workbooks
        for (const QString &path : loads) {
            try {
                set.add(loadWorkbook(path));
            } catch (const qv::QvError &e) {
                c.err << e.description() << "\n";
                return 1;
            }
        }
    }
    if (formulas.isEmpty()) {
        c.err << "usage: qvtool eval [--load FILE.vts]... [--] FORMULA...\n";
        return 2;
    }
    int status = 0;
    for (const QString &f : formulas) {
        QString error;
        const Value v = set.evaluate(f, &error);
        c.out << printed(v) << "\n";
        if (!error.isEmpty()) {
            c.err << f << ": " << error << "\n";
            status = 1;
        }
    }
    return status;
}

const qvtool::CommandRegistration registration("eval", "eval [--load FILE.vts]... [--] FORMULA...", eval);

} // namespace
