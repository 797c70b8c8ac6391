#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;

namespace qv::support
{

// A small modal pop-up explaining a feature the first time it is used, with
// "Do not show again" for the advice kinds that remember it (see Advice.h).
class frmAdvise : public QDialog
{
    Q_OBJECT
public:
    explicit frmAdvise(QWidget *parent = nullptr);

    // Shows the advice unless the user has switched its kind off.
    void Display(int kind, const QString &message);

    // Runs the shown window instead of its own event loop (tests answer it
    // here); an empty runner goes back to exec().
    using Runner = std::function<void(frmAdvise &)>;
    static void setRunner(Runner runner);

    int kind() const { return m_kind; }

protected:
    void done(int result) override;

private:
    QLabel *lblMessage;
    QCheckBox *chkDontShow;
    QPushButton *cmdOk;
    int m_kind = 0;
};

// Shows one advice over the parent window.
void showAdvice(QWidget *parent, int kind, const QString &message);

} // namespace qv::support
