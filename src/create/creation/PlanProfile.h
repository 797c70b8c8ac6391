#pragma once
// Changing the profile of a plan after it was made, as the Plan Profile
// dialog's OK and `qvtool profile` do: each changed value is stored in the
// plan and carried into its tables through CProfileHelper, exactly as plan
// creation does, but into the open plan's loaded tables (saved with the plan).
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace qv::plan {
class Plan;
}

namespace qv::create {

class ProfileTables;

// The dialog's fields; a field left unset keeps the plan's value.
struct ProfileChanges
{
    std::optional<QString> businessName;
    std::optional<int> year;  // the first year, four digits
    std::optional<int> month; // 1 to 12: only a chosen month changes the headings
    std::optional<int> projectedYears;
    std::optional<int> currencyType;
    std::optional<QString> submittedTo, submissionDate;
    std::optional<QString> name, street, city, state, zip, telephone, fax;

    // Every field as the plan has it now (the dialog starts from these).
    static ProfileChanges fromPlan(const plan::Plan &plan);
};

struct ProfileOutcome
{
    bool planChanged = false;
    std::vector<QString> tablesChanged; // in the order they were first changed
    QStringList problems;               // one line per value that could not be carried into a table
};

// The year field's rule: a number of at most four characters becomes a
// four-digit year ("99" gives "1999"); empty stays empty; anything else is
// refused (none).
std::optional<QString> yearFieldText(const QString &text);
inline constexpr char kInvalidValue[] = "Invalid value";

// Applies the changes in this order: business name, year and month,
// projected years, the queued cell values, currency, cover page.
ProfileOutcome applyProfileChanges(plan::Plan &plan, ProfileTables &tables, const ProfileChanges &changes);

} // namespace qv::create
