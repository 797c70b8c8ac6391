#include "plan/PlanBuilder.h"
#include "plan/PlanRules.h"

#include "plan/FileNames.h"

namespace qv::plan {

PlanBuilder::PlanBuilder(int planType) : m_plan(std::make_unique<Plan>())
{
    initialisePlanLetters(*m_plan);
    m_plan->planInfo().setPlanType(planType);
}

PlanBuilder &PlanBuilder::kind(int businessKind)
{
    m_plan->planInfo().setBusinessKind(businessKind);
    return *this;
}

PlanBuilder &PlanBuilder::newBusiness(bool isNew)
{
    m_plan->planInfo().setNewBusiness(isNew);
    return *this;
}

PlanBuilder &PlanBuilder::businessName(const QString &name)
{
    m_plan->planInfo().setBusinessName(name);
    return *this;
}

PlanBuilder &PlanBuilder::title(const QString &title)
{
    m_plan->setName(title);
    return *this;
}

PlanBuilder &PlanBuilder::filePath(const QString &path)
{
    m_plan->setFilePath(path);
    return *this;
}

PlanBuilder &PlanBuilder::chapter(const QString &name)
{
    m_plan->outline().chapters().Add(std::make_shared<Chapter>(name));
    return *this;
}

Chapter &PlanBuilder::lastChapter()
{
    Chapters &chapters = m_plan->outline().chapters();
    if (chapters.isEmpty())
        chapter(QStringLiteral("Chapter"));
    return *chapters.item(chapters.count());
}

PlanBuilder &PlanBuilder::section(const QString &name, const QString &key, const QString &textFile, qint16 status)
{
    auto section = std::make_shared<Section>(name);
    section->setKey(key);
    section->setTextFileName(textFile);
    section->setStatus(status);
    lastChapter().sections().Add(section);
    return *this;
}

PlanBuilder &PlanBuilder::table(const QString &fileName, const QString &displayName, bool hasGraph)
{
    Sections &sections = lastChapter().sections();
    if (sections.isEmpty())
        section(QStringLiteral("Section"));
    auto table = std::make_shared<Table>(fileName, displayName);
    if (hasGraph) {
        table->setHasGraph(true);
        table->setGraphFileName(chartFileNameOf(table->name()));
        table->setGraphTitle(displayName + QStringLiteral(" graph"));
    }
    sections.item(sections.count())->tables().Add(table);
    return *this;
}

std::unique_ptr<Plan> PlanBuilder::sized(int chapters, int sections, int tables)
{
    PlanBuilder b(BusinessPlan);
    b.kind(Retail).newBusiness(true).businessName(QStringLiteral("Acme \"Hardware\" & Söhne"));
    b.title(QStringLiteral("Acme business plan"));
    Plan &plan = b.plan();
    Profile &profile = plan.profile();
    profile.setProjectedYears(3);
    profile.setProductCount(4);
    profile.setAdvertisingMediaCount(2);
    profile.setSegmentCount(3);
    profile.setMarketCount(5);
    profile.setMarketingCount(2, 7);
    profile.setFirstYearDate(QDate(1999, 1, 1));
    profile.setMonth(7);
    profile.setCurrencyType(1);
    profile.setAnalysis(true);
    profile.setAnalysisTitle(QStringLiteral("Financial &Analysis"));
    profile.setAnalysisFileName(QStringLiteral("Analysis.vts"));
    profile.setExampleKey(QStringLiteral("ANAL"));
    Submitter &submitter = plan.submitter();
    submitter.setSubmittedTo(QStringLiteral("First National Bank"));
    submitter.setSubmissionDate(QStringLiteral("March 3, 2026"));
    Address &address = submitter.address();
    address.setName(QStringLiteral("Jo Smith"));
    address.setStreet(QStringLiteral("1 Main St.\tSuite 4"));
    address.setCity(QStringLiteral("Springfield"));
    address.setState(QStringLiteral("IL"));
    address.setZip(QStringLiteral("62701"));
    address.setTelephone(QStringLiteral("555-0100"));
    address.setFax(QStringLiteral("555-0101"));

    std::vector<std::shared_ptr<Section>> made;
    for (int c = 1; c <= chapters; ++c)
        plan.outline().chapters().Add(std::make_shared<Chapter>(QStringLiteral("Chapter %1").arg(c)));
    for (int s = 0; s < sections && chapters > 0; ++s) {
        auto section = std::make_shared<Section>(QStringLiteral("Section %1").arg(s + 1));
        section->setKey(QStringLiteral("%1").arg(s + 101, 4, 10, QLatin1Char('0')));
        section->setTextFileName(QStringLiteral("Ans%1.rtf").arg(s + 1, 5, 10, QLatin1Char('0')));
        section->setStatus(qint16(s % 3));
        plan.outline().chapters().item(s % chapters + 1)->sections().Add(section);
        made.push_back(section);
    }
    for (int t = 0; t < tables && !made.empty(); ++t) {
        const QString name = QStringLiteral("Tbl%1").arg(t + 101, 4, 10, QLatin1Char('0'));
        auto table = std::make_shared<Table>(name + QStringLiteral(".vts"), QStringLiteral("Table %1").arg(t + 1));
        if (t % 2 == 0) {
            table->setHasGraph(true);
            table->setGraphFileName(chartFileNameOf(name));
            table->setGraphTitle(QStringLiteral("Graph %1").arg(t + 1));
        }
        made[static_cast<size_t>(t) % made.size()]->tables().Add(table);
    }
    return b.take();
}

} // namespace qv::plan
