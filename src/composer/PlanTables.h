#pragma once

// The plan's tables in plan order, with where each one sits: one walk that
// the list of tables, table navigation and the graph pictures share; and the
// sections that have a text file, for the checks that read them.

#include <QString>

#include <memory>
#include <vector>

namespace qv::plan {
class PlanOutline;
class Section;
class Table;
} // namespace qv::plan

namespace qv::composer {

struct TableEntry
{
    int chapter = 0; // 1-based positions in the outline
    int section = 0;
    QString chapterName;
    QString sectionName;
    std::shared_ptr<plan::Table> table;
};

// Every table of every section, chapters and sections in outline order.
std::vector<TableEntry> tablesInPlanOrder(const plan::PlanOutline &outline);

// Every section that has a text file (one is made only when a section is
// first shown), in outline order.
std::vector<std::shared_ptr<plan::Section>> sectionsWithText(const plan::PlanOutline &outline);

// A table's graph picture and whether it still shows the table as it is:
// it exists and is no older than the table's file (working copy included)
// and the graph's own file.
struct GraphPicture
{
    TableEntry entry;
    QString picturePath; // plan folder + "Tbl0404.wmf"
    bool current = false;
};

// The graph pictures of the tables that have a graph, in plan order.
std::vector<GraphPicture> graphPictures(const plan::PlanOutline &outline);

} // namespace qv::composer
