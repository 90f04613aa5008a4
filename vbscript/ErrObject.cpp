#include "vbscript/ErrObject.h"

#include "vbscript/Builtins.h"
#include "vbscript/Coerce.h"

namespace vbs {
namespace {

enum Member { mNumber, mDescription, mSource, mRaise, mClear, mHelpFile, mHelpContext };
const char16_t* const kNames[] = {u"number", u"description", u"source", u"raise", u"clear", u"helpfile", u"helpcontext"};

std::u16string num(int n) { return asciiToU16(std::to_string(n)); }

}  // namespace

const std::u16string& ErrObject::defaultSource()
{
    static const std::u16string source = u"VBScript 运行时错误";
    return source;
}

std::span<const char16_t* const> ErrObject::memberNames() const { return kNames; }

void ErrObject::record(const ScriptError& e)
{
    number = e.number;
    description = e.description.empty() ? errorDescription(e.number) : e.description;
    source = e.source.empty() ? defaultSource() : e.source;
}

void ErrObject::clear()
{
    number = 0;
    description.clear();
    source.clear();
}

void ErrObject::invoke(int id, Invoke kind, Args args, Value& result)
{
    if (id == kDefaultMember) id = mNumber;
    bool assigning = kind == Invoke::Let;
    switch (id) {
    case mNumber:
        if (assigning) { arity(args, 1, 1); number = toLong(args[0]); return; }
        arity(args, 0, 0);
        result = Value::lng(number);
        return;
    case mDescription:
        if (assigning) { arity(args, 1, 1); description = toStr(args[0]); return; }
        arity(args, 0, 0);
        result = Value::str(description);
        return;
    case mSource:
        if (assigning) { arity(args, 1, 1); source = toStr(args[0]); return; }
        arity(args, 0, 0);
        result = Value::str(source);
        return;
    case mHelpFile: result = Value::str(std::u16string_view()); return;
    case mHelpContext: result = Value::lng(0); return;
    case mClear: arity(args, 0, 0); clear(); return;
    case mRaise: {
        arity(args, 1, 5);
        std::int32_t n = toLong(args[0]);
        if (n == 0) raise(err::InvalidCall);
        ScriptError e{n, {}, {}};
        if (!missing(args, 1)) e.source = toStr(args[1]);
        if (!missing(args, 2)) e.description = toStr(args[2]);
        if (e.description.empty()) {
            e.description = errorDescription(n);
            if (e.description.empty()) e.description = u"未知的运行时错误";
        }
        throw e;
    }
    default: raise(err::NoSuchMember);
    }
}

std::u16string errorMessage(const ScriptError& e)
{
    std::u16string desc = e.description.empty() ? errorDescription(e.number) : e.description;
    if (desc.empty()) desc = u"未知的运行时错误";
    desc += e.detail;
    std::u16string text = u"运行时错误 " + num(e.number) + u"：" + desc;
    if (!e.source.empty() && e.source != ErrObject::defaultSource()) text += u"（来源：" + e.source + u"）";
    return text;
}

std::u16string compileErrorMessage(const CompileError& e)
{
    return u"编译错误 " + num(e.number) + u"：" + errorDescription(e.number);
}

std::u16string positionPrefix(int line, int column)
{
    return u"第 " + num(line) + u" 行，第 " + num(column) + u" 列：";
}

std::u16string formatError(const ScriptError& e)
{
    return positionPrefix(e.line, e.column) + errorMessage(e);
}

std::u16string formatCompileError(const CompileError& e)
{
    return positionPrefix(e.line, e.column) + compileErrorMessage(e);
}

}  // namespace vbs
