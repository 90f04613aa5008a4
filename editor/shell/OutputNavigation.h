#pragma once
// Double-clicking a line of the output box that holds an error moves the
// code editor's caret to the error's line and column. The place travels
// with the line itself, not in its text.
#include <QObject>

class MainWindow;
class QPlainTextEdit;
struct ScriptError;

// Appends the error's text and line end to the box, with its place.
void ShowErrorLine(QPlainTextEdit* box, const ScriptError& error);

class OutputNavigation : public QObject {
    Q_OBJECT
public:
    explicit OutputNavigation(MainWindow* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MainWindow* window_;
};
