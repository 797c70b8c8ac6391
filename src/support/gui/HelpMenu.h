#pragma once

class QMenu;
class QMenuBar;
class QWidget;

namespace qv::support {

// The Help menu every main window carries: 0 "&Help Topics...", 1 the tips
// (no window in this release, so hidden), 2 "&Other Products", 3 a
// separator, 4 "&About". Items are named mnuHelp_0 to mnuHelp_4.
QMenu *addHelpMenu(QMenuBar *bar, QWidget *owner);

} // namespace qv::support
