#include "create/creation/gui/frmCreateProgress.h"

#include "composer/frmMain.h"
#include "platform/Application.h"
#include "platform/Services.h"
#include "resources/ResText.h"
#include "shell/CurrentPlan.h"
#include "shell/frmParent.h"
#include "support/CWaitCursor.h"
#include "support/gui/CWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>

namespace qv::create {

namespace {

constexpr int kMakerText = 410;        // "Corvane"
constexpr int kInformationText = 415;  // "Please wait while your plan is being created."
constexpr int kCaptionText = 416;      // "Creating New Plan"
constexpr int kInitialisingText = 451; // "Initialilizing Plan"

constexpr int kIconSize = 40;

frmCreateProgress *g_loaded = nullptr;

} // namespace

frmCreateProgress::frmCreateProgress(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_creation(*this)
{
    setObjectName(QStringLiteral("frmCreateProgress"));

    pnlCaption = new QLabel(this);
    pnlCaption->setObjectName(QStringLiteral("pnlCaption"));
    pnlCaption->setAlignment(Qt::AlignCenter);
    pnlCaption->setFrameShape(QFrame::Panel);
    pnlCaption->setFrameShadow(QFrame::Raised);
    pnlCaption->setMinimumHeight(44);
    QFont bannerFont = pnlCaption->font();
    bannerFont.setPointSizeF(bannerFont.pointSizeF() * 1.6);
    bannerFont.setBold(true);
    pnlCaption->setFont(bannerFont);

    // The frame's icon beside the request to wait (set with the icon).
    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setFixedSize(kIconSize, kIconSize);

    lblInformation = new QLabel(this);
    lblInformation->setObjectName(QStringLiteral("lblInformation"));
    lblInformation->setWordWrap(true);

    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    QFont statusFont = lblStatus->font();
    statusFont.setBold(true);
    lblStatus->setFont(statusFont);

    // Detail lines are file paths and cell names: one line, shortened in the
    // middle so both ends stay readable.
    lblDetail = new QLabel(this);
    lblDetail->setObjectName(QStringLiteral("lblDetail"));
    lblDetail->setMinimumWidth(360);
    lblDetail->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lblDetail->setMinimumHeight(lblDetail->fontMetrics().height());

    prgProgress = new QProgressBar(this);
    prgProgress->setObjectName(QStringLiteral("prgProgress"));
    prgProgress->setTextVisible(false);
    // Kept in the layout while hidden, so the window does not change size
    // when the queued values start.
    QSizePolicy keepSpace = prgProgress->sizePolicy();
    keepSpace.setRetainSizeWhenHidden(true);
    prgProgress->setSizePolicy(keepSpace);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    layout->addWidget(pnlCaption);
    auto *information = new QHBoxLayout;
    information->setSpacing(12);
    information->addWidget(picIcon, 0, Qt::AlignTop);
    information->addWidget(lblInformation, 1);
    layout->addLayout(information);
    layout->addSpacing(4);
    layout->addWidget(lblStatus);
    layout->addWidget(lblDetail);
    layout->addWidget(prgProgress);

    loadCaptions();
    resize(460, sizeHint().height());
}

frmCreateProgress::~frmCreateProgress()
{
    if (g_loaded == this)
        g_loaded = nullptr;
}

frmCreateProgress *frmCreateProgress::loaded() { return g_loaded; }

void frmCreateProgress::loadCaptions()
{
    lblStatus->clear();
    lblDetail->clear();
    m_detail.clear();
    pnlCaption->setText(GetResText(kMakerText));
    setWindowTitle(GetResText(kCaptionText));
    lblInformation->setText(GetResText(kInformationText));
    setMessage(GetResText(kInitialisingText));
    prgProgress->hide();
}

void frmCreateProgress::takeIcon(const QIcon &icon)
{
    setWindowIcon(icon);
    picIcon->setPixmap(icon.pixmap(kIconSize, kIconSize));
}

void frmCreateProgress::showStatus(const QString &text)
{
    lblStatus->setText(platform::applicationTitle() + QStringLiteral(": ") + text);
}

void frmCreateProgress::showDetail(const QString &text)
{
    // A window the user closed goes away at its next line; creation goes on
    // without it.
    if (!isVisible())
        m_closed = true;
    if (m_closed)
        return;
    m_detail = text;
    showElidedDetail();
}

void frmCreateProgress::showElidedDetail()
{
    const int width = std::max(lblDetail->width(), lblDetail->minimumWidth());
    lblDetail->setText(lblDetail->fontMetrics().elidedText(m_detail, Qt::ElideMiddle, width));
    lblDetail->setToolTip(m_detail);
}

void frmCreateProgress::startProgress(int maximum)
{
    prgProgress->setRange(0, std::max(maximum, 1));
    prgProgress->setValue(0);
    prgProgress->show();
}

void frmCreateProgress::advanceProgress()
{
    prgProgress->setValue(std::min(prgProgress->value() + 1, prgProgress->maximum()));
}

void frmCreateProgress::yieldToWindowSystem() { platform::clock().processEvents(); }

void frmCreateProgress::closeEvent(QCloseEvent *event)
{
    m_closed = true;
    event->accept();
}

void frmCreateProgress::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    showElidedDetail();
}

CreationResult frmCreateProgress::run(const QString &answerFilePath)
{
    g_loaded = this;
    support::CWaitCursor wait(support::MousePointer::Hourglass);
    show();
    yieldToWindowSystem();
    CreationResult result = m_creation.createPlanFromQA(answerFilePath);
    hide();
    g_loaded = nullptr;
    return result;
}

bool frmCreateProgress::createPlanFromQA(const QString &answerFilePath)
{
    shell::frmParent &frame = shell::frmParent::load();
    auto window = std::make_unique<frmCreateProgress>();
    window->takeIcon(frame.windowIcon());
    support::CWindow::Center(window.get(), &frame);

    // The wizard asked already when the answers say so; anyone else is asked here.
    window->creation().setReplaceQuestion([&window](const ReplaceRequest &request) {
        return request.agreedInAnswers || plan::askToReplacePlan(window.get(), request.documentPath);
    });
    const CreationResult result = window->run(answerFilePath);
    std::unique_ptr<plan::Plan> made = window->creation().takePlan();
    QWidget *owner = nullptr;
    if (result.planMade() && made) {
        shell::adoptCurrentPlan(std::move(made));
        composer::frmMain &composer = composer::frmMain::load();
        composer.planOpen();
        composer.show();
        owner = &composer;
    }
    window.reset();
    const QString report = result.reportText();
    if (!report.isEmpty())
        platform::msgBox(owner, report, platform::Buttons::Ok,
                         owner ? platform::Icon::Exclamation : platform::Icon::Critical);
    return owner != nullptr;
}

} // namespace qv::create
