#include "create/creation/CProfileHelper.h"

#include "controls/workbook/CellAddress.h"
#include "controls/workbook/Workbook.h"
#include "create/creation/AnswerValues.h"
#include "create/creation/ProfileTables.h"
#include "plan/Plan.h"
#include "platform/Error.h"
#include "resources/ResText.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace qv::create {

namespace {

const QString kSource = QStringLiteral("CProfileHelper");
constexpr long tableMissing = 9;   // a key the table collection lacks
constexpr long tableNotWritten = 75;

// Full month names are string 1312 ("January") onward, short ones 1423 ("Jan").
QString fullMonthName(int month) { return GetResText(311 + month); }
QString shortMonthName(int month) { return GetResText(422 + month); }

QString columnLetter(int index) // 0 is B
{
    return QString(QChar(u'B' + index));
}

// A month of a running heading: advancing past December starts the next year.
struct MonthYear
{
    int month;
    int year;
    void advance()
    {
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
};

struct Projection
{
    const char *table;
    int columns;
};

} // namespace

void CProfileHelper::addTableValue(const QString &key, const QString &value)
{
    m_values.emplace_back(key.trimmed(), value.trimmed());
}

int CProfileHelper::getCount() const { return int(m_values.size()); }

void CProfileHelper::getValues(int index, QString &key, QString &value) const
{
    if (index < 0 || index >= getCount()) {
        key.clear();
        value.clear();
        return;
    }
    key = m_values[std::size_t(index)].first;
    value = m_values[std::size_t(index)].second;
}

void CProfileHelper::resetTableValues() { m_values.clear(); }

void CProfileHelper::setTables(ProfileTables *tables) { m_tables = tables; }

void CProfileHelper::handleBusinessName(const plan::Plan &plan)
{
    const plan::PlanInfo &info = plan.planInfo();
    const QString &name = info.businessName();
    if (!info.isBusinessPlan()) {
        addTableValue(QStringLiteral("Tbl0404:B1"), name);
        return;
    }
    addTableValue(QStringLiteral("Tbl0303:B1"), name);
    const QString prefix = info.businessKind() == plan::Custom ? QStringLiteral("Tbl0404:") : QStringLiteral("Tbl0505:");
    for (int row = 6; row <= 51; row += 5)
        addTableValue(prefix + QLatin1Char('B') + QString::number(row), name);
}

void CProfileHelper::handleYearandMonth(const plan::Plan &plan)
{
    const plan::PlanInfo &info = plan.planInfo();
    const plan::Profile &profile = plan.profile();
    const int m = profile.month();
    // Without an answered year and month there is nothing to head the
    // columns with; writing a made-up month would be worse than none.
    if (!profile.firstYearDate().isValid() || m < 1 || m > 12)
        return;
    const int y = profile.firstYearDate().year();

    // Twelve monthly columns B to M, month name in row 1 and year in row 2;
    // returns the month of column M.
    auto queueMonths = [this](const QString &prefix, MonthYear current) {
        MonthYear last = current;
        for (int k = 0; k < 12; ++k) {
            const QString column = columnLetter(k);
            addTableValue(prefix + column + QLatin1Char('1'), fullMonthName(current.month));
            addTableValue(prefix + column + QLatin1Char('2'), QString::number(current.year));
            last = current;
            current.advance();
        }
        return last;
    };
    // Yearly headings "Mar 1999" in every second column from B.
    auto queueYears = [this](const QString &prefix, int month, int firstYear, int count, int step) {
        for (int k = 0; k < count; ++k)
            addTableValue(prefix + columnLetter(k * step) + QLatin1Char('2'),
                          shortMonthName(month) + QLatin1Char(' ') + QString::number(firstYear + k));
    };

    if (info.isBusinessPlan()) {
        if (info.newBusiness()) {
            const QString prefix = info.businessKind() == plan::Custom ? QStringLiteral("TBL0403:") : QStringLiteral("TBL0503:");
            const MonthYear yearEnd = queueMonths(prefix, {m, y});
            queueYears(QStringLiteral("TBL0301:"), yearEnd.month, yearEnd.year, 5, 2);
        } else {
            queueYears(QStringLiteral("TBL0301:"), m, y - 1, 7, 2);
        }
        return;
    }
    MonthYear first{m, y};
    first.advance();
    first.year = y; // the month after the year end, shown in the answered year
    queueMonths(QStringLiteral("TBL0602:"), first);
    queueYears(QStringLiteral("TBL0103:"), m, y - 1, 7, 1);
}

void CProfileHelper::handleProjection(const plan::Plan &plan)
{
    const plan::PlanInfo &info = plan.planInfo();
    // Any answer gives a width the sheet can have: no negative count and no
    // overflow in 2y + 5 (setMaxCol keeps the result within the sheet).
    const int y = std::clamp(plan.profile().projectedYears(), 0, workbook::maxColumns);
    const bool isNew = info.newBusiness();
    const bool custom = info.businessKind() == plan::Custom;

    std::vector<Projection> list;
    if (info.isBusinessPlan()) {
        list = {{"Tbl0301", isNew ? 2 * y + 1 : 2 * y + 5},
                {"Tbl0302", isNew ? y + 2 : y + 3},
                {"Tbl0304", isNew ? y + 1 : y + 2}};
        if (!isNew) {
            static const std::array<const char *, 6> customTables{"Tbl0403", "Tbl0406", "Tbl0904", "Tbl0905", "Tbl0906", "Tbl0907"};
            static const std::array<const char *, 6> otherTables{"Tbl0503", "Tbl0601", "Tbl0803", "Tbl0804", "Tbl0805", "Tbl0806"};
            for (const char *table : custom ? customTables : otherTables)
                list.push_back({table, y + 3});
        }
        list.push_back({custom ? "Tbl0903" : "Tbl0802", isNew ? y + 1 : y + 3});
    } else {
        for (const char *table : {"Tbl0103", "Tbl0601", "Tbl0802", "Tbl1102"})
            list.push_back({table, y + 3});
        for (const char *table : {"Tbl0801", "Tbl0803", "Tbl0804", "Tbl0805", "Tbl0806", "Tbl0807", "Tbl0808"})
            list.push_back({table, 2 * y + 5});
    }

    // Every table the plan has is narrowed; the missing and unwritable ones
    // are reported together afterwards.
    QStringList missing;
    QStringList unwritten;
    for (const Projection &projection : list) {
        const QString name = QString::fromLatin1(projection.table);
        workbook::Workbook *book = m_tables ? m_tables->find(name) : nullptr;
        if (!book) {
            missing << name;
            continue;
        }
        book->setMaxCol(projection.columns);
        try {
            m_tables->tableChanged(name);
        } catch (const QvError &e) {
            unwritten << e.description();
        }
    }
    if (!unwritten.isEmpty())
        throw QvError(tableNotWritten, kSource, unwritten.join(QLatin1Char('\n')));
    if (!missing.isEmpty())
        throw QvError(tableMissing, kSource,
                      QStringLiteral("The plan lacks the table(s) %1").arg(missing.join(QStringLiteral(", "))));
}

workbook::EditResult writeQueuedValue(workbook::Workbook &book, int row, int col, const QString &value)
{
    book.setActiveCell(row, col);
    const std::optional<double> amount = currencyAmount(value);
    return amount ? book.setCurrencyNumber(row, col, *amount) : book.setEntry(row, col, value);
}

} // namespace qv::create
