#include "shell/frmSplash.h"

#include "resources/art/Artwork.h"
#include "support/CUserInfo.h"
#include "support/gui/CWindow.h"

#include <QEvent>
#include <QLabel>

namespace qv::shell
{

namespace
{
constexpr int kSplashPicture = 5070;
const QString kIndent = QStringLiteral("     ");
} // namespace

frmSplash::frmSplash(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("picSplash"));
    const QPixmap picture = resources::LoadResPicture(kSplashPicture);
    m_picture->setPixmap(picture);
    m_picture->move(0, 0);
    m_picture->resize(picture.size());

    m_userInfo = new QLabel(this);
    m_userInfo->setObjectName(QStringLiteral("lblUserInfo"));
    m_userInfo->clear();
    m_userInfo->move(kUserInfoPosition);
    m_userInfo->setStyleSheet(
        QStringLiteral("color: #FFFFFF; background: transparent; font-size: 9pt; font-weight: bold;"));
    const support::CUserInfo user;
    // Until the user gives a name, the computer account's stands in, so the
    // line under "Licensed to" is never blank.
    QString text = kIndent + user.licenseeName();
    if (!user.companyName().trimmed().isEmpty())
        text += QLatin1Char('\n') + kIndent + user.companyName();
    m_userInfo->setText(text);
    m_userInfo->adjustSize();

    setFixedSize(picture.size());
    support::CWindow::OnTop(this, true);
    support::CWindow::Center(this);
}

bool frmSplash::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    // Paint at once, so the picture is up before the frame's loading starts.
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)
        repaint();
    return handled;
}

} // namespace qv::shell
