#pragma once
// A shown main window after start-up, with scripted dialogs and a temporary
// folder for files.
#include "ScriptedPrompts.h"

#include "assist/Completion.h"
#include "shell/EditorEvents.h"
#include "core/StatusBar.h"
#include "core/Toolbar.h"
#include "documents/CodeEditor.h"
#include "shell/MainMenu.h"
#include "shell/MainWindow.h"
#include "shell/Program.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

struct EditorHarness {
    ScriptedPrompts prompts;
    QTemporaryDir dir;
    MainWindow window;
    CodeEditor* editor = window.CodeEditor1();
    QWidget* input = editor->focusProxy();

    EditorHarness()
    {
        window.OnCreated();
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) qWarning("window not exposed");
        input->setFocus();
    }
    void Type(const QString& keys) { QTest::keyClicks(input, keys); }
    Document& Doc() { return window.CurrentDocument(); }
    Completion& Typing() { return window.findChild<EditorEvents*>()->TypingCompletion(); }
    void Run(Command command) { window.Commands().Run(command); }
    QString Message() const { return window.StatusBar1()->PanelText(kMessagePanel); }
    QString Panel(int i) const { return window.StatusBar1()->PanelText(i); }
    bool Button(int index) const { return window.Toolbar1()->IsButtonEnabled(index); }
    bool MenuItem(Command c) const { return window.Menu().Item(c)->isEnabled(); }
    QString Path(const QString& name) const { return dir.filePath(name); }

    static QByteArray Read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void Write(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly)) f.write(bytes);
    }
    void Open(const QString& path)
    {
        prompts.paths.enqueue(path);
        Run(Command::OpenDocument);
    }
};
