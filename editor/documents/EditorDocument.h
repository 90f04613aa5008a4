#pragma once
// The current document and the operations on the code editor: the file
// commands with their save question, clipboard and undo. It holds no data:
// every operation is given the controls it works on.
#include "core/Prompts.h"
#include "documents/Document.h"
#include "run/ScriptHost.h"

#include <QString>

#include <optional>

class CodeEditor;
class OpenSaveDialog;
class QAction;
class QPlainTextEdit;
class QWidget;
class StatusBar;
class Toolbar;

struct DocumentControls {
    Document* document;
    QWidget* window;
    CodeEditor* editor;
    OpenSaveDialog* dialog;
    Toolbar* toolbar;
    StatusBar* statusBar;
    QAction* menuUndo;
    QAction* menuRedo;
    QAction* menuCut;
    QAction* menuCopy;
    QPlainTextEdit* output;  // page 输出: what it says is about one document
};

struct FileFailure;

class EditorDocument {
public:
    // The file commands.
    void NewDocument(const DocumentControls& c);
    void OpenDocument(const DocumentControls& c);
    void SaveDocument(const DocumentControls& c);
    void SaveDocumentAs(const DocumentControls& c);
    // Before the program ends: true when nothing unsaved is lost (the user
    // answered No, or the save succeeded); false keeps the program running.
    bool MayClose(const DocumentControls& c);

    // The edit commands.
    void Undo(const DocumentControls& c);
    void Redo(const DocumentControls& c);
    void CutSelection(CodeEditor* editor, Toolbar* toolbar);
    void CopySelection(CodeEditor* editor, Toolbar* toolbar);
    void PasteClipboard(CodeEditor* editor, Toolbar* toolbar);
    void SelectAllText(CodeEditor* editor, Toolbar* toolbar);
    void ClearText(CodeEditor* editor, Toolbar* toolbar);
    bool CheckUndo(bool canUndo, Toolbar* toolbar);
    bool CheckRedo(bool canRedo, Toolbar* toolbar);

    // The document's encoding and line ends, in the status bar.
    void ShowFormat(const DocumentControls& c);

    // Runs the code in the script host; the error when it fails.
    std::optional<ScriptError> RunScript(const DocumentControls& c, ScriptHost* host, const QString& code);

    // What became of unsaved text before it is replaced or the program ends.
    enum class Settled { NothingToSave, Saved, Discarded, Kept };
    // The save question with 是/否/取消, asked only for modified text; Kept
    // (取消, Esc, or a save that failed) means: change nothing.
    Settled ConfirmSave(const DocumentControls& c);

private:
    // Reads a file into the editor; false (reported, editor untouched) when
    // it cannot be read or decoded.
    bool LoadFile(const DocumentControls& c, const QString& path);
    void ReportFailure(const DocumentControls& c, const QString& title, const QString& path,
                       const FileFailure& failure);
    // The document starts over: no output of another text, its own format.
    void Replaced(const DocumentControls& c);
    // The folder file dialogs start in: the document's own.
    void AimDialog(const DocumentControls& c);
    // Saves into the document's own file, or asks for a name when askName.
    bool SaveToOwnFile(const DocumentControls& c, bool askName);
    QString ChooseSaveName(const DocumentControls& c);
    bool WriteReporting(const DocumentControls& c, const QString& path, const QString& text);
};
