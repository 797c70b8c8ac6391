#pragma once

// The opening dialog: after the user picks Business Plan or Marketing Plan it
// offers four ways on: a new plan from the wizard, the last plan of the type,
// any saved plan, or a finished sample. It lives inside the frame.

#include <QWidget>

#include <array>

class QLabel;
class QPushButton;
class QToolButton;
class QFrame;
class QVBoxLayout;

namespace qv::create
{

class frmOpening : public QWidget
{
    Q_OBJECT

public:
    // Loads the dialog for the current plan's type and shows it inside the
    // frame.
    static frmOpening *Display();

    explicit frmOpening(int planType, QWidget *parent = nullptr);

    // Captions, the last plan of the type, cmdLast's state, the icon.
    void load();
    void loadCaptions();

    int planType() const { return m_planType; }
    QString planTypeName() const { return m_planTypeName; }
    // The last plan of the type as the file system spells it; empty when
    // there is none to open.
    QString lastPlan() const { return m_lastPlan; }

    void cmdNewPlanClick();
    void cmdLastClick();
    void cmdOpenClick();
    void cmdSamplesClick();
    void cmdHelpClick();
    void cmdExitClick();

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QFrame *buildPanel();
    QVBoxLayout *addChoice(QWidget *panel, QToolButton *button, QLabel *title, QLabel *description);
    void openPlan(const QString &path);
    void unloadWithFrame();

    int m_planType;
    QString m_planTypeName;
    QString m_lastPlan;
    bool m_unloading = false;
    int m_choiceRows = 0;

    QFrame *pnlBackGround = nullptr;
    QToolButton *cmdNewPlan = nullptr;
    QToolButton *cmdLast = nullptr;
    QToolButton *cmdOpen = nullptr;
    QToolButton *cmdSamples = nullptr;
    QPushButton *cmdExit = nullptr;
    QPushButton *cmdHelp = nullptr;
    std::array<QLabel *, 8> lblStatic{};
    QLabel *lblTitle = nullptr;
    QLabel *picPlanType = nullptr;
    QLabel *lblLastPlanName = nullptr;
};

} // namespace qv::create
