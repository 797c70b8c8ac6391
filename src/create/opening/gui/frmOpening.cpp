#include "create/opening/gui/frmOpening.h"

#include "create/opening/OpeningCommands.h"
#include "create/opening/gui/OpeningStyle.h"
#include "create/opening/gui/PictureButton.h"
#include "create/opening/gui/frmSamplePlan.h"
#include "platform/Application.h"
#include "platform/Services.h"
#include "plan/PlanInfo.h"
#include "resources/art/Artwork.h"
#include "shell/CurrentPlan.h"
#include "shell/StartupChecks.h"
#include "shell/frmParent.h"
#include "shell/modBusinessRule.h"
#include "support/HelpFiles.h"
#include "support/gui/Captions.h"
#include "support/gui/HelpViewer.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace qv::create
{

namespace
{

constexpr int kProgramIcon = 101;
constexpr int kBusinessComposerIcon = 102;
constexpr int kMarketingComposerIcon = 103;

// The captions' string ids less 1000 for a business and a marketing plan,
// by lblStatic index.
struct CaptionPair {
    int business;
    int marketing;
};
constexpr std::array<CaptionPair, 8> kLabelCaptions{{
    {386, 387}, // 0: the samples' description
    {324, 362}, // 1: new plan
    {325, 363}, // 2: last plan
    {326, 364}, // 3: open a plan
    {327, 365}, // 4: the new plan's description
    {328, 366}, // 5: the last plan's description
    {329, 367}, // 6: the open plan's description
    {384, 385}, // 7: samples
}};
constexpr int kCancel = 9;
constexpr int kHelp = 12;

QLabel *choiceLabel(QWidget *parent, int index, bool title)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QStringLiteral("lblStatic_%1").arg(index));
    label->setFont(opening::bodyFont(title ? 11.5 : 9.5, title));
    label->setWordWrap(!title);
    return label;
}

} // namespace

frmOpening *frmOpening::Display()
{
    const int type = shell::ensureCurrentPlan().planInfo().planType();
    auto *dialog = new frmOpening(type);
    dialog->load();
    shell::frmParent::load().hostChild(dialog);
    dialog->cmdNewPlan->setFocus();
    return dialog;
}

frmOpening::frmOpening(int planType, QWidget *parent)
    : QWidget(parent), m_planType(planType), m_planTypeName(shell::planTypeNameFor(planType))
{
    setObjectName(QStringLiteral("frmOpening"));
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumSize(660, 540);

    auto *layout = new QGridLayout(this);
    layout->addWidget(buildPanel(), 0, 0, Qt::AlignCenter);

    // Escape is the keyboard's way to the control menu's Close.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &frmOpening::cmdExitClick);
}

QFrame *frmOpening::buildPanel()
{
    pnlBackGround = new QFrame(this);
    pnlBackGround->setObjectName(QStringLiteral("pnlBackGround"));
    pnlBackGround->setFixedSize(620, 500);
    pnlBackGround->setStyleSheet(QStringLiteral("#pnlBackGround { background: #F6F7F9; border-radius: 14px; }"
                                                "#pnlHeader { background: qlineargradient(x1:0, y1:0, x2:1, y2:1,"
                                                " stop:0 #1B3A66, stop:1 #0E2240);"
                                                " border-top-left-radius: 14px; border-top-right-radius: 14px; }"
                                                "QLabel { color: #0E2240; }"
                                                "QLabel:disabled { color: #9AA8BA; }"));
    auto *layout = new QVBoxLayout(pnlBackGround);
    layout->setContentsMargins(0, 0, 0, 18);
    layout->setSpacing(0);

    auto *header = new QFrame(pnlBackGround);
    header->setObjectName(QStringLiteral("pnlHeader"));
    header->setFixedHeight(84);
    auto *headerRow = new QHBoxLayout(header);
    headerRow->setContentsMargins(26, 0, 26, 0);
    headerRow->setSpacing(14);
    picPlanType = new QLabel(header);
    picPlanType->setObjectName(QStringLiteral("picPlanType"));
    headerRow->addWidget(picPlanType);
    auto *titles = new QVBoxLayout;
    titles->setSpacing(2);
    titles->addStretch(1);
    lblTitle = new QLabel(header);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setFont(opening::bodyFont(17, true));
    lblTitle->setStyleSheet(QStringLiteral("color: #FFFFFF;"));
    titles->addWidget(lblTitle);
    auto *product = new QLabel(platform::applicationTitle().toUpper(), header);
    product->setObjectName(QStringLiteral("lblProduct"));
    product->setFont(opening::bodyFont(8.5, true));
    product->setStyleSheet(QStringLiteral("color: #8FA6C4; letter-spacing: 2px;"));
    titles->addWidget(product);
    titles->addStretch(1);
    headerRow->addLayout(titles, 1);
    layout->addWidget(header);

    // Teal marks business plans and amber marketing plans, as on the icons.
    auto *accent = new QFrame(pnlBackGround);
    accent->setObjectName(QStringLiteral("pnlAccent"));
    accent->setFixedHeight(3);
    accent->setStyleSheet(
        QStringLiteral("#pnlAccent { background: %1; }")
            .arg(m_planType == plan::BusinessPlan ? QStringLiteral("#22A39F") : QStringLiteral("#F4A93B")));
    layout->addWidget(accent);

    auto *choices = new QWidget(pnlBackGround);
    auto *grid = new QGridLayout(choices);
    grid->setContentsMargins(30, 20, 30, 8);
    grid->setHorizontalSpacing(18);
    grid->setVerticalSpacing(16);
    grid->setColumnStretch(1, 1);
    layout->addWidget(choices, 1);

    for (int i = 0; i < 8; ++i)
        lblStatic[i] = choiceLabel(choices, i, i >= 1 && i <= 3 ? true : i == 7);
    cmdNewPlan =
        new opening::PictureButton(QStringLiteral("cmdNewPlan"), QStringLiteral(":/opening/new-plan.svg"), 64, choices);
    cmdLast =
        new opening::PictureButton(QStringLiteral("cmdLast"), QStringLiteral(":/opening/last-plan.svg"), 64, choices);
    cmdOpen =
        new opening::PictureButton(QStringLiteral("cmdOpen"), QStringLiteral(":/opening/open-plan.svg"), 64, choices);
    cmdSamples =
        new opening::PictureButton(QStringLiteral("cmdSamples"), QStringLiteral(":/opening/samples.svg"), 64, choices);
    addChoice(choices, cmdNewPlan, lblStatic[1], lblStatic[4]);
    QVBoxLayout *lastTexts = addChoice(choices, cmdLast, lblStatic[2], lblStatic[5]);
    lblLastPlanName = new QLabel(choices);
    lblLastPlanName->setObjectName(QStringLiteral("lblLastPlanName"));
    lblLastPlanName->setFont(opening::bodyFont(9, true));
    lblLastPlanName->setStyleSheet(QStringLiteral("color: #1E8C88;"));
    lblLastPlanName->hide();
    lastTexts->insertWidget(3, lblLastPlanName);
    addChoice(choices, cmdOpen, lblStatic[3], lblStatic[6]);
    addChoice(choices, cmdSamples, lblStatic[7], lblStatic[0]);

    auto *line = new QFrame(pnlBackGround);
    line->setFrameShape(QFrame::HLine);
    line->setStyleSheet(QStringLiteral("color: #DCE3EC;"));
    layout->addWidget(line);
    layout->addSpacing(14);

    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(30, 0, 30, 0);
    cmdHelp = new QPushButton(pnlBackGround);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    cmdExit = new QPushButton(pnlBackGround);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    for (QPushButton *button : {cmdHelp, cmdExit})
        button->setMinimumWidth(100);
    buttons->addWidget(cmdHelp);
    buttons->addStretch(1);
    buttons->addWidget(cmdExit);
    layout->addLayout(buttons);

    connect(cmdNewPlan, &QToolButton::clicked, this, &frmOpening::cmdNewPlanClick);
    connect(cmdLast, &QToolButton::clicked, this, &frmOpening::cmdLastClick);
    connect(cmdOpen, &QToolButton::clicked, this, &frmOpening::cmdOpenClick);
    connect(cmdSamples, &QToolButton::clicked, this, &frmOpening::cmdSamplesClick);
    connect(cmdHelp, &QPushButton::clicked, this, &frmOpening::cmdHelpClick);
    connect(cmdExit, &QPushButton::clicked, this, &frmOpening::cmdExitClick);
    return pnlBackGround;
}

QVBoxLayout *frmOpening::addChoice(QWidget *panel, QToolButton *button, QLabel *title, QLabel *description)
{
    auto *grid = static_cast<QGridLayout *>(panel->layout());
    const int row = m_choiceRows++;
    auto *texts = new QVBoxLayout;
    texts->setSpacing(3);
    texts->addStretch(1);
    texts->addWidget(title);
    texts->addWidget(description);
    texts->addStretch(1);
    grid->addWidget(button, row, 0);
    grid->addLayout(texts, row, 1);
    title->setBuddy(button);
    return texts;
}

void frmOpening::load()
{
    loadCaptions();
    m_lastPlan = shell::lastPlanToOffer(m_planType);
    const bool hasLast = !m_lastPlan.isEmpty();
    cmdLast->setEnabled(hasLast);
    lblStatic[2]->setEnabled(hasLast);
    lblStatic[5]->setEnabled(hasLast);
    cmdLast->setToolTip(m_lastPlan);
    // The plan's name tells the user what Open the last plan will open.
    lblLastPlanName->setText(QFileInfo(m_lastPlan).completeBaseName());
    lblLastPlanName->setVisible(hasLast);

    const int icon = m_planType == plan::BusinessPlan ? kBusinessComposerIcon : kMarketingComposerIcon;
    picPlanType->setPixmap(resources::LoadResIcon(icon).pixmap(52, 52));
    const shell::frmParent *frame = shell::frmParent::loaded();
    setWindowIcon(frame ? frame->windowIcon() : resources::LoadResIcon(kProgramIcon));
}

void frmOpening::loadCaptions()
{
    support::CaptionLoader captions(this, objectName());
    const bool business = m_planType == plan::BusinessPlan;
    for (int i = 0; i < 8; ++i)
        captions.set(lblStatic[i], business ? kLabelCaptions[i].business : kLabelCaptions[i].marketing);
    captions.set(cmdExit, kCancel);
    captions.set(cmdHelp, kHelp);
    setWindowTitle(m_planTypeName);
    lblTitle->setText(m_planTypeName);
    cmdNewPlan->setToolTip(lblStatic[1]->text());
    cmdOpen->setToolTip(lblStatic[3]->text());
    cmdSamples->setToolTip(lblStatic[7]->text());
}

void frmOpening::cmdNewPlanClick()
{
    startWizardProgram(m_planType);
    unloadWithFrame();
}

void frmOpening::cmdLastClick()
{
    if (!m_lastPlan.isEmpty())
        openPlan(m_lastPlan);
}

void frmOpening::cmdOpenClick()
{
    const std::optional<QString> chosen = platform::fileDialogs().openFile(this, openPlanRequest(m_planType));
    if (!chosen || chosen->isEmpty())
        return;
    openPlan(withPlanExtension(*chosen, m_planType));
}

void frmOpening::cmdSamplesClick()
{
    hide();
    frmSamplePlan::showModal(m_planType, window());
    show();
}

void frmOpening::cmdHelpClick()
{
    support::OpenHelpFile(this, support::kMainHelpFile);
}

void frmOpening::cmdExitClick()
{
    shell::frmParent::Display();
    m_unloading = true;
    close();
}

void frmOpening::openPlan(const QString &path)
{
    if (openPlanInComposer(path))
        unloadWithFrame();
}

void frmOpening::unloadWithFrame()
{
    m_unloading = true;
    QPointer<frmOpening> self(this);
    shell::frmParent::Unload();
    if (self)
        self->close();
}

void frmOpening::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    opening::paintBackdrop(painter, rect());
}

void frmOpening::closeEvent(QCloseEvent *event)
{
    // The user closing the window (not the program unloading it) goes back
    // to the welcome menu, as Cancel does.
    if (event->spontaneous() && !m_unloading)
        shell::frmParent::Display();
    event->accept();
}

} // namespace qv::create
