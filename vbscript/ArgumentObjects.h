#pragma once
// WScript.Arguments and the two views of it, Named and Unnamed.
#include "vbscript/Value.h"

namespace vbs {

class Vm;

// Over the host's argument list, read again on every use (the host may
// change it between runs).
Value makeArguments(Vm& vm);

}  // namespace vbs
