#pragma once

// The setup assistant of the three wizard programs: it interviews the user,
// hands the answers to Quorvex through an answer file and ends; cancelled,
// it takes the user back to where they started it.

#include "create/wizard/QuestionList.h"
#include "create/wizard/WizardLaunch.h"
#include "create/wizard/WizardAnswers.h"

#include <QList>
#include <QWizard>

class QProgressBar;

namespace qv::wizard {

class PlanWizard final : public QWizard
{
    Q_OBJECT
public:
    enum PageId {
        WelcomeId,
        KindId,
        StageId,
        BusinessNameId,
        DocumentId,
        PeriodId,
        BusinessCountsId,
        MarketingCountsId,
        MarketingProgramsId,
        SubmissionId,
        SummaryId,
        FirstFiguresId = 100, // then one id per page of figures
    };

    // How the run ended, for the program's exit status.
    enum class Outcome { Running, HandedOver, Cancelled, Failed };

    PlanWizard(WizardKind kind, QuestionList questions = {}, QWidget *parent = nullptr);

    WizardKind wizardKind() const { return m_kind; }
    // Where Cancel takes the user (the opening dialog unless told).
    void setOrigin(const WizardOrigin &origin) { m_origin = origin; }
    PlanType planType() const { return planTypeOf(m_kind); }
    Outcome outcome() const { return m_outcome; }

    // The answers of every page on the way to the current one.
    WizardAnswers answers() const;
    // The pages of figures the chosen kind and stage get.
    QList<QuestionPage> figurePages() const;

    int nextId() const override;
    void accept() override;
    void reject() override;

    // The pages the user goes through with the answers so far, in order.
    QList<int> pagePath() const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // The step bar under the pages follows the current page.
    void showProgress();
    void placeProgress();

    WizardKind m_kind;
    QuestionList m_questions;
    QList<int> m_order;
    Outcome m_outcome = Outcome::Running;
    QProgressBar *m_progress = nullptr;
    WizardOrigin m_origin;
};

// The question list of the installed template library (none for a wizard
// that asks no figures); problems in it go to the log, not to the user.
QuestionList installedQuestions(WizardKind kind);

} // namespace qv::wizard
