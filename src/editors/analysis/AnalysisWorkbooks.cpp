#include "editors/analysis/AnalysisWorkbooks.h"

#include "controls/workbook/CellAddress.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "plan/ModEnglish.h"
#include "plan/Plan.h"
#include "platform/Error.h"
#include "platform/Paths.h"

#include <algorithm>

namespace qv::analysis {

QString analysisPath(const plan::Plan &plan)
{
    return platform::joinPath(plan.folder(), plan.profile().analysisFileName());
}

QString examplePath(const plan::Plan &plan)
{
    return plan::ModEnglish::GetTablesFolder(plan.planInfo())
           + plan::ModEnglish::AnalysisExampleFileName(plan.profile().exampleKey());
}

QString instructionsPath(const plan::Plan &plan)
{
    return plan::ModEnglish::GetInstructionFolder(plan.planInfo()) + QStringLiteral("INST")
           + plan.profile().exampleKey() + QStringLiteral(".rtf");
}

QString printRangeText(const workbook::Workbook &book)
{
    return QStringLiteral("A1:") + workbook::columnName(std::max(1, book.lastCol()))
           + QString::number(std::max(1, book.lastRow()));
}

int analysisYears(int projectedYears, int sheetCount)
{
    return std::max(1, std::min(projectedYears, sheetCount));
}

namespace {

// Reads a workbook; the reason of a failure is added to `failures`.
bool readInto(workbook::Workbook &book, const QString &path, QString &failures)
{
    try {
        book.read(path);
        return true;
    } catch (const QvError &error) {
        failures += (failures.isEmpty() ? QString() : QStringLiteral("\n")) + error.description();
        return false;
    }
}

} // namespace

AnalysisWorkbooks::AnalysisWorkbooks(const plan::Plan &plan, workbook::WorkbookSet &tables)
    : m_path(analysisPath(plan)), m_tables(&tables), m_analysis(std::make_shared<workbook::Workbook>()),
      m_example(std::make_shared<workbook::Workbook>())
{
    m_analysisRead = readInto(*m_analysis, m_path, m_failures);
    readInto(*m_example, examplePath(plan), m_failures);
    m_example->setTitle(QStringLiteral("Example"));
    m_example->setProtected(true);
    m_analysis->setProtected(true);
    // Joining the set recalculates it, so the links read the plan's tables as they stand.
    m_tables->add(m_analysis, QStringLiteral("Analysis"));
}

AnalysisWorkbooks::~AnalysisWorkbooks()
{
    leave();
}

void AnalysisWorkbooks::leave()
{
    if (m_tables && m_tables->find(QStringLiteral("Analysis")) == m_analysis.get())
        m_tables->remove(m_analysis.get());
    m_tables = nullptr;
}

void AnalysisWorkbooks::close()
{
    if (m_analysisRead)
        m_analysis->write(m_path);
    leave();
}

} // namespace qv::analysis
