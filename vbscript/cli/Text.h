#pragma once
// Small text helpers vbsrun's modules share. Command lines, paths and
// vbsrun's own messages are UTF-8; script text is UTF-16.
#include <string>
#include <string_view>

namespace vbsrun {

// Bytes that are not UTF-8 come through one character per byte.
std::u16string fromUtf8(std::string_view s);
// A lone surrogate becomes "?".
std::string toUtf8(std::u16string_view s);
// ASCII letters only: option, element and language names are ASCII.
std::string lowerAscii(std::string s);
std::u16string lowerAscii(std::u16string_view s);

}  // namespace vbsrun
