#pragma once
// The WScript object of the script host: Echo, Arguments, Quit, the script's
// names, Sleep and the three standard streams.
#include "vbscript/NativeObject.h"

namespace vbs {

class Vm;

Value makeWScript(Vm& vm);
// WScript.Echo's text for one argument: numbers and dates as the language
// converts them, but Booleans as -1 and 0.
std::u16string echoText(const Value& v);

}  // namespace vbs
