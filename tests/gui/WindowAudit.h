#pragma once

// Looks over a window as a user would see it: every visible label, button,
// check box, option, tab and menu item must show some text (or a picture),
// the text must fit its control, and a visible list must offer something.

#include <QSize>
#include <QString>
#include <QStringList>

class QWidget;

namespace qv::test {

struct AuditOptions
{
    // objectNames of controls that may be empty at this moment (a status
    // line before anything happened, a number box of a disabled choice).
    QStringList mayBeEmpty;
    // objectNames of controls whose text may be cut (elided on purpose).
    QStringList mayBeCut;
};

// The problems found, one line each ("lblFont: empty text"); none when the
// window passes.
QStringList auditWindow(QWidget *window, const AuditOptions &options = {});

// Lays the window out for a screen of the given size the way the desktop
// would: a resizable main window fills the screen, any other window keeps
// its own size and must fit the screen. Returns a problem when it does not.
QString placeOnScreen(QWidget *window, QSize screen, bool fillsScreen);

} // namespace qv::test
