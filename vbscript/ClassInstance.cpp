#include "vbscript/ClassInstance.h"

#include "vbscript/Coerce.h"
#include "vbscript/Errors.h"
#include "vbscript/Vm.h"

namespace vbs {
namespace {

// A variable seen as a member (a field, or a global through Me): read, or
// assign with optional indexes, the value last.
[[gnu::always_inline]] inline void accessVariable(Vm& vm, Value& var, Invoke kind, Args args, Value& result)
{
    if (kind == Invoke::Get || kind == Invoke::Call) {
        result = args.count == 0 ? var : vm.index(var, args);
        return;
    }
    if (args.count == 0) raise(err::WrongArgCount);
    Value v = args[args.count - 1];
    Args indexes{args.items, args.count - 1};
    if (indexes.count > 0) {
        vm.storeElement(var, indexes, std::move(v), kind == Invoke::Set);
    } else if (kind == Invoke::Set) {
        if (!v.isObject()) raise(err::ObjectRequired);
        var = std::move(v);
    } else {
        if (var.flags) raise(err::ArrayFixed);
        var = resolveDefault(v);
    }
}

}  // namespace

ClassInstance::ClassInstance(Vm& vm, ClassInfo& cls) : vm(vm), cls(cls)
{
    fields.resize(cls.fieldNames.size());
    vm.track(this);
}

ClassInstance::~ClassInstance()
{
    vm.untrack(this);
}

void ClassInstance::dropHeldValues()
{
    // Moved out first: releasing a field may run code that reads the others.
    std::vector<Value> gone = std::move(fields);
    fields.clear();
}

int ClassInstance::memberId(std::u16string_view lowerName) const
{
    auto it = cls.byName.find(std::u16string(lowerName));
    if (it == cls.byName.end() || !cls.members[static_cast<std::size_t>(it->second)].isPublic) return kNoMember;
    return it->second;
}

void ClassInstance::invoke(int id, Invoke kind, Args args, Value& result)
{
    invokeMember(id, kind, args, result);
}

void ClassInstance::invokeMember(int id, Invoke kind, Args args, Value& result)
{
    if (id == kDefaultMember) id = cls.defaultMember;
    if (id < 0) raise(err::NoSuchMember);
    ClassMember& m = cls.members[static_cast<std::size_t>(id)];
    if (m.field >= 0) {
        accessVariable(vm, fields[static_cast<std::size_t>(m.field)], kind, args, result);
        return;
    }
    Proc* p = nullptr;
    switch (kind) {
    case Invoke::Get: p = m.get ? m.get : m.sub; break;
    case Invoke::Call: p = m.sub ? m.sub : m.get; break;
    case Invoke::Let: p = m.let; break;
    case Invoke::Set: p = m.set; break;
    }
    if (!p) raise(err::NoSuchMember);
    Value self = Value::object(this);  // alive for the whole call
    if (kind == Invoke::Get && p->paramCount == 0 && args.count > 0) {
        // obj.Items(2): the arguments index what the property returns.
        Value whole = vm.callProc(*p, nullptr, 0, this);
        result = vm.index(whole, args);
        return;
    }
    result = vm.callProc(*p, args.items, args.count, this);
}

void ClassInstance::lastReferenceGone()
{
    if (!cls.terminate || vm.tearingDown()) return;
    try {
        vm.callProc(*cls.terminate, nullptr, 0, this);
    } catch (...) {
        // An error inside Class_Terminate cannot reach any handler.
    }
}

void ProcRef::invoke(int id, Invoke, Args args, Value& result)
{
    if (id != kDefaultMember) raise(err::NoSuchMember);
    result = vm_.callProc(proc_, args.items, args.count, nullptr);
}

// Ids: a procedure's index times two, or a global's index times two plus one.
int ScriptScope::memberId(std::u16string_view lowerName) const
{
    const Runtime& rt = vm_.runtime();
    auto it = rt.names.find(std::u16string(lowerName));
    if (it == rt.names.end()) return kNoMember;
    if (it->second.kind == GlobalName::Proc) return it->second.index * 2;
    if (it->second.kind == GlobalName::Var) return it->second.index * 2 + 1;
    return kNoMember;
}

void ScriptScope::invoke(int id, Invoke kind, Args args, Value& result)
{
    if (id < 0) raise(err::NoSuchMember);
    Runtime& rt = vm_.runtime();
    if (id % 2 == 0) {
        if (kind == Invoke::Let || kind == Invoke::Set) raise(err::IllegalAssign);
        result = vm_.callProc(*rt.procs[static_cast<std::size_t>(id / 2)], args.items, args.count, nullptr);
        return;
    }
    accessVariable(vm_, rt.globals.at(id / 2), kind, args, result);
}

bool ArrayEnumerator::next(Value& out)
{
    const ArrayObj* a = array_.a;
    if (pos_ >= a->items.size()) return false;
    out = a->items[pos_++];
    return true;
}

void EnumHolder::invoke(int, Invoke, Args, Value&)
{
    raise(err::NoSuchMember);
}

}  // namespace vbs
