#pragma once
// The window that reports plan creation from a wizard's answer file: the
// maker's banner, a line asking the user to wait, the status and detail
// lines and a progress bar for the queued cell values. It runs the
// creation, then hands the new plan to the Plan Composer.
#include "create/creation/CreationProgress.h"
#include "create/creation/PlanCreation.h"

#include <QWidget>

class QLabel;
class QProgressBar;

namespace qv::create {

class frmCreateProgress : public QWidget, public CreationProgress
{
    Q_OBJECT

public:
    explicit frmCreateProgress(QWidget *parent = nullptr);
    ~frmCreateProgress() override;

    // The "-q" start: loads the frame and this window, makes the plan from
    // the answer file, shows it in the composer and tells the user in one
    // message what could not be applied (or why no plan was made). True
    // when the composer shows the new plan.
    static bool createPlanFromQA(const QString &answerFilePath);
    // The window while a creation runs (nullptr otherwise).
    static frmCreateProgress *loaded();

    // Shows the window and runs the creation through it; the new plan stays
    // with creation() for the caller to take.
    CreationResult run(const QString &answerFilePath);
    PlanCreation &creation() { return m_creation; }

    // The frame's icon, as the window's and beside the request to wait.
    void takeIcon(const QIcon &icon);

    void setMessage(const QString &text) { showStatus(text); }
    void setDetailMessage(const QString &text) { showDetail(text.trimmed()); }

    // CreationProgress
    void showStatus(const QString &text) override;
    void showDetail(const QString &text) override;
    void startProgress(int maximum) override;
    void advanceProgress() override;
    void yieldToWindowSystem() override;
    bool isClosed() const override { return m_closed; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void loadCaptions();
    void showElidedDetail();

    QLabel *pnlCaption;
    QLabel *picIcon;
    QLabel *lblInformation;
    QLabel *lblStatus;
    QLabel *lblDetail;
    QProgressBar *prgProgress;
    QString m_detail;
    bool m_closed = false;
    PlanCreation m_creation;
};

} // namespace qv::create
