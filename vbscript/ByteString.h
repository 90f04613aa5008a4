#pragma once
// Strings seen as bytes, for the B functions: each UTF-16 unit is two bytes,
// low byte first, and a string may end in half a unit (StrObj::oddByte).
#include <string>
#include <string_view>

#include "vbscript/Value.h"

namespace vbs {

bool isOddByteString(const Value& v);
// The bytes of a value converted to a string.
std::string stringBytes(const Value& v);
// Packs bytes into a string; an odd count leaves half a unit at the end.
Value byteString(std::string_view bytes);
// a & b when either is a byte string of odd length.
Value concatBytes(const Value& a, const Value& b);

}  // namespace vbs
