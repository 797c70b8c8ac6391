#pragma once

#include "create/creation/PlanProfile.h"

#include <QDialog>

#include <array>
#include <vector>

class QLineEdit;
class QRadioButton;
class QTabWidget;

namespace qv::plan {
class Plan;
}

namespace qv::create {

class ProfileTables;

// The Plan Profile dialog: the business name, currency, first year and
// month, projected years and the cover page of the open plan. OK carries
// every changed value into the plan and its loaded tables.
class frmProfile : public QDialog
{
    Q_OBJECT

public:
    enum Page { GeneralPage = 0, YearMonthPage = 1, CoverPage = 2 };

    frmProfile(plan::Plan &plan, ProfileTables &tables, QWidget *parent = nullptr);

    // Loads the plan's values, opens the page and shows the dialog modally;
    // true when OK applied the changes.
    bool Display(Page page = GeneralPage);
    // The fields as they stand, as changes to the plan.
    ProfileChanges changes() const;
    const ProfileOutcome &outcome() const { return m_outcome; }

    void load();  // the plan's current values into the fields
    bool apply(); // OK: false (and the dialog stays) when the year is refused

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildGeneral();
    QWidget *buildYearMonth();
    QWidget *buildCoverPage();
    bool checkYear(); // the year field's rule on leaving it

    plan::Plan &m_plan;
    ProfileTables &m_tables;
    ProfileOutcome m_outcome;
    QTabWidget *tabProfile;
    QLineEdit *txtBusinessName, *txtYear, *txtWhom, *txtDate;
    QLineEdit *txtInfoName, *txtInfoStreet, *txtInfoCity, *txtInfoState, *txtInfoZip, *txtInfoTelephone, *txtInfoFax;
    std::array<QRadioButton *, 12> optMonth{};
    std::array<QRadioButton *, 5> optProjection{};
    std::vector<QRadioButton *> optCurrency;
};

} // namespace qv::create
