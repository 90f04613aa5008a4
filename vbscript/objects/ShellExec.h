#pragma once
// WScript.Shell's Exec object and the text conversions the shell objects
// share: the system speaks UTF-8, older files and programs GBK.
#include <string>
#include <string_view>

#include "vbscript/Value.h"

namespace vbs {

class Vm;

// A WshExec for "/bin/sh -c command" with its three streams piped.
Value makeExec(Vm& vm, std::u16string_view command);

// UTF-8 when the bytes are valid UTF-8, else GBK, else one character per byte.
std::u16string decodeSystemText(std::string_view bytes);
// UTF-8; a lone surrogate becomes '?'.
std::string encodeSystemText(std::u16string_view text);

}  // namespace vbs
