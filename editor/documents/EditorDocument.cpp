#include "documents/EditorDocument.h"

#include "core/ProgramVersion.h"
#include "core/StatusBar.h"
#include "core/Toolbar.h"
#include "documents/CodeEditor.h"
#include "documents/OpenSaveDialog.h"
#include "documents/ScriptFile.h"
#include "run/ScriptHost.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
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

QString EncodingName(ScriptEncoding encoding) { return QString::fromUtf8(textcodec::ScriptEncodingName(encoding)); }

// The encodings offered for a file that is none of the ones recognised.
constexpr ScriptEncoding kPickableEncodings[] = {ScriptEncoding::Gb18030, ScriptEncoding::Big5,
                                                 ScriptEncoding::Latin1, ScriptEncoding::ShiftJis};

void DisableCutCopyEnablePaste(Toolbar* toolbar)
{
    toolbar->DisableButton(ToolbarButton::Cut);
    toolbar->DisableButton(ToolbarButton::Copy);
    toolbar->EnableButton(ToolbarButton::Paste);
}

}  // namespace

EditorDocument::Settled EditorDocument::ConfirmSave(const DocumentControls& c)
{
    if (!(c.document->DocumentModified && c.editor->TextLength() > 0)) return Settled::NothingToSave;
    switch (UserPrompts().ask(c.window, kQuestionTitle, kQuestionText, true)) {
    case Answer::Yes: return SaveToOwnFile(c, c.document->Path.isEmpty()) ? Settled::Saved : Settled::Kept;
    case Answer::No: return Settled::Discarded;
    case Answer::Cancel: break;
    }
    return Settled::Kept;
}

void EditorDocument::AimDialog(const DocumentControls& c)
{
    c.dialog->SetStartFolder(c.document->Path.isEmpty() ? QString() : QFileInfo(c.document->Path).absolutePath());
}

QString EditorDocument::ChooseSaveName(const DocumentControls& c)
{
    AimDialog(c);
    c.dialog->SetMode(PathMode::Save);
    return c.dialog->Show(c.window) ? c.dialog->FileName() : QString();
}

void EditorDocument::ReportFailure(const DocumentControls& c, const QString& title, const QString& path,
                                   const FileFailure& failure)
{
    UserPrompts().warn(c.window, title, QStringLiteral("%1\n\n%2").arg(QDir::toNativeSeparators(path), FailureText(failure)));
}

bool EditorDocument::WriteReporting(const DocumentControls& c, const QString& path, const QString& text)
{
    ScriptWriteResult r = WriteScriptFile(path, text, c.document->Encoding);
    if (r.status == ScriptWriteResult::Unencodable) {
        UserPrompts().warn(c.window, kSaveFailed,
                           QStringLiteral("第 %1 行的字符“%2”（U+%3）不能以 %4 编码保存，文件没有写入。")
                               .arg(r.unencodableLine)
                               .arg(r.unencodableCharacter)
                               .arg(r.unencodableCharacter.toUcs4().value(0), 4, 16, QChar(u'0'))
                               .arg(EncodingName(c.document->Encoding)));
    } else if (r.status == ScriptWriteResult::WriteFailed) {
        ReportFailure(c, kSaveFailed, path, r.failure);
    }
    return r.ok();
}

bool EditorDocument::SaveToOwnFile(const DocumentControls& c, bool askName)
{
    const QString text = c.editor->Text();
    const QString target = askName ? ChooseSaveName(c) : c.document->Path;
    if (target.isEmpty() || !WriteReporting(c, target, text)) {
        ShowMessage(c, kSaveFailed);
        return false;
    }
    ShowMessage(c, kSaveDone);
    c.editor->MarkSaved();
    c.document->DocumentModified = false;
    if (askName) {
        c.document->Path = target;
        c.window->setWindowTitle(target);
    }
    return true;
}

void EditorDocument::ShowFormat(const DocumentControls& c)
{
    c.statusBar->SetPanelText(kFormatPanel,
                              EncodingName(c.document->Encoding) + QStringLiteral(" · ") + LineEndName(c.editor->LineEnds()));
}

void EditorDocument::Replaced(const DocumentControls& c)
{
    c.editor->MarkSaved();
    c.document->DocumentModified = false;
    if (c.output) c.output->clear();
    ShowFormat(c);
}

void EditorDocument::NewDocument(const DocumentControls& c)
{
    const Settled settled = ConfirmSave(c);
    if (settled == Settled::Kept) return;
    if (settled == Settled::Saved) ShowMessage(c, kNewDone);
    c.document->AskNameOnNextSave = true;
    c.editor->ClearAll();
    c.editor->SetLineEnd(LineEnd::CrLf);
    c.document->Path.clear();
    c.document->Encoding = ScriptEncoding::Gbk;
    c.window->setWindowTitle(VersionedTitle());
    Replaced(c);
}

bool EditorDocument::LoadFile(const DocumentControls& c, const QString& path)
{
    ScriptReadResult read = ReadScriptFile(path);
    if (!read.content && read.failure.reason == FileFailure::NotText) {
        QStringList names;
        for (ScriptEncoding e : kPickableEncodings) names << EncodingName(e);
        const int picked = UserPrompts().chooseItem(
            c.window, kOpenFailed,
            QStringLiteral("%1\n\n%2\n可以选择一种编码打开它：").arg(QDir::toNativeSeparators(path), FailureText(read.failure)),
            names);
        if (picked < 0) {
            ShowMessage(c, kOpenFailed);
            return false;
        }
        read.content = DecodeScriptBytes(read.bytes, kPickableEncodings[picked]);
        if (!read.content) read.failure.detail = QStringLiteral("文件不是 %1 编码的文本。").arg(names[picked]);
    }
    if (!read.content) {
        ShowMessage(c, kOpenFailed);  // text and caption stay as they were
        ReportFailure(c, kOpenFailed, path, read.failure);
        return false;
    }
    c.editor->SetText(read.content->text);
    c.editor->SetLineEnd(read.content->lineEnd);
    c.document->Encoding = read.content->encoding;
    return true;
}

void EditorDocument::OpenDocument(const DocumentControls& c)
{
    if (ConfirmSave(c) == Settled::Kept) return;
    AimDialog(c);
    c.dialog->SetMode(PathMode::Open);
    if (!c.dialog->Show(c.window)) return;
    const QString path = c.dialog->FileName();
    if (!LoadFile(c, path)) return;
    c.window->setWindowTitle(path);
    c.document->Path = path;
    // The opened file is the document's own: 保存 writes it.
    c.document->AskNameOnNextSave = false;
    Replaced(c);
    ShowMessage(c, kOpenDone);
}

void EditorDocument::SaveDocument(const DocumentControls& c)
{
    bool askName = c.document->AskNameOnNextSave || c.document->Path.isEmpty();
    c.document->AskNameOnNextSave = false;
    SaveToOwnFile(c, askName);
}

void EditorDocument::SaveDocumentAs(const DocumentControls& c)
{
    const QString text = c.editor->Text();
    const QString target = ChooseSaveName(c);
    if (target.isEmpty()) return;
    ShowMessage(c, WriteReporting(c, target, text) ? kSaveAsDone : kSaveFailed);
}

bool EditorDocument::MayClose(const DocumentControls& c) { return ConfirmSave(c) != Settled::Kept; }

std::optional<ScriptError> EditorDocument::RunScript(const DocumentControls& c, ScriptHost* host, const QString& code)
{
    host->Reset();
    host->SetScriptPath(c.document->Path);
    if (host->Execute(code, c.window)) return std::nullopt;
    return host->Error();
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
