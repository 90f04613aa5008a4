#pragma once
// Every question and message box the editor shows goes through here, so that
// tests can answer them. The defaults are Qt's standard dialogs.
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

enum class Answer { Yes, No, Cancel };
enum class PathMode { Open, Save };

struct Prompts {
    // A file path from the open/save dialog; empty when cancelled.
    // filter is in Qt's form, defaultSuffix without the dot; the dialog
    // starts in folder (empty: wherever it likes).
    std::function<QString(QWidget* parent, PathMode mode, const QString& filter, const QString& defaultSuffix,
                          const QString& folder)>
        choosePath;
    // A question box with the question icon: Yes/No, or Yes/No/Cancel.
    std::function<Answer(QWidget* parent, const QString& title, const QString& text, bool withCancel)> ask;
    // An OK box with the warning icon.
    std::function<void(QWidget* parent, const QString& title, const QString& text)> warn;
    // An OK box with the error icon.
    std::function<void(QWidget* parent, const QString& title, const QString& text)> error;
    // An OK box with the information icon.
    std::function<void(QWidget* parent, const QString& title, const QString& text)> inform;
    // One of items, as its index; -1 when cancelled.
    std::function<int(QWidget* parent, const QString& title, const QString& label, const QStringList& items)>
        chooseItem;
    // Asks the desktop to open a document with its registered application,
    // without waiting for it.
    std::function<void(const QString& path)> openDocument;
};

Prompts& UserPrompts();
void RestoreDefaultPrompts();
