#pragma once

// The program-choice dialog: which installed program shows a finished sample
// plan. It offers what it finds and reports the choice as the sample file's
// extension.

#include "create/opening/SamplePrograms.h"

#include <QDialog>

#include <array>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QRadioButton;

namespace qv::create
{

class Plan_Options : public QDialog
{
    Q_OBJECT

public:
    explicit Plan_Options(QWidget *parent = nullptr);

    // Looks for the programs and arranges the dialog for what it found.
    void load();
    void load(const SampleProgramsFound &found);

    bool LookForWord() const { return create::LookForWord(); }
    bool LookForWord2000() const { return create::LookForWord2000(); }
    bool LookForWord97() const { return create::LookForWord97(); }
    bool LookForWordPro() const { return create::LookForWordPro(); }
    bool LookForVantorCompiler() const { return create::LookForVantorCompiler(); }

    // The chosen program's sample extension; empty after Cancel.
    QString GetExtension() const { return create::GetExtension(m_choice); }
    SampleProgram choice() const { return m_choice; }

    void reject() override;

private:
    void cmdOKClick();
    void optionToggled(SampleProgram program, bool on);

    QLabel *lblMessage;
    std::array<QRadioButton *, 3> optProgram;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;
    QPushButton *cmdReturn;
    QHBoxLayout *m_buttonRow;
    SampleProgram m_choice = SampleProgram::None;
};

} // namespace qv::create
