#pragma once
// The completion list while typing, and the cut and copy button states.
#include <QString>

class CodeEditor;
class Toolbar;

class HintBlock {
public:
    // After a mouse release over the editor: 剪切 and 复制 (buttons 5 and 6)
    // are enabled when something is selected. True when nothing is.
    bool UpdateCutCopy(CodeEditor* editor, Toolbar* toolbar);

    // What choosing entry from the completion list inserts: the entry
    // without its first typedPrefixLength GBK bytes, which the user typed.
    QString CompletionRemainder(const QString& entry, int typedPrefixLength) const;
};
