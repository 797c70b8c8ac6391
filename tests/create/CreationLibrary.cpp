#include "CreationLibrary.h"

#include "controls/workbook/CellAddress.h"
#include "controls/workbook/VtsFile.h"
#include "controls/workbook/Workbook.h"
#include "plan/ModEnglish.h"
#include "plan/Plan.h"
#include "plan/PlanBuilder.h"
#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "platform/Paths.h"

#include <QDir>

#include <stdexcept>

namespace qv::test {

CreationLibrary::CreationLibrary(int rows, int columns, bool formulas)
    : m_rows(rows), m_columns(columns), m_formulas(formulas)
{
    platform::Folders::setInstallFolder(m_install.path());
}

QStringList CreationLibrary::businessTables(int kind, bool isNew)
{
    QStringList names{QStringLiteral("Tbl0301"), QStringLiteral("Tbl0302"), QStringLiteral("Tbl0303"),
                      QStringLiteral("Tbl0304")};
    if (kind == plan::Custom) {
        names << QStringLiteral("Tbl0403") << QStringLiteral("Tbl0404") << QStringLiteral("Tbl0406")
              << QStringLiteral("Tbl0903");
        if (!isNew)
            names << QStringLiteral("Tbl0904") << QStringLiteral("Tbl0905") << QStringLiteral("Tbl0906")
                  << QStringLiteral("Tbl0907");
    } else {
        names << QStringLiteral("Tbl0503") << QStringLiteral("Tbl0505") << QStringLiteral("Tbl0601")
              << QStringLiteral("Tbl0802");
        if (!isNew)
            names << QStringLiteral("Tbl0803") << QStringLiteral("Tbl0804") << QStringLiteral("Tbl0805")
                  << QStringLiteral("Tbl0806");
    }
    return names;
}

QStringList CreationLibrary::marketingTables()
{
    return {QStringLiteral("Tbl0103"), QStringLiteral("Tbl0404"), QStringLiteral("Tbl0601"),
            QStringLiteral("Tbl0602"), QStringLiteral("Tbl0801"), QStringLiteral("Tbl0802"),
            QStringLiteral("Tbl0803"), QStringLiteral("Tbl0804"), QStringLiteral("Tbl0805"),
            QStringLiteral("Tbl0806"), QStringLiteral("Tbl0807"), QStringLiteral("Tbl0808"),
            QStringLiteral("Tbl1101"), QStringLiteral("Tbl1102")};
}

void CreationLibrary::addBusiness(int kind, bool isNew)
{
    plan::PlanInfo info;
    info.setPlanType(plan::BusinessPlan);
    info.setBusinessKind(kind);
    info.setNewBusiness(isNew);
    writeTemplate(info, businessTables(kind, isNew));
    writeTables(plan::ModEnglish::GetTablesFolder(info, installFolder()), businessTables(kind, isNew));
}

void CreationLibrary::addMarketing()
{
    plan::PlanInfo info;
    info.setPlanType(plan::MarketingPlan);
    writeTemplate(info, marketingTables());
    writeTables(plan::ModEnglish::GetTablesFolder(info, installFolder()), marketingTables());
}

void CreationLibrary::writeTemplate(const plan::PlanInfo &info, const QStringList &tables)
{
    // The template's own answers differ from every test's, so a test sees
    // whether the answers or the template decided.
    plan::PlanBuilder builder(info.planType());
    builder.kind(plan::Service).newBusiness(true).businessName(QStringLiteral("Template Inc"));
    builder.filePath(plan::ModEnglish::TemplatePlanDocumentPath(info, installFolder()));
    builder.chapter(QStringLiteral("Company"));
    builder.section(QStringLiteral("Summary"), QStringLiteral("0101"), QStringLiteral("Ans00001.rtf"));
    builder.chapter(QStringLiteral("Figures"));
    int number = 1;
    for (const QString &table : tables) {
        builder.section(QStringLiteral("Section for %1").arg(table), table.mid(3),
                        QStringLiteral("Ans%1.rtf").arg(++number, 5, 10, QLatin1Char('0')));
        builder.table(table + QStringLiteral(".vts"), QStringLiteral("Table %1").arg(table));
    }
    std::unique_ptr<plan::Plan> plan = builder.take();
    plan->submitter().setSubmittedTo(QStringLiteral("Template bank"));
    plan->Save();
}

void CreationLibrary::writeTables(const QString &folder, const QStringList &tables)
{
    QDir().mkpath(folder);
    for (const QString &table : tables) {
        workbook::Workbook book;
        book.setText(1, 1, table);
        for (int row = 2; row <= m_rows; ++row) {
            book.setText(row, 1, QStringLiteral("Row %1").arg(row));
            for (int col = 2; col < m_columns; ++col)
                book.setNumber(row, col, row * 100 + col);
            if (m_formulas)
                book.setFormula(row, m_columns,
                                QStringLiteral("=SUM(B%1:%2%1)").arg(row).arg(workbook::columnName(m_columns - 1)));
        }
        book.write(platform::joinPath(folder, table + QStringLiteral(".vts")));
    }
}

QString CreationLibrary::writeAnswers(const QStringList &lines, const QString &name) const
{
    const QString path = platform::joinPath(plansFolder(), name);
    const QString error = platform::writeFileAtomically(path, (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    if (!error.isEmpty())
        throw std::runtime_error(error.toStdString());
    return path;
}

QStringList CreationLibrary::businessHeader(const QString &kindName, bool isNew, const QString &document) const
{
    return {QStringLiteral("[PLAN]=Business"),
            QStringLiteral("[FIELD1.4]=") + platform::joinPath(plansFolder(), document),
            QStringLiteral("[FIELD1.1]=") + kindName,
            QStringLiteral("[FIELD1.2]=") + (isNew ? QStringLiteral("New") : QStringLiteral("Existing"))};
}

QStringList CreationLibrary::marketingHeader(const QString &kindName, const QString &document) const
{
    return {QStringLiteral("[PLAN]=Marketing"),
            QStringLiteral("[FIELD1.4]=") + platform::joinPath(plansFolder(), document),
            QStringLiteral("[FIELD1.1]=") + kindName};
}

std::unique_ptr<plan::Plan> CreationLibrary::openPlan(const QString &documentPath)
{
    auto plan = std::make_unique<plan::Plan>();
    plan->planInfo().setPlanType(plan::ModEnglish::PlanTypeOfDocument(documentPath));
    plan->setFilePath(documentPath);
    if (!plan->Open())
        throw std::runtime_error(plan->lastError().toStdString());
    return plan;
}

std::shared_ptr<workbook::Workbook> CreationLibrary::loadTable(const QString &folder, const QString &tableName)
{
    return workbook::loadWorkbook(platform::joinPath(folder, tableName + QStringLiteral(".vts")));
}

} // namespace qv::test
