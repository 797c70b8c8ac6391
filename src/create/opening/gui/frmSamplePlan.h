#pragma once

// The sample chooser: one finished sample plan per business kind, shown in
// the program the user picks.

#include <QDialog>

#include <array>

class QLabel;
class QRadioButton;
class QPushButton;
class QToolButton;

namespace qv::create
{

class frmSamplePlan : public QDialog
{
    Q_OBJECT

public:
    explicit frmSamplePlan(int planType, QWidget *parent = nullptr);

    // Loads the chooser for the plan type and shows it modal over the owner
    // (the opening dialog's Sample command and the composer's File, Open,
    // Sample Plan).
    static void showModal(int planType, QWidget *owner);

    // Captions; a marketing plan has no new or existing samples, so both
    // options are hidden for it.
    void load();

    // Shows the sample of the kind (0 Service to 4 Custom).
    void cmdSelectClick(int kind);

private:
    void loadCaptions();
    void showSample(const QString &path, const QString &extension);

    int m_planType;
    std::array<QToolButton *, 5> cmdSelect;
    std::array<QLabel *, 5> lblType;
    std::array<QLabel *, 5> lblStatic;
    std::array<QRadioButton *, 2> optType;
    QPushButton *cmdCancel;
    QPushButton *cmdHelp;
    QLabel *lblTitle;
};

} // namespace qv::create
