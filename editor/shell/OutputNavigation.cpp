#include "shell/OutputNavigation.h"

#include "documents/CodeEditor.h"
#include "run/ScriptHost.h"
#include "shell/MainWindow.h"

#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace {
// The place of the error a line of the box shows; the document owns it.
struct ErrorPlace : QTextBlockUserData {
    ErrorPlace(int line, int column) : line(line), column(column) {}
    int line, column;  // from 1
};
}  // namespace

void ShowErrorLine(QPlainTextEdit* box, const ScriptError& error)
{
    QTextCursor cursor(box->document());
    cursor.movePosition(QTextCursor::End);
    QTextBlock block = cursor.block();
    cursor.insertText(error.text + QStringLiteral("\r\n"));
    if (error.line > 0) block.setUserData(new ErrorPlace(error.line, error.column));
}

OutputNavigation::OutputNavigation(MainWindow* window) : QObject(window), window_(window)
{
    window->OutputBox()->viewport()->installEventFilter(this);
}

bool OutputNavigation::eventFilter(QObject*, QEvent* event)
{
    if (event->type() != QEvent::MouseButtonDblClick) return false;
    QPlainTextEdit* box = window_->OutputBox();
    const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
    const auto* place = dynamic_cast<const ErrorPlace*>(box->cursorForPosition(at).block().userData());
    if (!place) return false;
    CodeEditor* editor = window_->CodeEditor1();
    editor->GoToLineColumn(place->line - 1, place->column - 1);
    editor->setFocus();
    return false;
}
