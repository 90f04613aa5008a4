#pragma once
// A VBScript pattern compiled with PCRE2 (16-bit code units, so offsets are
// the script's character positions). The pattern is first rewritten into
// PCRE2 syntax; what VBScript does not have is refused with error 5017.
#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <string>
#include <string_view>

namespace vbs {

struct RegExpFlags {
    bool ignoreCase = false;
    bool multiline = false;
    bool operator==(const RegExpFlags&) const = default;
};

class CompiledPattern {
public:
    // Raises 5017-5021 (with PCRE2's or our explanation as the detail).
    CompiledPattern(std::u16string_view pattern, RegExpFlags flags);
    ~CompiledPattern();
    CompiledPattern(const CompiledPattern&) = delete;
    CompiledPattern& operator=(const CompiledPattern&) = delete;

    // Searches from start; false when nothing matches. Raises 28 when the
    // search gives up (too much backtracking).
    bool match(std::u16string_view subject, std::size_t start);
    // Offsets of group i (0 = whole match) after a successful match();
    // PCRE2_UNSET when the group took no part.
    std::size_t begin(int i) const { return i < pairs_ ? ovector_[2 * i] : PCRE2_UNSET; }
    std::size_t end(int i) const { return i < pairs_ ? ovector_[2 * i + 1] : PCRE2_UNSET; }
    int groups() const { return groups_; }

private:
    void release();

    pcre2_code* code_ = nullptr;
    pcre2_match_data* data_ = nullptr;
    pcre2_match_context* context_ = nullptr;
    pcre2_jit_stack* jitStack_ = nullptr;
    PCRE2_SIZE* ovector_ = nullptr;
    int pairs_ = 0;
    int groups_ = 0;
};

// The pattern in PCRE2 syntax; raises 5017/5018 for what VBScript lacks.
std::u16string translatePattern(std::u16string_view pattern, bool multiline);

}  // namespace vbs
