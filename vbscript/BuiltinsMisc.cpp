// Eval and Execute, GetRef, the dialogs through the host, RGB, object
// creation and the script engine's identity.
#include "vbscript/Builtins.h"
#include "vbscript/Coerce.h"
#include "vbscript/Errors.h"
#include "vbscript/ObjectLibrary.h"
#include "vbscript/Vm.h"

namespace vbs {
namespace {

Value fnEval(Vm& vm, Args a) { return vm.evalCode(toStr(a[0])); }
Value fnExecute(Vm& vm, Args a) { vm.executeCode(toStr(a[0]), false); return Value(); }
Value fnExecuteGlobal(Vm& vm, Args a) { vm.executeCode(toStr(a[0]), true); return Value(); }
Value fnGetRef(Vm& vm, Args a) { return vm.makeProcRef(toStr(a[0])); }

Value fnMsgBox(Vm& vm, Args a)
{
    std::u16string prompt = a[0].isNull() ? u"Null" : toStr(a[0]);
    int buttons = argInt(a, 1, 0);
    std::u16string title = missing(a, 2) ? u"VBScript" : toStr(a[2]);
    return Value::integer(static_cast<std::int16_t>(vm.host().msgBox(prompt, buttons, title)));
}

Value fnInputBox(Vm& vm, Args a)
{
    std::u16string prompt = toStr(a[0]);
    std::u16string title = missing(a, 1) ? u"VBScript" : toStr(a[1]);
    std::u16string def = missing(a, 2) ? u"" : toStr(a[2]);
    auto answer = vm.host().inputBox(prompt, title, def);
    if (!answer) return Value();  // cancelled: Empty
    return Value::str(std::move(*answer));
}

Value fnLoadPicture(Vm&, Args) { raise(err::InvalidPicture); }

Value fnRGB(Vm&, Args a)
{
    auto channel = [&](int i) {
        std::int32_t v = toLong(a[i]);
        if (v < 0) raise(err::InvalidCall);
        return v > 255 ? 255 : v;
    };
    return Value::lng(channel(0) | (channel(1) << 8) | (channel(2) << 16));
}

Value fnCreateObject(Vm& vm, Args a) { return createObject(vm, toStr(a[0])); }
// There is no running-object table to attach to.
Value fnGetObject(Vm&, Args) { raise(err::CantCreateObject); }

// The locales SetLocale knows by name; any LCID in range is taken as it is.
std::int32_t localeId(const Value& v)
{
    static const std::pair<const char16_t*, std::int32_t> kNames[] = {
        {u"zh-cn", 2052}, {u"zh-tw", 1028}, {u"zh-hk", 3076}, {u"zh-sg", 4100}, {u"en-us", 1033},
        {u"en-gb", 2057}, {u"ja-jp", 1041}, {u"ko-kr", 1042}, {u"de-de", 1031}, {u"fr-fr", 1036},
        {u"es-es", 3082}, {u"it-it", 1040}, {u"ru-ru", 1049}, {u"pt-br", 1046},
    };
    if (v.isString()) {
        std::u16string name = toLower(v.strView());
        if (name.empty()) return 2052;
        for (const auto& [n, id] : kNames)
            if (name == n) return id;
        raise(err::InvalidCall);
    }
    std::int32_t id = toLong(v);
    if (id == 0) return 2052;  // the system default
    if (id < 0 || id > 0xFFFF) raise(err::InvalidCall);
    return id;
}

Value fnGetLocale(Vm& vm, Args) { return Value::lng(vm.locale); }
Value fnSetLocale(Vm& vm, Args a)
{
    std::int32_t old = vm.locale;
    vm.locale = missing(a, 0) ? 2052 : localeId(a[0]);
    return Value::lng(old);
}

Value fnScriptEngine(Vm&, Args) { return Value::str(u"VBScript"); }
Value fnMajor(Vm&, Args) { return Value::lng(5); }
Value fnMinor(Vm&, Args) { return Value::lng(8); }
Value fnBuild(Vm&, Args) { return Value::lng(16384); }

const Builtin kTable[] = {
    {u"eval", fnEval, 1, 1}, {u"execute", fnExecute, 1, 1}, {u"executeglobal", fnExecuteGlobal, 1, 1},
    {u"getref", fnGetRef, 1, 1}, {u"msgbox", fnMsgBox, 1, 5}, {u"inputbox", fnInputBox, 1, 7},
    {u"loadpicture", fnLoadPicture, 1, 1}, {u"rgb", fnRGB, 3, 3},
    {u"createobject", fnCreateObject, 1, 2}, {u"getobject", fnGetObject, 0, 2},
    {u"getlocale", fnGetLocale, 0, 0}, {u"setlocale", fnSetLocale, 0, 1},
    {u"scriptengine", fnScriptEngine, 0, 0}, {u"scriptenginemajorversion", fnMajor, 0, 0},
    {u"scriptengineminorversion", fnMinor, 0, 0}, {u"scriptenginebuildversion", fnBuild, 0, 0},
};

}  // namespace

std::span<const Builtin> miscBuiltins() { return kTable; }

}  // namespace vbs
