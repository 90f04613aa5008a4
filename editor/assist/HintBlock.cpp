#include "assist/HintBlock.h"

#include "assist/Completion.h"
#include "core/Toolbar.h"
#include "documents/CodeEditor.h"

namespace {
constexpr int kCutButton = 5;
constexpr int kCopyButton = 6;
}  // namespace

bool HintBlock::UpdateCutCopy(CodeEditor* editor, Toolbar* toolbar)
{
    int start = 0, end = 0;
    if (editor) editor->Selection(start, end);
    const bool nothingSelected = start == end;
    if (!toolbar) return nothingSelected;
    if (nothingSelected) {
        toolbar->DisableButton(kCutButton);
        toolbar->DisableButton(kCopyButton);
    } else {
        toolbar->EnableButton(kCutButton);
        toolbar->EnableButton(kCopyButton);
    }
    return nothingSelected;
}

QString HintBlock::CompletionRemainder(const QString& entry, int typedPrefixLength) const
{
    // Walk whole characters: a prefix that ends inside a Chinese character
    // takes that character with it rather than leaving half of it.
    int skipped = 0;
    qsizetype i = 0;
    while (i < entry.size() && skipped < typedPrefixLength) {
        qsizetype width = (entry[i].isHighSurrogate() && i + 1 < entry.size()) ? 2 : 1;
        skipped += GbkByteLength(entry.mid(i, width));
        i += width;
    }
    return entry.mid(i);
}
