// Placeholder until the class is written.
#include "vbscript/Errors.h"
#include "vbscript/objects/Factories.h"

namespace vbs {

Value makeShell(Vm&) { raise(err::CantCreateObject); }

}  // namespace vbs
