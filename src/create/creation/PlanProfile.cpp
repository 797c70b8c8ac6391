#include "create/creation/PlanProfile.h"

#include "controls/workbook/Workbook.h"
#include "create/creation/AnswerValues.h"
#include "create/creation/CProfileHelper.h"
#include "create/creation/ProfileTables.h"
#include "plan/Currency.h"
#include "plan/Plan.h"
#include "platform/Error.h"

#include <algorithm>

namespace qv::create {

namespace {

// Hands every call on and notes which tables changed, in order.
class RecordingTables final : public ProfileTables
{
public:
    explicit RecordingTables(ProfileTables &tables) : m_tables(tables) {}
    workbook::Workbook *find(const QString &name) const override { return m_tables.find(name); }
    std::vector<QString> names() const override { return m_tables.names(); }
    void tableChanged(const QString &name) override
    {
        m_tables.tableChanged(name);
        const auto same = [&](const QString &n) { return n.compare(name, Qt::CaseInsensitive) == 0; };
        if (std::none_of(changed.begin(), changed.end(), same))
            changed.push_back(name);
    }
    std::vector<QString> changed;

private:
    ProfileTables &m_tables;
};

// Step 4: every queued value into its cell; each table changed once, after its last value.
void writeQueuedValues(const CProfileHelper &helper, RecordingTables &tables, QStringList &problems)
{
    std::vector<QString> touched;
    for (int index = 0; index < helper.getCount(); ++index) {
        QString key, value;
        helper.getValues(index, key, value);
        const std::optional<CellKey> cell = parseCellKey(key);
        workbook::Workbook *book = cell ? tables.find(cell->table) : nullptr;
        if (!book) {
            problems << QStringLiteral("%1: the plan has no such table cell.").arg(cellKeyText(key));
            continue;
        }
        if (const workbook::EditResult result = writeQueuedValue(*book, cell->row, cell->col, value); !result) {
            problems << QStringLiteral("%1: %2").arg(cellKeyText(key), result.message);
            continue;
        }
        if (std::find(touched.begin(), touched.end(), book->title()) == touched.end())
            touched.push_back(book->title());
    }
    for (const QString &table : touched) {
        try {
            tables.tableChanged(table);
        } catch (const QvError &e) {
            problems << e.description();
        }
    }
}

void changeCurrency(const plan::Currency &currency, RecordingTables &tables)
{
    for (const QString &name : tables.names()) {
        workbook::Workbook *book = tables.find(name);
        const bool changed = book && book->rewriteNumberFormats([&](const QString &code) {
            return plan::isCurrencyFormat(code) ? plan::withCurrency(code, currency) : code;
        });
        if (changed)
            tables.tableChanged(name);
    }
}

template <typename T, typename Get, typename Set>
bool store(const std::optional<T> &wanted, Get &&get, Set &&set)
{
    if (!wanted || *wanted == get())
        return false;
    set(*wanted);
    return true;
}

bool storeCoverPage(plan::Plan &plan, const ProfileChanges &c)
{
    plan::Submitter &s = plan.submitter();
    plan::Address &a = s.address();
    bool changed = false;
    changed |= store(c.submittedTo, [&] { return s.submittedTo(); }, [&](const QString &v) { s.setSubmittedTo(v); });
    changed |= store(c.submissionDate, [&] { return s.submissionDate().toString(); },
                     [&](const QString &v) { s.setSubmissionDate(v); });
    changed |= store(c.name, [&] { return a.name(); }, [&](const QString &v) { a.setName(v); });
    changed |= store(c.street, [&] { return a.street(); }, [&](const QString &v) { a.setStreet(v); });
    changed |= store(c.city, [&] { return a.city(); }, [&](const QString &v) { a.setCity(v); });
    changed |= store(c.state, [&] { return a.state(); }, [&](const QString &v) { a.setState(v); });
    changed |= store(c.zip, [&] { return a.zip(); }, [&](const QString &v) { a.setZip(v); });
    changed |= store(c.telephone, [&] { return a.telephone(); }, [&](const QString &v) { a.setTelephone(v); });
    changed |= store(c.fax, [&] { return a.fax(); }, [&](const QString &v) { a.setFax(v); });
    return changed;
}

} // namespace

ProfileChanges ProfileChanges::fromPlan(const plan::Plan &plan)
{
    const plan::Profile &p = plan.profile();
    const plan::Submitter &s = plan.submitter();
    const plan::Address &a = s.address();
    ProfileChanges c;
    c.businessName = plan.planInfo().businessName();
    if (p.firstYearDate().isValid())
        c.year = p.firstYearDate().year();
    if (p.month() >= 1 && p.month() <= 12)
        c.month = p.month();
    c.projectedYears = p.projectedYears();
    c.currencyType = p.currencyType();
    c.submittedTo = s.submittedTo();
    c.submissionDate = s.submissionDate().toString();
    c.name = a.name();
    c.street = a.street();
    c.city = a.city();
    c.state = a.state();
    c.zip = a.zip();
    c.telephone = a.telephone();
    c.fax = a.fax();
    return c;
}

std::optional<QString> yearFieldText(const QString &text)
{
    if (text.trimmed().isEmpty())
        return QString();
    if (text.size() > 4)
        return std::nullopt;
    const std::optional<int> year = answerYear(text);
    if (!year)
        return std::nullopt;
    return QString::number(*year).rightJustified(4, u'0');
}

ProfileOutcome applyProfileChanges(plan::Plan &plan, ProfileTables &tables, const ProfileChanges &changes)
{
    ProfileOutcome outcome;
    RecordingTables recording(tables);
    CProfileHelper helper;
    helper.setTables(&recording);
    plan::PlanInfo &info = plan.planInfo();
    plan::Profile &profile = plan.profile();
    bool changed = false;

    // 1. Business name.
    if (changes.businessName && *changes.businessName != info.businessName()) {
        info.setBusinessName(*changes.businessName);
        helper.handleBusinessName(plan);
        changed = true;
    }
    // 2. Year and month: only a chosen month, with a year to go with it.
    const int year = changes.year.value_or(profile.firstYearDate().isValid() ? profile.firstYearDate().year() : 0);
    if (changes.month && *changes.month >= 1 && *changes.month <= 12 && year > 0
        && (*changes.month != profile.month() || !profile.firstYearDate().isValid()
            || year != profile.firstYearDate().year())) {
        profile.setMonth(*changes.month);
        profile.setFirstYearDate(QDate(year, 1, 1));
        helper.handleYearandMonth(plan);
        changed = true;
    }
    // 3. Projected years: the projection tables narrow at once.
    if (changes.projectedYears && *changes.projectedYears >= 1 && *changes.projectedYears != profile.projectedYears()) {
        profile.setProjectedYears(*changes.projectedYears);
        changed = true;
        try {
            helper.handleProjection(plan);
        } catch (const QvError &e) {
            outcome.problems << e.description();
        }
    }
    // 4. The queued cell values.
    writeQueuedValues(helper, recording, outcome.problems);
    // 5. Currency: every currency format of every table shows the new symbol.
    if (changes.currencyType && *changes.currencyType != profile.currencyType()) {
        profile.setCurrencyType(plan::currencyOfType(*changes.currencyType).type);
        changeCurrency(plan::currencyOfType(profile.currencyType()), recording);
        changed = true;
    }
    // 6. Cover page.
    changed |= storeCoverPage(plan, changes);

    if (changed)
        plan.setModified(true);
    outcome.planChanged = changed;
    outcome.tablesChanged = recording.changed;
    return outcome;
}

} // namespace qv::create
