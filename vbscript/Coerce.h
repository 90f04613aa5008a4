#pragma once
// Conversions between subtypes, following the language's coercion rules:
// Empty is 0 or "", Null is an error where a value is needed, Booleans are
// -1 and 0, strings convert to numbers when they look like one.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "vbscript/Value.h"

namespace vbs {

// A string as a number: spaces around, sign, digits with thousands
// separators, decimals, exponent, &H and &O forms.
std::optional<double> parseNumber(std::u16string_view text);

double toDouble(const Value& v);
std::int32_t toLong(const Value& v);   // banker's rounding, error 6 outside Long
std::int16_t toInteger(const Value& v);
std::int64_t toCurrency(const Value& v);  // scaled by 10000
double toDate(const Value& v);
bool toBool(const Value& v);
// "True", "False", "#TRUE#" and "#FALSE#" in any case; nullopt otherwise.
std::optional<bool> parseBoolWord(std::u16string_view text);
std::u16string toStr(const Value& v);  // error 94 for Null, 13 for arrays
// A value for arithmetic: strings become Double, Empty becomes Integer 0,
// objects give their default value. Null stays Null.
Value toNumeric(const Value& v);
// Objects replaced by their default value; other values unchanged.
Value resolveDefault(const Value& v);

double roundHalfEven(double x);
// Up to `digits` significant digits, exponent form like 1.5E+20.
std::u16string formatDouble(double x, int digits = 15);
std::u16string formatCurrency(std::int64_t scaled);

std::u16string asciiToU16(std::string_view s);
std::string u16ToAscii(std::u16string_view s);  // non-ASCII becomes '?'
// Case mapping of one UTF-16 unit: ASCII, Latin-1, Latin Extended-A, Greek,
// Cyrillic and the full-width letters. Our own table, so the result does not
// depend on the process's locale (the editor and vbsrun differ there).
char16_t lowerChar(char16_t c);
char16_t upperChar(char16_t c);
std::u16string toLower(std::u16string_view s);
std::u16string toUpper(std::u16string_view s);

int varType(const Value& v);
std::u16string typeName(const Value& v);

}  // namespace vbs
