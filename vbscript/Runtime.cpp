#include "vbscript/Runtime.h"

namespace vbs {

int GlobalStore::add()
{
    if ((count_ & kMask) == 0) chunks_.push_back(std::make_unique<Value[]>(kMask + 1));
    return count_++;
}

void GlobalStore::clear()
{
    // Release values first and in order, while the store is still intact,
    // since Class_Terminate code may read other globals.
    for (int i = 0; i < count_; ++i) {
        Value dying = std::move(at(i));
        dying.clear();
    }
    chunks_.clear();
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
