#pragma once

// Builds plans by code: test fixtures, benchmarks and tools that need a plan
// without a template.
//
//   auto plan = PlanBuilder(BusinessPlan).kind(Retail).businessName("Acme")
//                   .chapter("Company").section("Summary", "0101", "Ans00001.rtf")
//                   .table("Tbl0101.vts", "Start-up costs", true)
//                   .take();

#include "plan/Plan.h"

#include <memory>

namespace qv::plan {

class PlanBuilder
{
public:
    explicit PlanBuilder(int planType = BusinessPlan);

    PlanBuilder &kind(int businessKind);
    PlanBuilder &newBusiness(bool isNew);
    PlanBuilder &businessName(const QString &name);
    PlanBuilder &title(const QString &title);
    PlanBuilder &filePath(const QString &path);

    // Adds a chapter at the end; sections go to the last chapter added.
    PlanBuilder &chapter(const QString &name);
    // Adds a section to the last chapter (a chapter "Chapter" is made when
    // there is none yet).
    PlanBuilder &section(const QString &name, const QString &key = QString(), const QString &textFile = QString(),
                         qint16 status = InProgress);
    // Adds a table to the last section; a table with a graph gets the chart
    // file "Grf" + its name from the fourth character + ".vtc" and the graph title "<display name> graph".
    PlanBuilder &table(const QString &fileName, const QString &displayName = QString(), bool hasGraph = false);

    Plan &plan() { return *m_plan; }
    std::unique_ptr<Plan> take() { return std::move(m_plan); }

    // A plan of the given size: chapters "Chapter 1"..., sections spread
    // over the chapters in turn, tables over the sections in turn; every
    // field filled so that a round trip exercises the whole document.
    static std::unique_ptr<Plan> sized(int chapters, int sections, int tables);

private:
    Chapter &lastChapter();
    std::unique_ptr<Plan> m_plan;
};

} // namespace qv::plan
