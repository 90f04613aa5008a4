#include "vbscript/WScriptObject.h"

#include <chrono>
#include <thread>

#include "vbscript/ArgumentObjects.h"
#include "vbscript/Coerce.h"
#include "vbscript/Errors.h"
#include "vbscript/ObjectLibrary.h"
#include "vbscript/Vm.h"
#include "vbscript/objects/TextStream.h"

namespace vbs {
namespace {

class WScriptObject : public NativeObject {
public:
    explicit WScriptObject(Vm& vm)
        : vm_(vm),
          arguments_(makeArguments(vm)),
          stdIn_(fsys::standardStream(vm, 0)),
          stdOut_(fsys::standardStream(vm, 1)),
          stdErr_(fsys::standardStream(vm, 2))
    {
    }
    std::u16string typeName() const override { return u"Object"; }

    void invoke(int id, Invoke kind, Args args, Value& result) override
    {
        if (kind == Invoke::Let || kind == Invoke::Set) {
            setProperty(id, args);
            return;
        }
        if (id == kDefaultMember) id = 10;
        switch (id) {
        case 0: echo(args); return;
        case 1:  // Arguments, or Arguments(i) through its default member
            result = args.count ? vm_.index(arguments_, args) : arguments_;
            return;
        case 2: arity(args, 0, 1); throw StopScript{args.count ? static_cast<int>(toLong(args[0])) : 0, true};
        case 3: arity(args, 0, 0); result = Value::str(vm_.info().scriptName); return;
        case 4: arity(args, 0, 0); result = Value::str(vm_.info().scriptFullName); return;
        case 5: arity(args, 1, 1); sleep(toLong(args[0])); return;
        case 6: arity(args, 0, 0); result = stdIn_; return;
        case 7: arity(args, 0, 0); result = stdOut_; return;
        case 8: arity(args, 0, 0); result = stdErr_; return;
        case 9: arity(args, 0, 0); result = Value::str(u"5.8"); return;   // Version
        case 10: arity(args, 0, 0); result = Value::str(u"Windows Script Host"); return;  // Name
        case 11: arity(args, 0, 0); result = Value::str(vm_.info().hostProgram); return;  // FullName
        case 12: {  // Path: the host program's folder
            arity(args, 0, 0);
            const std::u16string& full = vm_.info().hostProgram;
            std::size_t slash = full.rfind(u'/');
            result = Value::str(slash == std::u16string::npos ? std::u16string() : full.substr(0, slash ? slash : 1));
            return;
        }
        case 13: arity(args, 0, 0); result = Value::lng(vm_.host().timeout()); return;
        case 14: arity(args, 0, 0); result = Value::boolean(vm_.host().interactive()); return;
        case 15: arity(args, 1, 2); result = createObject(vm_, toStr(args[0])); return;  // the prefix is for events
        case 16: raise(err::CantCreateObject);  // GetObject
        default: raise(err::NoSuchMember);
        }
    }

protected:
    std::span<const char16_t* const> memberNames() const override
    {
        static const char16_t* const names[] = {u"echo", u"arguments", u"quit", u"scriptname", u"scriptfullname",
                                                u"sleep", u"stdin", u"stdout", u"stderr", u"version", u"name",
                                                u"fullname", u"path", u"timeout", u"interactive",
                                                u"createobject", u"getobject"};
        return names;
    }

private:
    // Timeout and Interactive are the host's to enforce.
    void setProperty(int id, Args args)
    {
        arity(args, 1, 1);
        Value& v = args[args.count - 1];
        if (id == 13) {
            std::int32_t seconds = toLong(v);
            if (seconds < 0) raise(err::InvalidCall);
            vm_.host().setTimeout(seconds);
        } else if (id == 14) {
            vm_.host().setInteractive(toBool(v));
        } else {
            raise(err::NoSuchAction);
        }
    }

    void echo(Args args)
    {
        std::u16string line;
        for (int i = 0; i < args.count; ++i) {
            if (i) line += u' ';
            line += echoText(args[i]);
        }
        vm_.host().echo(line);
    }

    void sleep(std::int32_t ms)
    {
        using namespace std::chrono;
        auto end = steady_clock::now() + milliseconds(ms < 0 ? 0 : ms);
        while (steady_clock::now() < end) {
            vm_.checkStop();
            auto left = duration_cast<milliseconds>(end - steady_clock::now());
            std::this_thread::sleep_for(std::min(left, milliseconds(20)));
        }
    }

    Vm& vm_;
    Value arguments_, stdIn_, stdOut_, stdErr_;
};

}  // namespace

std::u16string echoText(const Value& value)
{
    Value v = resolveDefault(value);
    switch (v.tag) {
    case Tag::Boolean: return v.b ? u"-1" : u"0";
    case Tag::Null: return u"Null";
    case Tag::Array: raise(err::TypeMismatch);
    default: return toStr(v);
    }
}

Value makeWScript(Vm& vm)
{
    return makeObject<WScriptObject>(vm);
}

}  // namespace vbs
