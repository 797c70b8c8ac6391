#pragma once

#include "shell/WelcomeMenuLayout.h"

#include <QHash>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;

namespace qv::shell
{

// How the window's colours are chosen: from its own palette picture.
enum class PaletteMode { Halftone = 0, UseZOrder = 1, Custom = 2 };

// The welcome menu: a full-size picture inside the frame whose seven picture
// buttons light up under the pointer, and the same commands in its menu bar.
class frmWelcome : public QWidget
{
    Q_OBJECT

public:
    // The loaded welcome menu, or nullptr.
    static frmWelcome *loaded();
    // Loads the menu into the frame when it is not loaded, and shows it.
    static void Display();

    // How the opening dialog is shown once a plan type is chosen (set by
    // start-up). Without one the frame's status line says it is missing.
    static void setOpeningDialogDisplay(std::function<void()> display);

    // Puts the picture into the box; a button's description picture goes
    // into the description box, which is then shown.
    void LoadImage(QLabel *box, int picture);
    // Gives the lit button back its normal picture and hides the description.
    void ResetImage();
    // Places the buttons and the description box on the background.
    void SetPicturePosition();

    // The objectName of the lit button, or empty text.
    QString litButton() const { return m_lit; }
    PaletteMode paletteMode() const { return m_paletteMode; }
    // The picture a box shows now (its id), 0 when none.
    int pictureOf(const QLabel *box) const { return m_pictures.value(box, kNoPicture); }

    // Runs a button's command (what its click does).
    void runCommand(WelcomeCommand command);
    // Delete Plan: choose a plan, confirm, delete its folder and document.
    void DeletePlan();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *event) override;

private:
    frmWelcome();
    void load();
    void buildMenus();
    void loadCaptions();
    void applyPalette();
    void placeBackground();

    void showPicture(QLabel *box, int picture);
    QLabel *buttonBox(WelcomeCommand command) const;
    const WelcomeButton *buttonFor(const QObject *box) const;
    void pointerOver(const WelcomeButton &button, QLabel *box);
    void mouseDown(const WelcomeButton &button, QLabel *box);
    void mouseUp(const WelcomeButton &button, QLabel *box);
    void menuCommand(WelcomeCommand command);
    void choosePlanType(int planType);
    void startWizard();
    void showAbout();

    QLabel *SSPanel1;
    QLabel *picBackground;
    QLabel *picDescription;
    QLabel *lblDescription;
    QList<QLabel *> m_buttons; // indexed by WelcomeCommand
    QMenuBar *m_menuBar;
    QHash<const QLabel *, int> m_pictures; // what each box shows
    QHash<int, QPixmap> m_rendered;
    QString m_lit;
    QPointer<QLabel> m_pressed; // the box the mouse went down on
    PaletteMode m_paletteMode = PaletteMode::Halftone;
};

} // namespace qv::shell
