#pragma once
// The code editor control. Everything else in the program talks to the
// editing component through this class: it offers just the requests the
// program makes and raises the editor's events as signals.
#include "documents/LineEnd.h"

#include <QString>
#include <QWidget>

#include <memory>

class ScintillaControl;

class CodeEditor : public QWidget {
    Q_OBJECT
public:
    explicit CodeEditor(QWidget* parent = nullptr);
    ~CodeEditor() override;

    // Positions and lengths count the control's storage units (UTF-8 bytes);
    // a length is 0 exactly when the text is empty.
    int TextLength() const;
    QString Text() const;
    // Replacing the whole text starts a new undo history: undo never brings
    // back another file's text.
    void SetText(const QString& text);
    void ClearAll();
    void SetLineEnd(LineEnd lineEnd);
    LineEnd LineEnds() const;
    QString LineEndText() const;  // "\r\n", "\n" or "\r"
    // The lexer's style of the character at a position (1 comment, 4 string,
    // 9 string not closed on its line, ...).
    int StyleAt(int position) const;
    int PositionFromLine(int line) const;  // where the line starts
    int PositionBefore(int position) const;  // of the character before it
    // Inserts at a position; the caret moves along when it stands after it.
    void InsertAt(int position, const QString& text);
    int CaretPosition() const;
    int LineFromPosition(int position) const;  // from 0
    int ColumnFromPosition(int position) const;  // from 0, in characters
    int LineCount() const;  // an empty text has one line
    QString LineText(int line) const;  // with its CR LF; the last line has none
    void InsertMovingCaret(const QString& text);
    void InsertKeepingCaret(const QString& text);
    void Selection(int& start, int& end) const;
    void SelectAll();
    void Cut();
    void Copy();
    void Paste();
    bool CanPaste() const;
    bool CanUndo() const;
    bool CanRedo() const;
    void Undo();
    void Redo();
    // The one request without arguments; it only asks for a repaint.
    void Refresh();
    void SetKeywordSet(int set, const QString& words);
    void SetStyleForeground(int style, unsigned colourBgr);  // 0x00BBGGRR
    void SetLexer(int lexer);                  // which lexer colours the text (8: VB)
    void SetStyleBits(int bits);               // bits of each character's style
    void Colourise(int start, int end) const;  // lexes that range at once
    void SetMargin(int margin, int type, int widthPixels);
    // Entries separated by single spaces; Tab or a double click chooses one,
    // Enter closes the list and starts a new line. Empty pieces are left out, and
    // with no entry at all an open list is closed instead.
    void ShowList(int listType, const QString& entries);
    // The text as it is now counts as stored.
    void MarkSaved();
    // Moves the caret to a line and column, both from 0, and shows it.
    void GoToLineColumn(int line, int column);

signals:
    // A character was typed. One signal per SCN_CHARADDED: Enter in a CR LF document gives
    // two, "\r" and then "\n". Text the program inserts never raises it.
    void CharTyped(const QString& character);
    // The text changed, whoever changed it. Sent once the change is
    // done, from the event loop (several changes in one step send one).
    void TextModified();
    // The text left the state last marked with MarkSaved (any change, undo
    // and redo included). Sent at once.
    void SavePointLeft();
    // The left mouse button was released over the editor, after
    // the control has updated its selection. shift: 1 Shift, 2 Ctrl, 4 Alt.
    void MouseReleased(int x, int y, int shift);
    // A key was pressed, before the control handles it. keyCode is
    // the Windows virtual-key code (8 Backspace, 13 Enter, 65 A, ...).
    void KeyPressed(int keyCode, int shift);
    // An entry of a list shown with ShowList was chosen.
    void ListChosen(int listType, const QString& entry);
    // The caret or the selection moved, or the text changed around them
    // (SCN_UPDATEUI). Comes from painting: only a shown editor sends it.
    void CaretMoved(bool selectionChanged);

private:
    long Send(unsigned message, unsigned long wParam = 0, long lParam = 0) const;
    long SendText(unsigned message, unsigned long wParam, const QString& text) const;
    void ConnectNotifications();

    ScintillaControl* control_;  // owned by this widget
    bool modifiedPending_ = false;
};
