#include "assist/CodeAssist.h"

#include "assist/KeywordLists.h"
#include "documents/CodeEditor.h"


#include <array>
#include <span>

namespace {

// Which text of the line a trigger is compared with.
enum class Match {
    Trimmed,     // the line without leading and trailing blanks
    NoBlanks,    // the line with every blank removed
};

struct Trigger {
    const char16_t* word;
    Match against;
    const char16_t* completion;  // nullptr: none; inserted moving the caret
    const char16_t* closing;     // nullptr: none; indentation goes before it
    bool closingOnNewLine;       // closing starts with CR LF + indentation
};

// Table order decides: the first trigger that matches is the only one tried.
constexpr std::array<Trigger, 7> kBlockTriggers{{
    {u"for each", Match::Trimmed, u" in \r\n", nullptr, false},
    {u"do", Match::NoBlanks, nullptr, u"loop ", true},
    {u"for", Match::NoBlanks, nullptr, u"next ", true},
    {u"if", Match::NoBlanks, u" then \r\n", u"else ", true},
    {u"select case", Match::Trimmed, nullptr, u"end select ", true},
    {u"while", Match::NoBlanks, nullptr, u"wend ", true},
    {u"with", Match::NoBlanks, nullptr, u"end with ", true},
}};

// After a completion the caret already starts a new line, so the closing
// needs no line break of its own.
constexpr std::array<Trigger, 6> kProcedureTriggers{{
    {u"class", Match::Trimmed, nullptr, u"end class  ", true},
    {u"function", Match::Trimmed, u" 函数名 \r\n", u"end function ", false},
    {u"sub", Match::Trimmed, u" 函数名 \r\n", u"end sub ", false},
    {u"property get", Match::Trimmed, u" 函数名 \r\n", u"end property ", false},
    {u"property let", Match::Trimmed, u" 函数名 \r\n", u"end property ", false},
    {u"property set", Match::Trimmed, u" 函数名 \r\n", u"end property ", false},
}};

// Only the plain space counts as a blank: tabs and full-width spaces are
// text like any other.
constexpr QChar kBlank = u' ';

// Scripts are matched case-blind on their ASCII letters only, so that the
// line keeps its length whatever else it holds.
QString LowerAscii(const QString& text)
{
    QString lower = text;
    for (QChar& c : lower)
        if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() + (u'a' - u'A'));
    return lower;
}

QString TrimBlanks(const QString& text)
{
    qsizetype start = 0, end = text.size();
    while (start < end && text[start] == kBlank) ++start;
    while (end > start && text[end - 1] == kBlank) --end;
    return text.mid(start, end - start);
}

QString RemoveBlanks(QString text) { return text.remove(kBlank); }

qsizetype CharacterCount(const QString& text)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (!(text[i].isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate())) ++count;
    return count;
}

qsizetype LeadingBlanks(const QString& text)
{
    qsizetype n = 0;
    while (n < text.size() && text[n] == kBlank) ++n;
    return n;
}

void InsertSkeleton(CodeEditor* editor, std::span<const Trigger> triggers)
{
    if (!editor) return;
    const int line = editor->LineFromPosition(editor->CaretPosition());
    const QString text = LowerAscii(editor->LineText(line));
    const QString trimmed = TrimBlanks(text);
    const QString noBlanks = RemoveBlanks(text);
    const qsizetype length = CharacterCount(trimmed);

    for (const Trigger& t : triggers) {
        const QString word = QString::fromUtf16(t.word);
        const QString& subject = t.against == Match::Trimmed ? trimmed : noBlanks;
        if (!subject.startsWith(word)) continue;

        // Alone on the last line, or alone before the line's CR LF.
        const qsizetype n = word.size();
        if (length != n && length != n + 2) return;

        if (t.completion) editor->InsertMovingCaret(QString::fromUtf16(t.completion));
        if (t.closing) {
            const QString indent(LeadingBlanks(text), kBlank);
            QString closing = indent + QString::fromUtf16(t.closing);
            if (t.closingOnNewLine) closing.prepend(QStringLiteral("\r\n"));
            editor->InsertKeepingCaret(closing);
        }
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

void CodeAssist::InsertBlockSkeleton(QWidget*, CodeEditor* editor) { InsertSkeleton(editor, kBlockTriggers); }

void CodeAssist::InsertProcedureSkeleton(QWidget*, CodeEditor* editor)
{
    InsertSkeleton(editor, kProcedureTriggers);
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
