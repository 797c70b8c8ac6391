#include "create/opening/gui/Plan_Options.h"

#include "create/opening/gui/OpeningStyle.h"
#include "platform/Application.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qv::create
{

namespace
{

const std::array<const char *, 3> kProgramCaptions{"Word Pro", "Word", "Vantor Compiler"};

} // namespace

Plan_Options::Plan_Options(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Plan_Options"));
    setWindowTitle(platform::applicationTitle());
    setFixedSize(470, 220);

    setAutoFillBackground(true);
    QPalette ground = palette();
    ground.setColor(QPalette::Window, opening::kPaper);
    setPalette(ground);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(22, 20, 22, 16);
    layout->setSpacing(12);

    auto *top = new QHBoxLayout;
    top->setSpacing(18);
    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("picProgram"));
    picture->setPixmap(opening::tilePixmap(QStringLiteral(":/opening/samples.svg"), 56));
    picture->setAlignment(Qt::AlignTop);
    top->addWidget(picture, 0, Qt::AlignTop);

    auto *column = new QVBoxLayout;
    column->setSpacing(8);
    lblMessage = new QLabel(this);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    lblMessage->setWordWrap(true);
    lblMessage->setFont(opening::bodyFont(10.5));
    lblMessage->setStyleSheet(QStringLiteral("color: #0E2240;"));
    column->addWidget(lblMessage);
    for (int i = 0; i < 3; ++i) {
        const auto program = SampleProgram(i + 1);
        optProgram[i] = new QRadioButton(QString::fromLatin1(kProgramCaptions[i]), this);
        optProgram[i]->setObjectName(QStringLiteral("optProgram_%1").arg(i + 1));
        optProgram[i]->setFont(opening::bodyFont(10));
        column->addWidget(optProgram[i]);
        connect(optProgram[i], &QRadioButton::toggled, this, [this, program](bool on) { optionToggled(program, on); });
    }
    column->addStretch(1);
    top->addLayout(column, 1);
    layout->addLayout(top, 1);

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setStyleSheet(QStringLiteral("color: #DCE3EC;"));
    layout->addWidget(line);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    // Shown instead of OK and Cancel when there is nothing to choose: it
    // leaves the dialog with no choice made.
    cmdReturn = new QPushButton(QStringLiteral("OK"), this);
    cmdReturn->setObjectName(QStringLiteral("cmdReturn"));
    cmdReturn->hide();
    for (QPushButton *button : {cmdOK, cmdCancel, cmdReturn}) {
        button->setMinimumWidth(88);
        buttons->addWidget(button);
    }
    buttons->addStretch(0);
    m_buttonRow = buttons;
    layout->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, &Plan_Options::cmdOKClick);
    connect(cmdCancel, &QPushButton::clicked, this, &Plan_Options::reject);
    connect(cmdReturn, &QPushButton::clicked, this, &Plan_Options::reject);
}

void Plan_Options::load()
{
    load(findSamplePrograms());
}

void Plan_Options::load(const SampleProgramsFound &found)
{
    const ProgramChoiceLayout arrangement = programChoiceLayout(found);
    lblMessage->setText(arrangement.label);
    lblMessage->setAlignment(arrangement.labelCentred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
    m_choice = arrangement.preselected;
    for (int i = 0; i < 3; ++i) {
        optProgram[i]->setChecked(m_choice == SampleProgram(i + 1));
        optProgram[i]->setVisible(arrangement.optionVisible[i]);
    }
    cmdOK->setVisible(arrangement.okCancelVisible);
    cmdCancel->setVisible(arrangement.okCancelVisible);
    cmdReturn->setVisible(arrangement.returnButtonVisible);
    cmdReturn->setDefault(arrangement.returnButtonVisible);
    // The lone button sits under the centred message.
    m_buttonRow->setStretch(m_buttonRow->count() - 1, arrangement.returnButtonVisible ? 1 : 0);
}

void Plan_Options::optionToggled(SampleProgram program, bool on)
{
    if (on)
        m_choice = program;
}

void Plan_Options::cmdOKClick()
{
    hide();
    accept();
}

void Plan_Options::reject()
{
    // Cancel, Escape and the window's close all leave without a choice.
    m_choice = SampleProgram::None;
    hide();
    QDialog::reject();
}

} // namespace qv::create
