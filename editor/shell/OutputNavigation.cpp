#include "shell/OutputNavigation.h"

#include "documents/CodeEditor.h"
#include "shell/MainWindow.h"

#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextBlock>

OutputNavigation::OutputNavigation(MainWindow* window) : QObject(window), window_(window)
{
    window->OutputBox()->viewport()->installEventFilter(this);
}

bool OutputNavigation::eventFilter(QObject*, QEvent* event)
{
    if (event->type() != QEvent::MouseButtonDblClick) return false;
    static const QRegularExpression where(QStringLiteral("第 (\\d+) 行，第 (\\d+) 列"));
    QPlainTextEdit* box = window_->OutputBox();
    const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
    const QRegularExpressionMatch m = where.match(box->cursorForPosition(at).block().text());
    if (!m.hasMatch()) return false;
    CodeEditor* editor = window_->CodeEditor1();
    editor->GoToLineColumn(m.captured(1).toInt() - 1, m.captured(2).toInt() - 1);
    editor->setFocus();
    return false;
}
