#include "vbscript/WScriptObject.h"

#include <chrono>
#include <thread>

#include "vbscript/Coerce.h"
#include "vbscript/Errors.h"
#include "vbscript/ListObject.h"
#include "vbscript/ObjectLibrary.h"
#include "vbscript/Vm.h"

namespace vbs {
namespace {

class ArgumentsObject : public ListObject {
public:
    explicit ArgumentsObject(const std::vector<std::u16string>& args) : args_(args) {}
    std::u16string typeName() const override { return u"Object"; }

    void invoke(int id, Invoke kind, Args args, Value& result) override
    {
        ListObject::invoke(id == kLength ? kCount : id, kind, args, result);
    }

protected:
    std::size_t size() const override { return args_.size(); }
    Value at(std::size_t i) const override { return Value::str(args_[i]); }
    int outOfRange() const override { return err::Subscript; }
    std::span<const char16_t* const> memberNames() const override
    {
        static const char16_t* const names[] = {u"item", u"count", u"length"};
        return names;
    }

private:
    static constexpr int kLength = 2;
    const std::vector<std::u16string>& args_;  // the host may change them between runs
};

enum class Stream { In, Out, Err };

class StreamObject : public NativeObject {
public:
    StreamObject(Vm& vm, Stream which) : vm_(vm), which_(which) {}
    std::u16string typeName() const override { return u"TextStream"; }

    void invoke(int id, Invoke kind, Args args, Value& result) override
    {
        if (kind == Invoke::Let || kind == Invoke::Set) raise(err::NoSuchAction);
        bool reading = id == 3 || id == 4 || id == 5 || id == 6 || id == 7;
        if (reading != (which_ == Stream::In) && id != 8) raise(err::BadFileMode);
        switch (id) {
        case 0: arity(args, 1, 1); write(toStr(args[0])); return;                 // Write
        case 1: arity(args, 0, 1); write((args.count ? toStr(args[0]) : u"") + u"\n"); return;  // WriteLine
        case 2: {                                                                  // WriteBlankLines
            arity(args, 1, 1);
            std::int32_t n = toLong(args[0]);
            for (std::int32_t i = 0; i < n; ++i) write(u"\n");
            return;
        }
        case 3: arity(args, 0, 0); result = Value::str(readLine()); return;        // ReadLine
        case 4: {                                                                  // ReadAll
            arity(args, 0, 0);
            std::u16string all;
            while (auto line = fetch()) all += *line + u"\n";
            result = Value::str(std::move(all));
            return;
        }
        case 5: arity(args, 0, 0); readLine(); return;                             // SkipLine
        case 6: arity(args, 0, 0); result = Value::boolean(!peek()); return;       // AtEndOfStream
        case 7: {                                                                  // Read
            arity(args, 1, 1);
            std::int32_t n = toLong(args[0]);
            std::u16string out;
            while (static_cast<std::int32_t>(out.size()) < n && peek()) {
                std::u16string& buf = *pending_;
                std::size_t take = std::min(buf.size(), static_cast<std::size_t>(n) - out.size());
                out += buf.substr(0, take);
                buf.erase(0, take);
            }
            result = Value::str(std::move(out));
            return;
        }
        case 8: arity(args, 0, 0); return;                                         // Close
        default: raise(err::NoSuchMember);
        }
    }

protected:
    std::span<const char16_t* const> memberNames() const override
    {
        static const char16_t* const names[] = {u"write", u"writeline", u"writeblanklines", u"readline",
                                                u"readall", u"skipline", u"atendofstream", u"read", u"close"};
        return names;
    }

private:
    Vm& vm_;
    Stream which_;
    std::optional<std::u16string> pending_;  // unread rest of the current line, with its "\n"
    bool eof_ = false;

    void write(const std::u16string& text)
    {
        if (which_ == Stream::Out) vm_.host().writeOut(text);
        else vm_.host().writeErr(text);
    }
    bool peek()
    {
        if (pending_ && !pending_->empty()) return true;
        if (eof_) return false;
        auto line = vm_.host().readLine();
        if (!line) { eof_ = true; return false; }
        pending_ = *line + u"\n";
        return true;
    }
    std::optional<std::u16string> fetch()
    {
        if (!peek()) return std::nullopt;
        std::u16string line = std::move(*pending_);
        pending_.reset();
        if (!line.empty() && line.back() == u'\n') line.pop_back();
        return line;
    }
    std::u16string readLine()
    {
        auto line = fetch();
        if (!line) raise(err::PastEnd);
        return *line;
    }
};

class WScriptObject : public NativeObject {
public:
    explicit WScriptObject(Vm& vm)
        : vm_(vm),
          arguments_(makeObject<ArgumentsObject>(vm.info().arguments)),
          stdIn_(makeObject<StreamObject>(vm, Stream::In)),
          stdOut_(makeObject<StreamObject>(vm, Stream::Out)),
          stdErr_(makeObject<StreamObject>(vm, Stream::Err))
    {
    }
    std::u16string typeName() const override { return u"Object"; }

    void invoke(int id, Invoke kind, Args args, Value& result) override
    {
        if (kind == Invoke::Let || kind == Invoke::Set) {
            if (id == 13) return;  // Timeout: accepted, not enforced
            raise(err::NoSuchAction);
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
        case 13: result = Value::lng(0); return;  // Timeout
        case 14: result = Value::boolean(true); return;  // Interactive
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
