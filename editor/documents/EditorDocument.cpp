#include "documents/EditorDocument.h"

#include "core/ProgramVersion.h"
#include "core/StatusBar.h"
#include "core/Toolbar.h"
#include "documents/CodeEditor.h"
#include "documents/DocumentState.h"
#include "documents/OpenSaveDialog.h"
#include "documents/ScriptFile.h"
#include "documents/ScriptHost.h"

#include <QAction>
#include <QWidget>

namespace {

const QString kNewDone = QStringLiteral("新建成功");
const QString kOpenDone = QStringLiteral("打开成功");
const QString kOpenFailed = QStringLiteral("打开失败");
const QString kSaveDone = QStringLiteral("保存成功");
const QString kSaveFailed = QStringLiteral("保存失败");
const QString kSaveAsDone = QStringLiteral("另存为成功");
const QString kUndoDone = QStringLiteral("撤消成功");
const QString kRedoDone = QStringLiteral("重复成功");
const QString kQuestionTitle = QStringLiteral("代码编辑框");
const QString kQuestionText = QStringLiteral("代码编辑框的内容己修变,\r\n是否要保存?");

void ShowMessage(const DocumentControls& c, const QString& text) { c.statusBar->SetPanelText(kMessagePanel, text); }

QString EncodingName(ScriptEncoding encoding) { return encoding == ScriptEncoding::Gbk ? "GBK" : "Unicode"; }

void DisableCutCopyEnablePaste(Toolbar* toolbar)
{
    toolbar->DisableButton(ToolbarButton::Cut);
    toolbar->DisableButton(ToolbarButton::Copy);
    toolbar->EnableButton(ToolbarButton::Paste);
}

}  // namespace

bool EditorDocument::ConfirmSave(bool modified, int textLength, QWidget* window)
{
    if (!(textLength > 0 && modified)) return false;
    return AskToSave(window, false) == Answer::Yes;
}

Answer EditorDocument::AskToSave(QWidget* window, bool withCancel)
{
    return UserPrompts().ask(window, kQuestionTitle, kQuestionText, withCancel);
}

QString EditorDocument::ChooseSaveName(const DocumentControls& c)
{
    c.dialog->SetMode(PathMode::Save);
    return c.dialog->Show(c.window) ? c.dialog->FileName() : QString();
}

bool EditorDocument::WriteReporting(const DocumentControls& c, const QString& path, const QString& text)
{
    ScriptWriteResult r = WriteScriptFile(path, text, DocumentEncoding);
    if (r.status == ScriptWriteResult::Unencodable) {
        UserPrompts().warn(c.window, kSaveFailed,
                           QStringLiteral("第 %1 行的字符“%2”（U+%3）不能以 %4 编码保存，文件没有写入。")
                               .arg(r.unencodableLine)
                               .arg(r.unencodableCharacter)
                               .arg(r.unencodableCharacter.toUcs4().value(0), 4, 16, QChar(u'0'))
                               .arg(EncodingName(DocumentEncoding)));
    }
    return r.ok();
}

bool EditorDocument::SaveToOwnFile(const DocumentControls& c, bool askName)
{
    const QString text = c.editor->Text();
    const QString target = askName ? ChooseSaveName(c) : DocumentPath;
    if (target.isEmpty() || !WriteReporting(c, target, text)) {
        ShowMessage(c, kSaveFailed);
        return false;
    }
    ShowMessage(c, kSaveDone);
    c.editor->MarkSaved();
    DocumentModified = false;
    if (askName) {
        DocumentPath = target;
        c.window->setWindowTitle(target);
    }
    return true;
}

void EditorDocument::NewDocument(const DocumentControls& c)
{
    AskNameOnNextSave = true;
    if (ConfirmSave(DocumentModified, c.editor->TextLength(), c.window)) {
        // A failed or cancelled save keeps the text.
        if (!SaveToOwnFile(c, DocumentPath.isEmpty())) return;
        ShowMessage(c, kNewDone);
    }
    c.editor->ClearAll();
    c.editor->MarkSaved();
    DocumentModified = false;
    DocumentPath.clear();
    DocumentEncoding = ScriptEncoding::Gbk;
    c.window->setWindowTitle(VersionedTitle());
}

void EditorDocument::OpenDocument(const DocumentControls& c)
{
    if (ConfirmSave(DocumentModified, c.editor->TextLength(), c.window) &&
        !SaveToOwnFile(c, DocumentPath.isEmpty()))
        return;
    c.dialog->SetMode(PathMode::Open);
    if (!c.dialog->Show(c.window)) return;
    const QString path = c.dialog->FileName();
    auto content = ReadScriptFile(path);
    if (!content) {
        ShowMessage(c, kOpenFailed);  // text and caption stay as they were
        return;
    }
    c.editor->SetText(content->text);
    c.window->setWindowTitle(path);
    DocumentPath = path;
    DocumentEncoding = content->encoding;
    c.editor->MarkSaved();
    DocumentModified = false;
    ShowMessage(c, kOpenDone);
}

void EditorDocument::SaveDocument(const DocumentControls& c)
{
    bool askName = AskNameOnNextSave || DocumentPath.isEmpty();
    AskNameOnNextSave = false;
    SaveToOwnFile(c, askName);
}

void EditorDocument::SaveDocumentAs(const DocumentControls& c)
{
    const QString text = c.editor->Text();
    const QString target = ChooseSaveName(c);
    if (target.isEmpty()) return;
    ShowMessage(c, WriteReporting(c, target, text) ? kSaveAsDone : kSaveFailed);
}

bool EditorDocument::MayClose(const DocumentControls& c)
{
    if (!(DocumentModified && c.editor->TextLength() > 0)) return true;
    switch (AskToSave(c.window, true)) {
    case Answer::Yes: return SaveToOwnFile(c, DocumentPath.isEmpty());
    case Answer::No: return true;
    case Answer::Cancel: return false;
    }
    return false;
}

bool EditorDocument::RunScript(QWidget* window, ScriptHost* host, const QString& code, QString& errorText)
{
    host->Reset();
    host->SetScriptPath(DocumentPath);
    if (host->Execute(code, window)) return true;
    errorText = host->ErrorText();
    return false;
}

bool EditorDocument::CheckUndo(bool canUndo, Toolbar* toolbar)
{
    if (canUndo) {
        toolbar->EnableButton(ToolbarButton::Redo);
        return true;
    }
    toolbar->DisableButton(ToolbarButton::Undo);
    return false;
}

bool EditorDocument::CheckRedo(bool canRedo, Toolbar* toolbar)
{
    if (canRedo) {
        toolbar->EnableButton(ToolbarButton::Undo);
        return true;
    }
    toolbar->DisableButton(ToolbarButton::Redo);
    return false;
}

void EditorDocument::Undo(const DocumentControls& c)
{
    if (!CheckUndo(c.editor->CanUndo(), c.toolbar)) return;
    c.editor->Undo();
    c.menuRedo->setEnabled(true);
    ShowMessage(c, kUndoDone);
}

void EditorDocument::Redo(const DocumentControls& c)
{
    if (!CheckRedo(c.editor->CanRedo(), c.toolbar)) return;
    c.editor->Redo();
    ShowMessage(c, kRedoDone);
}

void EditorDocument::CutSelection(CodeEditor* editor, Toolbar* toolbar)
{
    editor->Cut();
    DisableCutCopyEnablePaste(toolbar);
}

void EditorDocument::CopySelection(CodeEditor* editor, Toolbar* toolbar)
{
    editor->Copy();
    DisableCutCopyEnablePaste(toolbar);
}

void EditorDocument::PasteClipboard(CodeEditor* editor, Toolbar* toolbar)
{
    bool canPaste = editor->CanPaste();
    editor->Refresh();
    if (!canPaste) return;
    toolbar->EnableButton(ToolbarButton::Undo);
    editor->Paste();
}

void EditorDocument::SelectAllText(CodeEditor* editor, Toolbar* toolbar)
{
    editor->SelectAll();
    toolbar->EnableButton(ToolbarButton::Cut);
    toolbar->EnableButton(ToolbarButton::Copy);
}

void EditorDocument::ClearText(CodeEditor* editor, Toolbar* toolbar)
{
    editor->ClearAll();
    toolbar->SetButtonEnabled(ToolbarButton::Clear, editor->TextLength() != 0);
}
