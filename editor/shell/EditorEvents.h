#pragma once
// The handlers of the code editor's events, and the tracking that keeps
// the document flag, the status panels and the cut/copy states current.
#include "assist/Completion.h"

#include <QObject>

class MainWindow;

class EditorEvents : public QObject {
    Q_OBJECT
public:
    // Connects to the window's code editor; lives as long as the window.
    explicit EditorEvents(MainWindow* window);

    void OnCharTyped(const QString& character);
    void OnTextChanged();
    void OnEditorMouseUp(int x, int y, int shift);
    void OnEditorKeyDown(int keyCode, int shift);
    void OnListChoice(int listType, const QString& entry);

    // The completion list's state for this window's editor.
    Completion& TypingCompletion() { return completion_; }

private:
    void ShowCaret();
    void FollowSelection();

    MainWindow* window_;
    Completion completion_;
};
