#pragma once
// The Err object: the last error caught under On Error Resume Next, and
// Err.Raise for raising one.
#include "vbscript/Errors.h"
#include "vbscript/NativeObject.h"

namespace vbs {

class ErrObject : public NativeObject {
public:
    std::u16string typeName() const override { return u"Object"; }
    void invoke(int id, Invoke kind, Args args, Value& result) override;

    void record(const ScriptError& e);
    void clear();
    int number = 0;
    std::u16string description;
    std::u16string source;

    static const std::u16string& defaultSource();

protected:
    std::span<const char16_t* const> memberNames() const override;
};

// The text the host shows for an error that ends the script.
std::u16string formatError(const ScriptError& e);
// The same texts without the position, for hosts that place it themselves.
std::u16string errorMessage(const ScriptError& e);
std::u16string compileErrorMessage(const CompileError& e);
std::u16string positionPrefix(int line, int column);
std::u16string formatCompileError(const CompileError& e);

}  // namespace vbs
