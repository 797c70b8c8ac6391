#pragma once

#include <QDialog>

#include <memory>

class QPushButton;
class QTabBar;

namespace qv::plan {
class Plan;
}

namespace qv::richtext {
class DisplayBox;
}

namespace qv::workbook {
class WorkbookSet;
class WorkbookView;
} // namespace qv::workbook

namespace qv::analysis {

class AnalysisWorkbooks;

// The financial analysis window: the plan's analysis workbook, one tab per
// projected year, beside the library's example and a tab of instructions.
// While it is open the analysis is one of the plan's loaded tables, so its
// links read the current figures; closing writes it back to the plan folder.
class frmAnalysis : public QDialog
{
    Q_OBJECT
public:
    frmAnalysis(const plan::Plan &plan, workbook::WorkbookSet &tables, QWidget *parent = nullptr);
    ~frmAnalysis() override;

    bool showsExample() const { return m_showingExample; }

protected:
    void done(int result) override;

private:
    void loadCaptions();
    void buildTabs(int projectedYears);
    void tabClick(int index);
    void cmdExampleClick();
    void cmdPrintClick();
    void showBook();

    workbook::WorkbookView *f1Analysis;
    QTabBar *tabAnalysis;
    richtext::DisplayBox *rtfInstr;
    QPushButton *cmdExample;
    QPushButton *cmdPrint;
    QPushButton *cmdPrintSetup;
    QPushButton *cmdClose;
    std::unique_ptr<AnalysisWorkbooks> m_books;
    bool m_showingExample = false;
    bool m_closed = false;
};

} // namespace qv::analysis
