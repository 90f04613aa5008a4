#include "shell/EditorEvents.h"

#include "assist/CodeAssist.h"
#include "assist/Completion.h"
#include "assist/HintBlock.h"
#include "core/Toolbar.h"
#include "documents/CodeEditor.h"
#include "shell/MainMenu.h"
#include "shell/MainWindow.h"
#include "shell/Program.h"

#include <QAction>

namespace {
constexpr int kBackspace = 8;
constexpr int kCompletionList = 2;
}  // namespace

EditorEvents::EditorEvents(MainWindow* window) : QObject(window), window_(window)
{
    CodeEditor* editor = window->CodeEditor1();
    connect(editor, &CodeEditor::CharTyped, this, &EditorEvents::OnCharTyped);
    connect(editor, &CodeEditor::TextModified, this, &EditorEvents::OnTextChanged);
    connect(editor, &CodeEditor::MouseReleased, this, &EditorEvents::OnEditorMouseUp);
    connect(editor, &CodeEditor::KeyPressed, this, &EditorEvents::OnEditorKeyDown);
    connect(editor, &CodeEditor::ListChosen, this, &EditorEvents::OnListChoice);
    // Every change of the text marks the document; the commands that load,
    // store or empty it mark the text saved and clear the flag right after.
    connect(editor, &CodeEditor::SavePointLeft, this, [window] { window->CurrentDocument().DocumentModified = true; });
    connect(editor, &CodeEditor::TextModified, this, &EditorEvents::ShowCaret);
    connect(editor, &CodeEditor::CaretMoved, this, [this](bool selectionChanged) {
        if (!selectionChanged) return;
        ShowCaret();
        FollowSelection();
    });
}

void EditorEvents::OnCharTyped(const QString& character)
{
    CodeEditor* editor = window_->CodeEditor1();
    Toolbar* toolbar = window_->Toolbar1();
    Objects().codeAssist->InsertBlockSkeleton(window_, editor, character);
    Objects().codeAssist->InsertProcedureSkeleton(window_, editor, character);
    ShowCaret();
    window_->CurrentDocument().DocumentModified = true;
    editor->Refresh();
    toolbar->EnableButton(ToolbarButton::Undo);
    window_->Menu().Item(Command::Undo)->setEnabled(true);
    if (editor->TextLength() > 0) toolbar->EnableButton(ToolbarButton::Clear);
    completion_.ShowHintBlock(character, editor);
}

void EditorEvents::OnTextChanged()
{
    if (window_->CodeEditor1()->TextLength() > 0) window_->Toolbar1()->EnableButton(ToolbarButton::Clear);
}

void EditorEvents::OnEditorMouseUp(int, int, int) { FollowSelection(); }

void EditorEvents::OnEditorKeyDown(int keyCode, int)
{
    if (keyCode == kBackspace) completion_.RemoveLastTypedCharacter();
}

void EditorEvents::OnListChoice(int listType, const QString& entry)
{
    if (listType != kCompletionList) return;
    QString remainder = Objects().hintBlock->CompletionRemainder(entry, completion_.TypedPrefixLength());
    window_->CodeEditor1()->InsertMovingCaret(remainder);
}

void EditorEvents::ShowCaret()
{
    CodeEditor* editor = window_->CodeEditor1();
    int caret = editor->CaretPosition();
    Objects().cursorStatus->ShowCursorStatus(window_, window_->StatusBar1(), editor->LineCount(),
                                             editor->LineFromPosition(caret), editor->ColumnFromPosition(caret));
}

void EditorEvents::FollowSelection()
{
    bool empty = Objects().hintBlock->UpdateCutCopy(window_->CodeEditor1(), window_->Toolbar1());
    window_->Menu().Item(Command::Cut)->setEnabled(!empty);
    window_->Menu().Item(Command::Copy)->setEnabled(!empty);
}
