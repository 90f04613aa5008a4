#pragma once
// The built-in functions and constants, found by name at compile time.
// Each group of functions lives in its own Builtins*.cpp file and registers
// its table here.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "vbscript/Object.h"
#include "vbscript/Value.h"

namespace vbs {

class Vm;

using BuiltinFn = Value (*)(Vm& vm, Args args);

struct Builtin {
    const char16_t* name;  // lower case
    BuiltinFn fn;
    int minArgs;
    int maxArgs;
};

// Index into the combined table, or -1.
int findBuiltin(std::u16string_view lowerName);
const Builtin& builtinAt(int index);
std::optional<Value> builtinConstant(std::u16string_view lowerName);

// The tables of each group.
std::span<const Builtin> stringBuiltins();
std::span<const Builtin> mathBuiltins();
std::span<const Builtin> conversionBuiltins();
std::span<const Builtin> dateBuiltins();
std::span<const Builtin> arrayBuiltins();
std::span<const Builtin> formatBuiltins();
std::span<const Builtin> miscBuiltins();

// A string argument without a copy when it already is a string.
class StrArg {
public:
    explicit StrArg(const Value& v);
    StrArg(const StrArg&) = delete;
    StrArg& operator=(const StrArg&) = delete;
    std::u16string_view view() const { return view_; }

private:
    std::u16string owned_;
    std::u16string_view view_;
};

// Helpers for argument handling shared by the groups.
bool missing(const Args& args, int i);
int argInt(const Args& args, int i, int fallback);

}  // namespace vbs
