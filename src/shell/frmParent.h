#pragma once

#include <QMainWindow>
#include <QPointer>

#include <functional>

class QLabel;
class QStackedWidget;

namespace qv::shell
{

// The frame window. It hosts the welcome menu and the opening dialog as
// child windows that fill it; with no child it shows the product's
// backdrop. Unloading it while no composer is open ends the program.
class frmParent : public QMainWindow
{
    Q_OBJECT

public:
    // The loaded frame, or nullptr.
    static frmParent *loaded();
    // Loads the frame when it is not loaded (caption, position, icon, shown).
    static frmParent &load();
    // Loads and shows the frame, then shows the welcome menu inside it.
    static void Display();
    // Unloads the frame when it is loaded.
    static void Unload();

    // How the welcome menu is displayed (set by start-up).
    static void setWelcomeMenuDisplay(std::function<void()> display);

    // Puts a child window inside the frame. A child of fixed size is centred,
    // any other fills the frame; the newest child is in front. The child is
    // deleted when it closes.
    void hostChild(QWidget *child);
    QList<QWidget *> childWindows() const;

    // A line under the product name while the frame has no child.
    void showStatus(const QString &text);
    QString statusText() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    frmParent();
    ~frmParent() override;
    void showChildOrBackdrop();

    QStackedWidget *m_host = nullptr;
    QWidget *m_backdrop = nullptr;
    QLabel *m_status = nullptr;
    QList<QPointer<QWidget>> m_children;
};

} // namespace qv::shell
