#pragma once

// The composer's own pictures, drawn in code so that they stay crisp at any
// screen scale: the outline tree's node images, the status pictures and the
// toolbar pictures, each under the key its users name it by.

#include <QIcon>
#include <QString>

namespace qv::composer {

// Node images: "plan", "closed folder", "open folder", "leaf", "leaf check",
// "leaf exclude". Toolbar pictures: "Tree", "Expand", "Helper", "Zoom",
// "PrevSection", "NextSection", "PrevTable", "NextTable", "Online",
// "Compile"; side buttons "Text", "Spell", "Table", "Graph". An unknown key
// gives a null icon.
QIcon composerImage(const QString &key);

} // namespace qv::composer
