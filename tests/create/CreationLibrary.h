#pragma once

// A small template library made by code in a private install folder, for
// the plan-creation tests and the benchmark: template plan documents,
// template tables of a chosen size, and answer files.

#include "plan/PlanInfo.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace qv::workbook {
class Workbook;
}
namespace qv::plan {
class Plan;
}

namespace qv::test {

class CreationLibrary
{
public:
    // Points the install folder at a fresh temporary folder. Tables get
    // `rows` rows and `columns` columns of labels, numbers and (with
    // formulas) a total column that sums each row.
    explicit CreationLibrary(int rows = 64, int columns = 16, bool formulas = false);

    QString installFolder() const { return m_install.path(); }
    // A folder for plan documents, outside the install folder.
    QString plansFolder() const { return m_plans.path(); }

    // The template plan document and the template tables of a plan type,
    // kind and stage. The template's own PlanInfo names Service, new
    // business and "Template Inc", so that tests see the answers win.
    void addBusiness(int kind, bool isNew);
    void addMarketing();
    // The table names a template of that kind gets.
    static QStringList businessTables(int kind, bool isNew);
    static QStringList marketingTables();

    // Writes lines (joined with "\n", ending in one) to a file in the plans
    // folder and returns its path.
    QString writeAnswers(const QStringList &lines, const QString &name = QStringLiteral("answers.txt")) const;
    // The usual header of an answer file for a document in the plans folder.
    QStringList businessHeader(const QString &kindName, bool isNew, const QString &document = QStringLiteral("Acme.txt")) const;
    QStringList marketingHeader(const QString &kindName, const QString &document = QStringLiteral("Acme.txt")) const;

    static std::unique_ptr<plan::Plan> openPlan(const QString &documentPath);
    static std::shared_ptr<workbook::Workbook> loadTable(const QString &folder, const QString &tableName);

private:
    void writeTemplate(const plan::PlanInfo &info, const QStringList &tables);
    void writeTables(const QString &folder, const QStringList &tables);

    QTemporaryDir m_install;
    QTemporaryDir m_plans;
    int m_rows;
    int m_columns;
    bool m_formulas;
};

} // namespace qv::test
