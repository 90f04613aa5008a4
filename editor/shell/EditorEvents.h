#pragma once
// The handlers of the code editor's five events, and the tracking that keeps
// the document flag, the status panels and the cut/copy states current.
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

private:
    void ShowCaret();
    void FollowSelection();

    MainWindow* window_;
};
