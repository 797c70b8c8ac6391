#pragma once

// Tools > Calculator: the desktop's own calculator, found through the
// desktop entries of the installed applications (category "Calculator").

#include <QString>
#include <QStringList>

class QObject;

namespace qv::support
{

struct DesktopCommand
{
    QString program;
    QStringList arguments;
    bool isEmpty() const { return program.isEmpty(); }
};

// The command of the first calculator among the desktop entries of the
// folders (the first folder wins for an entry of the same name, as the
// desktop does); entries hidden from menus or whose program is missing are
// passed over. Empty when there is none.
DesktopCommand findCalculator(const QStringList &applicationFolders);

// The desktop's application folders, the user's own first.
QStringList applicationFolders();

// What to say when no calculator is installed.
QString noCalculatorText();

// Starts the desktop's calculator, or says which package provides one.
// False when none was started.
bool StartCalculator(QObject *owner);

} // namespace qv::support
