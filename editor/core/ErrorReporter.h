#pragma once
// Runtime errors that escape an operation are shown by the error prompt
// program, with the label of the guarded operation entered last.
#include <QString>

#include <functional>
#include <stdexcept>

// A runtime error with its VBScript-style number, raised by operations
// that work with outside components.
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const QString& text);
    int Number() const { return number_; }
    const QString& Text() const { return text_; }

private:
    int number_;
    QString text_;
};

// The label of the guarded operation entered last; replaced, never cleared.
extern QString CurrentModuleLabel;

// First step of every guarded operation.
void InstallErrorReporter(const QString& label);

// Starts the error prompt with number, text and CurrentModuleLabel as three
// separate arguments, without waiting. Always true: the error is reported.
bool ReportRuntimeError(int number, const QString& text);

// Runs an operation; an exception escaping it is reported and the operation
// abandoned. Returns false when that happened.
bool RunGuarded(const std::function<void()>& operation);

// Releases CurrentModuleLabel at program end.
void ReleaseModuleLabel();
