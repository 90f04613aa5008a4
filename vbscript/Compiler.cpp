#include "vbscript/Compiler.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <set>
#include <unordered_map>

#include "vbscript/Builtins.h"
#include "vbscript/Coerce.h"
#include "vbscript/Errors.h"
#include "vbscript/Object.h"
#include "vbscript/Operators.h"

namespace vbs {
namespace {

[[noreturn]] void fail(int number, Pos at) { throw CompileError{number, at.line, at.column}; }

enum class Bind { Local, Global, Field, Outer, Const, Proc, Method, Builtin, Class, Undeclared };

struct Binding {
    Bind kind = Bind::Undeclared;
    int index = 0;
    Value value;  // Const
};

int stackEffect(const Instr& in)
{
    switch (in.op) {
    case OpCode::PushConst: case OpCode::PushEmpty: case OpCode::PushNothing: case OpCode::PushMe:
    case OpCode::LoadLocal: case OpCode::LoadGlobal: case OpCode::LoadVar: case OpCode::RefVar:
    case OpCode::New: case OpCode::Raise:
        return 1;
    case OpCode::Pop: case OpCode::StoreLocal: case OpCode::StoreGlobal: case OpCode::StoreVar:
    case OpCode::SetVar: case OpCode::ConcatTo: case OpCode::JumpIfFalse: case OpCode::JumpIfTrue: case OpCode::ForEachInit:
    case OpCode::Add: case OpCode::Sub: case OpCode::Mul: case OpCode::Div: case OpCode::IntDiv:
    case OpCode::Mod: case OpCode::Pow: case OpCode::Concat: case OpCode::And: case OpCode::Or:
    case OpCode::Xor: case OpCode::Eqv: case OpCode::Imp: case OpCode::Is: case OpCode::Compare:
        return -1;
    case OpCode::CompareJump: return -2;
    case OpCode::CompareConstJump: return -1;
    case OpCode::Index: case OpCode::DimArray: case OpCode::ReDim:
        return -in.a;
    case OpCode::IndexVar: return 1 - in.a;
    case OpCode::StoreIndex: return -(in.a & 0x7f) - 1;
    case OpCode::CallProc: case OpCode::CallBuiltin: case OpCode::CallName: case OpCode::CallMe:
        return 1 - in.a;
    case OpCode::Member:
        return in.d == static_cast<int>(Invoke::Let) || in.d == static_cast<int>(Invoke::Set) ? -in.a - 1 : -in.a;
    case OpCode::ForInit: return -3;
    default: return 0;
    }
}

// Evaluates constant expressions for Const declarations.
class ConstFolder {
public:
    using Lookup = std::function<std::optional<Value>(const std::u16string&)>;
    explicit ConstFolder(Lookup lookup) : lookup_(std::move(lookup)) {}

    std::optional<Value> fold(const Expr& e) const
    {
        try {
            return foldOrThrow(e);
        } catch (const ScriptError&) {
            return std::nullopt;
        }
    }

private:
    Lookup lookup_;

    std::optional<Value> foldOrThrow(const Expr& e) const
    {
        switch (e.kind) {
        case ExprKind::Literal: return e.lit;
        case ExprKind::Paren: return foldOrThrow(*e.args[0]);
        case ExprKind::Name:
            if (e.hasParens || !e.args.empty()) return std::nullopt;
            return lookup_(e.name);
        case ExprKind::Unary: {
            auto v = foldOrThrow(*e.args[0]);
            if (!v) return v;
            return e.op == Op::Neg ? opNeg(*v) : opNot(*v);
        }
        case ExprKind::Binary: {
            auto l = foldOrThrow(*e.args[0]);
            auto r = l ? foldOrThrow(*e.args[1]) : std::nullopt;
            if (!r) return r;
            return binary(e.op, *l, *r);
        }
        default: return std::nullopt;
        }
    }

    static std::optional<Value> binary(Op op, const Value& l, const Value& r)
    {
        switch (op) {
        case Op::Add: return opAdd(l, r);
        case Op::Sub: return opSub(l, r);
        case Op::Mul: return opMul(l, r);
        case Op::Div: return opDiv(l, r);
        case Op::IntDiv: return opIntDiv(l, r);
        case Op::Mod: return opMod(l, r);
        case Op::Pow: return opPow(l, r);
        case Op::Concat: return opConcat(l, r);
        case Op::And: return opAnd(l, r);
        case Op::Or: return opOr(l, r);
        case Op::Xor: return opXor(l, r);
        default: return std::nullopt;
        }
    }
};

class ProgramCompiler;

// Compiles one procedure body (or the main code of a program).
class FnCompiler {
public:
    FnCompiler(ProgramCompiler& pc, Proc& out, const ProcDecl* decl, ClassInfo* cls, const Scope& scope);

    void declareParams();
    void hoistLocals(const Block& body);
    void body(const Block& b);
    void finish();
    void expression(const Expr& e);

private:
    ProgramCompiler& pc_;
    Runtime& rt_;
    Proc& out_;
    const ProcDecl* decl_;
    ClassInfo* cls_;
    Scope scope_;
    bool isMain_;
    std::unordered_map<std::u16string, int> locals_;
    std::unordered_map<std::u16string, int> implicit_;
    std::unordered_map<std::u16string, Value> consts_;
    std::unordered_map<std::u16string, int> nameIndex_;
    std::vector<int> withSlots_;
    struct Loop {
        bool isFor;
        std::vector<std::size_t> exits;
    };
    std::vector<Loop> loops_;
    int depth_ = 0;
    std::size_t lastLabel_ = static_cast<std::size_t>(-1);

    // ---- emitting ----
    std::size_t emit(OpCode op, int a = 0, int b = 0, int c = 0, int d = 0)
    {
        // A constant right operand folds into the arithmetic instruction.
        if ((op == OpCode::Add || op == OpCode::Sub || op == OpCode::Mul) && !out_.code.empty() &&
            out_.code.back().op == OpCode::PushConst && lastLabel_ != out_.code.size()) {
            Instr& prev = out_.code.back();
            prev.op = op == OpCode::Add ? OpCode::AddConst : op == OpCode::Sub ? OpCode::SubConst : OpCode::MulConst;
            depth_ -= 1;
            // `n - 1` on a local: read and compute in one instruction.
            std::size_t n = out_.code.size();
            if (n >= 2 && out_.code[n - 2].op == OpCode::LoadLocal && lastLabel_ != n - 1) {
                Instr& load = out_.code[n - 2];
                load = Instr{OpCode::LocalArith, static_cast<std::uint8_t>(prev.op), 0, load.b, prev.b};
                out_.code.pop_back();
            }
            return out_.code.size() - 1;
        }
        // A constant right operand of a comparison rides along with it.
        if (op == OpCode::Compare && !out_.code.empty() && out_.code.back().op == OpCode::PushConst &&
            lastLabel_ != out_.code.size()) {
            Instr& prev = out_.code.back();
            prev = Instr{OpCode::CompareConst, static_cast<std::uint8_t>(a), static_cast<std::uint16_t>(c), 0, prev.b};
            depth_ -= 1;
            return out_.code.size() - 1;
        }
        // Compare then JumpIfFalse: one instruction, no Boolean in between.
        if (op == OpCode::JumpIfFalse && !out_.code.empty() && lastLabel_ != out_.code.size() &&
            (out_.code.back().op == OpCode::Compare || out_.code.back().op == OpCode::CompareConst)) {
            Instr& prev = out_.code.back();
            depth_ -= 1;  // the jump pops the comparison's result
            prev.op = prev.op == OpCode::Compare ? OpCode::CompareJump : OpCode::CompareConstJump;
            prev.b = b;
            return out_.code.size() - 1;
        }
        Instr in{op, static_cast<std::uint8_t>(a), static_cast<std::uint16_t>(c), b, d};
        depth_ += stackEffect(in);
        out_.maxStack = std::max(out_.maxStack, depth_);
        out_.code.push_back(in);
        return out_.code.size() - 1;
    }
    // Marks the current position as a jump target, so no fusion crosses it.
    int here()
    {
        lastLabel_ = out_.code.size();
        return static_cast<int>(out_.code.size());
    }
    void patch(std::size_t at, int target)
    {
        if (out_.code[at].op == OpCode::ForInit || out_.code[at].op == OpCode::ForEachInit ||
            out_.code[at].op == OpCode::ForEachNext)
            out_.code[at].d = target;
        else
            out_.code[at].b = target;
    }
    // Statements start with an empty operand stack.
    void mark(Pos p)
    {
        out_.lines.push_back({static_cast<std::uint32_t>(out_.code.size()), p.line, p.column});
        depth_ = 0;
    }

    int constant(Value v)
    {
        out_.consts.push_back(std::move(v));
        return static_cast<int>(out_.consts.size() - 1);
    }
    int name(const std::u16string& n)
    {
        auto it = nameIndex_.find(n);
        if (it != nameIndex_.end()) return it->second;
        out_.names.push_back(n);
        int idx = static_cast<int>(out_.names.size() - 1);
        nameIndex_[n] = idx;
        return idx;
    }
    int newLocal(const std::u16string& n)
    {
        int slot = out_.localCount++;
        out_.localNames.push_back(n);
        if (!n.empty()) locals_[n] = slot;
        return slot;
    }
    int hidden() { return newLocal(u""); }
    void checkArgs(std::size_t n, Pos at)
    {
        if (n > 127) fail(err::Syntax, at);
    }

    // ---- names ----
    // create: an unknown name being assigned becomes an implicit global.
    Binding resolve(const std::u16string& n, Pos at, bool create = false);
    // A slot for a name no declaration covers; resolve() does not see it,
    // since the name means a global whenever one exists when the code runs.
    int implicitLocal(const std::u16string& n)
    {
        auto it = implicit_.find(n);
        if (it != implicit_.end()) return it->second;
        int slot = out_.localCount++;
        out_.localNames.push_back(n);
        implicit_[n] = slot;
        return slot;
    }
    // Variable bindings as (VarKind, index, fallback) for the generic ops.
    bool varOperands(const Binding& bnd, const std::u16string& n, int& kind, int& index, int& fallback);

    // ---- expressions ----
    void literal(const Value& v) { emit(OpCode::PushConst, 0, constant(v)); }
    void nameExpr(const Expr& e);
    void memberExpr(const Expr& e, Invoke kind);
    int ownMember(const Expr& e) const;
    void object(const Expr* obj, Pos at);
    void args(const std::vector<ExprPtr>& list, bool byRef);
    struct CopyBack {
        int kind = 0, index = 0, fallback = -1;
        std::vector<int> indexSlots;
        int valueSlot = 0;
    };
    std::vector<CopyBack> callArgs(const std::vector<ExprPtr>& list, const Proc* callee);
    void writeBack(const std::vector<CopyBack>& list);
    void argument(const Expr& e, bool byRef);
    void binary(const Expr& e);
    static bool isLiteral(const Expr& e);
    bool isConstName(const Expr& e);
    void loadVar(int kind, int index, int fallback);
    void storeVar(int kind, int index, int fallback, bool isSet);

    // ---- statements ----
    void statement(const Stmt& s);
    void assign(const Stmt& s, bool isSet);
    void callStmt(const Stmt& s);
    static bool isSelfConcat(const Expr& target, const Expr& value);
    static bool isSelfIncrement(const Expr& target, const Expr& value);
    void ifStmt(const Stmt& s);
    void selectStmt(const Stmt& s);
    void forStmt(const Stmt& s);
    void forEachStmt(const Stmt& s);
    void doStmt(const Stmt& s);
    void exitStmt(const Stmt& s);
    void withStmt(const Stmt& s);
    void dimStmt(const Stmt& s);
    void redimStmt(const Stmt& s);
    void eraseStmt(const Stmt& s);
    void constStmt(const Stmt& s);
    void loopVar(const Expr& var, int& kind, int& index, int& fallback);
    void closeLoop();
    void hoistBlock(const Block& b);
    bool declaredOutside(const std::u16string& n) const;
};

// Hoists a program's global declarations and compiles everything in it.
class ProgramCompiler {
public:
    ProgramCompiler(Runtime& rt, const Scope& scope) : rt(rt), scope(scope) {}
    Runtime& rt;
    Scope scope;
    std::set<std::u16string> declaredHere;

    void declareGlobal(const std::u16string& n, Pos at, bool isArray)
    {
        if (!declaredHere.insert(n).second) fail(err::Redefined, at);
        auto it = rt.names.find(n);
        if (it != rt.names.end() && it->second.kind == GlobalName::Var) return;
        GlobalName g;
        g.kind = GlobalName::Var;
        g.index = rt.globals.add();
        g.isArray = isArray;
        rt.names[n] = std::move(g);
    }

    int implicitGlobal(const std::u16string& n)
    {
        auto it = rt.names.find(n);
        if (it != rt.names.end()) return it->second.index;
        GlobalName g;
        g.index = rt.globals.add();
        int idx = g.index;
        rt.names[n] = std::move(g);
        return idx;
    }

    void declareConst(const std::u16string& n, Value v, Pos at)
    {
        if (!declaredHere.insert(n).second) fail(err::Redefined, at);
        GlobalName g;
        g.kind = GlobalName::Const;
        g.value = std::move(v);
        rt.names[n] = std::move(g);
    }

    std::optional<Value> globalConst(const std::u16string& n)
    {
        auto it = rt.names.find(n);
        if (it != rt.names.end() && it->second.kind == GlobalName::Const) return it->second.value;
        return builtinConstant(n);
    }

    Proc* compileProc(const ProcDecl& decl, ClassInfo* cls)
    {
        auto proc = std::make_unique<Proc>();
        proc->name = decl.displayName;
        proc->kind = decl.kind;
        proc->isPublic = decl.isPublic;
        proc->owner = cls;
        // Known before any body is compiled, so callers can see ByRef params.
        for (const auto& prm : decl.params) proc->byVal.push_back(prm.byVal ? 1 : 0);
        proc->paramCount = static_cast<int>(decl.params.size());
        Proc* p = rt.own(std::move(proc));
        pending.push_back({&decl, p, cls});
        return p;
    }

    // A procedure defined again replaces the earlier one, whatever its kind.
    void declareProc(const ProcDecl& decl)
    {
        auto it = rt.names.find(decl.name);
        bool again = it != rt.names.end() && it->second.kind == GlobalName::Proc;
        if (!declaredHere.insert(decl.name).second && !again) fail(err::Redefined, decl.pos);
        Proc* p = compileProc(decl, nullptr);
        if (it != rt.names.end() && it->second.kind == GlobalName::Proc) {
            rt.procs[static_cast<std::size_t>(it->second.index)] = p;
            return;
        }
        GlobalName g;
        g.kind = GlobalName::Proc;
        g.index = static_cast<int>(rt.procs.size());
        rt.procs.push_back(p);
        rt.names[decl.name] = std::move(g);
    }

    void declareClass(const ClassDecl& decl);

    void compilePending()
    {
        for (std::size_t i = 0; i < pending.size(); ++i) {
            Pending job = pending[i];
            FnCompiler fc(*this, *job.proc, job.decl, job.cls, Scope{nullptr, job.cls, false});
            fc.declareParams();
            fc.hoistLocals(job.decl->body);
            fc.body(job.decl->body);
            fc.finish();
        }
    }

private:
    struct Pending {
        const ProcDecl* decl;
        Proc* proc;
        ClassInfo* cls;
    };
    std::vector<Pending> pending;
};

void ProgramCompiler::declareClass(const ClassDecl& decl)
{
    if (!declaredHere.insert(decl.name).second) fail(err::Redefined, decl.pos);
    auto cls = std::make_unique<ClassInfo>();
    cls->name = decl.displayName;
    auto memberFor = [&](const std::u16string& n, bool isPublic) -> ClassMember& {
        auto it = cls->byName.find(n);
        if (it != cls->byName.end()) return cls->members[static_cast<std::size_t>(it->second)];
        cls->byName[n] = static_cast<int>(cls->members.size());
        cls->members.push_back({});
        cls->members.back().name = n;
        cls->members.back().isPublic = isPublic;
        return cls->members.back();
    };
    for (const auto& f : decl.fields) {
        if (cls->byName.count(f.decl.name)) fail(err::Redefined, f.decl.pos);
        ClassMember& m = memberFor(f.decl.name, f.isPublic);
        m.field = static_cast<int>(cls->fieldNames.size());
        cls->fieldNames.push_back(f.decl.name);
        std::vector<std::int32_t> bounds;
        for (const auto& b : f.decl.bounds) {
            ConstFolder folder([&](const std::u16string& n) { return globalConst(n); });
            auto v = folder.fold(*b);
            if (!v || !v->isNumeric()) fail(err::ExpectInteger, b->pos);
            bounds.push_back(static_cast<std::int32_t>(toDouble(*v)));
        }
        if (f.decl.isArray && bounds.empty()) bounds.push_back(-1);  // dynamic: marked by -1
        cls->fieldBounds.push_back(std::move(bounds));
    }
    ClassInfo* info = cls.get();
    for (const auto& pd : decl.procs) {
        Proc* p = compileProc(*pd, info);
        if (pd->name == u"class_initialize" || pd->name == u"class_terminate") {
            if (!pd->params.empty()) fail(err::InitTermArgs, pd->pos);
            (pd->name == u"class_initialize" ? info->initialize : info->terminate) = p;
        }
        ClassMember& m = memberFor(pd->name, pd->isPublic);
        if (m.field >= 0) fail(err::Redefined, pd->pos);
        Proc** slot = pd->kind == ProcKind::PropertyLet ? &m.let
                      : pd->kind == ProcKind::PropertySet ? &m.set
                      : pd->kind == ProcKind::Sub ? &m.sub : &m.get;
        if (*slot || (pd->kind == ProcKind::Sub && m.get) || (pd->kind == ProcKind::Function && m.sub))
            fail(err::Redefined, pd->pos);
        *slot = p;
        if (pd->isPublic) m.isPublic = true;
        if (pd->isDefault) {
            int idx = cls->byName[pd->name];
            if (info->defaultMember >= 0 && info->defaultMember != idx) fail(err::MultipleDefault, pd->pos);
            info->defaultMember = idx;
        }
    }
    GlobalName g;
    g.kind = GlobalName::Class;
    auto it = rt.names.find(decl.name);
    if (it != rt.names.end() && it->second.kind == GlobalName::Class) {
        rt.classes[static_cast<std::size_t>(it->second.index)] = std::move(cls);
        return;
    }
    g.index = static_cast<int>(rt.classes.size());
    rt.classes.push_back(std::move(cls));
    rt.names[decl.name] = std::move(g);
}

FnCompiler::FnCompiler(ProgramCompiler& pc, Proc& out, const ProcDecl* decl, ClassInfo* cls, const Scope& scope)
    : pc_(pc), rt_(pc.rt), out_(out), decl_(decl), cls_(cls), scope_(scope), isMain_(decl == nullptr)
{
}

void FnCompiler::declareParams()
{
    for (const auto& prm : decl_->params) {
        if (locals_.count(prm.name)) fail(err::Redefined, decl_->pos);
        newLocal(prm.name);
    }
    if (decl_->kind == ProcKind::Function || decl_->kind == ProcKind::PropertyGet)
        out_.resultSlot = newLocal(decl_->name);
}

void FnCompiler::hoistBlock(const Block& b)
{
    for (const auto& s : b) {
        if (s->kind == StmtKind::Dim || s->kind == StmtKind::ReDim) {
            for (const auto& d : s->decls) {
                if (scope_.global) {
                    if (s->kind == StmtKind::Dim) pc_.declareGlobal(d.name, d.pos, d.isArray);
                    else pc_.implicitGlobal(d.name);
                } else if (!locals_.count(d.name) && (s->kind == StmtKind::Dim || !declaredOutside(d.name))) {
                    newLocal(d.name);
                } else if (s->kind == StmtKind::Dim && locals_[d.name] <= std::max(out_.resultSlot, out_.paramCount - 1)) {
                    fail(err::Redefined, d.pos);
                }
            }
        } else if (s->kind == StmtKind::Procedure) {
            pc_.declareProc(*s->proc);
        } else if (s->kind == StmtKind::Class) {
            pc_.declareClass(*s->cls);
        } else if (s->kind == StmtKind::Const && scope_.global) {
            constStmt(*s);
        }
        for (const auto& blk : s->blocks) hoistBlock(blk);
        for (const auto& c : s->cases) hoistBlock(c.body);
    }
}

void FnCompiler::hoistLocals(const Block& body) { hoistBlock(body); }

// ReDim of a field or a global resizes that variable instead of a new local.
bool FnCompiler::declaredOutside(const std::u16string& n) const
{
    if (cls_ && cls_->byName.count(n)) return true;
    auto it = rt_.names.find(n);
    return it != rt_.names.end() && it->second.kind == GlobalName::Var;
}

void FnCompiler::body(const Block& b)
{
    for (const auto& s : b) statement(*s);
}

void FnCompiler::finish()
{
    emit(OpCode::Return);
    out_.caches.resize(static_cast<std::size_t>(out_.cacheSlots));
}

Binding FnCompiler::resolve(const std::u16string& n, Pos at, bool create)
{
    Binding bnd;
    if (auto it = locals_.find(n); it != locals_.end()) {
        bnd.kind = Bind::Local;
        bnd.index = it->second;
        return bnd;
    }
    if (auto it = consts_.find(n); it != consts_.end()) {
        bnd.kind = Bind::Const;
        bnd.value = it->second;
        return bnd;
    }
    if (cls_) {
        if (auto it = cls_->byName.find(n); it != cls_->byName.end()) {
            const ClassMember& m = cls_->members[static_cast<std::size_t>(it->second)];
            bnd.kind = m.field >= 0 ? Bind::Field : Bind::Method;
            bnd.index = m.field >= 0 ? m.field : it->second;
            return bnd;
        }
    }
    if (scope_.outer) {
        const auto& names = scope_.outer->localNames;
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (names[i] == n) {
                bnd.kind = Bind::Outer;
                bnd.index = static_cast<int>(i);
                return bnd;
            }
        }
    }
    if (auto it = rt_.names.find(n); it != rt_.names.end()) {
        const GlobalName& g = it->second;
        switch (g.kind) {
        case GlobalName::Var: bnd.kind = Bind::Global; break;
        case GlobalName::Const: bnd.kind = Bind::Const; bnd.value = g.value; break;
        case GlobalName::Proc: bnd.kind = Bind::Proc; break;
        case GlobalName::Class: bnd.kind = Bind::Class; break;
        }
        bnd.index = g.index;
        return bnd;
    }
    if (auto v = builtinConstant(n)) {
        bnd.kind = Bind::Const;
        bnd.value = *v;
        return bnd;
    }
    int b = findBuiltin(n);
    if (b >= 0) {
        bnd.kind = Bind::Builtin;
        bnd.index = b;
        return bnd;
    }
    // Without Option Explicit an unknown name in the main code is a global.
    if (create && isMain_ && scope_.global && !rt_.optionExplicit) {
        bnd.kind = Bind::Global;
        bnd.index = pc_.implicitGlobal(n);
        return bnd;
    }
    (void)at;
    return bnd;
}

bool FnCompiler::varOperands(const Binding& bnd, const std::u16string& n, int& kind, int& index, int& fallback)
{
    fallback = -1;
    switch (bnd.kind) {
    case Bind::Local: kind = vkLocal; index = bnd.index; return true;
    case Bind::Global: kind = vkGlobal; index = bnd.index; return true;
    case Bind::Field: kind = vkField; index = bnd.index; return true;
    case Bind::Outer: kind = vkOuter; index = bnd.index; return true;
    case Bind::Undeclared:
        kind = vkName;
        index = name(n);
        if (!rt_.optionExplicit && !scope_.global) fallback = implicitLocal(n);
        return true;
    default: return false;
    }
}

void FnCompiler::loadVar(int kind, int index, int fallback)
{
    if (kind == vkLocal) emit(OpCode::LoadLocal, 0, index);
    else if (kind == vkGlobal) emit(OpCode::LoadGlobal, 0, index);
    else emit(OpCode::LoadVar, kind, index, 0, fallback);
}

void FnCompiler::storeVar(int kind, int index, int fallback, bool isSet)
{
    if (isSet) emit(OpCode::SetVar, kind, index, 0, fallback);
    else if (kind == vkLocal) emit(OpCode::StoreLocal, 0, index);
    else if (kind == vkGlobal) emit(OpCode::StoreGlobal, 0, index);
    else emit(OpCode::StoreVar, kind, index, 0, fallback);
}

void FnCompiler::argument(const Expr& e, bool byRef)
{
    if (byRef && e.kind == ExprKind::Name && !e.hasParens && e.args.empty()) {
        Binding bnd = resolve(e.name, e.pos, true);
        int kind, index, fallback;
        bool isOwnResult = decl_ && bnd.kind == Bind::Local && bnd.index == out_.resultSlot;
        if (!isOwnResult && varOperands(bnd, e.name, kind, index, fallback)) {
            emit(OpCode::RefVar, kind, index, 0, fallback);
            return;
        }
    }
    expression(e);
}

void FnCompiler::args(const std::vector<ExprPtr>& list, bool byRef)
{
    for (const auto& a : list) argument(*a, byRef);
}

// An array element given to a ByRef parameter travels in a hidden slot and
// is stored back after the call, so the callee's changes reach the array.
std::vector<FnCompiler::CopyBack> FnCompiler::callArgs(const std::vector<ExprPtr>& list, const Proc* callee)
{
    std::vector<CopyBack> out;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const Expr& e = *list[i];
        bool byRef = callee && i < callee->byVal.size() && !callee->byVal[i];
        CopyBack cb;
        if (byRef && e.kind == ExprKind::Name && e.hasParens && !e.args.empty() && e.args.size() < 127 &&
            varOperands(resolve(e.name, e.pos), e.name, cb.kind, cb.index, cb.fallback) && cb.kind != vkName) {
            for (const auto& ix : e.args) {
                int slot = hidden();
                expression(*ix);
                emit(OpCode::StoreLocal, 0, slot);
                cb.indexSlots.push_back(slot);
            }
            for (int slot : cb.indexSlots) emit(OpCode::LoadLocal, 0, slot);
            emit(OpCode::IndexVar, static_cast<int>(cb.indexSlots.size()), cb.index, cb.kind, cb.fallback);
            emit(OpCode::LockVar, cb.kind, cb.index, 0, cb.fallback);
            cb.valueSlot = hidden();
            emit(OpCode::SetVar, vkLocal, cb.valueSlot, kRawStore, -1);
            emit(OpCode::RefVar, vkLocal, cb.valueSlot, 0, -1);
            out.push_back(std::move(cb));
            continue;
        }
        argument(e, true);
    }
    return out;
}

void FnCompiler::writeBack(const std::vector<CopyBack>& list)
{
    for (const auto& cb : list) {
        for (int slot : cb.indexSlots) emit(OpCode::LoadLocal, 0, slot);
        emit(OpCode::LoadLocal, 0, cb.valueSlot);
        emit(OpCode::StoreIndex, static_cast<int>(cb.indexSlots.size()), cb.index, cb.kind | kRawStore, cb.fallback);
        emit(OpCode::PushEmpty);
        emit(OpCode::SetVar, vkLocal, cb.valueSlot, kRawStore, -1);
        emit(OpCode::UnlockVar);
    }
}

void FnCompiler::nameExpr(const Expr& e)
{
    Binding bnd = resolve(e.name, e.pos);
    int argc = static_cast<int>(e.args.size());
    checkArgs(e.args.size(), e.pos);
    bool withArgs = e.hasParens || argc > 0;
    // Inside a function its own name with arguments is a recursive call.
    if (withArgs && decl_ && bnd.kind == Bind::Local && bnd.index == out_.resultSlot) {
        bnd = Binding{};
        auto it = rt_.names.find(e.name);
        if (cls_ && cls_->byName.count(e.name)) {
            bnd.kind = Bind::Method;
            bnd.index = cls_->byName[e.name];
        } else if (it != rt_.names.end() && it->second.kind == GlobalName::Proc) {
            bnd.kind = Bind::Proc;
            bnd.index = it->second.index;
        }
    }
    int kind, index, fallback;
    switch (bnd.kind) {
    case Bind::Const:
        if (withArgs) fail(err::Syntax, e.pos);
        literal(bnd.value);
        return;
    case Bind::Proc: {
        auto copyBacks = callArgs(e.args, rt_.procs[static_cast<std::size_t>(bnd.index)]);
        emit(OpCode::CallProc, argc, bnd.index);
        writeBack(copyBacks);
        return;
    }
    case Bind::Method: {
        const ClassMember& m = cls_->members[static_cast<std::size_t>(bnd.index)];
        auto copyBacks = callArgs(e.args, m.sub ? m.sub : m.get);
        emit(OpCode::CallMe, argc, bnd.index, static_cast<int>(Invoke::Get));
        writeBack(copyBacks);
        return;
    }
    case Bind::Builtin:
        args(e.args, false);
        emit(OpCode::CallBuiltin, argc, bnd.index);
        return;
    case Bind::Class:
        fail(err::Syntax, e.pos);
    case Bind::Undeclared:
        if (withArgs) {
            args(e.args, true);
            emit(OpCode::CallName, argc, name(e.name));
            return;
        }
        [[fallthrough]];
    default:
        varOperands(bnd, e.name, kind, index, fallback);
        if (withArgs && kind != vkName) {
            // Reads the element in place, without copying the array first.
            args(e.args, false);
            emit(OpCode::IndexVar, argc, index, kind, fallback);
            return;
        }
        loadVar(kind, index, fallback);
        if (withArgs) {
            args(e.args, false);
            emit(OpCode::Index, argc);
        }
    }
}

void FnCompiler::object(const Expr* obj, Pos at)
{
    if (obj) {
        expression(*obj);
        return;
    }
    if (withSlots_.empty()) {
        // The reference engine reports this when the statement runs.
        (void)at;
        emit(OpCode::Raise, 0, err::BadReference);
        return;
    }
    emit(OpCode::LoadLocal, 0, withSlots_.back());
}

// Me.name inside the class reaches private members too.
int FnCompiler::ownMember(const Expr& e) const
{
    if (!cls_ || !e.obj || e.obj->kind != ExprKind::Me) return -1;
    auto it = cls_->byName.find(e.name);
    return it == cls_->byName.end() ? -1 : it->second;
}

void FnCompiler::memberExpr(const Expr& e, Invoke kind)
{
    checkArgs(e.args.size(), e.pos);
    if (int m = ownMember(e); m >= 0) {
        args(e.args, true);
        emit(OpCode::CallMe, static_cast<int>(e.args.size()), m, static_cast<int>(kind));
        return;
    }
    object(e.obj.get(), e.pos);
    args(e.args, true);
    emit(OpCode::Member, static_cast<int>(e.args.size()), name(e.name), out_.cacheSlots++, static_cast<int>(kind));
}

bool FnCompiler::isLiteral(const Expr& e)
{
    if (e.kind == ExprKind::Paren) return isLiteral(*e.args[0]);
    if (e.kind == ExprKind::Unary && e.op == Op::Neg) return isLiteral(*e.args[0]);
    return e.kind == ExprKind::Literal;
}

bool FnCompiler::isConstName(const Expr& e)
{
    if (e.kind != ExprKind::Name || e.hasParens || !e.args.empty()) return false;
    return resolve(e.name, e.pos).kind == Bind::Const;
}

void FnCompiler::binary(const Expr& e)
{
    expression(*e.args[0]);
    expression(*e.args[1]);
    switch (e.op) {
    case Op::Add: emit(OpCode::Add); return;
    case Op::Sub: emit(OpCode::Sub); return;
    case Op::Mul: emit(OpCode::Mul); return;
    case Op::Div: emit(OpCode::Div); return;
    case Op::IntDiv: emit(OpCode::IntDiv); return;
    case Op::Mod: emit(OpCode::Mod); return;
    case Op::Pow: emit(OpCode::Pow); return;
    case Op::Concat: emit(OpCode::Concat); return;
    case Op::And: emit(OpCode::And); return;
    case Op::Or: emit(OpCode::Or); return;
    case Op::Xor: emit(OpCode::Xor); return;
    case Op::Eqv: emit(OpCode::Eqv); return;
    case Op::Imp: emit(OpCode::Imp); return;
    case Op::Is: emit(OpCode::Is); return;
    default: break;
    }
    CmpOp cmp = e.op == Op::Eq ? CmpOp::Eq : e.op == Op::Ne ? CmpOp::Ne : e.op == Op::Lt ? CmpOp::Lt
              : e.op == Op::Gt ? CmpOp::Gt : e.op == Op::Le ? CmpOp::Le : CmpOp::Ge;
    int flags = 0;
    if (isLiteral(*e.args[0]) || isConstName(*e.args[0])) flags |= kLeftLiteral;
    if (isLiteral(*e.args[1]) || isConstName(*e.args[1])) flags |= kRightLiteral;
    emit(OpCode::Compare, static_cast<int>(cmp), 0, flags);
}

void FnCompiler::expression(const Expr& e)
{
    switch (e.kind) {
    case ExprKind::Literal: literal(e.lit); return;
    case ExprKind::Name: nameExpr(e); return;
    case ExprKind::Member: memberExpr(e, Invoke::Get); return;
    case ExprKind::Index:
        expression(*e.obj);
        args(e.args, false);
        checkArgs(e.args.size(), e.pos);
        emit(OpCode::Index, static_cast<int>(e.args.size()));
        return;
    case ExprKind::Paren: expression(*e.args[0]); return;
    case ExprKind::Unary:
        expression(*e.args[0]);
        emit(e.op == Op::Neg ? OpCode::Neg : OpCode::Not);
        return;
    case ExprKind::Binary: binary(e); return;
    case ExprKind::New: {
        auto it = rt_.names.find(e.name);
        int cls = it != rt_.names.end() && it->second.kind == GlobalName::Class ? it->second.index : -1;
        emit(OpCode::New, 0, cls, 0, name(e.name));
        return;
    }
    case ExprKind::Me:
        emit(OpCode::PushMe);
        return;
    case ExprKind::Nothing: emit(OpCode::PushNothing); return;
    }
}

// ---- statements ----

void FnCompiler::statement(const Stmt& s)
{
    if (s.kind != StmtKind::Procedure && s.kind != StmtKind::Class && s.kind != StmtKind::Const) mark(s.pos);
    switch (s.kind) {
    case StmtKind::Dim: dimStmt(s); break;
    case StmtKind::ReDim: redimStmt(s); break;
    case StmtKind::Erase: eraseStmt(s); break;
    case StmtKind::Const: if (!scope_.global) constStmt(s); break;
    case StmtKind::Assign: assign(s, false); break;
    case StmtKind::Set: assign(s, true); break;
    case StmtKind::Call: callStmt(s); break;
    case StmtKind::If: ifStmt(s); break;
    case StmtKind::Select: selectStmt(s); break;
    case StmtKind::For: forStmt(s); break;
    case StmtKind::ForEach: forEachStmt(s); break;
    case StmtKind::Do: doStmt(s); break;
    case StmtKind::Exit: exitStmt(s); break;
    case StmtKind::With: withStmt(s); break;
    case StmtKind::OnErrorResume: emit(OpCode::OnError, 1); break;
    case StmtKind::OnErrorGoto0: emit(OpCode::OnError, 0); break;
    case StmtKind::OptionExplicit:
    case StmtKind::Stop: break;
    case StmtKind::Procedure:
    case StmtKind::Class:
        if (!isMain_) fail(err::Syntax, s.pos);
        break;
    }
}

void FnCompiler::assign(const Stmt& s, bool isSet)
{
    const Expr& t = *s.target;
    int argc = static_cast<int>(t.args.size());
    checkArgs(t.args.size(), t.pos);
    if (int m = ownMember(t); m >= 0) {
        args(t.args, false);
        expression(*s.value);
        emit(OpCode::CallMe, argc + 1, m, static_cast<int>(isSet ? Invoke::Set : Invoke::Let));
        emit(OpCode::Pop);
        return;
    }
    if (t.kind == ExprKind::Member) {
        object(t.obj.get(), t.pos);
        args(t.args, false);
        expression(*s.value);
        emit(OpCode::Member, argc, name(t.name), out_.cacheSlots++, static_cast<int>(isSet ? Invoke::Set : Invoke::Let));
        emit(OpCode::Pop);
        return;
    }
    if (t.kind == ExprKind::Index) {
        // `obj.Items("k")(0) = v`: the value of the call is held in a hidden
        // slot while its default member (or element) is assigned.
        int slot = hidden();
        expression(*t.obj);
        emit(OpCode::SetVar, vkLocal, slot, kRawStore, -1);
        args(t.args, false);
        expression(*s.value);
        emit(OpCode::StoreIndex, argc | (isSet ? 0x80 : 0), slot, vkLocal, -1);
        emit(OpCode::PushEmpty);
        emit(OpCode::SetVar, vkLocal, slot, kRawStore, -1);
        return;
    }
    if (t.kind != ExprKind::Name) fail(err::Syntax, t.pos);
    Binding bnd = resolve(t.name, t.pos, true);
    if (bnd.kind == Bind::Method) {
        args(t.args, false);
        expression(*s.value);
        emit(OpCode::CallMe, argc + 1, bnd.index, static_cast<int>(isSet ? Invoke::Set : Invoke::Let));
        emit(OpCode::Pop);
        return;
    }
    int kind, index, fallback;
    if (!varOperands(bnd, t.name, kind, index, fallback)) {
        // Assigning to a constant or a procedure fails when it runs.
        emit(OpCode::Raise, 0, err::IllegalAssign);
        emit(OpCode::Pop);
        return;
    }
    if (t.hasParens || argc > 0) {
        args(t.args, false);
        expression(*s.value);
        emit(OpCode::StoreIndex, argc | (isSet ? 0x80 : 0), index, kind, fallback);
        return;
    }
    if (!isSet && (kind == vkLocal || kind == vkGlobal) && isSelfIncrement(t, *s.value)) {
        const Expr& k = *s.value->args[1];
        Value step = s.value->op == Op::Add ? k.lit : Value::integer(static_cast<std::int16_t>(-k.lit.i));
        emit(OpCode::IncVar, kind, index, 0, constant(step));
        return;
    }
    if (!isSet && isSelfConcat(t, *s.value)) {
        expression(*s.value->args[1]);
        emit(OpCode::ConcatTo, kind, index, 0, fallback);
        return;
    }
    expression(*s.value);
    storeVar(kind, index, fallback, isSet);
}

// `i = i + 1`, `j = j - 2`: a small integer literal added in place.
bool FnCompiler::isSelfIncrement(const Expr& target, const Expr& value)
{
    if (value.kind != ExprKind::Binary || (value.op != Op::Add && value.op != Op::Sub)) return false;
    const Expr& left = *value.args[0];
    const Expr& right = *value.args[1];
    bool sameVar = left.kind == ExprKind::Name && !left.hasParens && left.args.empty() && left.name == target.name;
    return sameVar && right.kind == ExprKind::Literal && right.lit.tag == Tag::Integer && right.lit.i != -32768;
}

// `s = s & x`: the string can grow in place instead of being copied.
bool FnCompiler::isSelfConcat(const Expr& target, const Expr& value)
{
    if (value.kind != ExprKind::Binary || value.op != Op::Concat) return false;
    const Expr& left = *value.args[0];
    return left.kind == ExprKind::Name && !left.hasParens && left.args.empty() && left.name == target.name;
}

void FnCompiler::callStmt(const Stmt& s)
{
    const Expr& t = *s.target;
    if (t.kind == ExprKind::Member) memberExpr(t, Invoke::Call);
    else expression(t);
    emit(OpCode::Pop);
}

void FnCompiler::ifStmt(const Stmt& s)
{
    std::vector<std::size_t> toEnd;
    for (std::size_t i = 0; i < s.blocks.size(); ++i) {
        if (i > 0 && i - 1 < s.blockPos.size()) mark(s.blockPos[i - 1]);
        std::size_t skip = 0;
        bool hasCond = i < s.conds.size();
        if (hasCond) {
            expression(*s.conds[i]);
            skip = emit(OpCode::JumpIfFalse);
        }
        body(s.blocks[i]);
        if (i + 1 < s.blocks.size()) toEnd.push_back(emit(OpCode::Jump));
        if (hasCond) patch(skip, here());
    }
    for (auto j : toEnd) patch(j, here());
}

void FnCompiler::selectStmt(const Stmt& s)
{
    int subject = hidden();
    expression(*s.value);
    emit(OpCode::StoreLocal, 0, subject);
    std::vector<std::size_t> toEnd;
    // A subject that raises under On Error Resume Next runs no Case at all:
    // resuming lands on this statement boundary, which jumps past them.
    std::size_t toCases = emit(OpCode::Jump);
    mark(s.pos);
    toEnd.push_back(emit(OpCode::Jump));
    patch(toCases, here());
    for (const auto& c : s.cases) {
        mark(c.pos);
        std::vector<std::size_t> toBody;
        std::size_t toNext = 0;
        bool isElse = c.values.empty();
        if (!isElse) {
            for (const auto& v : c.values) {
                expression(*v);
                emit(OpCode::CaseMatch, isLiteral(*v) || isConstName(*v) ? kRightLiteral : 0, 0, subject);
                toBody.push_back(emit(OpCode::JumpIfTrue));
            }
            toNext = emit(OpCode::Jump);
        }
        for (auto j : toBody) patch(j, here());
        body(c.body);
        toEnd.push_back(emit(OpCode::Jump));
        if (!isElse) patch(toNext, here());
    }
    for (auto j : toEnd) patch(j, here());
}

void FnCompiler::loopVar(const Expr& var, int& kind, int& index, int& fallback)
{
    Binding bnd = resolve(var.name, var.pos, true);
    if (!varOperands(bnd, var.name, kind, index, fallback)) fail(err::BadForVar, var.pos);
    if (kind == vkName) {
        // The loop instructions name one slot; a reference to whatever the
        // name means when the loop starts stands in for it.
        int slot = hidden();
        emit(OpCode::RefVar, kind, index, 0, fallback);
        emit(OpCode::SetVar, vkLocal, slot, kRawStore, -1);
        kind = vkLocal;
        index = slot;
    }
}

void FnCompiler::closeLoop()
{
    for (auto j : loops_.back().exits) patch(j, here());
    loops_.pop_back();
}

void FnCompiler::forStmt(const Stmt& s)
{
    int kind, index, fallback;
    loopVar(*s.target, kind, index, fallback);
    int hiddenBase = hidden();
    int stepSlot = hidden();
    // An Empty step tells Next that this For line failed (error 92 there).
    emit(OpCode::PushEmpty);
    emit(OpCode::StoreLocal, 0, stepSlot);
    expression(*s.value);
    expression(*s.limit);
    if (s.step) expression(*s.step);
    else literal(Value::integer(1));
    std::size_t init = emit(OpCode::ForInit, kind, index, hiddenBase);
    int top = here();
    loops_.push_back({true, {}});
    body(s.blocks[0]);
    mark(s.endPos);
    emit(OpCode::ForNext, kind, index, hiddenBase, top);
    patch(init, here());
    closeLoop();
}

void FnCompiler::forEachStmt(const Stmt& s)
{
    int kind, index, fallback;
    loopVar(*s.target, kind, index, fallback);
    int iter = hidden();
    expression(*s.value);
    std::size_t init = emit(OpCode::ForEachInit, 0, 0, iter);
    int top = here();
    std::size_t next = emit(OpCode::ForEachNext, kind, index, iter);
    loops_.push_back({true, {}});
    body(s.blocks[0]);
    mark(s.endPos);
    emit(OpCode::Jump, 0, top);
    closeLoop();
    patch(init, here());
    patch(next, here());
    emit(OpCode::PushEmpty);
    emit(OpCode::StoreLocal, 0, iter);
}

void FnCompiler::doStmt(const Stmt& s)
{
    int top = here();
    loops_.push_back({false, {}});
    std::size_t exitJump = 0;
    bool pre = s.doKind == DoKind::PreWhile || s.doKind == DoKind::PreUntil;
    if (pre) {
        expression(*s.value);
        exitJump = emit(s.doKind == DoKind::PreWhile ? OpCode::JumpIfFalse : OpCode::JumpIfTrue);
    }
    body(s.blocks[0]);
    mark(s.endPos);
    if (s.doKind == DoKind::PostWhile || s.doKind == DoKind::PostUntil) {
        expression(*s.value);
        emit(s.doKind == DoKind::PostWhile ? OpCode::JumpIfTrue : OpCode::JumpIfFalse, 0, top);
    } else {
        emit(OpCode::Jump, 0, top);
    }
    if (pre) patch(exitJump, here());
    closeLoop();
}

void FnCompiler::exitStmt(const Stmt& s)
{
    if (s.exitKind == ExitKind::Do || s.exitKind == ExitKind::For) {
        bool wantFor = s.exitKind == ExitKind::For;
        for (auto it = loops_.rbegin(); it != loops_.rend(); ++it) {
            if (it->isFor == wantFor) {
                it->exits.push_back(emit(OpCode::Jump));
                return;
            }
        }
        fail(err::BadExit, s.pos);
    }
    ProcKind k = decl_ ? decl_->kind : ProcKind::Sub;
    bool matches = decl_ && ((s.exitKind == ExitKind::Sub && k == ProcKind::Sub) ||
                             (s.exitKind == ExitKind::Function && k == ProcKind::Function) ||
                             (s.exitKind == ExitKind::Property && (k == ProcKind::PropertyGet || k == ProcKind::PropertyLet || k == ProcKind::PropertySet)));
    if (!matches) fail(err::BadExit, s.pos);
    // Exit Sub and Exit Function clear Err; leaving at End Sub does not.
    if (s.exitKind != ExitKind::Property) emit(OpCode::OnError, 2);
    emit(OpCode::Return);
}

void FnCompiler::withStmt(const Stmt& s)
{
    int slot = hidden();
    expression(*s.value);
    emit(OpCode::SetVar, vkLocal, slot, 0, -1);
    withSlots_.push_back(slot);
    body(s.blocks[0]);
    withSlots_.pop_back();
    emit(OpCode::PushNothing);
    emit(OpCode::SetVar, vkLocal, slot, 0, -1);
}

void FnCompiler::dimStmt(const Stmt& s)
{
    for (const auto& d : s.decls) {
        if (!d.isArray) continue;
        Binding bnd = resolve(d.name, d.pos, true);
        int kind, index, fallback;
        varOperands(bnd, d.name, kind, index, fallback);
        for (const auto& b : d.bounds) expression(*b);
        checkArgs(d.bounds.size(), d.pos);
        emit(OpCode::DimArray, static_cast<int>(d.bounds.size()), index, kind);
        if (kind == vkLocal && !d.bounds.empty()) out_.fixedLocals = true;
    }
}

void FnCompiler::redimStmt(const Stmt& s)
{
    for (const auto& d : s.decls) {
        Binding bnd = resolve(d.name, d.pos, true);
        int kind, index, fallback;
        if (!varOperands(bnd, d.name, kind, index, fallback)) fail(err::Syntax, d.pos);
        for (const auto& b : d.bounds) expression(*b);
        checkArgs(d.bounds.size(), d.pos);
        emit(OpCode::ReDim, static_cast<int>(d.bounds.size()), index, kind, s.flag ? 1 : 0);
    }
}

void FnCompiler::eraseStmt(const Stmt& s)
{
    for (const VarDecl& d : s.decls) {
        Binding bnd = resolve(d.name, d.pos);
        int kind, index, fallback;
        if (!varOperands(bnd, d.name, kind, index, fallback)) fail(err::Syntax, d.pos);
        emit(OpCode::Erase, 0, index, kind, fallback);
    }
}

void FnCompiler::constStmt(const Stmt& s)
{
    for (const auto& d : s.decls) {
        ConstFolder folder([&](const std::u16string& n) -> std::optional<Value> {
            if (auto it = consts_.find(n); it != consts_.end()) return it->second;
            return pc_.globalConst(n);
        });
        auto v = folder.fold(*d.value);
        if (!v) fail(err::ExpectLiteral, d.value->pos);
        if (scope_.global) {
            pc_.declareConst(d.name, *v, d.pos);
        } else {
            if (locals_.count(d.name) || consts_.count(d.name)) fail(err::Redefined, d.pos);
            consts_[d.name] = *v;
        }
    }
}

}  // namespace

Proc* compileProgram(Runtime& rt, const Program& program, const Scope& scope)
{
    if (program.optionExplicit) rt.optionExplicit = true;
    ProgramCompiler pc(rt, scope);
    auto main = std::make_unique<Proc>();
    main->name = u"<main>";
    main->owner = scope.cls;
    Proc* out = rt.own(std::move(main));
    FnCompiler fc(pc, *out, nullptr, scope.cls, scope);
    fc.hoistLocals(program.body);
    pc.compilePending();
    fc.body(program.body);
    fc.finish();
    return out;
}

Proc* compileExpression(Runtime& rt, const Expr& expr, const Scope& scope)
{
    ProgramCompiler pc(rt, scope);
    auto proc = std::make_unique<Proc>();
    proc->name = u"<eval>";
    proc->owner = scope.cls;
    Proc* out = rt.own(std::move(proc));
    Scope inner = scope;
    inner.global = false;
    FnCompiler fc(pc, *out, nullptr, scope.cls, inner);
    fc.expression(expr);
    fc.finish();
    return out;
}

}  // namespace vbs
