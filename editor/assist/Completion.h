#pragma once
// The typing step of the completion list: the word being typed, whether the
// caret is in a string or a comment, and the list the editor shows.
#include <QString>

#include <optional>

class CodeEditor;

// The word being typed, in the case the user typed it.
extern QString TypedWord;
// GBK byte length of TypedWord when the list was last shown.
extern int TypedPrefixLength;
// The word began after a dot: members of the file system object are offered.
extern bool AfterDot;
// Double quotes typed since start-up; odd means inside a string literal.
extern int QuoteCount;
// An apostrophe was typed and no carriage return since.
extern bool InComment;

// Counts the typed character c into QuoteCount and InComment and tells
// whether the caret is now inside a string literal or a comment.
void ScanQuotesAndComments(const QString& c, bool& inString, bool& inComment);

// ShowHintBlock without the control: updates the state for the typed
// character c and returns the entries to show (each followed by one space,
// possibly none), or nothing when no list is to be shown.
std::optional<QString> NextHintList(const QString& c);

// Called for every typed character: shows list type 2 of the editor with the
// words that begin with the word being typed.
void ShowHintBlock(const QString& c, CodeEditor* editor);

// Backspace: TypedWord loses its last character (a Chinese character as a
// whole, not half of it).
void RemoveLastTypedCharacter();

// The start values of all five.
void ResetCompletionState();

// Length of a text in GBK bytes: 1 for ASCII, 2 for a Chinese character. A
// character GBK cannot hold counts as 2.
int GbkByteLength(const QString& text);

// The words of wordList (words each followed by one space) whose beginning
// equals typedWord, ignoring case, each followed by one space, in list
// order, duplicates kept.
QString MatchingWords(const QString& typedWord, const QString& wordList);
