#include "create/opening/gui/frmSamplePlan.h"

#include "create/opening/OpeningCommands.h"
#include "create/opening/SampleViewer.h"
#include "create/opening/gui/ModalRun.h"
#include "create/opening/gui/OpeningStyle.h"
#include "create/opening/gui/PictureButton.h"
#include "create/opening/gui/Plan_Options.h"
#include "platform/Paths.h"
#include "platform/Services.h"
#include "plan/PlanInfo.h"
#include "resources/ResText.h"
#include "resources/art/Artwork.h"
#include "shell/StartupChecks.h"
#include "support/HelpFiles.h"
#include "support/gui/Captions.h"
#include "support/gui/HelpViewer.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qv::create
{

namespace
{

constexpr int kProgramIcon = 101;
constexpr int kHeight = 510;
constexpr int kFileNotFound = 612;
// The viewer shows its window while the system gets on its feet.
constexpr int kViewerYields = 21;

// String ids less 1000, in kind order (Service, Manufacturing, Wholesale,
// Retail, Custom).
constexpr std::array<int, 5> kKindCaptions{438, 439, 441, 440, 442};
constexpr std::array<int, 5> kKindDescriptions{340, 341, 342, 343, 344};
constexpr int kNewPlanOption = 437;
constexpr int kExistingPlanOption = 436;
constexpr int kTitle = 414;
constexpr int kCancel = 9;
constexpr int kHelp = 12;

enum OptionIndex { ExistingPlan = 0, NewPlan = 1 };

// "Business Plan" for a business plan, "Marketing Plan" for any other.
QString planKindName(int planType)
{
    return shell::planTypeNameFor(planType == plan::BusinessPlan ? plan::BusinessPlan : plan::MarketingPlan);
}

} // namespace

frmSamplePlan::frmSamplePlan(int planType, QWidget *parent) : QDialog(parent), m_planType(planType)
{
    setObjectName(QStringLiteral("frmSamplePlan"));
    setWindowIcon(resources::LoadResIcon(kProgramIcon));
    setFixedSize(600, kHeight);
    setAutoFillBackground(true);
    QPalette ground = palette();
    ground.setColor(QPalette::Window, opening::kPaper);
    setPalette(ground);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 16);
    layout->setSpacing(0);

    auto *header = new QFrame(this);
    header->setObjectName(QStringLiteral("pnlHeader"));
    header->setFixedHeight(64);
    header->setStyleSheet(QStringLiteral("#pnlHeader { background: qlineargradient(x1:0, y1:0, x2:1, y2:1,"
                                         " stop:0 #1B3A66, stop:1 #0E2240); }"));
    auto *headerRow = new QHBoxLayout(header);
    headerRow->setContentsMargins(24, 0, 24, 0);
    lblTitle = new QLabel(header);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setFont(opening::bodyFont(15, true));
    lblTitle->setStyleSheet(QStringLiteral("color: #FFFFFF;"));
    headerRow->addWidget(lblTitle);
    headerRow->addStretch(1);
    auto *planType_ = new QLabel(planKindName(planType).toUpper(), header);
    planType_->setObjectName(QStringLiteral("lblPlanType"));
    planType_->setFont(opening::bodyFont(8.5, true));
    planType_->setStyleSheet(QStringLiteral("color: #F4A93B; letter-spacing: 2px;"));
    headerRow->addWidget(planType_);
    layout->addWidget(header);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(24, 14, 24, 0);
    body->setSpacing(8);

    auto *options = new QHBoxLayout;
    options->setSpacing(24);
    optType[NewPlan] = new QRadioButton(this);
    optType[ExistingPlan] = new QRadioButton(this);
    for (int i : {NewPlan, ExistingPlan}) {
        optType[i]->setObjectName(QStringLiteral("optType_%1").arg(i));
        optType[i]->setFont(opening::bodyFont(10, true));
        opening::paintNavy(optType[i]);
        options->addWidget(optType[i]);
    }
    optType[NewPlan]->setChecked(true);
    options->addStretch(1);
    body->addLayout(options);
    body->addSpacing(6);

    auto *rows = new QGridLayout;
    rows->setHorizontalSpacing(16);
    rows->setVerticalSpacing(10);
    for (int kind = 0; kind < 5; ++kind) {
        cmdSelect[kind] = new opening::PictureButton(QStringLiteral("cmdSelect_%1").arg(kind),
                                                     QStringLiteral(":/opening/kind-%1.svg").arg(kind), 56, this);
        lblType[kind] = new QLabel(this);
        lblType[kind]->setObjectName(QStringLiteral("lblType_%1").arg(kind));
        lblType[kind]->setFont(opening::bodyFont(11, true));
        opening::paintNavy(lblType[kind]);
        lblStatic[kind] = new QLabel(this);
        lblStatic[kind]->setObjectName(QStringLiteral("lblStatic_%1").arg(kind));
        lblStatic[kind]->setFont(opening::bodyFont(9.5));
        lblStatic[kind]->setStyleSheet(QStringLiteral("color: #4A5B73;"));
        lblStatic[kind]->setWordWrap(true);

        auto *texts = new QVBoxLayout;
        texts->setSpacing(2);
        texts->addStretch(1);
        texts->addWidget(lblType[kind]);
        texts->addWidget(lblStatic[kind]);
        texts->addStretch(1);
        rows->addWidget(cmdSelect[kind], kind, 0);
        rows->addLayout(texts, kind, 1);
        connect(cmdSelect[kind], &QToolButton::clicked, this, [this, kind] { cmdSelectClick(kind); });
    }
    rows->setColumnStretch(1, 1);
    body->addLayout(rows);
    body->addStretch(1);
    layout->addLayout(body, 1);

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setStyleSheet(QStringLiteral("color: #DCE3EC;"));
    layout->addSpacing(10);
    layout->addWidget(line);
    layout->addSpacing(12);

    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(24, 0, 24, 0);
    cmdHelp = new QPushButton(this);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    cmdCancel = new QPushButton(this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    for (QPushButton *button : {cmdHelp, cmdCancel})
        button->setMinimumWidth(96);
    buttons->addWidget(cmdHelp);
    buttons->addStretch(1);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);

    connect(cmdCancel, &QPushButton::clicked, this, [this] {
        hide();
        reject();
    });
    connect(cmdHelp, &QPushButton::clicked, this, [this] { support::OpenHelpFile(this, support::kMainHelpFile); });
}

void frmSamplePlan::showModal(int planType, QWidget *owner)
{
    frmSamplePlan chooser(planType, owner);
    chooser.load();
    runModal(chooser);
}

void frmSamplePlan::load()
{
    loadCaptions();
    const bool stages = m_planType == plan::BusinessPlan;
    optType[NewPlan]->setVisible(stages);
    optType[ExistingPlan]->setVisible(stages);
    // Without the options row the list needs less height.
    if (!stages)
        setFixedSize(width(), kHeight - 32);
}

void frmSamplePlan::loadCaptions()
{
    support::CaptionLoader captions(this, objectName());
    captions.set(this, kTitle);
    lblTitle->setText(windowTitle());
    for (int kind = 0; kind < 5; ++kind) {
        captions.set(lblType[kind], kKindCaptions[kind]);
        captions.set(lblStatic[kind], kKindDescriptions[kind]);
        cmdSelect[kind]->setToolTip(lblType[kind]->text());
    }
    captions.set(optType[NewPlan], kNewPlanOption);
    captions.set(optType[ExistingPlan], kExistingPlanOption);
    captions.set(cmdCancel, kCancel);
    captions.set(cmdHelp, kHelp);
}

void frmSamplePlan::cmdSelectClick(int kind)
{
    QString extension;
    {
        Plan_Options options(this);
        options.load();
        runModal(options);
        extension = options.GetExtension();
    }
    if (extension.isEmpty())
        return;

    const QString path = samplePlanPath(m_planType, kind, optType[NewPlan]->isChecked(), extension);
    if (!platform::existsIgnoringCase(path)) {
        platform::msgBox(this, GetResText(kFileNotFound) + QStringLiteral(" \r\n") + path);
        return;
    }
    showSample(platform::resolveExistingPath(path), extension);
}

void frmSamplePlan::showSample(const QString &path, const QString &extension)
{
    if (extension != GetExtension(SampleProgram::VantorCompiler)) {
        platform::shell().open(this, path);
        return;
    }
    const std::unique_ptr<SampleViewer> viewer = createSampleViewer(kSampleViewerProgId);
    if (!viewer)
        return;
    viewer->LoadPlan(path);
    viewer->setDoReturn(false);
    viewer->setTypefield(planKindName(m_planType));
    viewer->setSample(true);
    viewer->Show();
    for (int i = 0; i < kViewerYields; ++i)
        platform::clock().processEvents();
}

} // namespace qv::create
