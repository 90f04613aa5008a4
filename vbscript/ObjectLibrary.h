#pragma once
// The classes scripts create by name: CreateObject's ProgIDs and the
// built-in classes that New accepts. Adding a class is one row in
// objects/Classes.cpp; the VM does not change.
#include <optional>
#include <span>
#include <string_view>

#include "vbscript/Value.h"

namespace vbs {

class Vm;

using ObjectFactory = Value (*)(Vm& vm);

struct ObjectClass {
    const char16_t* progId;   // lower case, for CreateObject
    const char16_t* newName;  // lower case name for New, or nullptr
    ObjectFactory make;
    bool system;  // reaches files or processes
};

std::span<const ObjectClass> objectClasses();

// Raises 429 naming the ProgID when no class has it (case is ignored).
Value createObject(Vm& vm, std::u16string_view progId);
// A built-in class for New, when one has this name (already lower case).
std::optional<Value> newBuiltinObject(Vm& vm, std::u16string_view lowerName);

}  // namespace vbs
