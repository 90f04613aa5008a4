#include "vbscript/Vm.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "vbscript/Builtins.h"
#include "vbscript/ByteString.h"
#include "vbscript/ClassInstance.h"
#include "vbscript/Coerce.h"
#include "vbscript/Compiler.h"
#include "vbscript/ErrObject.h"
#include "vbscript/ObjectLibrary.h"
#include "vbscript/Operators.h"
#include "vbscript/Parser.h"
#include "vbscript/WScriptObject.h"

namespace vbs {
namespace {

// The value stack grows in segments that never move (ByRef references point
// into them); a frame that does not fit in the current one starts the next.
constexpr std::size_t kFirstSegment = 1u << 12;
constexpr std::size_t kSegment = 1u << 16;
constexpr std::size_t kFrameSlack = 8;
constexpr std::size_t kMaxElements = 1u << 26;  // 1 GiB of Values

bool truthy(const Value& v0)
{
    const Value& v = v0.deref();
    if (v.tag == Tag::Boolean) return v.b;
    if (v.isNull()) return false;
    return toBool(resolveDefault(v));
}

bool isInt(const Value& v) { return v.tag == Tag::Integer || v.tag == Tag::Long; }
std::int64_t intVal(const Value& v) { return v.tag == Tag::Integer ? v.i : v.l; }

// dst holds a number, so its fields can be overwritten in place.
inline void setInt(Value& dst, std::int64_t r, bool allowInteger)
{
    if (allowInteger && r >= -32768 && r <= 32767) {
        dst.tag = Tag::Integer;
        dst.i = static_cast<std::int16_t>(r);
    } else if (r >= INT32_MIN && r <= INT32_MAX) {
        dst.tag = Tag::Long;
        dst.l = static_cast<std::int32_t>(r);
    } else {
        dst.tag = Tag::Double;
        dst.d = static_cast<double>(r);
    }
}

// Integer, Long and Double fast paths; false means take the general route.
// Forced inline: in the big dispatch loop GCC would otherwise call it.
[[gnu::always_inline]] inline bool fastArith(OpCode op, Value& a, const Value& b)
{
    if (isInt(a) && isInt(b)) {
        std::int64_t x = intVal(a), y = intVal(b);
        bool narrow = a.tag == Tag::Integer && b.tag == Tag::Integer;
        switch (op) {
        case OpCode::Add: setInt(a, x + y, narrow); return true;
        case OpCode::Sub: setInt(a, x - y, narrow); return true;
        case OpCode::Mul: setInt(a, x * y, narrow); return true;
        default: return false;
        }
    }
    if (a.tag == Tag::Double && (b.tag == Tag::Double || isInt(b))) {
        double y = b.tag == Tag::Double ? b.d : static_cast<double>(intVal(b));
        double r = op == OpCode::Add ? a.d + y : op == OpCode::Sub ? a.d - y : op == OpCode::Mul ? a.d * y : NAN;
        if (!std::isfinite(r)) return false;
        a.d = r;
        return true;
    }
    return false;
}

inline int cmpFast(const Value& a, const Value& b, bool& ok)
{
    ok = true;
    if (isInt(a) && isInt(b)) return intVal(a) < intVal(b) ? -1 : intVal(a) > intVal(b);
    if ((a.tag == Tag::Double || isInt(a)) && (b.tag == Tag::Double || isInt(b))) {
        double x = a.tag == Tag::Double ? a.d : static_cast<double>(intVal(a));
        double y = b.tag == Tag::Double ? b.d : static_cast<double>(intVal(b));
        return x < y ? -1 : x > y;
    }
    ok = false;
    return 0;
}

inline bool cmpResult(CmpOp op, int c)
{
    switch (op) {
    case CmpOp::Eq: return c == 0;
    case CmpOp::Ne: return c != 0;
    case CmpOp::Lt: return c < 0;
    case CmpOp::Gt: return c > 0;
    case CmpOp::Le: return c <= 0;
    case CmpOp::Ge: return c >= 0;
    }
    return false;
}

std::size_t elementOffset(const ArrayObj& a, Args args)
{
    if (static_cast<std::size_t>(args.count) != a.dims()) raise(err::Subscript);
    std::size_t offset = 0, scale = 1;
    for (std::size_t k = 0; k < a.dims(); ++k) {
        std::int32_t i = toLong(args[static_cast<int>(k)]);
        if (i < 0 || i > a.upper[k]) raise(err::Subscript);
        offset += static_cast<std::size_t>(i) * scale;
        scale *= static_cast<std::size_t>(a.upper[k]) + 1;
    }
    return offset;
}

std::vector<std::int32_t> readBounds(Value* at, int n)
{
    std::vector<std::int32_t> bounds;
    std::size_t total = 1;
    for (int k = 0; k < n; ++k) {
        std::int32_t u = toLong(at[k]);
        if (u < -1) raise(err::Subscript);
        bounds.push_back(u);
        total *= static_cast<std::size_t>(u) + 1;
        if (total > kMaxElements) raise(err::OutOfMemory);
    }
    return bounds;
}

// Column-major: ReDim Preserve only changes the last bound, so the old
// elements keep their offsets.
ArrayObj* preserved(const ArrayObj& old, std::vector<std::int32_t> bounds)
{
    if (old.dims() != bounds.size() && old.dims() != 0) raise(err::Subscript);
    for (std::size_t k = 0; k + 1 < old.dims(); ++k)
        if (old.upper[k] != bounds[k]) raise(err::Subscript);
    ArrayObj* fresh = ArrayObj::make(std::move(bounds));
    std::size_t n = std::min(fresh->items.size(), old.items.size());
    for (std::size_t i = 0; i < n; ++i) fresh->items[i] = old.items[i];
    return fresh;
}

}  // namespace

Vm::Vm(Runtime& rt, Host& host, const std::atomic<bool>& stop, const HostInfo& info)
    : rt_(rt), host_(host), stop_(stop), info_(info),
      sp_(nullptr)
{
    segments_.push_back({std::make_unique<Value[]>(kFirstSegment), kFirstSegment});
    sp_ = segments_.front().values.get();
    segEnd_ = sp_ + kFirstSegment;
    errHolder_ = std::make_unique<ErrObject>();
    err_ = errHolder_.get();
    errObj_ = Value::object(errHolder_.release());  // the Value now owns it
    wscript_ = makeWScript(*this);
}

Vm::~Vm()
{
    popTo(segments_.front().values.get());
}

Value Vm::errValue() { return errObj_; }
Value Vm::wscriptValue() { return wscript_; }

void Vm::breakCycles()
{
    tearingDown_ = true;
    // What Class_Terminate code kept storing into globals goes silently now.
    rt_.globals.releaseValues(1);
    std::vector<Object*> alive(tracked_.begin(), tracked_.end());
    for (Object* obj : alive) {
        if (!tracked_.count(obj)) continue;  // freed while emptying another
        Value keep = Value::object(obj);
        obj->dropHeldValues();
    }
    tearingDown_ = false;
}

void Vm::checkStop() const
{
    if (stopRequested()) throw StopScript{};
}

void Vm::runMain(Proc& main)
{
    // The stack grows down on every platform we build for.
    stackBase_ = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
    callProc(main, sp_, 0, nullptr);
}

bool Vm::nativeStackExhausted() const
{
    auto here = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
    return stackBase_ && here < stackBase_ && stackBase_ - here > stackBudget;
}

void Vm::enterSegment(std::size_t need)
{
    std::size_t next = segment_ + 1;
    std::size_t size = std::max(need, kSegment);
    if (next == segments_.size()) segments_.push_back({});
    // Segments above the current one hold only Empty values: safe to replace.
    if (segments_[next].size < size) segments_[next] = {std::make_unique<Value[]>(size), size};
    segment_ = next;
    sp_ = segments_[next].values.get();
    segEnd_ = sp_ + segments_[next].size;
}

void Vm::leaveSegment(Value* callerTop)
{
    --segment_;
    segEnd_ = segments_[segment_].values.get() + segments_[segment_].size;
    sp_ = callerTop;
}

// Inlined: a call costs little more than its instructions then.
[[gnu::always_inline]] inline Vm::Frame& Vm::pushFrame(Proc& proc, Value* args, int argc, Object* me, Value* outer)
{
    if (argc != proc.paramCount) raise(err::WrongArgCount);
    if (depth_ >= recursionLimit) raise(err::OutOfStack);
    checkStop();  // recursion without loops must stop too
    Value* callerTop = sp_;
    bool inPlace = argc > 0 && args + argc == sp_;
    Value* base = inPlace ? args : sp_;
    std::size_t need = static_cast<std::size_t>(proc.localCount + proc.maxStack) + kFrameSlack;
    bool switched = base + need > segEnd_;
    if (switched) enterSegment(need);
    if (!inPlace || switched) {
        // Arguments elsewhere (or in the old segment) are copied to the frame.
        base = sp_;
        for (int i = 0; i < argc; ++i) base[i] = args[i];
    }
    for (int i = 0; i < argc; ++i)
        if (proc.byVal[static_cast<std::size_t>(i)] && base[i].tag == Tag::Ref) base[i] = Value(*base[i].ref);
    sp_ = base + proc.localCount;
    if (frameCount_ == frameChunks_.size() * kFrameChunk) frameChunks_.push_back(std::make_unique<Frame[]>(kFrameChunk));
    Frame& f = frameChunks_[frameCount_ / kFrameChunk][frameCount_ % kFrameChunk];
    ++frameCount_;
    f = Frame{&proc, base, me, outer, false, top_, switched, callerTop, nullptr, 0};
    top_ = &f;
    ++depth_;
    return f;
}

[[gnu::always_inline]] inline Value Vm::popFrame(Frame& f, bool wantResult)
{
    Value result;
    if (wantResult) {
        if (f.proc->resultSlot >= 0) result = std::move(f.base[f.proc->resultSlot]);
        else if (sp_ > f.base + f.proc->localCount) result = std::move(sp_[-1]);
    }
    top_ = f.caller;
    --depth_;
    --frameCount_;
    // Releasing locals may run Class_Terminate, which pushes frames of its
    // own into this frame's slot; so read it first.
    Value* base = f.base;
    bool switched = f.switched;
    Value* callerTop = f.callerTop;
    // A fixed array's flag must not stay behind for the next frame's local
    // in this slot (it would refuse every store with error 10).
    if (f.proc->fixedLocals)
        for (int i = 0; i < f.proc->localCount; ++i) base[i].flags = 0;
    popTo(base);
    if (switched) leaveSegment(callerTop);
    return result;
}

Value Vm::callProc(Proc& proc, Value* args, int argc, Object* me, Value* outer)
{
    // Only calls from C++ nest the dispatch loop and use native stack.
    if (nativeStackExhausted()) raise(err::OutOfStack);
    Frame& f = pushFrame(proc, args, argc, me, outer);
    struct Guard {
        Vm& vm;
        Frame& f;
        bool done = false;
        ~Guard()
        {
            if (!done) vm.popFrame(f, false);
        }
    } guard{*this, f};
    run(f);
    guard.done = true;
    return popFrame(f, true);
}

void Vm::locate(ScriptError& e, const Proc& p, std::size_t pc) const
{
    if (e.line) return;
    auto it = std::upper_bound(p.lines.begin(), p.lines.end(), pc,
                               [](std::size_t x, const LineEntry& l) { return x < l.pc; });
    if (it == p.lines.begin()) return;
    --it;
    e.line = it->line;
    e.column = it->column;
}

Value& Vm::varRef(Frame& f, int kind, int index, int fallback)
{
    switch (kind) {
    case vkLocal: return f.base[index].deref();
    case vkGlobal: return rt_.globals.at(index);
    case vkField: return static_cast<ClassInstance*>(f.me)->fields[static_cast<std::size_t>(index)];
    case vkOuter: return f.outer[index].deref();
    default: break;
    }
    const std::u16string& n = f.proc->names[static_cast<std::size_t>(index)];
    auto it = rt_.names.find(n);
    if (it != rt_.names.end() && it->second.kind == GlobalName::Var) return rt_.globals.at(it->second.index);
    if (it != rt_.names.end()) raise(err::IllegalAssign);
    if (fallback >= 0) return f.base[fallback].deref();
    raise(err::Undefined);
}

Value Vm::loadName(Frame& f, const Instr& in)
{
    const std::u16string& n = f.proc->names[static_cast<std::size_t>(in.b)];
    auto it = rt_.names.find(n);
    if (it != rt_.names.end()) {
        switch (it->second.kind) {
        case GlobalName::Var: return rt_.globals.at(it->second.index);
        case GlobalName::Const: return it->second.value;
        case GlobalName::Proc: return callProc(*rt_.procs[static_cast<std::size_t>(it->second.index)], sp_, 0, nullptr);
        case GlobalName::Class: raise(err::TypeMismatch);
        }
    }
    if (in.d >= 0) return f.base[in.d].deref();
    if (!rt_.optionExplicit) return Value();
    raise(err::Undefined);
}

void Vm::storeLet(Value& target, Value v)
{
    if (v.tag == Tag::Object) v = resolveDefault(v);
    if (target.flags) raise(err::ArrayFixed);
    target = std::move(v);
}

void Vm::storeSet(Value& target, Value v)
{
    if (!v.isObject()) raise(err::ObjectRequired);
    if (target.flags >= Value::kLockUnit) raise(err::ArrayFixed);
    target = std::move(v);
}

Value Vm::index(const Value& target0, Args args)
{
    const Value& target = target0.deref();
    if (target.isArray()) return target.a->items[elementOffset(*target.a, args)];
    if (target.isObject()) {
        if (!target.o) raise(err::ObjectRequired);
        Value keep = target;
        Value result;
        target.o->invoke(Object::kDefaultMember, Invoke::Get, args, result);
        return result;
    }
    raise(err::TypeMismatch);
}

void Vm::storeElement(Value& target, Args indexes, Value v, bool isSet)
{
    if (target.isArray()) {
        if (isSet && !v.isObject()) raise(err::ObjectRequired);
        if (!isSet && v.isObject()) v = resolveDefault(v);
        if (target.a->refs > 1) {
            std::uint8_t flags = target.flags;
            target = Value::array(target.a->clone());
            target.flags = flags;
        }
        target.a->items[elementOffset(*target.a, indexes)] = std::move(v);
        return;
    }
    if (target.isObject() && target.o) {
        Value keep = target;
        // Arguments for the default member: the indexes, then the value.
        std::vector<Value> args(indexes.items, indexes.items + indexes.count);
        args.push_back(std::move(v));
        Value result;
        keep.o->invoke(Object::kDefaultMember, isSet ? Invoke::Set : Invoke::Let,
                       Args{args.data(), static_cast<int>(args.size())}, result);
        return;
    }
    raise(target.isObject() ? err::ObjectRequired : err::TypeMismatch);
}

std::unique_ptr<Enumerator> Vm::enumerate(const Value& c0)
{
    const Value& c = c0.deref();
    if (c.isArray()) return std::make_unique<ArrayEnumerator>(c);
    if (c.isObject() && c.o) {
        auto e = c.o->enumerate();
        if (e) return e;
    }
    if (c.isObject() && !c.o) raise(err::ObjectRequired);
    raise(err::NotCollection);
}

void Vm::member(Frame& f, const Instr& in)
{
    Invoke kind = static_cast<Invoke>(in.d);
    int argc = in.a + (kind == Invoke::Let || kind == Invoke::Set ? 1 : 0);
    Value* objSlot = sp_ - argc - 1;
    const Value& o = objSlot->deref();
    if (!o.isObject() || !o.o) raise(err::ObjectRequired);
    auto& cache = f.proc->caches[in.c];
    const void* key = o.o->classKey();
    if (cache.first != key || !key) {
        int id = o.o->memberId(f.proc->names[static_cast<std::size_t>(in.b)]);
        if (id == Object::kNoMember) raise(err::NoSuchMember);
        cache = {key, id};
    }
    Value result;
    o.o->invoke(cache.second, kind, Args{objSlot + 1, argc}, result);
    popTo(objSlot);
    push(std::move(result));
}

void Vm::callMe(Frame& f, const Instr& in)
{
    auto* me = static_cast<ClassInstance*>(f.me);
    Value* args = sp_ - in.a;
    Value result;
    me->invokeMember(in.b, static_cast<Invoke>(in.c), Args{args, in.a}, result);
    popTo(args);
    push(std::move(result));
}

void Vm::callName(Frame& f, const Instr& in)
{
    const std::u16string& n = f.proc->names[static_cast<std::size_t>(in.b)];
    Value* args = sp_ - in.a;
    auto it = rt_.names.find(n);
    Value result;
    if (it != rt_.names.end() && it->second.kind == GlobalName::Proc) {
        result = callProc(*rt_.procs[static_cast<std::size_t>(it->second.index)], args, in.a, nullptr);
    } else if (it != rt_.names.end() && it->second.kind == GlobalName::Var) {
        result = index(rt_.globals.at(it->second.index), Args{args, in.a});
    } else {
        raise(rt_.optionExplicit ? err::Undefined : err::TypeMismatch);
    }
    popTo(args);
    push(std::move(result));
}

void Vm::forInit(Frame& f, const Instr& in, std::size_t& pc)
{
    Value start = toNumeric(sp_[-3]), limit = toNumeric(sp_[-2]), step = toNumeric(sp_[-1]);
    if (start.isNull() || limit.isNull() || step.isNull()) raise(err::InvalidNull);
    popTo(sp_ - 3);
    Value& var = varRef(f, in.a, in.b, -1);
    storeLet(var, start);
    f.base[in.c] = limit;
    f.base[in.c + 1] = step;
    bool up = toDouble(step) >= 0;
    int c = compareValues(start, limit, 0);
    if (up ? c > 0 : c < 0) pc = static_cast<std::size_t>(in.d);
}

void Vm::forNext(Frame& f, const Instr& in, std::size_t& pc)
{
    Value& var = in.a == vkLocal ? f.base[in.b].deref() : in.a == vkGlobal ? rt_.globals.at(in.b) : varRef(f, in.a, in.b, -1);
    const Value& limit = f.base[in.c];
    const Value& step = f.base[in.c + 1];
    if (step.isEmpty()) raise(err::ForNotInit);  // the For line failed under On Error Resume Next
    // Integer counter, limit and step: the common case, done here.
    if (isInt(var) && isInt(limit) && step.tag == Tag::Integer) {
        std::int64_t next = intVal(var) + step.i;
        setInt(var, next, var.tag == Tag::Integer);
        if (step.i >= 0 ? next <= intVal(limit) : next >= intVal(limit)) {
            checkStop();
            pc = static_cast<std::size_t>(in.d);
        }
        return;
    }
    if (!fastArith(OpCode::Add, var, step)) var = opAdd(var, step);
    bool ok;
    int c = cmpFast(var, limit, ok);
    if (!ok) c = compareValues(var, limit, 0);
    bool up = step.tag == Tag::Integer ? step.i >= 0 : toDouble(step) >= 0;
    if (up ? c <= 0 : c >= 0) {
        checkStop();
        pc = static_cast<std::size_t>(in.d);
    }
}

void Vm::forEachInit(Frame& f, const Instr& in, std::size_t& pc)
{
    auto e = enumerate(sp_[-1]);
    pop();
    f.base[in.c] = makeObject<EnumHolder>(std::move(e));
    (void)pc;
}

void Vm::forEachNext(Frame& f, const Instr& in, std::size_t& pc)
{
    // Empty when the For Each line failed under On Error Resume Next: the
    // body has run once, and Next fails (resuming past the loop).
    const Value& slot = f.base[in.c];
    auto* holder = slot.isObject() ? static_cast<EnumHolder*>(slot.o) : nullptr;
    if (!holder) raise(err::NotCollection);
    Value item;
    if (!holder->e->next(item)) {
        pc = static_cast<std::size_t>(in.d);
        return;
    }
    Value& var = varRef(f, in.a, in.b, -1);
    var = std::move(item);
    checkStop();
}

void Vm::dimArray(Frame& f, const Instr& in, bool redim)
{
    Value* at = sp_ - in.a;
    std::vector<std::int32_t> bounds = readBounds(at, in.a);
    popTo(at);
    Value& var = varRef(f, in.c, in.b, -1);
    if (!redim) {
        var = Value::array(ArrayObj::make(std::move(bounds)));
        if (in.a > 0) var.flags = Value::kFixedArray;
        return;
    }
    if (var.flags) raise(err::ArrayFixed);
    if (in.d && var.isArray()) var = Value::array(preserved(*var.a, std::move(bounds)));
    else var = Value::array(ArrayObj::make(std::move(bounds)));
}

void Vm::erase(Frame& f, const Instr& in)
{
    Value& var = varRef(f, in.c, in.b, in.d);
    if (!var.isArray()) raise(err::TypeMismatch);
    if (var.flags >= Value::kLockUnit) raise(err::ArrayFixed);
    if (var.flags & Value::kFixedArray) {
        ArrayObj* fresh = ArrayObj::make(var.a->upper);
        var = Value::array(fresh);
        var.flags = Value::kFixedArray;
    } else {
        var = Value::array(ArrayObj::make({}));
        var.a->items.clear();
    }
}

Value Vm::newInstance(ClassInfo& cls)
{
    auto inst = std::make_unique<ClassInstance>(*this, cls);
    for (std::size_t i = 0; i < cls.fieldBounds.size(); ++i) {
        const auto& b = cls.fieldBounds[i];
        if (b.empty()) continue;
        if (b.size() == 1 && b[0] == -1) inst->fields[i] = Value::array(ArrayObj::make({}));
        else inst->fields[i] = Value::array(ArrayObj::make(b));
    }
    ClassInstance* raw = inst.get();
    Value v = Value::object(inst.release());  // refcount owns it
    if (cls.initialize) callProc(*cls.initialize, sp_, 0, raw);
    return v;
}

void Vm::newObject(Frame& f, const Instr& in)
{
    int cls = in.b;
    if (cls < 0) {
        const std::u16string& name = f.proc->names[static_cast<std::size_t>(in.d)];
        auto it = rt_.names.find(name);
        if (it == rt_.names.end() || it->second.kind != GlobalName::Class) {
            auto builtin = newBuiltinObject(*this, name);
            if (!builtin) raise(err::ClassNotDefined);
            push(std::move(*builtin));
            return;
        }
        cls = it->second.index;
    }
    push(newInstance(*rt_.classes[static_cast<std::size_t>(cls)]));
}

void Vm::handleError(Frame& f, ScriptError& e)
{
    err_->record(e);
    popTo(f.base + f.proc->localCount);
}

void Vm::run(Frame& entry)
{
    // Calls of script procedures stay in this loop: a new frame replaces
    // these four, and Return restores the caller's.
    Frame* fr = &entry;
    Proc* p = fr->proc;
    const Instr* code = p->code.data();
    Value* base = fr->base;
    std::size_t pc = 0;
    const Instr* inp = nullptr;
    // A macro, not a lambda: capturing these by reference would keep them
    // out of registers in the dispatch loop.
#define VBS_RESUME(to, at) \
    do {                    \
        fr = (to);          \
        p = fr->proc;       \
        code = p->code.data(); \
        base = fr->base;    \
        pc = (at);          \
    } while (0)
    // Hot instructions jump straight to the next one's code (a dispatch
    // site each predicts better than one shared switch). Only from the end of
    // a case, where no local of the case is alive; the rest break to the switch.
#if defined(__GNUC__)
#define VBS_LABEL_ADDR(name) &&op_##name,
    static void* const kOpLabels[] = {VBS_OPCODES(VBS_LABEL_ADDR)};
#undef VBS_LABEL_ADDR
#define VBS_CASE(name) case OpCode::name: op_##name:
#define VBS_NEXT                                               \
    do {                                                       \
        inp = &code[pc++];                                     \
        goto* kOpLabels[static_cast<unsigned char>(inp->op)];  \
    } while (0)
#else
#define VBS_CASE(name) case OpCode::name:
#define VBS_NEXT break
#endif
    for (;;) {
        try {
            for (;;) {
                inp = &code[pc++];
                switch (inp->op) {
                VBS_CASE(PushConst) push(p->consts[static_cast<std::size_t>(inp->b)]); VBS_NEXT;
                VBS_CASE(PushEmpty) push(Value()); break;
                VBS_CASE(PushNothing) push(Value::nothing()); break;
                VBS_CASE(PushMe) push(me(*fr)); break;
                VBS_CASE(Pop) pop(); VBS_NEXT;
                VBS_CASE(LoadLocal) push(base[inp->b].deref()); VBS_NEXT;
                VBS_CASE(LoadGlobal) push(rt_.globals.at(inp->b)); VBS_NEXT;
                VBS_CASE(StoreLocal) {
                    Value& dst = base[inp->b].deref();
                    Value& v = sp_[-1];
                    if (v.tag != Tag::Object && !dst.flags) dst = std::move(v);
                    else storeLet(dst, std::move(v));
                    pop();
                }
                VBS_NEXT;
                VBS_CASE(StoreGlobal) {
                    Value& dst = rt_.globals.at(inp->b);
                    Value& v = sp_[-1];
                    if (v.tag != Tag::Object && !dst.flags) dst = std::move(v);
                    else storeLet(dst, std::move(v));
                    pop();
                }
                VBS_NEXT;
                VBS_CASE(LoadVar)
                    if (inp->a == vkName) push(loadName(*fr, *inp));
                    else push(varRef(*fr, inp->a, inp->b, inp->d));
                    break;
                VBS_CASE(StoreVar) storeLet(varRef(*fr, inp->a, inp->b, inp->d), std::move(sp_[-1])); pop(); break;
                VBS_CASE(SetVar)
                    if (inp->c & kRawStore) varRef(*fr, inp->a, inp->b, inp->d) = std::move(sp_[-1]);
                    else storeSet(varRef(*fr, inp->a, inp->b, inp->d), std::move(sp_[-1]));
                    pop();
                    break;
                VBS_CASE(RefVar) push(Value::refTo(&varRef(*fr, inp->a, inp->b, inp->d))); VBS_NEXT;
                VBS_CASE(Index) {
                    Value* target = sp_ - inp->a - 1;
                    const Value& idx = sp_[-1];
                    if (inp->a == 1 && target->tag == Tag::Array && target->a->dims() == 1 &&
                        (idx.tag == Tag::Integer || idx.tag == Tag::Long)) {
                        std::int32_t i = idx.tag == Tag::Integer ? idx.i : idx.l;
                        ArrayObj* arr = target->a;
                        if (i < 0 || i > arr->upper[0]) raise(err::Subscript);
                        Value element = arr->items[static_cast<std::size_t>(i)];
                        pop();
                        *target = std::move(element);
                        break;
                    }
                    Value r = index(*target, Args{target + 1, inp->a});
                    popTo(target);
                    push(std::move(r));
                    break;
                }
                VBS_CASE(IndexVar) {
                    Value* args = sp_ - inp->a;
                    const Value& var = inp->c == vkLocal ? base[inp->b].deref() : varRef(*fr, inp->c, inp->b, inp->d);
                    const Value& idx = sp_[-1];
                    if (inp->a == 1 && var.tag == Tag::Array && var.a->dims() == 1 &&
                        (idx.tag == Tag::Integer || idx.tag == Tag::Long)) {
                        std::int32_t i = idx.tag == Tag::Integer ? idx.i : idx.l;
                        if (i < 0 || i > var.a->upper[0]) raise(err::Subscript);
                        sp_[-1].assignFresh(var.a->items[static_cast<std::size_t>(i)]);  // the index held no payload
                        VBS_NEXT;  // only references and numbers are alive here
                    }
                    Value keep = var;  // the default member may reassign the variable
                    Value r = index(keep, Args{args, inp->a});
                    popTo(args);
                    push(std::move(r));
                }
                VBS_NEXT;
                VBS_CASE(ConcatTo) {
                    Value& dst = varRef(*fr, inp->a, inp->b, inp->d);
                    const Value& x = sp_[-1];
                    if (dst.isString() && x.isString() && !isOddByteString(dst) && !isOddByteString(x)) dst.appendStr(x.strView());
                    else storeLet(dst, opConcat(dst, x));
                    pop();
                    break;
                }
                VBS_CASE(StoreIndex) {
                    int argc = inp->a & 0x7f;
                    Value* at = sp_ - argc - 1;
                    bool isSet = (inp->a & 0x80) != 0 || ((inp->c & kRawStore) && sp_[-1].isObject());
                    int kind = inp->c & 0xff;
                    Value& var = kind == vkLocal ? base[inp->b].deref() : varRef(*fr, kind, inp->b, inp->d);
                    const Value& idx = *at;
                    // a(i) = v on an unshared one-dimensional array: store in place.
                    if (argc == 1 && var.tag == Tag::Array && var.a->refs == 1 && var.a->dims() == 1 &&
                        (idx.tag == Tag::Integer || idx.tag == Tag::Long) && !sp_[-1].isObject()) {
                        std::int32_t i = idx.tag == Tag::Integer ? idx.i : idx.l;
                        if (i < 0 || i > var.a->upper[0]) raise(err::Subscript);
                        var.a->items[static_cast<std::size_t>(i)] = std::move(sp_[-1]);
                    } else {
                        storeElement(var, Args{at, argc}, std::move(sp_[-1]), isSet);
                    }
                    popTo(at);
                }
                VBS_NEXT;
                VBS_CASE(CallProc) {
                    Value* args = sp_ - inp->a;
                    fr->returnPc = pc;
                    Frame& callee = pushFrame(*rt_.procs[static_cast<std::size_t>(inp->b)], args, inp->a, nullptr, nullptr);
                    callee.callerArgs = args;
                    VBS_RESUME(&callee, 0);
                }
                VBS_NEXT;
                VBS_CASE(CallBuiltin) {
                    const Builtin& bi = builtinAt(inp->b);
                    if (inp->a < bi.minArgs || inp->a > bi.maxArgs) raise(err::WrongArgCount);
                    Value* args = sp_ - inp->a;
                    Value r = bi.fn(*this, Args{args, inp->a});
                    popTo(args);
                    push(std::move(r));
                    break;
                }
                VBS_CASE(CallName) callName(*fr, *inp); break;
                VBS_CASE(CallMe) callMe(*fr, *inp); break;
                VBS_CASE(Member) member(*fr, *inp); break;
                VBS_CASE(New) newObject(*fr, *inp); break;
                VBS_CASE(IncVar) {
                    Value& v = inp->a == vkLocal ? base[inp->b].deref() : rt_.globals.at(inp->b);
                    const Value& k = p->consts[static_cast<std::size_t>(inp->d)];
                    if (!fastArith(OpCode::Add, v, k)) storeLet(v, opAdd(v, k));
                }
                VBS_NEXT;
                VBS_CASE(LocalArith) {
                    push(base[inp->b].deref());
                    Value& a = sp_[-1];
                    const Value& k = p->consts[static_cast<std::size_t>(inp->d)];
                    OpCode arith = static_cast<OpCode>(inp->a);
                    OpCode op = arith == OpCode::AddConst ? OpCode::Add : arith == OpCode::SubConst ? OpCode::Sub : OpCode::Mul;
                    if (!fastArith(op, a, k)) a = op == OpCode::Add ? opAdd(a, k) : op == OpCode::Sub ? opSub(a, k) : opMul(a, k);
                }
                VBS_NEXT;
                VBS_CASE(AddConst) VBS_CASE(SubConst) VBS_CASE(MulConst) {
                    Value& a = sp_[-1];
                    const Value& k = p->consts[static_cast<std::size_t>(inp->b)];
                    OpCode op = inp->op == OpCode::AddConst ? OpCode::Add : inp->op == OpCode::SubConst ? OpCode::Sub : OpCode::Mul;
                    if (!fastArith(op, a, k)) a = op == OpCode::Add ? opAdd(a, k) : op == OpCode::Sub ? opSub(a, k) : opMul(a, k);
                }
                VBS_NEXT;
                VBS_CASE(Add) VBS_CASE(Sub) VBS_CASE(Mul) {
                    Value& a = sp_[-2];
                    if (!fastArith(inp->op, a, sp_[-1])) {
                        a = inp->op == OpCode::Add ? opAdd(a, sp_[-1]) : inp->op == OpCode::Sub ? opSub(a, sp_[-1]) : opMul(a, sp_[-1]);
                    }
                    pop();
                }
                VBS_NEXT;
#define VBS_BINARY(code, fn) \
    VBS_CASE(code) sp_[-2] = fn(sp_[-2], sp_[-1]); pop(); break;
                VBS_BINARY(Div, opDiv)
                VBS_BINARY(IntDiv, opIntDiv)
                VBS_BINARY(Mod, opMod)
                VBS_BINARY(Pow, opPow)
                VBS_BINARY(Concat, opConcat)
                VBS_BINARY(And, opAnd)
                VBS_BINARY(Or, opOr)
                VBS_BINARY(Xor, opXor)
                VBS_BINARY(Eqv, opEqv)
                VBS_BINARY(Imp, opImp)
#undef VBS_BINARY
                VBS_CASE(Is) sp_[-2] = Value::boolean(opIs(sp_[-2], sp_[-1])); pop(); break;
                VBS_CASE(Neg) sp_[-1] = opNeg(sp_[-1]); break;
                VBS_CASE(Not) sp_[-1] = opNot(sp_[-1]); break;
                VBS_CASE(Compare) {
                    bool ok;
                    int c = cmpFast(sp_[-2], sp_[-1], ok);
                    CmpOp op = static_cast<CmpOp>(inp->a);
                    if (ok) sp_[-2] = Value::boolean(cmpResult(op, c));
                    else sp_[-2] = opCompare(op, sp_[-2], sp_[-1], inp->c);
                    pop();
                    break;
                }
                VBS_CASE(CompareConst) {
                    const Value& k = p->consts[static_cast<std::size_t>(inp->d)];
                    bool ok;
                    int c = cmpFast(sp_[-1], k, ok);
                    CmpOp op = static_cast<CmpOp>(inp->a);
                    if (ok) sp_[-1] = Value::boolean(cmpResult(op, c));
                    else sp_[-1] = opCompare(op, sp_[-1], k, inp->c);
                    break;
                }
                VBS_CASE(CompareConstJump) {
                    const Value& k = p->consts[static_cast<std::size_t>(inp->d)];
                    bool ok;
                    int c = cmpFast(sp_[-1], k, ok);
                    CmpOp op = static_cast<CmpOp>(inp->a);
                    bool yes = ok ? cmpResult(op, c) : truthy(opCompare(op, sp_[-1], k, inp->c));
                    pop();
                    if (!yes) {
                        if (static_cast<std::size_t>(inp->b) < pc) checkStop();
                        pc = static_cast<std::size_t>(inp->b);
                    }
                }
                VBS_NEXT;
                VBS_CASE(CompareJump) {
                    bool ok;
                    int c = cmpFast(sp_[-2], sp_[-1], ok);
                    CmpOp op = static_cast<CmpOp>(inp->a);
                    bool yes;
                    if (ok) {
                        yes = cmpResult(op, c);
                    } else {
                        Value r = opCompare(op, sp_[-2], sp_[-1], inp->c);
                        yes = truthy(r);
                    }
                    pop();
                    pop();
                    if (!yes) {
                        if (static_cast<std::size_t>(inp->b) < pc) checkStop();
                        pc = static_cast<std::size_t>(inp->b);
                    }
                }
                VBS_NEXT;
                VBS_CASE(Jump)
                    if (static_cast<std::size_t>(inp->b) < pc) checkStop();
                    pc = static_cast<std::size_t>(inp->b);
                    VBS_NEXT;
                VBS_CASE(JumpIfFalse)
                VBS_CASE(JumpIfTrue) {
                    bool t = truthy(sp_[-1]);
                    pop();
                    if (t == (inp->op == OpCode::JumpIfTrue)) {
                        if (static_cast<std::size_t>(inp->b) < pc) checkStop();
                        pc = static_cast<std::size_t>(inp->b);
                    }
                }
                VBS_NEXT;
                VBS_CASE(ForInit) forInit(*fr, *inp, pc); break;
                VBS_CASE(ForNext) forNext(*fr, *inp, pc); VBS_NEXT;
                VBS_CASE(ForEachInit) forEachInit(*fr, *inp, pc); break;
                VBS_CASE(ForEachNext) forEachNext(*fr, *inp, pc); break;
                VBS_CASE(CaseMatch) {
                    Value r = opCompare(CmpOp::Eq, base[inp->c], sp_[-1], inp->a);
                    sp_[-1] = Value::boolean(r.tag == Tag::Boolean && r.b);
                    break;
                }
                VBS_CASE(DimArray) dimArray(*fr, *inp, false); break;
                VBS_CASE(ReDim) dimArray(*fr, *inp, true); break;
                VBS_CASE(Erase) erase(*fr, *inp); break;
                VBS_CASE(Raise) raise(inp->b);
                VBS_CASE(OnError)
                    if (inp->a != 2) fr->resumeNext = inp->a != 0;
                    err_->clear();
                    break;
                VBS_CASE(Return) {
                    if (fr == &entry) return;
                    Frame* caller = fr->caller;
                    Value* args = fr->callerArgs;
                    Value r = popFrame(*fr, true);
                    popTo(args);
                    push(std::move(r));
                    VBS_RESUME(caller, caller->returnPc);
                }
                VBS_NEXT;
                VBS_CASE(LockVar) lockArray(varRef(*fr, inp->a, inp->b, inp->d)); break;
                VBS_CASE(UnlockVar) unlockArrays(static_cast<std::size_t>(locks_.size() - 1)); break;
                }
            }
        } catch (ScriptError& e) {
            // Leave inner frames without a handler; the caller's call
            // instruction then counts as the failing one.
            locate(e, *p, pc - 1);
            while (!fr->resumeNext && fr != &entry) {
                Frame* caller = fr->caller;
                popFrame(*fr, false);
                VBS_RESUME(caller, caller->returnPc);
                locate(e, *p, pc - 1);
            }
            // Locks taken by the calls that failed go with them.
            unlockFrom(depth_);
            if (!fr->resumeNext) throw;
            handleError(*fr, e);
            const Instr& failed = code[pc - 1];
            if (failed.op == OpCode::ForEachNext) {
                pc = static_cast<std::size_t>(failed.d);  // past the loop that never started
                continue;
            }
            auto it = std::upper_bound(p->lines.begin(), p->lines.end(), pc - 1,
                                       [](std::size_t x, const LineEntry& l) { return x < l.pc; });
            pc = it == p->lines.end() ? p->code.size() - 1 : it->pc;
        } catch (...) {
            while (fr != &entry) {
                Frame* caller = fr->caller;
                popFrame(*fr, false);
                fr = caller;
            }
            unlockFrom(depth_);
            throw;
        }
    }
#undef VBS_RESUME
#undef VBS_CASE
#undef VBS_NEXT
}

Value Vm::me(const Frame& f)
{
    if (f.me) return Value::object(f.me);
    if (scriptScope_.isEmpty()) scriptScope_ = makeObject<ScriptScope>(*this);
    return scriptScope_;
}

void Vm::lockArray(Value& var)
{
    // The count saturates past a hundred nested locks of one array; the
    // extra ones are kept as empty entries so releases stay paired.
    if (var.flags > 0xFF - Value::kLockUnit) {
        locks_.push_back({nullptr, depth_});
        return;
    }
    var.flags = static_cast<std::uint8_t>(var.flags + Value::kLockUnit);
    locks_.push_back({&var, depth_});
}

// Releases the locks from position `from` on, innermost first.
void Vm::unlockArrays(std::size_t from)
{
    while (locks_.size() > from) {
        Value* var = locks_.back().var;
        if (var && var->flags >= Value::kLockUnit) var->flags = static_cast<std::uint8_t>(var->flags - Value::kLockUnit);
        locks_.pop_back();
    }
}

void Vm::unlockFrom(int depth)
{
    std::size_t keep = locks_.size();
    while (keep > 0 && locks_[keep - 1].depth >= depth) --keep;
    unlockArrays(keep);
}

Vm::Frame* Vm::callerFrame() const
{
    return top_;
}

Scope Vm::scopeOfCaller() const
{
    Scope s;
    Frame* f = callerFrame();
    if (!f) return s;
    s.cls = f->me ? &static_cast<ClassInstance*>(f->me)->cls : nullptr;
    bool atTop = f->proc->name == u"<main>" && !f->outer && !f->me;
    if (!atTop) {
        s.global = false;
        s.outer = f->outer ? nullptr : f->proc;
    }
    return s;
}

void Vm::executeCode(std::u16string_view code, bool global)
{
    Program prog;
    try {
        prog = parseProgram(code);
    } catch (const CompileError& ce) {
        throw ScriptError{ce.number, {}, {}};
    }
    Scope s = global ? Scope{} : scopeOfCaller();
    Frame* f = callerFrame();
    Proc* main;
    try {
        main = compileProgram(rt_, prog, s);
    } catch (const CompileError& ce) {
        throw ScriptError{ce.number, {}, {}};
    }
    Object* me = global || !f ? nullptr : f->me;
    Value* outer = s.outer ? f->base : nullptr;
    callProc(*main, sp_, 0, me, outer);
}

Value Vm::evalCode(std::u16string_view code)
{
    ExprPtr e;
    try {
        e = parseExpression(code);
    } catch (const CompileError& ce) {
        throw ScriptError{ce.number, {}, {}};
    }
    Scope s = scopeOfCaller();
    Frame* f = callerFrame();
    Proc* proc;
    try {
        proc = compileExpression(rt_, *e, s);
    } catch (const CompileError& ce) {
        throw ScriptError{ce.number, {}, {}};
    }
    Value* outer = s.outer ? f->base : nullptr;
    return callProc(*proc, sp_, 0, f ? f->me : nullptr, outer);
}

Value Vm::makeProcRef(std::u16string_view name)
{
    auto it = rt_.names.find(toLower(name));
    if (it == rt_.names.end() || it->second.kind != GlobalName::Proc) raise(err::InvalidCall);
    return makeObject<ProcRef>(*this, *rt_.procs[static_cast<std::size_t>(it->second.index)]);
}

double Vm::rnd(double arg)
{
    // The classic 24-bit linear congruential generator of the language.
    if (arg < 0) {
        float f = static_cast<float>(arg);
        std::uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        rndSeed_ = (bits + (bits >> 24)) & 0xFFFFFF;
    }
    if (arg != 0) rndSeed_ = (rndSeed_ * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFF;
    lastRnd_ = rndSeed_ / 16777216.0;
    return lastRnd_;
}

void Vm::randomize(double seed, bool useTimer)
{
    (void)useTimer;
    std::uint64_t bits;
    std::memcpy(&bits, &seed, sizeof bits);
    std::uint32_t hi = static_cast<std::uint32_t>(bits >> 32);
    hi ^= hi >> 16;
    rndSeed_ = (rndSeed_ & 0xFF) | ((hi & 0xFFFF) << 8);
}

}  // namespace vbs
