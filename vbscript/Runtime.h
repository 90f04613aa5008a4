#pragma once
// The script-wide state shared by the compiler and the VM: global variables
// (stable addresses, so ByRef can point at them), the global name table that
// Execute, ExecuteGlobal and Eval compile against, procedures and classes.
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "vbscript/Bytecode.h"
#include "vbscript/Value.h"

namespace vbs {

// Grows in fixed chunks; an element never moves once created.
class GlobalStore {
public:
    // How often Class_Terminate code may refill globals at reset before the
    // rest is freed without running it.
    static constexpr int kReleasePasses = 16;
    int add();
    Value& at(int index) { return chunks_[static_cast<std::size_t>(index) >> kShift][index & kMask]; }
    int size() const { return count_; }
    // Empties every slot, again as long as releasing stores new values, at
    // most passes times; true when the store ended empty.
    bool releaseValues(int passes);
    void clear();

private:
    static constexpr int kShift = 8;
    static constexpr int kMask = (1 << kShift) - 1;
    std::vector<std::unique_ptr<Value[]>> chunks_;
    int count_ = 0;
};

struct GlobalName {
    enum Kind { Var, Const, Proc, Class } kind = Var;
    int index = 0;       // global slot, procedure or class index
    Value value;         // Const
    bool isArray = false;
};

struct Runtime {
    GlobalStore globals;
    std::unordered_map<std::u16string, GlobalName> names;
    std::vector<std::unique_ptr<Proc>> procStore;  // every compiled procedure
    std::vector<Proc*> procs;                     // global procedures by index
    std::vector<std::unique_ptr<ClassInfo>> classes;
    bool optionExplicit = false;

    Proc* own(std::unique_ptr<Proc> p);
    void clear();
};

}  // namespace vbs
