#include "assist/Completion.h"

#include "assist/KeywordLists.h"
#include "common/Gbk.h"
#include "core/ErrorReporter.h"
#include "documents/CodeEditor.h"

#include <QStringView>


namespace {

constexpr int kCompletionList = 2;

// The lexer's styles of comments, strings, and strings still open at the
// end of their line.
constexpr int kCommentStyle = 1;
constexpr int kStringStyle = 4;
constexpr int kOpenStringStyle = 9;

// Words arrive as typed; the lists are ASCII, so only ASCII letters need
// folding, and other characters must not match ASCII by folding (K, ſ).
bool SameIgnoringAsciiCase(QStringView a, QStringView b)
{
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode(), y = b[i].unicode();
        if (x >= u'A' && x <= u'Z') x += u'a' - u'A';
        if (y >= u'A' && y <= u'Z') y += u'a' - u'A';
        if (x != y) return false;
    }
    return true;
}

// Code of the first character of a text; the lists and the tests below are
// all about ASCII, where character and byte codes agree.
int FirstCode(const QString& text) { return text.isEmpty() ? -1 : text.front().unicode(); }

}  // namespace

int GbkByteLength(const QString& text)
{
    int bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() < 0x80) {
            ++bytes;
            continue;
        }
        qsizetype width = (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2 : 1;
        GbkEncoding encoded = EncodeGbk(text.mid(i, width));
        bytes += encoded.ok() ? int(encoded.bytes.size()) : 2;
        i += width - 1;
    }
    return bytes;
}

QString MatchingWords(const QString& typedWord, const QString& wordList)
{
    // Both the lists and the typed word are compared as texts: GBK keeps
    // ASCII as it is and never puts an ASCII byte first in a Chinese
    // character, so a byte prefix is a character prefix.
    QString matches;
    const QStringView typed(typedWord);
    for (QStringView word : QStringView(wordList).split(u' ', Qt::SkipEmptyParts)) {
        if (word.size() < typed.size()) continue;
        if (SameIgnoringAsciiCase(word.left(typed.size()), typed)) {
            matches += word;
            matches += u' ';
        }
    }
    return matches;
}

CaretContext CaretContextOf(const CodeEditor& editor)
{
    const int caret = editor.CaretPosition();
    const int line = editor.LineFromPosition(caret);
    if (caret <= editor.PositionFromLine(line)) return {};
    const int before = editor.StyleAt(editor.PositionBefore(caret));
    if (before == kCommentStyle) return {false, true};
    if (before == kOpenStringStyle) return {true, false};
    // After a closed string's last quote the caret is outside it.
    if (before == kStringStyle && caret < editor.TextLength() && editor.StyleAt(caret) == kStringStyle)
        return {true, false};
    return {};
}

std::optional<QString> Completion::NextHintList(const QString& c, CaretContext where)
{
    if (c.isEmpty()) return std::nullopt;  // nothing was typed
    if (where.inString || where.inComment) return std::nullopt;

    typedWord_ += c;
    if (c == u".") {
        afterDot_ = true;
    } else {
        switch (FirstCode(typedWord_)) {
        case ' ':
        case '\r':
        case '\n':  // a document with LF line ends has no CR
            typedWord_.clear();
            afterDot_ = false;
            return std::nullopt;
        default:
            break;
        }
    }

    QString candidates;
    if (afterDot_) {
        if (c == u".") {
            candidates = MatchingWords(QString(), FileObjectMemberList);
            typedWord_.clear();
        } else if (FirstCode(c) >= 'A') {
            candidates = MatchingWords(typedWord_, FileObjectMemberList);
        }
    } else {
        candidates = MatchingWords(typedWord_, KeywordList);
    }

    if (candidates.isEmpty()) typedWord_.clear();
    typedPrefixLength_ = GbkByteLength(typedWord_);
    return candidates;
}

void Completion::ShowHintBlock(const QString& c, CodeEditor* editor)
{
    InstallErrorReporter(QStringLiteral("主窗口_显示提示块"));
    std::optional<QString> entries = NextHintList(c, editor ? CaretContextOf(*editor) : CaretContext{});
    if (entries && editor) editor->ShowList(kCompletionList, *entries);
}

void Completion::RemoveLastTypedCharacter()
{
    if (typedWord_.isEmpty()) return;
    qsizetype cut = 1;
    if (typedWord_.size() >= 2 && typedWord_.back().isLowSurrogate() && typedWord_[typedWord_.size() - 2].isHighSurrogate())
        cut = 2;
    typedWord_.chop(cut);
}
