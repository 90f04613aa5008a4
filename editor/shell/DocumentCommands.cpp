#include "shell/DocumentCommands.h"

#include "core/TabControl.h"
#include "documents/CodeEditor.h"
#include "documents/EditorDocument.h"
#include "shell/MainMenu.h"
#include "shell/MainWindow.h"
#include "shell/OutputNavigation.h"
#include "shell/Program.h"

#include <QAction>
#include <QPlainTextEdit>

namespace {
constexpr int kOutputPage = 1;

void RunTheScript(MainWindow& w, EditorDocument& document)
{
    w.OutputBox()->clear();
    const std::optional<ScriptError> error = document.RunScript(w.Documents(), w.ScriptHost1(), w.CodeEditor1()->Text());
    if (!error) return;
    w.TabControl1()->SetCurrentPage(kOutputPage);
    ShowErrorLine(w.OutputBox(), *error);
}
}  // namespace

void AttachDocumentCommands(MainWindow& w)
{
    CommandTable& t = w.Commands();
    auto document = [] { return Objects().editorDocument.get(); };
    t.Attach(Command::NewDocument, [&w, document] { document()->NewDocument(w.Documents()); });
    t.Attach(Command::OpenDocument, [&w, document] { document()->OpenDocument(w.Documents()); });
    t.Attach(Command::SaveDocument, [&w, document] { document()->SaveDocument(w.Documents()); });
    t.Attach(Command::SaveDocumentAs, [&w, document] { document()->SaveDocumentAs(w.Documents()); });
    // 关闭 ends at once, without writing the settings, once nothing unsaved is lost.
    t.Attach(Command::CloseProgram, [&w, document] {
        if (document()->MayClose(w.Documents())) EndProgram();
    });
    t.Attach(Command::Undo, [&w, document] { document()->Undo(w.Documents()); });
    t.Attach(Command::Redo, [&w, document] { document()->Redo(w.Documents()); });
    t.Attach(Command::Cut, [&w, document] { document()->CutSelection(w.CodeEditor1(), w.Toolbar1()); });
    t.Attach(Command::Copy, [&w, document] { document()->CopySelection(w.CodeEditor1(), w.Toolbar1()); });
    t.Attach(Command::Paste, [&w, document] { document()->PasteClipboard(w.CodeEditor1(), w.Toolbar1()); });
    t.Attach(Command::SelectAll, [&w, document] {
        document()->SelectAllText(w.CodeEditor1(), w.Toolbar1());
        w.Menu().Item(Command::Cut)->setEnabled(true);
        w.Menu().Item(Command::Copy)->setEnabled(true);
    });
    t.Attach(Command::Clear, [&w, document] { document()->ClearText(w.CodeEditor1(), w.Toolbar1()); });
    t.Attach(Command::RunScript, [&w, document] { RunTheScript(w, *document()); });
}
