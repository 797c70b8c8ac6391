// qvtool profile: changes a plan's profile as the Plan Profile dialog's OK
// does, saves the plan and lists the tables it wrote.

#include "apps/qvtool/Command.h"

#include "composer/PlanTables.h"
#include "controls/workbook/VtsFile.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "create/creation/PlanProfile.h"
#include "create/creation/ProfileTables.h"
#include "plan/Currency.h"
#include "plan/ModEnglish.h"
#include "plan/Outline.h"
#include "plan/Plan.h"
#include "platform/Error.h"
#include "platform/Paths.h"

#include <QFile>

#include <map>

namespace {

using namespace qv;

const char synopsis[] = "profile PLAN [--name TEXT] [--year YYYY] [--month 1-12] [--years 1-5] "
                        "[--currency CODE] [--whom TEXT] [--date TEXT] [--submitter-name TEXT] [--street TEXT] "
                        "[--city TEXT] [--state TEXT] [--zip TEXT] [--telephone TEXT] [--fax TEXT]";

std::optional<int> numberIn(const QString &text, int low, int high)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && n >= low && n <= high ? std::optional<int>(n) : std::nullopt;
}

// Reads the options into changes; an empty text when they are all right, else what is wrong.
QString readOptions(const QStringList &args, create::ProfileChanges &c)
{
    const std::map<QString, std::optional<QString> create::ProfileChanges::*> texts{
        {QStringLiteral("--name"), &create::ProfileChanges::businessName},
        {QStringLiteral("--whom"), &create::ProfileChanges::submittedTo},
        {QStringLiteral("--date"), &create::ProfileChanges::submissionDate},
        {QStringLiteral("--submitter-name"), &create::ProfileChanges::name},
        {QStringLiteral("--street"), &create::ProfileChanges::street},
        {QStringLiteral("--city"), &create::ProfileChanges::city},
        {QStringLiteral("--state"), &create::ProfileChanges::state},
        {QStringLiteral("--zip"), &create::ProfileChanges::zip},
        {QStringLiteral("--telephone"), &create::ProfileChanges::telephone},
        {QStringLiteral("--fax"), &create::ProfileChanges::fax},
    };
    for (int i = 1; i < args.size(); i += 2) {
        const QString &option = args.at(i);
        if (i + 1 >= args.size())
            return option + QStringLiteral(" needs a value");
        const QString &value = args.at(i + 1);
        if (const auto text = texts.find(option); text != texts.end()) {
            c.*(text->second) = value;
        } else if (option == QLatin1String("--year")) {
            const auto year = create::yearFieldText(value);
            if (!year || year->isEmpty())
                return QString::fromLatin1(create::kInvalidValue) + QStringLiteral(": ") + value;
            c.year = year->toInt();
        } else if (option == QLatin1String("--month")) {
            if (!(c.month = numberIn(value, 1, 12)))
                return QStringLiteral("--month takes 1 to 12");
        } else if (option == QLatin1String("--years")) {
            if (!(c.projectedYears = numberIn(value, 1, 5)))
                return QStringLiteral("--years takes 1 to 5");
        } else if (option == QLatin1String("--currency")) {
            const plan::Currency *currency = plan::currencyOfCode(value);
            if (!currency) {
                QStringList codes;
                for (const plan::Currency &known : plan::currencies())
                    codes << known.code;
                return QStringLiteral("unknown currency %1 (one of %2)").arg(value, codes.join(QStringLiteral(", ")));
            }
            c.currencyType = currency->type;
        } else {
            return QStringLiteral("unknown option ") + option;
        }
    }
    return {};
}

int profile(qvtool::Context &c)
{
    if (c.args.isEmpty()) {
        c.err << "usage: qvtool " << synopsis << '\n';
        return 2;
    }
    create::ProfileChanges changes;
    if (const QString wrong = readOptions(c.args, changes); !wrong.isEmpty()) {
        c.err << wrong << "\nusage: qvtool " << synopsis << '\n';
        return 2;
    }
    plan::Plan plan;
    plan.Initialise(QStringLiteral("B"), QStringLiteral("M"));
    plan.planInfo().setPlanType(plan::ModEnglish::PlanTypeOfDocument(c.args.at(0)));
    plan.setFilePath(c.args.at(0));
    if (!plan.Open()) {
        c.err << plan.lastError() << '\n';
        return 1;
    }
    workbook::WorkbookSet set;
    {
        workbook::WorkbookSet::Batch batch(set);
        for (const composer::TableEntry &entry : composer::tablesInPlanOrder(plan.outline())) {
            const QString name = entry.table->name();
            if (set.contains(name))
                continue;
            try {
                set.add(workbook::loadWorkbook(entry.table->fileToLoad()), name);
            } catch (const QvError &e) {
                c.err << e.description() << '\n';
                return 1; // a table that cannot be read is never written over
            }
        }
    }
    create::LoadedWorkbooks tables(set);
    const create::ProfileOutcome outcome = create::applyProfileChanges(plan, tables, changes);
    for (const QString &problem : outcome.problems)
        c.err << "warning: " << problem << '\n';
    try {
        if (outcome.planChanged)
            plan.Save();
        for (const QString &name : outcome.tablesChanged) {
            const QString folder = plan.folder();
            set.find(name)->write(platform::joinPath(folder, name + QStringLiteral(".vts")));
            QFile::remove(platform::joinPath(folder, name + QStringLiteral(".tbf"))); // now committed
            c.out << name << '\n';
        }
    } catch (const QvError &e) {
        c.err << e.description() << '\n';
        return 1;
    }
    return 0;
}

const qvtool::CommandRegistration registration("profile", synopsis, profile);

} // namespace
