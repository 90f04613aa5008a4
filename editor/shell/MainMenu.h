#pragma once
// The main window's menu bar: captions, access keys, hotkeys and the states
// the items have when the window is created.
#include "shell/Commands.h"

#include <QHash>

class QAction;
class QMenuBar;

class MainMenu {
public:
    // Fills the bar; choosing an item runs its command from the table.
    MainMenu(QMenuBar* bar, const CommandTable& commands);

    // The menu item of a command (switched independently of its toolbar button).
    QAction* Item(Command command) const { return items_.value(command); }

private:
    QHash<Command, QAction*> items_;
};
