#pragma once
// The bytecode interpreter: one fixed value stack holding every frame's
// locals and operands (fixed, so ByRef references into it stay valid), a
// dispatch loop per call, and the error state behind On Error and Err.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "vbscript/Bytecode.h"
#include "vbscript/Compiler.h"
#include "vbscript/Errors.h"
#include "vbscript/Host.h"
#include "vbscript/Object.h"
#include "vbscript/Runtime.h"

namespace vbs {

class ClassInstance;
class ErrObject;

// Unwinds the whole script: a stop request or WScript.Quit.
struct StopScript {
    int exitCode = 0;
    bool byQuit = false;
};

struct HostInfo {
    std::u16string scriptName = u"<script>";
    std::u16string scriptFullName = u"<script>";
    std::vector<std::u16string> arguments;
    bool systemObjects = true;  // classes that reach files and processes
    std::u16string hostProgram = u"vbsrun";
};

class Vm {
public:
    Vm(Runtime& rt, Host& host, const std::atomic<bool>& stop, const HostInfo& info);
    ~Vm();
    Vm(const Vm&) = delete;
    Vm& operator=(const Vm&) = delete;

    void runMain(Proc& main);
    // Runs a procedure with its arguments at args (copied to the stack top
    // when they are not already there); consumes them.
    Value callProc(Proc& proc, Value* args, int argc, Object* me, Value* outer = nullptr);

    // Execute, ExecuteGlobal and Eval, in the scope of the calling frame.
    void executeCode(std::u16string_view code, bool global);
    Value evalCode(std::u16string_view code);
    Value makeProcRef(std::u16string_view name);
    Value newInstance(ClassInfo& cls);

    // Helpers the objects and built-ins share.
    Value index(const Value& target, Args args);
    void storeElement(Value& target, Args indexes, Value v, bool isSet);
    std::unique_ptr<Enumerator> enumerate(const Value& collection);

    Host& host() { return host_; }
    Runtime& runtime() { return rt_; }
    const HostInfo& info() const { return info_; }
    ErrObject& err() { return *err_; }
    Value errValue();
    Value wscriptValue();
    int recursionLimit = 3000;
    // SetLocale's LCID; formatting keeps the zh-CN conventions whatever it is.
    std::int32_t locale = 2052;
    // Native stack the script may use below the host's call into the engine;
    // beyond it error 28 is raised, whatever the frame sizes of this build.
    std::size_t stackBudget = 4u << 20;
    bool stopRequested() const { return stop_.load(std::memory_order_relaxed); }
    void checkStop() const;
    double rnd(double arg);
    // Instances register themselves so that teardown can free the ones kept
    // alive only by reference cycles (without running Class_Terminate).
    // Objects that can hold values (class instances, dictionaries): reset
    // empties those still alive, whatever cycles keep them.
    void track(Object* obj) { tracked_.insert(obj); }
    void untrack(Object* obj) { tracked_.erase(obj); }
    bool tearingDown() const { return tearingDown_; }
    void breakCycles();
    void randomize(double seed, bool useTimer);

private:
    struct Frame {
        Proc* proc = nullptr;
        Value* base = nullptr;
        Object* me = nullptr;
        Value* outer = nullptr;
        bool resumeNext = false;
        Frame* caller = nullptr;
        bool switched = false;       // started a new stack segment
        Value* callerTop = nullptr;  // caller's stack top, restored after a switch
        Value* callerArgs = nullptr; // where the caller's arguments began (calls within run)
        std::size_t returnPc = 0;    // caller's next instruction while a callee runs
    };
    static constexpr std::size_t kFrameChunk = 256;
    // Frames in fixed chunks: a frame never moves while it is live.
    std::vector<std::unique_ptr<Frame[]>> frameChunks_;
    std::size_t frameCount_ = 0;

    Runtime& rt_;
    Host& host_;
    const std::atomic<bool>& stop_;
    const HostInfo& info_;
    struct Segment {
        std::unique_ptr<Value[]> values;
        std::size_t size = 0;
    };
    std::vector<Segment> segments_;
    std::size_t segment_ = 0;
    Value* segEnd_ = nullptr;
    Value* sp_;
    Frame* top_ = nullptr;  // innermost running frame
    int depth_ = 0;
    std::unordered_set<Object*> tracked_;
    bool tearingDown_ = false;
    std::uintptr_t stackBase_ = 0;
    std::unique_ptr<ErrObject> errHolder_;
    ErrObject* err_;
    Value errObj_;
    Value wscript_;
    Value scriptScope_;  // Me outside any class, made on first use
    std::uint32_t rndSeed_ = 0x50000;
    double lastRnd_ = 0;

    void run(Frame& f);
    bool nativeStackExhausted() const;
    void enterSegment(std::size_t need);
    Frame& pushFrame(Proc& proc, Value* args, int argc, Object* me, Value* outer);
    Value popFrame(Frame& f, bool wantResult);
    void leaveSegment(Value* callerTop);
    // Slots above sp_ are always Empty, so a push just fills one.
    void push(Value&& v) { sp_->swap(v); ++sp_; }
    void push(const Value& v) { sp_->assignFresh(v); ++sp_; }
    void pop()
    {
        Value& top = *--sp_;
        if (top.isHeap()) {
            Value dying = std::move(top);
        } else {
            top.tag = Tag::Empty;
        }
    }
    void popTo(Value* p)
    {
        while (sp_ > p) pop();
    }
    Value& varRef(Frame& f, int kind, int index, int fallback);
    void handleError(Frame& f, ScriptError& e);
    void locate(ScriptError& e, const Proc& p, std::size_t pc) const;
    void storeLet(Value& target, Value v);
    void storeSet(Value& target, Value v);
    void member(Frame& f, const Instr& in);
    void callMe(Frame& f, const Instr& in);
    void callName(Frame& f, const Instr& in);
    void forInit(Frame& f, const Instr& in, std::size_t& pc);
    void forNext(Frame& f, const Instr& in, std::size_t& pc);
    void forEachInit(Frame& f, const Instr& in, std::size_t& pc);
    void forEachNext(Frame& f, const Instr& in, std::size_t& pc);
    void dimArray(Frame& f, const Instr& in, bool redim);
    // Array variables whose element is out as a ByRef argument, with the
    // call depth of the frame that passed it.
    struct ArrayLock {
        Value* var;
        int depth;
    };
    std::vector<ArrayLock> locks_;
    // Kept out of line: rare, and the dispatch loop stays as compact as before.
    [[gnu::noinline]] void lockArray(Value& var);
    [[gnu::noinline]] void unlockArrays(std::size_t from);
    [[gnu::noinline]] void unlockFrom(int depth);
    void erase(Frame& f, const Instr& in);
    void newObject(Frame& f, const Instr& in);
    Value loadName(Frame& f, const Instr& in);
    Value me(const Frame& f);
    Scope scopeOfCaller() const;
    Frame* callerFrame() const;
};

}  // namespace vbs
