#pragma once
// 脚本组件1: the script host, backed by our VBScript engine. A run happens on
// a worker thread of its own so that the editor never freezes: the window
// takes no input meanwhile, a small window with a 停止 button appears when a
// run lasts longer than half a second, and the script's dialogs are shown
// here on the user-interface thread while the worker waits for the answer.
#include <QObject>
#include <QString>

#include <memory>

class QWidget;

// How a run ended when it did not succeed.
struct ScriptError {
    int number = 0;  // the engine's error number; 0 when the user stopped it
    int line = 0;    // from 1; 0: no place to go to
    int column = 0;  // from 1
    QString text;    // what page 输出 shows
};

class ScriptHost : public QObject {
    Q_OBJECT
public:
    explicit ScriptHost(QObject* owner);
    ~ScriptHost() override;

    // Discards all code and state of earlier runs.
    void Reset();
    // Runs the code to its end; false on an error or when stopped.
    bool Execute(const QString& code, QWidget* window);
    const ScriptError& Error() const { return error_; }
    // What the script sees as WScript.ScriptFullName (empty: no file yet).
    void SetScriptPath(const QString& fullPath);
    // Ends a running script at its next statement; safe from any thread.
    void RequestStop();

signals:
    // The small window of a long run is up; tests press its button.
    void RunningWindowShown(QWidget* runningWindow);

private:
    class Bridge;
    std::unique_ptr<Bridge> bridge_;
    ScriptError error_;
};
