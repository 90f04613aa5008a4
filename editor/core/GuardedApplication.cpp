#include "core/GuardedApplication.h"

#include "core/ErrorReporter.h"

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    RunGuarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
