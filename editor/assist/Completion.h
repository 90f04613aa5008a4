#pragma once
// The typing step of the completion list: the word being typed, whether the
// caret is in a string or a comment, and the list the editor shows.
#include <QString>

#include <optional>

class CodeEditor;

// Where the caret stands, as the document's own styling of its line says:
// never from counting typed characters, which goes wrong once the caret
// moves, a character is deleted or a file is opened.
struct CaretContext {
    bool inString = false;
    bool inComment = false;
};
CaretContext CaretContextOf(const CodeEditor& editor);

// The typing step of the completion list, attached to one editor: the word
// being typed and whether it began after a dot.
class Completion {
public:
    // ShowHintBlock without the control: updates the state for the typed
    // character c, typed at a caret that now stands where says, and returns
    // the entries to show (each followed by one space, possibly none), or
    // nothing when no list is to be shown.
    std::optional<QString> NextHintList(const QString& c, CaretContext where = {});
    // Called for every typed character: shows list type 2 of the editor with
    // the words that begin with the word being typed.
    void ShowHintBlock(const QString& c, CodeEditor* editor);
    // Backspace: the word loses its last character (a Chinese character as a
    // whole, not half of it).
    void RemoveLastTypedCharacter();

    // The word being typed, in the case the user typed it.
    const QString& TypedWord() const { return typedWord_; }
    // As if word had just been typed.
    void SetTypedWord(const QString& word) { typedWord_ = word; }
    // GBK byte length of the word when the list was last shown.
    int TypedPrefixLength() const { return typedPrefixLength_; }
    // The word began after a dot: members of the file system object are offered.
    bool AfterDot() const { return afterDot_; }

private:
    QString typedWord_;
    int typedPrefixLength_ = 0;
    bool afterDot_ = false;
};

// Length of a text in GBK bytes: 1 for ASCII, 2 for a Chinese character. A
// character GBK cannot hold counts as 2.
int GbkByteLength(const QString& text);

// The words of wordList (words each followed by one space) whose beginning
// equals typedWord, ignoring case, each followed by one space, in list
// order, duplicates kept.
QString MatchingWords(const QString& typedWord, const QString& wordList);
