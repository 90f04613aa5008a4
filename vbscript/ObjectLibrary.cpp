#include "vbscript/ObjectLibrary.h"

#include "vbscript/Coerce.h"
#include "vbscript/Errors.h"
#include "vbscript/Vm.h"

namespace vbs {

Value createObject(Vm& vm, std::u16string_view progId)
{
    std::u16string lower = toLower(progId);
    for (const ObjectClass& c : objectClasses())
        if (lower == c.progId && (!c.system || vm.info().systemObjects)) return c.make(vm);
    ScriptError e{err::CantCreateObject, {}, {}};
    e.detail = u"：'" + std::u16string(progId) + u"'";
    throw e;
}

std::optional<Value> newBuiltinObject(Vm& vm, std::u16string_view lowerName)
{
    for (const ObjectClass& c : objectClasses())
        if (c.newName && lowerName == c.newName) return c.make(vm);
    return std::nullopt;
}

}  // namespace vbs
