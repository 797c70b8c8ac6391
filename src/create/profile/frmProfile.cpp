#include "create/profile/frmProfile.h"

#include "create/creation/ProfileTables.h"
#include "plan/Currency.h"
#include "plan/Plan.h"
#include "platform/Services.h"
#include "resources/ResText.h"
#include "support/CWaitCursor.h"
#include "support/HelpFiles.h"
#include "support/gui/HelpViewer.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace qv::create {

namespace {

QString res(int id) { return GetResText(id - 1000); }

QLineEdit *field(QWidget *parent, const char *name)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

QLabel *wrapped(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

frmProfile::frmProfile(plan::Plan &plan, ProfileTables &tables, QWidget *parent)
    : QDialog(parent), m_plan(plan), m_tables(tables)
{
    setObjectName(QStringLiteral("frmProfile"));
    setWindowTitle(res(1406));
    auto *column = new QVBoxLayout(this);

    auto *instructions = new QGroupBox(res(1418), this);
    instructions->setObjectName(QStringLiteral("fraInstructions"));
    auto *instructionText = new QVBoxLayout(instructions);
    instructionText->addWidget(wrapped(res(1408), instructions));
    column->addWidget(instructions);

    tabProfile = new QTabWidget(this);
    tabProfile->setObjectName(QStringLiteral("tabProfile"));
    tabProfile->addTab(buildGeneral(), res(1453));
    tabProfile->addTab(buildYearMonth(), res(1454));
    tabProfile->addTab(buildCoverPage(), res(1455));
    column->addWidget(tabProfile, 1);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(res(1010), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdOk"));
    ok->setDefault(true);
    QPushButton *cancel = buttons->addButton(res(1009), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    QPushButton *help = buttons->addButton(res(1012), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("cmdHelp"));
    column->addWidget(buttons);
    connect(ok, &QPushButton::clicked, this, [this] {
        if (apply())
            accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { support::OpenHelpFile(this, support::kMainHelpFile); });
    resize(560, 520);
}

QWidget *frmProfile::buildGeneral()
{
    auto *page = new QWidget(this);
    auto *column = new QVBoxLayout(page);
    column->addWidget(wrapped(res(1407), page));
    txtBusinessName = field(page, "txtBusinessName");
    column->addWidget(txtBusinessName);
    auto *currency = new QGroupBox(res(1435), page);
    currency->setObjectName(QStringLiteral("fraCurrency"));
    auto *choices = new QVBoxLayout(currency);
    for (const plan::Currency &c : plan::currencies()) {
        auto *option = new QRadioButton(QStringLiteral("%1 (%2)").arg(c.name, c.symbol), currency);
        option->setObjectName(QStringLiteral("optCurrency_%1").arg(c.type));
        option->setProperty("currencyType", c.type);
        choices->addWidget(option);
        optCurrency.push_back(option);
    }
    column->addWidget(currency);
    column->addStretch();
    return page;
}

QWidget *frmProfile::buildYearMonth()
{
    const bool business = m_plan.planInfo().isBusinessPlan();
    auto *page = new QWidget(this);
    auto *column = new QVBoxLayout(page);
    auto *yearRow = new QHBoxLayout;
    yearRow->addWidget(new QLabel(res(1411), page));
    txtYear = field(page, "txtYear");
    txtYear->setMaximumWidth(txtYear->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
    txtYear->installEventFilter(this);
    yearRow->addWidget(txtYear);
    yearRow->addStretch();
    column->addLayout(yearRow);

    // What the month means follows from creation: a new business plan asked
    // for its first month, the others for the month the fiscal year ends.
    const bool starting = business && m_plan.planInfo().newBusiness();
    auto *months = new QGroupBox(res(starting ? 1412 : 1413), page);
    months->setObjectName(QStringLiteral("fraMonth"));
    auto *grid = new QGridLayout(months);
    for (int m = 0; m < 12; ++m) {
        optMonth[std::size_t(m)] = new QRadioButton(GetResText(312 + m), months);
        optMonth[std::size_t(m)]->setObjectName(QStringLiteral("optMonth_%1").arg(m));
        grid->addWidget(optMonth[std::size_t(m)], m % 6, m / 6);
    }
    column->addWidget(months);

    auto *years = new QGroupBox(res(business ? 1403 : 1404), page);
    years->setObjectName(QStringLiteral("fraProjection"));
    auto *row = new QHBoxLayout(years);
    for (int y = 0; y < 5; ++y) {
        optProjection[std::size_t(y)] = new QRadioButton(QString::number(y + 1), years);
        optProjection[std::size_t(y)]->setObjectName(QStringLiteral("optProjection_%1").arg(y));
        row->addWidget(optProjection[std::size_t(y)]);
    }
    row->addStretch();
    column->addWidget(years);
    column->addStretch();
    return page;
}

QWidget *frmProfile::buildCoverPage()
{
    const bool business = m_plan.planInfo().isBusinessPlan();
    auto *page = new QWidget(this);
    auto *column = new QVBoxLayout(page);
    column->addWidget(wrapped(res(business ? 1353 : 1374), page));
    txtWhom = field(page, "txtWhom");
    column->addWidget(txtWhom);
    column->addWidget(wrapped(res(business ? 1352 : 1376), page));
    txtDate = field(page, "txtDate");
    column->addWidget(txtDate);
    auto *submitter = new QGroupBox(page);
    submitter->setObjectName(QStringLiteral("fraSubmitter"));
    auto *form = new QFormLayout(submitter);
    form->addRow(wrapped(res(1462), submitter));
    const std::pair<QLineEdit **, std::pair<const char *, int>> fields[] = {
        {&txtInfoName, {"txtInfoName", 1355}},           {&txtInfoStreet, {"txtInfoStreet", 1356}},
        {&txtInfoCity, {"txtInfoCity", 1357}},           {&txtInfoState, {"txtInfoState", 1358}},
        {&txtInfoZip, {"txtInfoZip", 1359}},             {&txtInfoTelephone, {"txtInfoTelephone", 1360}},
        {&txtInfoFax, {"txtInfoFax", 1463}},
    };
    for (const auto &[edit, what] : fields) {
        *edit = field(submitter, what.first);
        form->addRow(res(what.second), *edit);
    }
    column->addWidget(submitter);
    column->addStretch();
    return page;
}

void frmProfile::load()
{
    support::CWaitCursor wait(support::MousePointer::Hourglass);
    const ProfileChanges now = ProfileChanges::fromPlan(m_plan);
    txtBusinessName->setText(now.businessName.value_or(QString()));
    txtYear->setText(now.year ? QString::number(*now.year) : QString());
    for (int m = 0; m < 12; ++m)
        optMonth[std::size_t(m)]->setChecked(now.month == m + 1);
    for (int y = 0; y < 5; ++y)
        optProjection[std::size_t(y)]->setChecked(now.projectedYears == y + 1);
    for (QRadioButton *option : optCurrency)
        option->setChecked(option->property("currencyType").toInt() == now.currencyType);
    txtWhom->setText(*now.submittedTo);
    txtDate->setText(*now.submissionDate);
    txtInfoName->setText(*now.name);
    txtInfoStreet->setText(*now.street);
    txtInfoCity->setText(*now.city);
    txtInfoState->setText(*now.state);
    txtInfoZip->setText(*now.zip);
    txtInfoTelephone->setText(*now.telephone);
    txtInfoFax->setText(*now.fax);
}

ProfileChanges frmProfile::changes() const
{
    ProfileChanges c;
    c.businessName = txtBusinessName->text();
    if (const auto year = yearFieldText(txtYear->text()); year && !year->isEmpty())
        c.year = year->toInt();
    for (int m = 0; m < 12; ++m)
        if (optMonth[std::size_t(m)]->isChecked())
            c.month = m + 1;
    for (int y = 0; y < 5; ++y)
        if (optProjection[std::size_t(y)]->isChecked())
            c.projectedYears = y + 1;
    for (QRadioButton *option : optCurrency)
        if (option->isChecked())
            c.currencyType = option->property("currencyType").toInt();
    c.submittedTo = txtWhom->text();
    c.submissionDate = txtDate->text();
    c.name = txtInfoName->text();
    c.street = txtInfoStreet->text();
    c.city = txtInfoCity->text();
    c.state = txtInfoState->text();
    c.zip = txtInfoZip->text();
    c.telephone = txtInfoTelephone->text();
    c.fax = txtInfoFax->text();
    return c;
}

bool frmProfile::checkYear()
{
    const auto year = yearFieldText(txtYear->text());
    if (year) {
        txtYear->setText(*year);
        return true;
    }
    platform::Message message;
    message.text = QString::fromLatin1(kInvalidValue);
    message.icon = platform::Icon::Exclamation;
    platform::messageBoxes().show(this, message);
    tabProfile->setCurrentIndex(YearMonthPage);
    txtYear->setFocus();
    txtYear->selectAll();
    return false;
}

bool frmProfile::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtYear && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (checkYear())
                focusNextChild();
            return true; // Enter moves on instead of closing the dialog
        }
    }
    if (watched == txtYear && event->type() == QEvent::FocusOut && txtYear->isModified()) {
        txtYear->setModified(false);
        checkYear();
    }
    return QDialog::eventFilter(watched, event);
}

bool frmProfile::apply()
{
    if (!checkYear())
        return false;
    support::CWaitCursor wait(support::MousePointer::Hourglass);
    m_outcome = applyProfileChanges(m_plan, m_tables, changes());
    if (!m_outcome.problems.isEmpty()) {
        platform::Message message;
        message.text = m_outcome.problems.join(u'\n');
        message.icon = platform::Icon::Exclamation;
        platform::messageBoxes().show(this, message);
    }
    return true;
}

bool frmProfile::Display(Page page)
{
    load();
    tabProfile->setCurrentIndex(page);
    return exec() == QDialog::Accepted;
}

} // namespace qv::create
