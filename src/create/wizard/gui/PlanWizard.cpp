#include "create/wizard/gui/PlanWizard.h"

#include "create/wizard/WizardLaunch.h"
#include "create/wizard/gui/PageHelpers.h"
#include "create/wizard/gui/WizardPages.h"
#include "plan/PlanReplacement.h"
#include "platform/Services.h"

#include <QAbstractButton>
#include <QProgressBar>
#include <QDebug>

// The artwork lives in this static library; its resources need a call.
static void initWizardArtwork()
{
    Q_INIT_RESOURCE(wizard);
}

namespace qv::wizard {

namespace {
int maxFigurePages(const QuestionList &questions)
{
    int most = 0;
    for (int kind = 0; kind < kKindCount; ++kind) {
        most = std::max(most, int(questions.pagesFor(kind, true).size()));
        most = std::max(most, int(questions.pagesFor(kind, false).size()));
    }
    return most;
}

constexpr int kWidth = 720;

QString windowTitleOf(WizardKind kind)
{
    switch (kind) {
    case WizardKind::Business:
        return QStringLiteral("New Business Plan");
    case WizardKind::BusinessWithFigures:
        return QStringLiteral("Business Plan Wizard");
    case WizardKind::Marketing:
        return QStringLiteral("New Marketing Plan");
    }
    return {};
}
} // namespace

PlanWizard::PlanWizard(WizardKind kind, QuestionList questions, QWidget *parent)
    : QWizard(parent), m_kind(kind), m_questions(std::move(questions))
{
    initWizardArtwork();
    setObjectName(QStringLiteral("PlanWizard"));
    setWindowTitle(windowTitleOf(kind) + QStringLiteral(" - Quorvex 8.0"));
    setWizardStyle(QWizard::ModernStyle);
    setOption(QWizard::NoBackButtonOnStartPage);
    setOption(QWizard::HaveHelpButton, false);
    setPixmap(QWizard::LogoPixmap, renderArtwork(QStringLiteral(":/wizard/logo.svg"), QSize(60, 60), 8));
    setPixmap(QWizard::BannerPixmap, renderArtwork(QStringLiteral(":/wizard/banner.svg"), QSize(kWidth, 72)));
    setWindowIcon(QIcon(renderArtwork(QStringLiteral(":/wizard/logo.svg"), QSize(64, 64))));
    button(QWizard::NextButton)->setObjectName(QStringLiteral("cmdNext"));
    button(QWizard::BackButton)->setObjectName(QStringLiteral("cmdBack"));
    button(QWizard::FinishButton)->setObjectName(QStringLiteral("cmdFinish"));
    button(QWizard::CancelButton)->setObjectName(QStringLiteral("cmdCancel"));
    setButtonText(QWizard::FinishButton, QStringLiteral("&Create Plan"));

    const PlanType type = planType();
    auto add = [this](int id, QWizardPage *page) {
        setPage(id, page);
        m_order << id;
    };
    add(WelcomeId, new WelcomePage(kind));
    add(KindId, new KindPage(type));
    if (type == PlanType::Business)
        add(StageId, new StagePage);
    add(BusinessNameId, new BusinessNamePage(type));
    add(DocumentId, new DocumentPage(type));
    if (type == PlanType::Marketing) {
        add(MarketingCountsId, new MarketingCountsPage);
        add(MarketingProgramsId, new MarketingProgramsPage);
    }
    add(PeriodId, new PeriodPage(type));
    // Every business plan's instructions and tables assume the counts.
    if (type == PlanType::Business)
        add(BusinessCountsId, new BusinessCountsPage);
    if (kind == WizardKind::BusinessWithFigures) {
        const int figurePageCount = maxFigurePages(m_questions);
        for (int index = 0; index < figurePageCount; ++index)
            add(FirstFiguresId + index, new FiguresPage(index));
    }
    add(SubmissionId, new SubmissionPage);
    add(SummaryId, new SummaryPage);
    setStartId(WelcomeId);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("prgPages"));
    m_progress->setFormat(QStringLiteral("Step %v of %m"));
    m_progress->setTextVisible(true);
    connect(this, &QWizard::currentIdChanged, this, &PlanWizard::showProgress);
    // The side picture greets the user on the first page and sees them off
    // on the last; the pages between get the header.
    const QPixmap watermark = renderArtwork(QStringLiteral(":/wizard/watermark.svg"), QSize(180, 494));
    page(WelcomeId)->setPixmap(QWizard::WatermarkPixmap, watermark);
    page(SummaryId)->setPixmap(QWizard::WatermarkPixmap, watermark);
    // A setup assistant keeps one size, so the artwork always fits.
    setFixedSize(kWidth, 540);
}

WizardAnswers PlanWizard::answers() const
{
    WizardAnswers a;
    a.planType = planType();
    a.hasBusinessCounts = planType() == PlanType::Business;
    a.hasMarketingCounts = m_kind == WizardKind::Marketing;
    for (int id : visitedIds()) {
        if (auto *p = qobject_cast<AnswerPage *>(page(id)))
            p->collect(a);
    }
    return a;
}

QList<QuestionPage> PlanWizard::figurePages() const
{
    const WizardAnswers a = answers();
    return m_questions.pagesFor(a.kind, a.newBusiness);
}

QList<int> PlanWizard::pagePath() const
{
    const int figurePageCount = m_kind == WizardKind::BusinessWithFigures ? int(figurePages().size()) : 0;
    QList<int> path;
    for (int id : m_order) {
        if (id >= FirstFiguresId && id - FirstFiguresId >= figurePageCount)
            continue;
        path << id;
    }
    return path;
}

int PlanWizard::nextId() const
{
    const QList<int> path = pagePath();
    const qsizetype at = path.indexOf(currentId());
    return at >= 0 && at + 1 < path.size() ? path.at(at + 1) : -1;
}

void PlanWizard::showProgress()
{
    const QList<int> path = pagePath();
    m_progress->setRange(0, int(path.size()));
    m_progress->setValue(int(path.indexOf(currentId())) + 1);
    placeProgress();
}

void PlanWizard::placeProgress()
{
    if (!m_progress)
        return;
    // In the button row, left of the buttons, where a Help button would sit.
    const QWidget *back = button(QWizard::CancelButton);
    const int left = 12;
    int right = width();
    for (QWizard::WizardButton which : {QWizard::BackButton, QWizard::NextButton, QWizard::FinishButton,
                                        QWizard::CancelButton}) {
        if (button(which)->isVisible())
            right = std::min(right, button(which)->x());
    }
    m_progress->setGeometry(left, back->y() + (back->height() - m_progress->sizeHint().height()) / 2,
                            std::min(220, right - left - 16), m_progress->sizeHint().height());
    m_progress->raise();
}

void PlanWizard::resizeEvent(QResizeEvent *event)
{
    QWizard::resizeEvent(event);
    placeProgress();
}

void PlanWizard::showEvent(QShowEvent *event)
{
    QWizard::showEvent(event);
    showProgress();
}

void PlanWizard::accept()
{
    WizardAnswers a = answers();
    // A plan that appeared at the chosen place since the user was asked.
    if (a.replaceDocument != a.documentPath && plan::planAt(a.documentPath).exists()) {
        if (!plan::askToReplacePlan(this, a.documentPath))
            return;
        a.replaceDocument = a.documentPath;
    }
    const Handover handover = handOverAnswers(a);
    if (handover.done) {
        m_outcome = Outcome::HandedOver;
        QWizard::accept();
        return;
    }
    platform::msgBox(this, handover.error, platform::Buttons::Ok, platform::Icon::Critical);
    if (handover.answerFile.isEmpty())
        return; // nothing written: the user may correct the answers and try again
    m_outcome = Outcome::Failed;
    QWizard::accept();
}

void PlanWizard::reject()
{
    if (currentId() != startId()) {
        const auto answer = platform::msgBox(this,
                                             QStringLiteral("Do you want to stop making the plan?\n"
                                                            "Your answers will not be kept."),
                                             platform::Buttons::YesNo, platform::Icon::Question);
        if (answer != platform::Answer::Yes)
            return;
    }
    m_outcome = Outcome::Cancelled;
    returnToOrigin(m_origin, planType()); // if Quorvex cannot start there is nowhere else to go
    QWizard::reject();
}

QuestionList installedQuestions(WizardKind kind)
{
    if (kind != WizardKind::BusinessWithFigures)
        return {};
    QuestionList list = QuestionList::load(questionListPath());
    for (const QString &problem : list.problems())
        qWarning().noquote() << "wizard questions:" << problem;
    return list;
}

} // namespace qv::wizard
