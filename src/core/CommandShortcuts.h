// The keys of the main menu's commands. A key is the menu item's own
// shortcut, so it is shown beside the caption, runs exactly what the item
// runs and does nothing while the item is greyed.
#pragma once

#include "core/Command.h"

#include <QKeySequence>
#include <QList>

namespace quorbell {

struct CommandShortcut
{
    Command command;
    QKeySequence key; // the key shown in the menu (the desktop's own where it has one)
};

// Every command with a key, in menu order.
const QList<CommandShortcut>& commandShortcuts();

// The keys of a command: the desktop's standard bindings where the command
// is a standard action, else its own key; empty for a command without one.
QList<QKeySequence> shortcutsFor(Command command);

} // namespace quorbell
