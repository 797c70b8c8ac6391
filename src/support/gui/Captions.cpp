#include "support/gui/Captions.h"

#include "platform/Error.h"
#include "resources/ResText.h"
#include "support/ErrorReports.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>

namespace qv::support
{

CaptionLoader::CaptionLoader(QObject *owner, QString window, QString procedure)
    : m_owner(owner), m_window(std::move(window)), m_procedure(std::move(procedure))
{
}

bool CaptionLoader::fetch(int number, QString &result)
{
    try {
        result = GetResText(number);
        return true;
    } catch (const QvError &error) {
        ++m_failures;
        reportCaptionError(m_owner, m_window, error.description(), m_procedure);
        return false;
    }
}

QString CaptionLoader::text(int number, const QString &suffix)
{
    QString caption;
    return fetch(number, caption) ? caption + suffix : QString();
}

void CaptionLoader::set(QObject *target, int number, const QString &suffix)
{
    QString caption;
    if (target && fetch(number, caption))
        setCaptionText(target, caption + suffix);
}

void CaptionLoader::setTab(QTabWidget *tabs, int index, int number)
{
    QString caption;
    if (tabs && fetch(number, caption))
        tabs->setTabText(index, caption);
}

void setCaptionText(QObject *target, const QString &text)
{
    if (auto *button = qobject_cast<QAbstractButton *>(target))
        button->setText(text);
    else if (auto *label = qobject_cast<QLabel *>(target))
        label->setText(text);
    else if (auto *action = qobject_cast<QAction *>(target))
        action->setText(text);
    else if (auto *menu = qobject_cast<QMenu *>(target))
        menu->setTitle(text);
    else if (auto *group = qobject_cast<QGroupBox *>(target))
        group->setTitle(text);
    else if (auto *widget = qobject_cast<QWidget *>(target))
        widget->setWindowTitle(text);
}

} // namespace qv::support
