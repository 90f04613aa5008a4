#pragma once
class QWidget;
class StatusBar;

// Writes line count, current line and caret position into the status bar.
class CursorStatus {
public:
    void ShowCursorStatus(QWidget* window, StatusBar* statusBar, int lineCount, int caretLine, int caretColumn);
};
