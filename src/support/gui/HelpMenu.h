#pragma once

#include <QString>

class QMenu;
class QMenuBar;
class QWidget;

namespace qv::support {

// The Help menu every main window carries: 0 "&Help Topics..." (at the
// window's own topic of the main help, when it names one), 1 the tips page,
// 2 "&Other Products", 3 a separator, 4 "&About". Items are named mnuHelp_0
// to mnuHelp_4.
QMenu *addHelpMenu(QMenuBar *bar, QWidget *owner, const QString &topic = QString());

} // namespace qv::support
