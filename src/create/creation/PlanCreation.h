#pragma once
// Makes a new plan from a wizard's answer file: reads the answers, makes the
// plan folder, copies the template plan document and tables into it,
// customizes the tables from the answers and saves the plan. It reports
// through a CreationProgress and touches no widget; the progress window and
// `qvtool create` both drive it.

#include "create/creation/CProfileHelper.h"
#include "create/creation/LoadedTables.h"
#include "plan/DataFile.h"
#include "plan/PlanInfo.h"
#include "plan/PlanReplacement.h"
#include "plan/Submitter.h"
#include "create/wizard/WizardLimits.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace qv::plan {
class Plan;
}

namespace qv::create {

class CreationProgress;

struct CreationResult
{
    // The saved plan document; empty when no plan was made.
    QString documentPath;
    // Why no plan was made (one sentence for the user); empty when one was.
    QString failure;
    // One line per answer that could not be applied (a missing table, a cell
    // that could not be set, a file that could not be copied, a refused
    // key). The plan that could be made is made all the same.
    QStringList notApplied;
    // Where the plan that the new one replaced went in the trash (its
    // document and folder); empty when none was replaced.
    QStringList trashed;

    bool planMade() const { return !documentPath.isEmpty(); }
    // The whole report for one message box: empty when there is nothing to say.
    QString reportText() const;
};

// Asked before a new plan takes the place of an existing one; true lets it.
struct ReplaceRequest
{
    QString documentPath;
    // The answer file says the user already agreed to replace this very plan
    // (the wizard asked before it handed over).
    bool agreedInAnswers = false;
};
using ReplaceQuestion = std::function<bool(const ReplaceRequest &)>;

class PlanCreation : public qv::plan::iFile
{
public:
    explicit PlanCreation(CreationProgress &progress);
    ~PlanCreation() override;
    PlanCreation(const PlanCreation &) = delete;
    PlanCreation &operator=(const PlanCreation &) = delete;

    // The whole creation. On success the plan is saved and the answer file,
    // when it was read to its end, deleted; the caller takes the plan
    // (takePlan) and shows it in the composer. Without a plan the answer
    // file stays for another try.
    CreationResult createPlanFromQA(const QString &answerFilePath);

    // Decides whether an existing plan at the answered place may be replaced.
    // Without one, an existing plan is never replaced.
    void setReplaceQuestion(ReplaceQuestion question) { m_replaceQuestion = std::move(question); }

    // The plan made by the last createPlanFromQA (nullptr before, or when
    // none was made), handed over to the caller (who makes it the current
    // plan and calls the composer's planOpen).
    std::unique_ptr<qv::plan::Plan> takePlan();
    qv::plan::Plan *plan() const { return m_plan.get(); }

    // The steps of making the plan folder, public for the progress window.
    void createDirectory();
    void copyTemplatePlan();

    void setMessage(const QString &text);
    void setDetailMessage(const QString &text);

    // The answer file's handler: reads every line (see createPlanFromQA).
    void iFile_ReadFileData(qv::plan::DataFile &file);
    void iFile_WriteFileData(qv::plan::DataFile &file);
    QString iFile_ClassDebugID();

    // Table customizations from the counts. Each hides the surplus rows of
    // its tables and writes them back; a count is clamped to the rows the
    // table has (0 up to the size that hides nothing). Raise QvError when a
    // table is missing from the plan folder.
    void handleAdvertisingMediums(int count);
    void handleMAdvertisingMediums(int count);
    void handleDifferentMarkets(int count);
    void handleMMarketing(int count);
    void handleProductNo(int count);
    void handleMProductNo(int count);
    void handleSegments(int count);
    // The four further counts of a marketing plan (which = 1 to 4).
    void handleMarketingCount(int which, int count);

    // The tables loaded once the plan folder exists (empty before).
    const LoadedTables &tables() const { return *m_tables; }
    const CProfileHelper &profileHelper() const { return m_profileHelper; }

private:
    QString ClassDebugID() override { return iFile_ClassDebugID(); }
    void ReadFileData(qv::plan::DataFile &file) override { iFile_ReadFileData(file); }
    void WriteFileData(qv::plan::DataFile &file) override { iFile_WriteFileData(file); }

    void applyLine(const QString &line);
    void applyHeader(const QString &key, const QString &value);
    bool applySubmitterAnswer(const QString &key, const QString &value);
    void applyCustomization(const QString &key, const QString &value);
    void applyBusinessCount(const QString &key, const QString &value);
    void applyMarketingCount(const QString &key, const QString &value);
    // Reads a count within its range (noting what was clamped or unreadable)
    // and hands it on.
    void applyCount(const QString &key, const QString &value, wizard::Range range,
                    const std::function<void(int)> &apply);
    void yearOrMonthArrived(bool isYear);
    void makePlanFolder();
    // Checks the answered place and starts building the plan aside; false
    // (and creation stopped) when the plan cannot or may not be made there.
    bool stagePlan(const QString &finalDocument);
    bool mayReplace(const QString &finalDocument);
    bool finishPlan();
    void copyTables();
    void loadTables();
    void pushQueuedValues();
    // Sets the cell; the name of the table changed, or empty when skipped.
    QString updateCell(const QString &key, const QString &value);
    void hideRows(const QString &tableName, int first, int last);
    bool tryStep(const QString &what, const std::function<void()> &step);
    void notApplied(const QString &line);
    void stop(const QString &reason);
    QString missingHeadersText() const;

    CreationProgress &m_progress;
    std::unique_ptr<qv::plan::Plan> m_plan;
    // The answered kind, stage, type and submitter: attached to the plan
    // again after the template is read, so that they and not it decide.
    qv::plan::PlanInfo m_info;
    qv::plan::Submitter m_submitter;
    CProfileHelper m_profileHelper;
    std::unique_ptr<LoadedTables> m_tables;
    // 0 to 3 as the header answers arrive (each once), 10 once the folder exists.
    int m_headerCount = 0;
    unsigned m_headersSeen = 0;
    bool m_yearArrived = false;
    bool m_monthArrived = false;
    bool m_stopped = false;
    bool m_folderMade = false;
    bool m_readToEnd = false;
    QString m_documentStem;
    QString m_replaceAgreedFor; // the document the answers agree to replace
    ReplaceQuestion m_replaceQuestion;
    qv::plan::PlanStaging m_staging;
    // Customization answers that came before the plan folder existed.
    std::vector<std::pair<QString, QString>> m_pending;
    CreationResult m_result;
};

} // namespace qv::create
