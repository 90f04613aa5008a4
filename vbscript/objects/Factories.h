#pragma once
// One factory per standard class; each lives with its class.
#include "vbscript/Value.h"

namespace vbs {

class Vm;

Value makeDictionary(Vm& vm);
Value makeFileSystemObject(Vm& vm);
Value makeRegExp(Vm& vm);
Value makeShell(Vm& vm);

}  // namespace vbs
