#include "vbscript/Runtime.h"

namespace vbs {

int GlobalStore::add()
{
    if ((count_ & kMask) == 0) chunks_.push_back(std::make_unique<Value[]>(kMask + 1));
    return count_++;
}

bool GlobalStore::releaseValues(int passes)
{
    // In order, while the store is still intact: Class_Terminate code may read
    // other globals, and may store new values into ones already released.
    for (int pass = 0; pass < passes; ++pass) {
        bool released = false;
        for (int i = 0; i < count_; ++i) {
            if (at(i).isEmpty()) continue;
            released = true;
            Value dying = std::move(at(i));
            dying.clear();
        }
        if (!released) return true;
    }
    return false;
}

void GlobalStore::clear()
{
    releaseValues(kReleasePasses);
    chunks_.clear();  // destroying a value still here would run code against a dying store
    count_ = 0;
}

Proc* Runtime::own(std::unique_ptr<Proc> p)
{
    procStore.push_back(std::move(p));
    return procStore.back().get();
}

void Runtime::clear()
{
    globals.clear();
    names.clear();
    procs.clear();
    procStore.clear();
    classes.clear();
    optionExplicit = false;
}

}  // namespace vbs
