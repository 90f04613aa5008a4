#pragma once
// Korvane's one window: the error code, the module and the error text of a
// runtime error that the editor reported.
#include <QStringList>
#include <QWidget>

class QLineEdit;
class QPlainTextEdit;

class ErrorPromptWindow : public QWidget {
    Q_OBJECT
public:
    explicit ErrorPromptWindow(QWidget* parent = nullptr);

    // Takes exactly three arguments: code, text, module. Any other count is
    // refused (false) and nothing is filled.
    bool Fill(const QStringList& arguments);

    QLineEdit* CodeBox() const { return code_; }
    QLineEdit* ModuleBox() const { return module_; }
    QPlainTextEdit* TextBox() const { return text_; }

private:
    QLineEdit* code_;
    QLineEdit* module_;
    QPlainTextEdit* text_;
};
