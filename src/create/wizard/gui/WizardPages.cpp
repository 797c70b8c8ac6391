#include "create/wizard/gui/WizardPages.h"

#include "create/wizard/PlanPeriod.h"
#include "create/wizard/WizardLimits.h"
#include "plan/PlanRules.h"
#include "create/wizard/gui/PageHelpers.h"
#include "create/wizard/gui/PlanWizard.h"
#include "plan/PlanReplacement.h"
#include "platform/Folders.h"
#include "platform/Paths.h"
#include "platform/Services.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

namespace qv::wizard {

namespace {

QString planTypeWords(PlanType type)
{
    return type == PlanType::Business ? QStringLiteral("business plan") : QStringLiteral("marketing plan");
}

QFormLayout *makeForm(QWidget *parent)
{
    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignLeft);
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    form->setHorizontalSpacing(16);
    form->setVerticalSpacing(8);
    Q_UNUSED(parent);
    return form;
}

// A page of one form, with the explanation of what its answers change at the foot.
void layOutFormPage(QWidget *page, QFormLayout *form, const QString &explanation)
{
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addStretch();
    layout->addWidget(makeExplanation(explanation, page));
}

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

} // namespace

// ---- AnswerPage ----------------------------------------------------------------

PlanWizard *AnswerPage::planWizard() const
{
    return qobject_cast<PlanWizard *>(wizard());
}

WizardAnswers AnswerPage::answersSoFar() const
{
    WizardAnswers a = planWizard() ? planWizard()->answers() : WizardAnswers{};
    collect(a);
    return a;
}

QString submissionDateText(const QDate &date)
{
    if (!date.isValid())
        return {};
    return QStringLiteral("%1 %2, %3").arg(monthName(date.month())).arg(date.day()).arg(date.year());
}

// ---- Welcome ------------------------------------------------------------------------

WelcomePage::WelcomePage(WizardKind kind, QWidget *parent) : AnswerPage(parent)
{
    setObjectName(QStringLiteral("pageWelcome"));
    QString text;
    switch (kind) {
    case WizardKind::Business:
        setTitle(QStringLiteral("Set Up a New Business Plan"));
        text = QStringLiteral(
            "<p>This assistant sets up a new business plan for you in a few minutes.</p>"
            "<p>You tell it what kind of business you run, whether it is new or already trading, its name, "
            "when its plan year begins, and how many products, advertising media, market segments and markets "
            "it has. Quorvex then builds the plan from the matching template: your business name on the title "
            "pages, your months and years in the forecast headings, and tables that show just the rows you "
            "need. You enter the figures in the plan's tables as you write.</p>");
        break;
    case WizardKind::BusinessWithFigures:
        setTitle(QStringLiteral("Welcome to the Business Plan Wizard"));
        text = QStringLiteral(
            "<p>This wizard sets up a new business plan and fills in its first figures with you.</p>"
            "<p>Besides the kind of business, its name, its plan year and how many products, advertising "
            "media, market segments and markets you have, it asks the key figures of your business, such as "
            "start-up costs, prices and expected sales, and puts them straight into the financial tables, so "
            "the plan starts with your numbers instead of blank cells.</p>");
        break;
    case WizardKind::Marketing:
        setTitle(QStringLiteral("Set Up a New Marketing Plan"));
        text = QStringLiteral(
            "<p>This assistant sets up a new marketing plan for you in a few minutes.</p>"
            "<p>You tell it about your business, how many products, advertising media and markets the plan "
            "covers, how many public relations activities, sales promotions, trade shows and events, and "
            "direct and online campaigns you budget for, and when your fiscal year ends. Quorvex then builds "
            "the plan with tables sized to those answers and headed with your months and years.</p>");
        break;
    }
    text += QStringLiteral("<p>Every answer can be changed later in the plan itself. "
                           "Click <b>Next</b> to begin.</p>");
    auto *label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("lblWelcome"));
    label->setWordWrap(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addStretch();
}

// ---- Kind ---------------------------------------------------------------------------

KindPage::KindPage(PlanType type, QWidget *parent) : AnswerPage(parent), m_kinds(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("pageKind"));
    setTitle(QStringLiteral("Kind of Business"));
    setSubTitle(QStringLiteral("Choose the kind of business the plan is for."));
    auto *layout = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(2);
    for (int kind = 0; kind < kKindCount; ++kind) {
        auto *option = new QRadioButton(kindCaption(kind), this);
        option->setObjectName(QStringLiteral("optKind_%1").arg(kind));
        QFont bold = option->font();
        bold.setBold(true);
        option->setFont(bold);
        m_kinds->addButton(option, kind);
        auto *description = new QLabel(kindDescription(kind), this);
        description->setObjectName(QStringLiteral("lblKind_%1").arg(kind));
        description->setStyleSheet(QStringLiteral("color: #5a6b80; margin-left: 24px; margin-bottom: 6px;"));
        description->setWordWrap(true);
        grid->addWidget(option, kind * 2, 0);
        grid->addWidget(description, kind * 2 + 1, 0);
    }
    layout->addLayout(grid);
    layout->addStretch();
    const QString what =
        type == PlanType::Business
            ? QStringLiteral("<b>What this changes:</b> the plan's chapters, the instructions and the worked "
                             "examples beside each section are written for this kind of business. A Custom plan "
                             "combines several kinds and has its own set of financial tables.")
            : QStringLiteral("<b>What this changes:</b> the instructions and the worked examples beside each "
                             "section of the marketing plan are written for this kind of business.");
    layout->addWidget(makeExplanation(what, this));
    connect(m_kinds, &QButtonGroup::idToggled, this, [this] { emit completeChanged(); });
}

bool KindPage::isComplete() const
{
    return m_kinds->checkedId() >= 0;
}

void KindPage::collect(WizardAnswers &answers) const
{
    answers.kind = std::max(0, m_kinds->checkedId());
}

// ---- Stage ----------------------------------------------------------------------------

StagePage::StagePage(QWidget *parent) : AnswerPage(parent)
{
    setObjectName(QStringLiteral("pageStage"));
    setTitle(QStringLiteral("New or Existing Business"));
    setSubTitle(QStringLiteral("Is the business just starting, or is it already trading?"));
    m_new = new QRadioButton(QStringLiteral("A &new business that is being started"), this);
    m_new->setObjectName(QStringLiteral("optNewBusiness"));
    auto *existing = new QRadioButton(QStringLiteral("An &existing business that is already trading"), this);
    existing->setObjectName(QStringLiteral("optExistingBusiness"));
    m_new->setChecked(true);
    auto *group = new QButtonGroup(this);
    group->addButton(m_new);
    group->addButton(existing);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_new);
    layout->addSpacing(4);
    layout->addWidget(existing);
    layout->addStretch();
    layout->addWidget(makeExplanation(
        QStringLiteral("<b>What this changes:</b> a plan for a new business covers the start-up: what it "
                       "costs to open, how it is funded, and a month-by-month forecast of the first year. A plan "
                       "for an existing business starts from its history and past results and projects them "
                       "year by year."),
        this));
}

void StagePage::collect(WizardAnswers &answers) const
{
    answers.newBusiness = m_new->isChecked();
}

// ---- Business name --------------------------------------------------------------------

BusinessNamePage::BusinessNamePage(PlanType type, QWidget *parent) : AnswerPage(parent)
{
    setObjectName(QStringLiteral("pageBusinessName"));
    setTitle(QStringLiteral("Business Name"));
    setSubTitle(QStringLiteral("Enter the name of the business as it should appear in the plan."));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("txtBusinessName"));
    m_name->setMaxLength(limits::kBusinessNameLength);
    m_name->setPlaceholderText(QStringLiteral("For example: Harbor Street Bakery"));
    m_error = makeErrorLabel(QStringLiteral("lblBusinessNameError"), this);
    auto *form = makeForm(this);
    auto *caption = new QLabel(QStringLiteral("Business &name:"), this);
    caption->setBuddy(m_name);
    form->addRow(caption, m_name);
    form->addRow(QString(), m_error);
    layOutFormPage(this, form,
        type == PlanType::Business
            ? QStringLiteral("<b>What this changes:</b> the name goes on the title page of the plan and into "
                             "the headings of the financial tables, such as the sales forecast of each product.")
            : QStringLiteral("<b>What this changes:</b> the name goes on the title page of the plan and into "
                             "the headings of its tables."));
    connect(m_name, &QLineEdit::textChanged, this, [this] {
        m_touched = true;
        showError(m_error, checkBusinessName(m_name->text()));
        emit completeChanged();
    });
}

bool BusinessNamePage::isComplete() const
{
    return checkBusinessName(m_name->text()).isEmpty();
}

void BusinessNamePage::collect(WizardAnswers &answers) const
{
    answers.businessName = m_name->text().trimmed();
}

// ---- Plan document ------------------------------------------------------------------

DocumentPage::DocumentPage(PlanType type, QWidget *parent) : AnswerPage(parent), m_type(type)
{
    setObjectName(QStringLiteral("pageDocument"));
    setTitle(QStringLiteral("Where to Save the Plan"));
    setSubTitle(QStringLiteral("Choose the folder and the file name of the new %1.").arg(planTypeWords(type)));
    m_path = new QLineEdit(this);
    m_path->setObjectName(QStringLiteral("txtDocumentPath"));
    auto *browse = new QPushButton(QStringLiteral("&Browse..."), this);
    browse->setObjectName(QStringLiteral("cmdBrowse"));
    m_folder = new QLabel(this);
    m_folder->setObjectName(QStringLiteral("lblPlanFolder"));
    m_folder->setWordWrap(true);
    m_folder->setStyleSheet(QStringLiteral("color: #5a6b80;"));
    m_error = makeErrorLabel(QStringLiteral("lblDocumentError"), this);

    auto *row = new QHBoxLayout;
    row->addWidget(m_path, 1);
    row->addWidget(browse);
    auto *caption = new QLabel(QStringLiteral("&Plan document:"), this);
    caption->setBuddy(m_path);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addLayout(row);
    layout->addWidget(m_folder);
    layout->addWidget(m_error);
    layout->addStretch();
    layout->addWidget(makeExplanation(
        QStringLiteral("<b>What this changes:</b> the plan is one document (%1) and a folder of the same "
                       "name beside it that holds its section texts and tables. If a plan of this name "
                       "already exists there, you are asked before the new plan takes its place; the old "
                       "one then goes to the trash.")
            .arg(QLatin1Char('.') + documentExtension(type)),
        this));
    connect(browse, &QPushButton::clicked, this, &DocumentPage::browse);
    connect(m_path, &QLineEdit::textChanged, this, &DocumentPage::refresh);
    connect(m_path, &QLineEdit::textEdited, this, [this] { m_userChosen = true; });
}

void DocumentPage::initializePage()
{
    // Propose the business name as the file name until the user picks one.
    if (!m_userChosen) {
        QString name = planWizard() ? planWizard()->answers().businessName : QString();
        static const QRegularExpression unsafe(QStringLiteral("[/\\\\:*?\"<>|]"));
        name = name.replace(unsafe, QStringLiteral(" ")).simplified();
        if (name.isEmpty())
            name = QStringLiteral("New ") + planTypeWords(m_type);
        m_path->setText(platform::Folders::myPlansFolder() + name + QLatin1Char('.') + documentExtension(m_type));
    }
    refresh();
}

QString DocumentPage::chosenPath() const
{
    const QString path = withDocumentExtension(m_path->text(), m_type);
    return path.isEmpty() || !QDir::isAbsolutePath(path) ? path : QDir::cleanPath(path);
}

void DocumentPage::browse()
{
    platform::FileRequest request;
    request.title = QStringLiteral("Save the New Plan As");
    const QFileInfo current(chosenPath());
    request.folder = QDir::isAbsolutePath(current.filePath()) && current.absoluteDir().exists()
                         ? current.absolutePath()
                         : platform::Folders::myPlansFolder();
    request.fileName = current.fileName();
    request.filter = plan::planFileFilter(m_type == PlanType::Business ? plan::BusinessPlan : plan::MarketingPlan);
    // The wizard asks by name before anything is replaced.
    request.overwritePrompt = false;
    QDir().mkpath(platform::Folders::myPlansFolder()); // the dialog starts there
    const auto chosen = platform::fileDialogs().saveFile(this, request);
    if (!chosen || chosen->isEmpty())
        return;
    m_userChosen = true;
    m_path->setText(withDocumentExtension(*chosen, m_type));
}

void DocumentPage::refresh()
{
    const QString path = chosenPath();
    const QString error = checkDocumentPath(path, m_type);
    showError(m_error, m_path->text().trimmed().isEmpty() ? QString() : error);
    if (error.isEmpty()) {
        const QString folder = path.left(path.size() - 4) + (m_type == PlanType::Business ? QLatin1Char('B')
                                                                                            : QLatin1Char('M'));
        QString text = QStringLiteral("Plan folder: %1").arg(QDir::toNativeSeparators(folder));
        if (plan::planAt(path).exists())
            text += QStringLiteral("\nA plan of this name already exists. You will be asked before it is replaced.");
        m_folder->setText(text);
    } else {
        m_folder->clear();
    }
    emit completeChanged();
}

bool DocumentPage::isComplete() const
{
    return checkDocumentPath(chosenPath(), m_type).isEmpty();
}

bool DocumentPage::validatePage()
{
    const QString path = chosenPath();
    if (!plan::planAt(path).exists() || m_replaceAgreed == path)
        return true;
    if (!plan::askToReplacePlan(this, path)) {
        m_path->setFocus();
        m_path->selectAll();
        return false;
    }
    m_replaceAgreed = path;
    return true;
}

void DocumentPage::collect(WizardAnswers &answers) const
{
    answers.documentPath = chosenPath();
    answers.replaceDocument = m_replaceAgreed == answers.documentPath ? m_replaceAgreed : QString();
}

// ---- Period ---------------------------------------------------------------------------

PeriodPage::PeriodPage(PlanType type, QWidget *parent) : AnswerPage(parent), m_type(type)
{
    setObjectName(QStringLiteral("pagePeriod"));
    setTitle(QStringLiteral("Plan Year"));
    setSubTitle(QStringLiteral("When the plan's first year begins, and how many years it looks ahead."));
    m_year = new QSpinBox(this);
    m_year->setObjectName(QStringLiteral("spnFirstYear"));
    m_year->setRange(limits::kFirstYear.min, limits::kFirstYear.max);
    m_year->setValue(platform::clock().now().date().year());
    m_year->setMinimumWidth(90);
    m_month = new QComboBox(this);
    m_month->setObjectName(QStringLiteral("cboMonth"));
    for (int month = 1; month <= 12; ++month)
        m_month->addItem(monthName(month), month);
    m_month->setMinimumWidth(140);
    m_projected = new QSpinBox(this);
    m_projected->setObjectName(QStringLiteral("spnProjectedYears"));
    m_projected->setRange(limits::kProjectedYears.min, limits::kProjectedYears.max);
    m_projected->setValue(3);
    m_projected->setSuffix(QStringLiteral(" years"));
    m_projected->setMinimumWidth(90);
    m_monthCaption = new QLabel(this);
    m_monthCaption->setObjectName(QStringLiteral("lblMonth"));
    m_monthCaption->setBuddy(m_month);
    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("lblPeriodPreview"));
    m_preview->setWordWrap(true);
    m_preview->setStyleSheet(QStringLiteral("color: #1f3a68; font-weight: bold;"));

    auto *form = makeForm(this);
    auto *yearCaption = new QLabel(QStringLiteral("First &year of the plan:"), this);
    yearCaption->setBuddy(m_year);
    form->addRow(yearCaption, m_year);
    form->addRow(m_monthCaption, m_month);
    auto *projectedCaption = new QLabel(QStringLiteral("&Projected years:"), this);
    projectedCaption->setBuddy(m_projected);
    form->addRow(projectedCaption, m_projected);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addSpacing(8);
    layout->addWidget(m_preview);
    layout->addStretch();
    m_explanation = makeExplanation(QString(), this);
    layout->addWidget(m_explanation);

    connect(m_year, &QSpinBox::valueChanged, this, &PeriodPage::refresh);
    connect(m_projected, &QSpinBox::valueChanged, this, &PeriodPage::refresh);
    connect(m_month, &QComboBox::activated, this, [this] { m_monthChosen = true; });
    connect(m_month, &QComboBox::currentIndexChanged, this, &PeriodPage::refresh);
}

void PeriodPage::initializePage()
{
    const bool newBusiness = m_type == PlanType::Business && answersSoFar().newBusiness;
    // A fiscal year most often ends in December; a new business most often
    // starts in January. Follow the stage until the user picks a month.
    if (!m_monthChosen || newBusiness != m_lastNewBusiness)
        m_month->setCurrentIndex(newBusiness ? 0 : 11);
    m_lastNewBusiness = newBusiness;
    m_monthCaption->setText(newBusiness ? QStringLiteral("&Month the business starts:")
                                        : QStringLiteral("&Month the fiscal year ends:"));
    QString what;
    if (m_type == PlanType::Marketing) {
        what = QStringLiteral("<b>What this changes:</b> the monthly marketing budget begins with the month after "
                              "your fiscal year ends, and the yearly tables are headed with your fiscal years. "
                              "The projected years decide how many years the budget and forecast tables show.");
    } else if (newBusiness) {
        what = QStringLiteral("<b>What this changes:</b> the monthly sales forecast begins with the starting "
                              "month, and the plan's years end twelve months later. The projected years decide "
                              "how many years the market, sales and financial projections show.");
    } else {
        what = QStringLiteral("<b>What this changes:</b> the yearly tables are headed with your fiscal years, "
                              "beginning with the year before the first year for your results so far. The "
                              "projected years decide how many years the projections show.");
    }
    m_explanation->setText(what);
    refresh();
}

void PeriodPage::refresh()
{
    m_preview->setText(describePeriod(answersSoFar()));
}

void PeriodPage::collect(WizardAnswers &answers) const
{
    answers.firstYear = m_year->value();
    answers.month = m_month->currentData().toInt();
    answers.projectedYears = m_projected->value();
}

// ---- Counts -----------------------------------------------------------------------------

BusinessCountsPage::BusinessCountsPage(QWidget *parent) : AnswerPage(parent)
{
    setObjectName(QStringLiteral("pageCounts"));
    setTitle(QStringLiteral("Products, Advertising and Markets"));
    setSubTitle(QStringLiteral("How many of each the plan covers; the tables show just those rows."));
    auto *form = makeForm(this);
    m_products = addCountRow(form, QStringLiteral("spnProducts"), QStringLiteral("P&roducts or services:"),
                             limits::kBusinessProducts, 3,
                             QStringLiteral("Each gets its own lines in the sales forecast."));
    m_media = addCountRow(form, QStringLiteral("spnAdvertisingMedia"), QStringLiteral("&Advertising media:"),
                          limits::kBusinessAdvertisingMedia, 3,
                          QStringLiteral("Newspapers, radio, web, mailings: one row each in the advertising budget."));
    m_segments = addCountRow(form, QStringLiteral("spnSegments"), QStringLiteral("Market &segments:"),
                             limits::kSegments, 3,
                             QStringLiteral("Groups of customers with different needs, in the market analysis."));
    m_markets = addCountRow(form, QStringLiteral("spnMarkets"), QStringLiteral("&Markets:"),
                            limits::kBusinessMarkets, 2,
                            QStringLiteral("Areas or places where you sell, in the market size table."));
    layOutFormPage(this, form,
        QStringLiteral("<b>What this changes:</b> the tables hold room for ten products and six of each of the "
                       "others; rows beyond your counts are hidden, and totals still add up. You can show them "
                       "again later."));
}

void BusinessCountsPage::collect(WizardAnswers &answers) const
{
    answers.businessCounts = {m_products->value(), m_media->value(), m_segments->value(), m_markets->value()};
}

MarketingCountsPage::MarketingCountsPage(QWidget *parent) : AnswerPage(parent)
{
    setObjectName(QStringLiteral("pageMarketingCounts"));
    setTitle(QStringLiteral("Products, Media and Markets"));
    setSubTitle(QStringLiteral("How many of each the marketing plan covers."));
    auto *form = makeForm(this);
    m_products = addCountRow(form, QStringLiteral("spnProducts"), QStringLiteral("P&roducts or services:"),
                             limits::kMarketingProducts, 3,
                             QStringLiteral("Each gets its own lines in the product, pricing and forecast tables."));
    m_media = addCountRow(form, QStringLiteral("spnAdvertisingMedia"), QStringLiteral("&Advertising media:"),
                          limits::kMarketingAdvertisingMedia, 4,
                          QStringLiteral("One row each in the advertising budget."));
    m_markets = addCountRow(form, QStringLiteral("spnMarkets"), QStringLiteral("&Markets:"),
                            limits::kMarketingMarkets, 3,
                            QStringLiteral("The markets you aim at, one row each in the market budget."));
    layOutFormPage(this, form,
        QStringLiteral("<b>What this changes:</b> the tables hold room for ten of each; rows beyond your counts "
                       "are hidden, and totals still add up."));
}

void MarketingCountsPage::collect(WizardAnswers &answers) const
{
    answers.marketingCounts.products = m_products->value();
    answers.marketingCounts.advertisingMedia = m_media->value();
    answers.marketingCounts.markets = m_markets->value();
}

MarketingProgramsPage::MarketingProgramsPage(QWidget *parent) : AnswerPage(parent)
{
    setObjectName(QStringLiteral("pageMarketingPrograms"));
    setTitle(QStringLiteral("Promotion Budgets"));
    setSubTitle(QStringLiteral("The promotion activities you budget for, besides advertising."));
    auto *form = makeForm(this);
    m_publicRelations = addCountRow(form, QStringLiteral("spnPublicRelations"),
                                    QStringLiteral("P&ublic relations activities:"), limits::kMarketingItems, 3,
                                    QStringLiteral("Press releases, talks, sponsorships, community work: "
                                                   "one row each in the public relations budget."));
    m_salesPromotions = addCountRow(form, QStringLiteral("spnSalesPromotions"), QStringLiteral("Sales &promotions:"),
                                    limits::kMarketingItems, 3,
                                    QStringLiteral("Offers, coupons, samples, loyalty rewards: "
                                                   "one row each in the sales promotion budget."));
    m_events = addCountRow(form, QStringLiteral("spnEvents"), QStringLiteral("&Trade shows and events:"),
                           limits::kMarketingItems, 2,
                           QStringLiteral("Trade shows, fairs, open days, seminars: one row each in the events budget."));
    m_directCampaigns = addCountRow(form, QStringLiteral("spnDirectCampaigns"),
                                    QStringLiteral("&Direct and online campaigns:"), limits::kMarketingItems, 3,
                                    QStringLiteral("Mailings, e-mail, search and social ads, website: "
                                                   "one row each in the direct and online marketing budget."));
    layOutFormPage(this, form,
        QStringLiteral("<b>What this changes:</b> each of these tables holds room for ten rows; rows beyond your "
                       "counts are hidden."));
}

void MarketingProgramsPage::collect(WizardAnswers &answers) const
{
    answers.marketingCounts.publicRelations = m_publicRelations->value();
    answers.marketingCounts.salesPromotions = m_salesPromotions->value();
    answers.marketingCounts.events = m_events->value();
    answers.marketingCounts.directCampaigns = m_directCampaigns->value();
}

// ---- Figures --------------------------------------------------------------------------

FiguresPage::FiguresPage(int index, QWidget *parent) : AnswerPage(parent), m_index(index)
{
    setObjectName(QStringLiteral("pageFigures_%1").arg(index));
    setTitle(QStringLiteral("Key Figures"));
    m_layout = new QVBoxLayout(this);
}

void FiguresPage::initializePage()
{
    const QList<QuestionPage> pages = planWizard() ? planWizard()->figurePages() : QList<QuestionPage>{};
    rebuild(m_index < pages.size() ? pages.at(m_index) : QuestionPage{});
}

void FiguresPage::rebuild(const QuestionPage &page)
{
    for (const Field &field : std::as_const(m_fields))
        m_typed.insert(field.question.cell.toUpper(), field.edit->text());
    m_fields.clear();
    delete m_body;
    setTitle(page.title.isEmpty() ? QStringLiteral("Key Figures") : page.title);
    setSubTitle(page.subtitle.isEmpty() ? QStringLiteral("Leave a figure empty to keep the template's own.")
                                        : page.subtitle);

    m_body = new QWidget(this);
    auto *bodyLayout = new QVBoxLayout(m_body);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    auto *scroll = new QScrollArea(m_body);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *inner = new QWidget(scroll);
    auto *form = makeForm(inner);
    form->setContentsMargins(0, 0, 0, 0);
    inner->setLayout(form);
    int number = 0;
    for (const FigureQuestion &question : page.questions) {
        auto *edit = new QLineEdit(inner);
        edit->setObjectName(QStringLiteral("txtFigure_%1").arg(number));
        edit->setProperty("cell", question.cell);
        edit->setPlaceholderText(describeLimits(question));
        if (question.kind == FigureKind::Text) {
            edit->setMaxLength(int(question.maximum));
            edit->setFixedWidth(320);
        } else {
            edit->setAlignment(Qt::AlignRight);
            edit->setFixedWidth(220);
        }
        edit->setText(m_typed.value(question.cell.toUpper()));
        auto *error = makeErrorLabel(QStringLiteral("lblFigureError_%1").arg(number), inner);
        auto *cell = new QWidget(inner);
        cell->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        auto *column = new QVBoxLayout(cell);
        column->setContentsMargins(0, 0, 0, 4);
        column->setSpacing(2);
        column->addWidget(edit);
        if (!question.help.isEmpty()) {
            auto *help = new QLabel(question.help, inner);
            help->setWordWrap(true);
            help->setStyleSheet(QStringLiteral("color: #5a6b80;"));
            column->addWidget(help);
        }
        column->addWidget(error);
        auto *caption = new QLabel(question.prompt + QLatin1Char(':'), inner);
        caption->setBuddy(edit);
        form->addRow(caption, cell);
        m_fields.append({question, edit, error});
        connect(edit, &QLineEdit::textChanged, this, [this, question, error](const QString &text) {
            showError(error, checkFigure(question, text));
            emit completeChanged();
        });
        showError(error, checkFigure(question, edit->text()));
        ++number;
    }
    scroll->setWidget(inner);
    bodyLayout->addWidget(scroll, 1);
    bodyLayout->addWidget(makeExplanation(
        QStringLiteral("<b>What this changes:</b> each figure goes straight into its cell of the financial "
                       "tables, and every table that builds on it follows."),
        m_body));
    m_layout->addWidget(m_body);
    emit completeChanged();
}

bool FiguresPage::isComplete() const
{
    for (const Field &field : m_fields) {
        if (!checkFigure(field.question, field.edit->text()).isEmpty())
            return false;
    }
    return true;
}

void FiguresPage::collect(WizardAnswers &answers) const
{
    for (const Field &field : m_fields) {
        const QString value = figureAnswerValue(field.question, field.edit->text());
        if (!value.isEmpty())
            answers.cells.append({field.question.cell, value});
    }
}

// ---- Submission ---------------------------------------------------------------------

SubmissionPage::SubmissionPage(QWidget *parent) : AnswerPage(parent)
{
    setObjectName(QStringLiteral("pageSubmission"));
    setTitle(QStringLiteral("Submission Details"));
    setSubTitle(QStringLiteral("To whom the plan goes, and who presents it. All of these are optional."));
    auto *form = makeForm(this);
    m_to = addLine(form, QStringLiteral("txtSubmittedTo"), QStringLiteral("Submitted &to:"),
                   limits::kSubmissionLength);
    m_to->setPlaceholderText(QStringLiteral("For example: First County Bank"));
    m_date = new QDateEdit(platform::clock().now().date(), this);
    m_date->setObjectName(QStringLiteral("dtpSubmissionDate"));
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(QStringLiteral("MMMM d, yyyy"));
    m_date->setMinimumWidth(200);
    auto *dateCaption = new QLabel(QStringLiteral("&Date:"), this);
    dateCaption->setBuddy(m_date);
    form->addRow(dateCaption, m_date);
    m_name = addLine(form, QStringLiteral("txtSubmitterName"), QStringLiteral("Submitted &by:"),
                     limits::kSubmissionLength);
    m_street = addLine(form, QStringLiteral("txtStreet"), QStringLiteral("St&reet:"), limits::kSubmissionLength);
    m_city = addLine(form, QStringLiteral("txtCity"), QStringLiteral("C&ity:"), limits::kSubmissionLength);
    m_state = addLine(form, QStringLiteral("txtState"), QStringLiteral("&State:"), limits::kStateLength);
    m_state->setMaximumWidth(200);
    m_zip = addLine(form, QStringLiteral("txtZip"), QStringLiteral("&Zip code:"), limits::kZipLength);
    m_zip->setMaximumWidth(120);
    m_zip->setValidator(new QRegularExpressionValidator(zipPattern(), m_zip));
    m_phone = addLine(form, QStringLiteral("txtPhone"), QStringLiteral("Tele&phone:"), limits::kPhoneLength);
    m_phone->setMaximumWidth(200);
    m_phone->setValidator(new QRegularExpressionValidator(phonePattern(), m_phone));
    m_error = makeErrorLabel(QStringLiteral("lblSubmissionError"), this);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_error);
    layout->addStretch();
    layout->addWidget(makeExplanation(
        QStringLiteral("<b>What this changes:</b> these details are printed on the title page of the finished "
                       "plan, under \"Submitted to\" and \"Submitted by\"."),
        this));
    for (QLineEdit *edit : {m_zip, m_phone}) {
        connect(edit, &QLineEdit::textChanged, this, [this] {
            QString error = checkZip(m_zip->text());
            if (error.isEmpty())
                error = checkPhone(m_phone->text());
            showError(m_error, error);
            emit completeChanged();
        });
    }
}

QLineEdit *SubmissionPage::addLine(QFormLayout *form, const QString &objectName, const QString &caption,
                                   int maxLength)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(objectName);
    edit->setMaxLength(maxLength);
    auto *label = new QLabel(caption, this);
    label->setBuddy(edit);
    form->addRow(label, edit);
    return edit;
}

bool SubmissionPage::isComplete() const
{
    return checkZip(m_zip->text()).isEmpty() && checkPhone(m_phone->text()).isEmpty();
}

void SubmissionPage::collect(WizardAnswers &answers) const
{
    Submission &s = answers.submission;
    s.submittedTo = m_to->text().trimmed();
    s.date = submissionDateText(m_date->date());
    s.name = m_name->text().trimmed();
    s.street = m_street->text().trimmed();
    s.city = m_city->text().trimmed();
    s.state = m_state->text().trimmed();
    s.zip = m_zip->text().trimmed();
    s.phone = m_phone->text().trimmed();
}

// ---- Summary ----------------------------------------------------------------------------

SummaryPage::SummaryPage(QWidget *parent) : AnswerPage(parent)
{
    setObjectName(QStringLiteral("pageSummary"));
    setTitle(QStringLiteral("Ready to Create Your Plan"));
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("lblSummary"));
    m_summary->setWordWrap(true);
    m_summary->setTextFormat(Qt::RichText);
    m_summary->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(m_summary);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(scroll);
}

void SummaryPage::initializePage()
{
    const WizardAnswers a = answersSoFar();
    QString rows;
    auto row = [&rows](const QString &caption, const QString &value) {
        if (!value.isEmpty())
            rows += QStringLiteral("<tr><td style='color:#5a6b80; padding:2px 14px 2px 0'>%1</td>"
                                   "<td style='padding:2px 0'>%2</td></tr>")
                        .arg(escaped(caption), escaped(value));
    };
    row(QStringLiteral("Business"), a.businessName);
    QString kind = kindCaption(a.kind);
    if (a.planType == PlanType::Business)
        kind += a.newBusiness ? QStringLiteral(", new business") : QStringLiteral(", existing business");
    row(QStringLiteral("Kind"), kind);
    row(QStringLiteral("Plan document"), QDir::toNativeSeparators(a.documentPath));
    if (!a.replaceDocument.isEmpty())
        row(QStringLiteral("Replaces"), QStringLiteral("the existing plan \"%1\", which goes to the trash")
                                            .arg(QFileInfo(a.replaceDocument).completeBaseName()));
    row(QStringLiteral("Plan year"), describePeriod(a));
    row(QStringLiteral("Projected years"), QString::number(a.projectedYears));
    if (a.hasBusinessCounts) {
        const BusinessCounts &c = a.businessCounts;
        row(QStringLiteral("Counts"), QStringLiteral("%1 products, %2 advertising media, %3 segments, %4 markets")
                                          .arg(c.products)
                                          .arg(c.advertisingMedia)
                                          .arg(c.segments)
                                          .arg(c.markets));
    }
    if (a.hasMarketingCounts) {
        const MarketingCounts &c = a.marketingCounts;
        row(QStringLiteral("Counts"),
            QStringLiteral("%1 products, %2 advertising media, %3 markets, %4 public relations activities, "
                           "%5 sales promotions, %6 trade shows and events, %7 direct and online campaigns")
                .arg(c.products)
                .arg(c.advertisingMedia)
                .arg(c.markets)
                .arg(c.publicRelations)
                .arg(c.salesPromotions)
                .arg(c.events)
                .arg(c.directCampaigns));
    }
    if (!a.cells.isEmpty())
        row(QStringLiteral("Key figures"), QStringLiteral("%1 entered").arg(a.cells.size()));
    row(QStringLiteral("Submitted to"), a.submission.submittedTo);
    row(QStringLiteral("Submitted by"), a.submission.name);
    row(QStringLiteral("Date"), a.submission.date);
    m_summary->setText(QStringLiteral("<p>Please check your answers. Click <b>Back</b> to change any of them.</p>"
                                      "<table>%1</table>"
                                      "<p>Click <b>Create Plan</b> to build the plan. Quorvex opens it as "
                                      "soon as it is ready.</p>")
                           .arg(rows));
}

} // namespace qv::wizard
