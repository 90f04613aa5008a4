#include "vbscript/ArgumentObjects.h"

#include "vbscript/Coerce.h"
#include "vbscript/Errors.h"
#include "vbscript/ListObject.h"
#include "vbscript/ScriptArguments.h"
#include "vbscript/Vm.h"

namespace vbs {
namespace {

// A list with Length beside Count, as the host's collections have; further
// members follow length and go to invokeMore.
class CountedList : public ListObject {
public:
    std::u16string typeName() const override { return u"Object"; }

    void invoke(int id, Invoke kind, Args args, Value& result) override
    {
        if (id > kLength && kind != Invoke::Let && kind != Invoke::Set) invokeMore(id, args, result);
        else ListObject::invoke(id == kLength ? kCount : id, kind, args, result);
    }

protected:
    static constexpr int kLength = 2;
    virtual void invokeMore(int id, Args args, Value& result)
    {
        (void)args;
        (void)result;
        (void)id;
        raise(err::NoSuchMember);
    }
    int outOfRange() const override { return err::Subscript; }
    std::span<const char16_t* const> memberNames() const override
    {
        static const char16_t* const names[] = {u"item", u"count", u"length"};
        return names;
    }
};

class UnnamedObject : public CountedList {
public:
    explicit UnnamedObject(std::vector<std::u16string> items) : items_(std::move(items)) {}

protected:
    std::size_t size() const override { return items_.size(); }
    Value at(std::size_t i) const override { return Value::str(items_[i]); }

private:
    std::vector<std::u16string> items_;
};

Value namedValue(const NamedArgument& a)
{
    switch (a.kind) {
    case NamedArgument::Kind::On: return Value::boolean(true);
    case NamedArgument::Kind::Off: return Value::boolean(false);
    case NamedArgument::Kind::Text: return Value::str(a.text);
    case NamedArgument::Kind::Flag: break;
    }
    return Value();  // a plain switch has no value; Exists tells it was given
}

// Item(name) is the default member; For Each walks the names.
class NamedObject : public CountedList {
public:
    explicit NamedObject(SplitArguments split) : split_(std::move(split)) {}

    void invoke(int id, Invoke kind, Args args, Value& result) override
    {
        if (kind == Invoke::Let || kind == Invoke::Set) raise(err::NoSuchAction);
        if (id != kItem && id != kDefaultMember) return CountedList::invoke(id, kind, args, result);
        arity(args, 1, 1);
        const NamedArgument* a = split_.find(toStr(args[0]));
        result = a ? namedValue(*a) : Value();
    }

protected:
    std::size_t size() const override { return split_.named.size(); }
    Value at(std::size_t i) const override { return Value::str(split_.named[i].name); }
    void invokeMore(int id, Args args, Value& result) override
    {
        if (id != kExists) raise(err::NoSuchMember);
        arity(args, 1, 1);
        result = Value::boolean(split_.find(toStr(args[0])) != nullptr);
    }
    std::span<const char16_t* const> memberNames() const override
    {
        static const char16_t* const names[] = {u"item", u"count", u"length", u"exists"};
        return names;
    }

private:
    static constexpr int kExists = 3;
    SplitArguments split_;
};

class ArgumentsObject : public CountedList {
public:
    explicit ArgumentsObject(Vm& vm) : vm_(vm) {}

protected:
    std::size_t size() const override { return args().size(); }
    Value at(std::size_t i) const override { return Value::str(args()[i]); }
    void invokeMore(int id, Args args, Value& result) override
    {
        switch (id) {
        case kNamed: result = view(makeObject<NamedObject>(splitArguments(this->args())), args); return;
        case kUnnamed: result = view(makeObject<UnnamedObject>(splitArguments(this->args()).unnamed), args); return;
        case kShowUsage: arity(args, 0, 0); showUsage(); return;
        default: raise(err::NoSuchMember);
        }
    }
    std::span<const char16_t* const> memberNames() const override
    {
        static const char16_t* const names[] = {u"item", u"count", u"length", u"named", u"unnamed", u"showusage"};
        return names;
    }

private:
    enum { kNamed = 3, kUnnamed, kShowUsage };
    const std::vector<std::u16string>& args() const { return vm_.info().arguments; }
    // Named("x") and Unnamed(0) reach the view's default member.
    Value view(Value list, Args args) { return args.count ? vm_.index(list, args) : list; }

    // The host's description when it has one (a .wsf's runtime section),
    // else a line naming the script.
    void showUsage()
    {
        std::u16string text = vm_.host().usage();
        if (text.empty()) text = u"用法：" + vm_.info().scriptName;
        for (std::size_t start = 0;;) {
            std::size_t end = std::min(text.find(u'\n', start), text.size());
            vm_.host().echo(std::u16string_view(text).substr(start, end - start));
            if (end == text.size()) break;
            start = end + 1;
        }
    }

    Vm& vm_;
};

}  // namespace

Value makeArguments(Vm& vm)
{
    return makeObject<ArgumentsObject>(vm);
}

}  // namespace vbs
