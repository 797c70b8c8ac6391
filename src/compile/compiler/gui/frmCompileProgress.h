#pragma once

// The compiler's window: the steps of the compile with a progress bar and
// Cancel, then what was written and what was left out, with the way to the
// compiled plan and back to the plan in the composer.

#include "compile/compiler/PlanCompiler.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QPlainTextEdit;

namespace qv::compiler {

class frmCompileProgress : public QDialog
{
    Q_OBJECT
public:
    explicit frmCompileProgress(QWidget *parent = nullptr);

    // Compiles with the window showing; the result, or a failure (reported
    // in the window). Cancel stops before anything is written.
    CompileResult run(const CompileRequest &request);
    bool failed() const { return m_failed; }

    // What the finished window's buttons do (the program sets them).
    std::function<void(const CompileResult &)> openResult;
    std::function<void()> backToComposer;

private:
    void stepStarted(CompileStep step, int total);
    bool partDone(int done);
    void showFinished(const CompileResult &result);
    void showFailure(const QString &message);

    QLabel *lblTitle = nullptr;
    QListWidget *lstSteps = nullptr;
    QProgressBar *prgStep = nullptr;
    QLabel *lblResult = nullptr;
    QPlainTextEdit *txtLeftOut = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdOpen = nullptr;
    QPushButton *cmdComposer = nullptr;
    QPushButton *cmdClose = nullptr;
    bool m_cancelled = false;
    bool m_failed = false;
    int m_step = -1;
    CompileResult m_result;
};

} // namespace qv::compiler
