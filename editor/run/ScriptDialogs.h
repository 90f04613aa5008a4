#pragma once
// How a running script's own user interface is shown: MsgBox, InputBox and
// WScript.Echo. Always called on the user-interface thread. The defaults are
// Qt dialogs; tests answer them instead.
#include <QString>

#include <functional>
#include <optional>

class QWidget;

// Every dialog offers 停止, which calls this and closes the dialog: a script
// that opens one dialog after another must still be stoppable.
using StopScript = std::function<void()>;

struct ScriptDialogs {
    // buttons is MsgBox's second argument; returns vbOK (1) ... vbNo (7).
    std::function<int(QWidget* parent, const QString& prompt, int buttons, const QString& title, const StopScript& stop)>
        msgBox;
    // nullopt when cancelled.
    std::function<std::optional<QString>(QWidget* parent, const QString& prompt, const QString& title,
                                         const QString& defaultText, const StopScript& stop)>
        inputBox;
    std::function<void(QWidget* parent, const QString& text, const StopScript& stop)> echo;
};

ScriptDialogs& TheScriptDialogs();
void RestoreDefaultScriptDialogs();
