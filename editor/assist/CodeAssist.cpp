#include "assist/CodeAssist.h"

#include "assist/KeywordLists.h"
#include "documents/CodeEditor.h"


#include <array>
#include <optional>
#include <span>

namespace {

struct Trigger {
    const char16_t* word;
    const char16_t* completion;  // nullptr: none; put after the word
    bool completionOpensLine;    // the caret goes on to a new line below
    const char16_t* closing;     // nullptr: none; indentation goes before it
    bool closingOnNewLine;       // the closing starts a line of its own
};

// A line must hold exactly one of the words; typing "for each " fires "for"
// at its first space and "for each" at its second.
constexpr std::array<Trigger, 7> kBlockTriggers{{
    {u"for each", u" in ", true, nullptr, false},
    {u"do", nullptr, false, u"loop ", true},
    {u"for", nullptr, false, u"next ", true},
    {u"if", u" then ", true, u"else \n\tend if ", true},
    {u"select case", nullptr, false, u"end select ", true},
    {u"while", nullptr, false, u"wend ", true},
    {u"with", nullptr, false, u"end with ", true},
}};

// After a completion the caret already starts a new line, so the closing
// needs no line break of its own.
constexpr std::array<Trigger, 6> kProcedureTriggers{{
    {u"class", nullptr, false, u"end class  ", true},
    {u"function", u" 函数名 ", true, u"end function ", false},
    {u"sub", u" 函数名 ", true, u"end sub ", false},
    {u"property get", u" 函数名 ", true, u"end property ", false},
    {u"property let", u" 函数名 ", true, u"end property ", false},
    {u"property set", u" 函数名 ", true, u"end property ", false},
}};

// Only the plain space counts as a blank: tabs and full-width spaces are
// text like any other.
constexpr QChar kBlank = u' ';

// Scripts are matched case-blind on their ASCII letters only.
QString LowerAscii(const QString& text)
{
    QString lower = text;
    for (QChar& c : lower)
        if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() + (u'a' - u'A'));
    return lower;
}

qsizetype LeadingBlanks(const QString& text)
{
    qsizetype n = 0;
    while (n < text.size() && text[n] == kBlank) ++n;
    return n;
}

QString WithoutLineEnd(QString text)
{
    while (text.endsWith(u'\n') || text.endsWith(u'\r')) text.chop(1);
    return text;
}

// The caret's line split at the caret.
struct CaretLine {
    int line = 0;
    QString before, after;  // after: without the line end
};

CaretLine LineAtCaret(const CodeEditor& editor)
{
    const int caret = editor.CaretPosition();
    CaretLine c;
    c.line = editor.LineFromPosition(caret);
    const QByteArray bytes = editor.LineText(c.line).toUtf8();
    const qsizetype column = caret - editor.PositionFromLine(c.line);
    c.before = QString::fromUtf8(bytes.left(column));
    c.after = WithoutLineEnd(QString::fromUtf8(bytes.mid(column)));
    return c;
}

// Where a trigger word was ended: by a space typed after it, or by Enter.
struct Ending {
    bool byEnter = false;
    int wordLine = 0;  // the line that holds the word
    QString words;     // that line's words, lower case, indentation included
};

std::optional<Ending> EndedWord(const CodeEditor& editor, const QString& typed)
{
    const CaretLine here = LineAtCaret(editor);
    if (!here.after.isEmpty()) return std::nullopt;  // the word must end its line
    if (typed == QString(kBlank)) {
        if (!here.before.endsWith(kBlank)) return std::nullopt;
        return Ending{false, here.line, LowerAscii(here.before.chopped(1))};
    }
    const QString lineEnd = editor.LineEndText();
    if (typed != lineEnd.right(1) || here.line == 0 || !here.before.isEmpty()) return std::nullopt;
    // Blanks after the word mean its space was typed, and fired, already.
    const QString previous = WithoutLineEnd(editor.LineText(here.line - 1));
    return Ending{true, here.line - 1, LowerAscii(previous)};
}

// The closing text: a line break of the document's kind, then every line
// of the closing indented like the trigger ("\n\t" in the table starts one).
QString Closing(const Trigger& t, const QString& indent, const QString& lineEnd)
{
    QString closing = QString::fromUtf16(t.closing);
    closing.replace(QStringLiteral("\n\t"), lineEnd + indent);
    closing.prepend(indent);
    if (t.closingOnNewLine) closing.prepend(lineEnd);
    return closing;
}

void InsertSkeleton(CodeEditor* editor, const QString& typed, std::span<const Trigger> triggers)
{
    if (!editor) return;
    const std::optional<Ending> ending = EndedWord(*editor, typed);
    if (!ending) return;
    const QString indent(LeadingBlanks(ending->words), kBlank);
    const QString lineEnd = editor->LineEndText();
    for (const Trigger& t : triggers) {
        if (ending->words != indent + QString::fromUtf16(t.word)) continue;
        if (t.completion) {
            const QString completion = QString::fromUtf16(t.completion);
            if (ending->byEnter) {
                // The line break is there already: the words go at the word's end.
                const QByteArray words = ending->words.toUtf8();
                editor->InsertAt(editor->PositionFromLine(ending->wordLine) + int(words.size()), completion);
            } else {
                editor->InsertMovingCaret(completion.mid(1) + (t.completionOpensLine ? lineEnd : QString()));
            }
        }
        if (t.closing) editor->InsertKeepingCaret(Closing(t, indent, lineEnd));
        return;
    }
}

}  // namespace

CodeAssist::CodeAssist() { BuildKeywordLists(); }

void CodeAssist::InstallKeywordSets(QWidget*, CodeEditor* editor)
{
    if (!editor) return;
    // The control compares lower-cased words; the lists themselves keep
    // their case for the completion list.
    editor->SetKeywordSet(0, KeywordList.toLower());
    editor->SetKeywordSet(1, FileObjectMemberList.toLower());
}

void CodeAssist::InsertBlockSkeleton(QWidget*, CodeEditor* editor, const QString& typed)
{
    InsertSkeleton(editor, typed, kBlockTriggers);
}

void CodeAssist::InsertProcedureSkeleton(QWidget*, CodeEditor* editor, const QString& typed)
{
    InsertSkeleton(editor, typed, kProcedureTriggers);
}

void SetUpColouring(CodeAssist& assist, QWidget* window, CodeEditor* editor)
{
    if (!editor) return;
    editor->SetLexer(8);
    editor->SetStyleBits(5);
    // Colours are 0x00BBGGRR.
    editor->SetStyleForeground(3, 0x000080);  // keywords: dark red
    editor->SetStyleForeground(4, 0x808000);  // strings: teal
    editor->SetStyleForeground(1, 0x008000);  // comments: green
    editor->SetStyleForeground(2, 0xFF00FF);  // numbers: magenta
    editor->SetStyleForeground(8, 0xFF0000);  // date literals: blue
    editor->SetStyleForeground(6, 0xFF0000);  // operators: blue
    editor->Colourise(0, 0);
    assist.InstallKeywordSets(window, editor);
    editor->SetMargin(1, 1, 50);  // line numbers
}
