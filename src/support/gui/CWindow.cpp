#include "support/gui/CWindow.h"

#include "platform/Error.h"
#include "platform/Services.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextEdit>

namespace qv::support
{

namespace
{

const QString kSource = QStringLiteral("CApplication");

[[noreturn]] void raise(long number, const char *description)
{
    throw QvError(number, kSource, QString::fromLatin1(description));
}

// The text side of the active control, whatever kind it is.
class ActiveText
{
public:
    ActiveText()
    {
        QWidget *focus = QApplication::focusWidget();
        if (auto *combo = qobject_cast<QComboBox *>(focus))
            focus = combo->lineEdit();
        m_line = qobject_cast<QLineEdit *>(focus);
        m_text = qobject_cast<QTextEdit *>(focus);
        m_plain = qobject_cast<QPlainTextEdit *>(focus);
    }

    bool exists() const { return m_line || m_text || m_plain; }

    bool readOnly() const
    {
        return (m_line && m_line->isReadOnly()) || (m_text && m_text->isReadOnly()) ||
               (m_plain && m_plain->isReadOnly());
    }

    QString selectedText() const
    {
        QString text;
        if (m_line)
            text = m_line->selectedText();
        else if (m_text)
            text = m_text->textCursor().selectedText();
        else if (m_plain)
            text = m_plain->textCursor().selectedText();
        // Text cursors mark paragraph ends with U+2029.
        text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        text.replace(QChar::LineSeparator, QLatin1Char('\n'));
        return text;
    }

    void replaceSelection(const QString &text)
    {
        if (m_line) {
            m_line->insert(text);
        } else if (m_text) {
            m_text->textCursor().insertText(text);
        } else if (m_plain) {
            m_plain->textCursor().insertText(text);
        }
    }

private:
    QLineEdit *m_line = nullptr;
    QTextEdit *m_text = nullptr;
    QPlainTextEdit *m_plain = nullptr;
};

// Copies the active control's selection; returns the control for a cut.
ActiveText copySelection()
{
    if (!platform::clipboard().clear())
        raise(CWindow::kClearFailed, "Could not clear clipboard.");
    ActiveText active;
    if (!active.exists() || !platform::clipboard().setText(active.selectedText()))
        raise(CWindow::kCopyFailed, "Could not set text from active control to clipboard.");
    return active;
}

} // namespace

void CWindow::OnTop(QWidget *window, bool onTop)
{
    if (!window || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    // Changing a window flag hides the window; show it again where it was,
    // without taking the focus.
    const bool wasVisible = window->isVisible();
    const QRect geometry = window->geometry();
    const bool noActivation = window->testAttribute(Qt::WA_ShowWithoutActivating);
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (wasVisible) {
        window->setAttribute(Qt::WA_ShowWithoutActivating, true);
        window->setGeometry(geometry);
        window->show();
        window->setAttribute(Qt::WA_ShowWithoutActivating, noActivation);
    }
}

void CWindow::Center(QWidget *window, QWidget *over)
{
    if (!window)
        return;
    QRect area;
    if (over) {
        area = over->frameGeometry();
    } else {
        QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
        if (!screen)
            return;
        area = screen->geometry();
    }
    const QSize size = window->frameGeometry().size();
    window->move(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2);
}

void CWindow::EditCopy()
{
    copySelection();
}

void CWindow::EditCut()
{
    ActiveText active = copySelection();
    if (!active.readOnly())
        active.replaceSelection(QString());
}

void CWindow::EditPaste()
{
    ActiveText active;
    if (!active.exists() || active.readOnly())
        raise(kPasteFailed, "Could not paste text from clipboard to active control.");
    active.replaceSelection(platform::clipboard().text());
}

} // namespace qv::support
