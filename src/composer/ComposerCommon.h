#pragma once

// Small helpers the composer's source files share: string-table texts by
// their full number, messages through the platform layer, and menu items
// named as their menu array elements.

#include "platform/Services.h"
#include "resources/ResText.h"

#include <QAction>
#include <QMenu>

namespace qv::composer {

// The helper pane's options (optHelper_0 to optHelper_2).
enum HelperOption { Instructions = 0, ExampleText = 1, ExampleTable = 2 };

// Error numbers of file failures reported without a library error.
inline constexpr long kFileNotFound = 53;
inline constexpr long kFileAccessError = 75;

inline QString resText(int id)
{
    return GetResText(id - 1000);
}

inline platform::Answer ask(QObject *owner, const QString &text, platform::Buttons buttons, platform::Icon icon)
{
    platform::Message message;
    message.text = text;
    message.buttons = buttons;
    message.icon = icon;
    return platform::messageBoxes().show(owner, message);
}

inline void tell(QObject *owner, const QString &text, platform::Icon icon)
{
    ask(owner, text, platform::Buttons::Ok, icon);
}

inline QAction *menuItem(QMenu *menu, const QString &name, const QString &caption = QString())
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

// A command whose window comes with a later part of the program.
inline QAction *comingItem(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *action = menuItem(menu, name, caption);
    action->setEnabled(false);
    return action;
}

} // namespace qv::composer
