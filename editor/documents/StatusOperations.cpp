#include "core/StatusBar.h"
#include "core/Toolbar.h"
#include "documents/CursorStatus.h"
#include "documents/ToolbarStates.h"

void ToolbarStates::InitToolbarStates(bool clipboardHasText, int textLength, Toolbar* toolbar)
{
    toolbar->SetButtonEnabled(ToolbarButton::Paste, clipboardHasText);
    toolbar->SetButtonEnabled(ToolbarButton::Clear, textLength != 0);
}

void CursorStatus::ShowCursorStatus(QWidget*, StatusBar* statusBar, int lineCount, int caretLine, int caretColumn)
{
    statusBar->SetPanelText(2, QString::number(lineCount));
    statusBar->SetPanelText(4, QString::number(caretLine + 1));
    statusBar->SetPanelText(6, QStringLiteral("X ") + QString::number(caretLine) + QStringLiteral("  Y ") +
                                   QString::number(caretColumn));
}
