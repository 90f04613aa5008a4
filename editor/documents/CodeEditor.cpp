#include "documents/CodeEditor.h"

#include "documents/KeyCodes.h"

#include <Qsci/qsciscintillabase.h>

#include <QAccessibleWidget>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <functional>

// The editing component itself. It reports key presses before handling them
// and left-button releases after the selection is updated.
class ScintillaControl : public QsciScintillaBase {
public:
    using QsciScintillaBase::QsciScintillaBase;
    std::function<void(int key, int shift)> onKeyPressed;
    std::function<void(int x, int y, int shift)> onMouseReleased;

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        if (onKeyPressed) onKeyPressed(VirtualKeyCode(e->key()), ShiftState(e->modifiers()));
        // The completion list opens after almost every letter; Enter must
        // still start a new line. Tab or a double click chooses an entry.
        bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
        if (enter && SendScintilla(SCI_AUTOCACTIVE)) SendScintilla(SCI_AUTOCCANCEL);
        QsciScintillaBase::keyPressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        QsciScintillaBase::mouseReleaseEvent(e);
        if (e->button() == Qt::LeftButton && onMouseReleased) {
            QPoint p = e->position().toPoint();
            onMouseReleased(p.x(), p.y(), ShiftState(e->modifiers()));
        }
    }
};

namespace {

QByteArray Utf8(const QString& text) { return text.toUtf8(); }

// The component's own accessibility support counts the characters from the
// start of the text on every change and every repaint, which makes typing at
// the end of a long script slow. Our control gets a plain accessible
// instead; installed after the component's factory, ours is asked first.
QAccessibleInterface* PlainAccessible(const QString&, QObject* object)
{
    if (auto* control = dynamic_cast<ScintillaControl*>(object))
        return new QAccessibleWidget(control, QAccessible::EditableText);
    return nullptr;
}

void InstallPlainAccessible()
{
    static bool installed = false;
    if (installed) return;
    QAccessible::installFactory(PlainAccessible);
    installed = true;
}

}  // namespace

CodeEditor::CodeEditor(QWidget* parent) : QWidget(parent), control_(new ScintillaControl(this))
{
    InstallPlainAccessible();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(control_);
    setFocusProxy(control_);

    Send(QsciScintillaBase::SCI_SETCODEPAGE, QsciScintillaBase::SC_CP_UTF8);
    // Only the notifications before a change: the component counts characters
    // from the start of the text for each one after a change.
    Send(QsciScintillaBase::SCI_SETMODEVENTMASK,
         QsciScintillaBase::SC_MOD_BEFOREINSERT | QsciScintillaBase::SC_MOD_BEFOREDELETE);
    Send(QsciScintillaBase::SCI_SETEOLMODE, QsciScintillaBase::SC_EOL_CRLF);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    control_->SendScintilla(QsciScintillaBase::SCI_STYLESETFONT, QsciScintillaBase::STYLE_DEFAULT,
                            Utf8(mono.family()).constData());
    Send(QsciScintillaBase::SCI_STYLESETSIZE, QsciScintillaBase::STYLE_DEFAULT, 10);
    Send(QsciScintillaBase::SCI_STYLECLEARALL);
    // A horizontal scroll bar only when a line is wider than the view.
    Send(QsciScintillaBase::SCI_SETSCROLLWIDTH, 1);
    Send(QsciScintillaBase::SCI_SETSCROLLWIDTHTRACKING, 1);
    // Completion words are matched without regard to case.
    Send(QsciScintillaBase::SCI_AUTOCSETIGNORECASE, 1);
    ConnectNotifications();
}

CodeEditor::~CodeEditor() = default;

long CodeEditor::Send(unsigned message, unsigned long wParam, long lParam) const
{
    return control_->SendScintilla(message, wParam, lParam);
}

long CodeEditor::SendText(unsigned message, unsigned long wParam, const QString& text) const
{
    QByteArray bytes = Utf8(text);
    return control_->SendScintilla(message, wParam, bytes.constData());
}

void CodeEditor::ConnectNotifications()
{
    // In UTF-8 mode the notification carries a whole code point.
    connect(control_, &QsciScintillaBase::SCN_CHARADDED, this, [this](int ch) {
        char32_t c = char32_t(ch);
        emit CharTyped(QString::fromUcs4(&c, 1));
    });
    connect(control_, &QsciScintillaBase::SCN_MODIFIED, this, [this] {
        if (modifiedPending_) return;
        modifiedPending_ = true;
        QMetaObject::invokeMethod(this, [this] {
            modifiedPending_ = false;
            emit TextModified();
        }, Qt::QueuedConnection);
    });
    connect(control_, &QsciScintillaBase::SCN_SAVEPOINTLEFT, this, &CodeEditor::SavePointLeft);
    connect(control_, qOverload<const char*, int, int, int, int>(&QsciScintillaBase::SCN_USERLISTSELECTION),
            this, [this](const char* text, int id, int, int, int) { emit ListChosen(id, QString::fromUtf8(text)); });
    connect(control_, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int updated) {
        if (updated & (QsciScintillaBase::SC_UPDATE_SELECTION | QsciScintillaBase::SC_UPDATE_CONTENT))
            emit CaretMoved(updated & QsciScintillaBase::SC_UPDATE_SELECTION);
    });
    control_->onKeyPressed = [this](int key, int shift) { emit KeyPressed(key, shift); };
    control_->onMouseReleased = [this](int x, int y, int shift) { emit MouseReleased(x, y, shift); };
}

int CodeEditor::TextLength() const { return int(Send(QsciScintillaBase::SCI_GETLENGTH)); }

QString CodeEditor::Text() const
{
    int length = TextLength();
    QByteArray bytes(length + 1, '\0');
    control_->SendScintilla(QsciScintillaBase::SCI_GETTEXT, (unsigned long)(length + 1), bytes.data());
    bytes.resize(length);
    return QString::fromUtf8(bytes);
}

void CodeEditor::SetText(const QString& text)
{
    // With its length: a NUL inside the text must not end it.
    QByteArray bytes = Utf8(text);
    Send(QsciScintillaBase::SCI_CLEARALL);
    control_->SendScintilla(QsciScintillaBase::SCI_APPENDTEXT, (unsigned long)bytes.size(), bytes.constData());
    Send(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
}

void CodeEditor::SetLineEnd(LineEnd lineEnd)
{
    int mode = lineEnd == LineEnd::Lf   ? QsciScintillaBase::SC_EOL_LF
               : lineEnd == LineEnd::Cr ? QsciScintillaBase::SC_EOL_CR
                                        : QsciScintillaBase::SC_EOL_CRLF;
    Send(QsciScintillaBase::SCI_SETEOLMODE, (unsigned long)mode);
}

LineEnd CodeEditor::LineEnds() const
{
    switch (Send(QsciScintillaBase::SCI_GETEOLMODE)) {
    case QsciScintillaBase::SC_EOL_LF: return LineEnd::Lf;
    case QsciScintillaBase::SC_EOL_CR: return LineEnd::Cr;
    default: return LineEnd::CrLf;
    }
}

QString CodeEditor::LineEndText() const
{
    switch (LineEnds()) {
    case LineEnd::Lf: return QStringLiteral("\n");
    case LineEnd::Cr: return QStringLiteral("\r");
    case LineEnd::CrLf: break;
    }
    return QStringLiteral("\r\n");
}

int CodeEditor::StyleAt(int position) const
{
    // The lexer styles lazily: after a change, the text from the change on
    // waits for the next repaint.
    if (Send(QsciScintillaBase::SCI_GETENDSTYLED) <= position)
        Colourise(PositionFromLine(LineFromPosition(position)), position + 1);
    return int(Send(QsciScintillaBase::SCI_GETSTYLEAT, (unsigned long)position));
}

int CodeEditor::PositionFromLine(int line) const
{
    return int(Send(QsciScintillaBase::SCI_POSITIONFROMLINE, (unsigned long)line));
}

int CodeEditor::PositionBefore(int position) const
{
    return int(Send(QsciScintillaBase::SCI_POSITIONBEFORE, (unsigned long)position));
}

void CodeEditor::InsertAt(int position, const QString& text)
{
    QByteArray bytes = Utf8(text);
    control_->SendScintilla(QsciScintillaBase::SCI_INSERTTEXT, (unsigned long)position, bytes.constData());
}
void CodeEditor::ClearAll() { Send(QsciScintillaBase::SCI_CLEARALL); }
int CodeEditor::CaretPosition() const { return int(Send(QsciScintillaBase::SCI_GETCURRENTPOS)); }

int CodeEditor::LineFromPosition(int position) const
{
    return int(Send(QsciScintillaBase::SCI_LINEFROMPOSITION, (unsigned long)position));
}

int CodeEditor::ColumnFromPosition(int position) const
{
    return int(Send(QsciScintillaBase::SCI_GETCOLUMN, (unsigned long)position));
}

int CodeEditor::LineCount() const { return int(Send(QsciScintillaBase::SCI_GETLINECOUNT)); }

QString CodeEditor::LineText(int line) const
{
    int length = int(Send(QsciScintillaBase::SCI_LINELENGTH, (unsigned long)line));
    QByteArray bytes(length + 1, '\0');
    control_->SendScintilla(QsciScintillaBase::SCI_GETLINE, (unsigned long)line, bytes.data());
    bytes.resize(length);
    return QString::fromUtf8(bytes);
}

void CodeEditor::InsertMovingCaret(const QString& text)
{
    QByteArray bytes = Utf8(text);
    control_->SendScintilla(QsciScintillaBase::SCI_ADDTEXT, (unsigned long)bytes.size(), bytes.constData());
}

void CodeEditor::InsertKeepingCaret(const QString& text)
{
    QByteArray bytes = Utf8(text);
    control_->SendScintilla(QsciScintillaBase::SCI_INSERTTEXT, (unsigned long)-1, bytes.constData());
}

void CodeEditor::Selection(int& start, int& end) const
{
    start = int(Send(QsciScintillaBase::SCI_GETSELECTIONSTART));
    end = int(Send(QsciScintillaBase::SCI_GETSELECTIONEND));
}

void CodeEditor::SelectAll() { Send(QsciScintillaBase::SCI_SELECTALL); }
void CodeEditor::Cut() { Send(QsciScintillaBase::SCI_CUT); }
void CodeEditor::Copy() { Send(QsciScintillaBase::SCI_COPY); }
void CodeEditor::Paste() { Send(QsciScintillaBase::SCI_PASTE); }
bool CodeEditor::CanPaste() const { return Send(QsciScintillaBase::SCI_CANPASTE) != 0; }
bool CodeEditor::CanUndo() const { return Send(QsciScintillaBase::SCI_CANUNDO) != 0; }
bool CodeEditor::CanRedo() const { return Send(QsciScintillaBase::SCI_CANREDO) != 0; }
void CodeEditor::Undo() { Send(QsciScintillaBase::SCI_UNDO); }
void CodeEditor::Redo() { Send(QsciScintillaBase::SCI_REDO); }
void CodeEditor::Refresh() { control_->viewport()->update(); }

void CodeEditor::SetKeywordSet(int set, const QString& words)
{
    SendText(QsciScintillaBase::SCI_SETKEYWORDS, (unsigned long)set, words);
}

void CodeEditor::SetStyleForeground(int style, unsigned colourBgr)
{
    Send(QsciScintillaBase::SCI_STYLESETFORE, (unsigned long)style, long(colourBgr));
}

void CodeEditor::SetLexer(int lexer) { Send(QsciScintillaBase::SCI_SETLEXER, (unsigned long)lexer); }
void CodeEditor::SetStyleBits(int bits) { Send(QsciScintillaBase::SCI_SETSTYLEBITS, (unsigned long)bits); }

void CodeEditor::Colourise(int start, int end) const
{
    Send(QsciScintillaBase::SCI_COLOURISE, (unsigned long)start, long(end));
}

void CodeEditor::SetMargin(int margin, int type, int widthPixels)
{
    Send(QsciScintillaBase::SCI_SETMARGINTYPEN, (unsigned long)margin, type);
    Send(QsciScintillaBase::SCI_SETMARGINWIDTHN, (unsigned long)margin, widthPixels);
}

void CodeEditor::ShowList(int listType, const QString& entries)
{
    // An empty entry would stay open as a blank line and take the next Enter.
    const QString list = entries.split(u' ', Qt::SkipEmptyParts).join(u' ');
    if (list.isEmpty()) {
        Send(QsciScintillaBase::SCI_AUTOCCANCEL);
        return;
    }
    SendText(QsciScintillaBase::SCI_USERLISTSHOW, (unsigned long)listType, list);
}

void CodeEditor::MarkSaved() { Send(QsciScintillaBase::SCI_SETSAVEPOINT); }

void CodeEditor::GoToLineColumn(int line, int column)
{
    long position = Send(QsciScintillaBase::SCI_FINDCOLUMN, (unsigned long)line, column);
    Send(QsciScintillaBase::SCI_GOTOPOS, (unsigned long)position);
}
