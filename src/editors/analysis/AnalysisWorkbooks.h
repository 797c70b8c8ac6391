#pragma once

// The financial analysis of an open plan, apart from any window: where its
// files are, the plan's analysis workbook joining the plan's loaded tables
// (so its links read their current values) while it is shown, the example
// beside it, and the write-back when it closes.

#include <QString>

#include <memory>

namespace qv::plan {
class Plan;
}

namespace qv::workbook {
class Workbook;
class WorkbookSet;
} // namespace qv::workbook

namespace qv::analysis {

// The plan folder's analysis workbook (the file name the profile holds).
QString analysisPath(const plan::Plan &plan);
// The library's example: the tables folder + "TPL" + the example key + ".vts".
QString examplePath(const plan::Plan &plan);
// The instructions: the kind's instruction folder + "INST" + the example key + ".rtf".
QString instructionsPath(const plan::Plan &plan);

// "A1:" to the last used column and row; columns beyond Z take two letters ("AB").
QString printRangeText(const workbook::Workbook &book);

// The year tabs an analysis shows: the plan's projected years, at least one,
// no more than the workbook has sheets.
int analysisYears(int projectedYears, int sheetCount);

class AnalysisWorkbooks
{
public:
    // Reads both workbooks; the analysis joins the set under the title
    // "Analysis". A file that cannot be read leaves its workbook empty and
    // its reason in readFailures().
    AnalysisWorkbooks(const plan::Plan &plan, workbook::WorkbookSet &tables);
    // Leaves the set (without writing; close() writes).
    ~AnalysisWorkbooks();
    AnalysisWorkbooks(const AnalysisWorkbooks &) = delete;
    AnalysisWorkbooks &operator=(const AnalysisWorkbooks &) = delete;

    workbook::Workbook &analysis() const { return *m_analysis; }
    workbook::Workbook &example() const { return *m_example; }
    const QString &readFailures() const { return m_failures; }
    const QString &path() const { return m_path; }

    // Writes the analysis back to its file in the plan folder atomically and
    // leaves the set. Throws QvError when the file cannot be written (the
    // old file then stays whole). An analysis that could not be read is not
    // written, so a damaged file is never replaced by an empty one.
    void close();

private:
    void leave();

    QString m_path;
    workbook::WorkbookSet *m_tables;
    std::shared_ptr<workbook::Workbook> m_analysis;
    std::shared_ptr<workbook::Workbook> m_example;
    QString m_failures;
    bool m_analysisRead = false;
};

} // namespace qv::analysis
