#pragma once
// Answers the editor's dialogs and message boxes from queues, and records
// what was asked, so that tests drive every question without a window.
#include "core/Prompts.h"

#include <QQueue>
#include <QStringList>

class ScriptedPrompts {
public:
    ScriptedPrompts()
    {
        UserPrompts().choosePath = [this](QWidget*, PathMode mode, const QString&, const QString&,
                                          const QString& folder) {
            pathModes << mode;
            startFolders << folder;
            return paths.isEmpty() ? QString() : paths.dequeue();
        };
        UserPrompts().ask = [this](QWidget*, const QString& title, const QString& text, bool withCancel) {
            questions << title + "|" + text;
            questionHadCancel << withCancel;
            return answers.isEmpty() ? Answer::No : answers.dequeue();
        };
        UserPrompts().warn = [this](QWidget*, const QString&, const QString& text) { warnings << text; };
        UserPrompts().inform = [this](QWidget*, const QString&, const QString& text) { informations << text; };
        UserPrompts().error = [this](QWidget*, const QString&, const QString& text) { errors << text; };
        UserPrompts().chooseItem = [this](QWidget*, const QString&, const QString&, const QStringList& items) {
            offeredItems << items;
            return itemChoices.isEmpty() ? -1 : itemChoices.dequeue();
        };
        UserPrompts().openDocument = [this](const QString& path) { openedDocuments << path; };
    }
    ~ScriptedPrompts() { RestoreDefaultPrompts(); }

    QQueue<QString> paths;   // "" cancels the dialog
    QQueue<Answer> answers;  // empty: No
    QList<PathMode> pathModes;
    QStringList startFolders;  // where each file dialog started
    QQueue<int> itemChoices;   // empty: cancelled
    QList<QStringList> offeredItems;
    QStringList questions;
    QList<bool> questionHadCancel;
    QStringList warnings;
    QStringList informations;
    QStringList errors;
    QStringList openedDocuments;
};
