#include "WindowAudit.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTextDocument>
#include <QToolButton>

namespace qv::test {

namespace {

// The text as drawn: access-key marks dropped, "&&" one "&".
QString shownText(const QString &caption)
{
    QString text;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == u'&' && i + 1 < caption.size()) {
            ++i;
        }
        text += caption.at(i);
    }
    return text;
}

QString plainText(const QLabel *label)
{
    if (label->textFormat() == Qt::PlainText || !Qt::mightBeRichText(label->text()))
        return label->text();
    QTextDocument document;
    document.setHtml(label->text());
    return document.toPlainText();
}

QString nameOf(const QObject *object)
{
    QString name = object->objectName();
    if (name.isEmpty())
        name = QStringLiteral("(unnamed %1)").arg(QString::fromLatin1(object->metaObject()->className()));
    return name;
}

// Inside a scrolled view a control may lie beyond the visible part.
bool insideScrolledView(const QWidget *widget, const QWidget *window)
{
    for (const QWidget *w = widget->parentWidget(); w && w != window; w = w->parentWidget()) {
        if (qobject_cast<const QAbstractScrollArea *>(w))
            return true;
    }
    return false;
}

// Shown on the screen: visible in the window and not of zero size.
bool shown(const QWidget *widget, const QWidget *window)
{
    return widget->isVisibleTo(window) && widget->width() > 0 && widget->height() > 0;
}

class Auditor
{
public:
    Auditor(QWidget *window, const AuditOptions &options) : m_window(window), m_options(options) {}

    QStringList run()
    {
        // A splash or other frameless window shows no title bar to put a title in.
        const bool hasTitleBar = !(m_window->windowFlags() & Qt::FramelessWindowHint)
                                 && m_window->windowType() != Qt::SplashScreen;
        if (m_window->isWindow() && hasTitleBar && m_window->windowTitle().trimmed().isEmpty())
            m_problems << QStringLiteral("%1: the window has no title").arg(nameOf(m_window));
        for (QWidget *widget : m_window->findChildren<QWidget *>()) {
            if (!shown(widget, m_window))
                continue;
            if (auto *label = qobject_cast<QLabel *>(widget))
                checkLabel(label);
            else if (auto *button = qobject_cast<QAbstractButton *>(widget))
                checkButton(button);
            else if (auto *tabs = qobject_cast<QTabBar *>(widget))
                checkTabs(tabs);
            else if (auto *combo = qobject_cast<QComboBox *>(widget))
                checkCombo(combo);
            else if (auto *menus = qobject_cast<QMenuBar *>(widget))
                checkMenus(menus->actions(), nameOf(menus));
            checkInsideWindow(widget);
        }
        return m_problems;
    }

private:
    bool mayBeEmpty(const QWidget *w) const { return m_options.mayBeEmpty.contains(w->objectName()); }
    bool mayBeCut(const QWidget *w) const { return m_options.mayBeCut.contains(w->objectName()); }
    void empty(const QWidget *w, const QString &what = QStringLiteral("empty text"))
    {
        if (!mayBeEmpty(w))
            m_problems << QStringLiteral("%1: %2").arg(nameOf(w), what);
    }
    void cut(const QWidget *w, const QString &text, int needed, int has)
    {
        if (!mayBeCut(w))
            m_problems << QStringLiteral("%1: \"%2\" does not fit (needs %3, has %4)")
                              .arg(nameOf(w), text.left(60))
                              .arg(needed)
                              .arg(has);
    }

    void checkLabel(QLabel *label)
    {
        if (!label->pixmap().isNull() || label->movie())
            return;
        const QString text = plainText(label).trimmed();
        if (text.isEmpty()) {
            // A status bar's panels fill as the user works.
            if (qobject_cast<QStatusBar *>(label->parentWidget()))
                return;
            // A label that draws only a frame or a picture from a style sheet is no caption.
            if (label->frameShape() == QFrame::NoFrame || label->objectName().startsWith(u"lbl"))
                empty(label);
            return;
        }
        if (label->wordWrap()) {
            const int needed = label->heightForWidth(label->width());
            if (needed > label->height() + 1)
                cut(label, text, needed, label->height());
            return;
        }
        const QSize hint = label->sizeHint();
        if (hint.width() > label->width() + 1)
            cut(label, text, hint.width(), label->width());
        else if (hint.height() > label->height() + 1)
            cut(label, text, hint.height(), label->height());
    }

    void checkButton(QAbstractButton *button)
    {
        const QString text = shownText(button->text());
        const bool picture = !button->icon().isNull();
        if (text.trimmed().isEmpty()) {
            if (!picture && !button->property("qv_picture_only").toBool())
                empty(button);
            return;
        }
        if (auto *tool = qobject_cast<QToolButton *>(button); tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly)
            return;
        if (qobject_cast<QCheckBox *>(button) || qobject_cast<QRadioButton *>(button)) {
            const int needed = button->sizeHint().width();
            if (needed > button->width() + 1)
                cut(button, text, needed, button->width());
            return;
        }
        // A push button: the text and its picture within the button's frame.
        const int margin = 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) / 2 + 4;
        const int needed = button->fontMetrics().horizontalAdvance(text)
                           + (picture ? button->iconSize().width() + 4 : 0) + margin;
        if (needed > button->width() + 1)
            cut(button, text, needed, button->width());
    }

    void checkTabs(QTabBar *tabs)
    {
        for (int i = 0; i < tabs->count(); ++i) {
            if (!tabs->isTabVisible(i))
                continue;
            const QString text = shownText(tabs->tabText(i));
            if (text.trimmed().isEmpty()) {
                if (tabs->tabIcon(i).isNull())
                    empty(tabs, QStringLiteral("tab %1 has no text").arg(i));
                continue;
            }
            const int needed = tabs->fontMetrics().horizontalAdvance(text);
            if (needed > tabs->tabRect(i).width())
                cut(tabs, text, needed, tabs->tabRect(i).width());
        }
    }

    void checkCombo(QComboBox *combo)
    {
        if (combo->count() == 0 && !combo->isEditable())
            empty(combo, QStringLiteral("the list is empty"));
    }

    void checkMenus(const QList<QAction *> &actions, const QString &where)
    {
        for (QAction *action : actions) {
            if (!action->isVisible() || action->isSeparator())
                continue;
            const QString name = action->objectName().isEmpty() ? where : action->objectName();
            if (shownText(action->text()).trimmed().isEmpty() && action->icon().isNull())
                m_problems << QStringLiteral("%1: menu item without text (in %2)").arg(name, where);
            if (QMenu *menu = action->menu())
                checkMenus(menu->actions(), name);
        }
    }

    void checkInsideWindow(QWidget *widget)
    {
        if (insideScrolledView(widget, m_window))
            return;
        const QRect place(widget->mapTo(m_window, QPoint(0, 0)), widget->size());
        if (!m_window->rect().contains(place))
            m_problems << QStringLiteral("%1: lies partly outside the window (%2,%3 %4x%5 in %6x%7)")
                              .arg(nameOf(widget))
                              .arg(place.x())
                              .arg(place.y())
                              .arg(place.width())
                              .arg(place.height())
                              .arg(m_window->width())
                              .arg(m_window->height());
    }

    QWidget *m_window;
    const AuditOptions &m_options;
    QStringList m_problems;
};

} // namespace

QStringList auditWindow(QWidget *window, const AuditOptions &options)
{
    return Auditor(window, options).run();
}

QString placeOnScreen(QWidget *window, QSize screen, bool fillsScreen)
{
    if (fillsScreen) {
        window->showNormal();
        window->setGeometry(0, 0, screen.width(), screen.height());
    } else {
        window->show();
        window->adjustSize();
    }
    // A window that fills the screen is measured inside its frame: the window
    // manager draws the frame over the screen's edge when it maximizes.
    const QSize size = fillsScreen ? window->size() : window->frameGeometry().size().expandedTo(window->size());
    if (size.width() > screen.width() || size.height() > screen.height())
        return QStringLiteral("%1: %2x%3 does not fit a %4x%5 screen")
            .arg(nameOf(window))
            .arg(size.width())
            .arg(size.height())
            .arg(screen.width())
            .arg(screen.height());
    return QString();
}

} // namespace qv::test
