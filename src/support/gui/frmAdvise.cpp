#include "support/gui/frmAdvise.h"

#include "support/Advice.h"
#include "support/gui/Captions.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace qv::support
{

namespace
{

frmAdvise::Runner &runner()
{
    static frmAdvise::Runner current;
    return current;
}

constexpr int messageWidth = 380;

} // namespace

frmAdvise::frmAdvise(QWidget *parent)
    : QDialog(parent), lblMessage(new QLabel(this)), chkDontShow(new QCheckBox(this)),
      cmdOk(new QPushButton(this))
{
    setObjectName(QStringLiteral("frmAdvise"));
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    chkDontShow->setObjectName(QStringLiteral("chkDontShow"));
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    setWindowTitle(QApplication::applicationDisplayName());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    CaptionLoader captions(this, QStringLiteral("frmAdvise"), QStringLiteral("Form_Load"));
    captions.set(chkDontShow, 456);
    captions.set(cmdOk, 10);

    lblMessage->setWordWrap(true);
    lblMessage->setTextFormat(Qt::PlainText);
    lblMessage->setFixedWidth(messageWidth);
    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, this).pixmap(iconSize));
    icon->setAlignment(Qt::AlignTop);

    auto *top = new QHBoxLayout;
    top->setSpacing(14);
    top->addWidget(icon);
    top->addWidget(lblMessage, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(chkDontShow);
    bottom->addStretch(1);
    bottom->addWidget(cmdOk);
    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(18, 18, 18, 14);
    main->setSpacing(16);
    main->addLayout(top);
    main->addLayout(bottom);
    main->setSizeConstraint(QLayout::SetFixedSize);

    cmdOk->setDefault(true);
    connect(cmdOk, &QPushButton::clicked, this, &QDialog::accept);
}

void frmAdvise::setRunner(Runner newRunner)
{
    runner() = std::move(newRunner);
}

void frmAdvise::Display(int kind, const QString &message)
{
    m_kind = kind;
    const bool remembers = !adviceKey(kind).isEmpty();
    if (remembers && !isAdviceWanted(kind)) {
        chkDontShow->setChecked(true);
        return;
    }
    chkDontShow->setVisible(remembers);
    chkDontShow->setChecked(false);
    // The fixed-width label wraps; the layout sizes the window to its height.
    lblMessage->setText(message);
    adjustSize();
    if (runner())
        runner()(*this);
    else
        exec();
}

void frmAdvise::done(int result)
{
    // OK and the close box both keep the user's choice.
    rememberAdvice(m_kind, chkDontShow->isChecked());
    QDialog::done(result);
}

void showAdvice(QWidget *parent, int kind, const QString &message)
{
    frmAdvise advice(parent);
    advice.Display(kind, message);
}

} // namespace qv::support
