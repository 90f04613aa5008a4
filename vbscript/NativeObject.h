#pragma once
// Base for objects written in C++: a fixed table of member names gives the
// member ids, so a new built-in class is one table plus one invoke().
#include <span>

#include "vbscript/Object.h"

namespace vbs {

class NativeObject : public Object {
public:
    const void* classKey() const override { return memberNames().data(); }
    int memberId(std::u16string_view lowerName) const override;

protected:
    // Lower-case names; a member's id is its position.
    virtual std::span<const char16_t* const> memberNames() const = 0;
    // Raises 450 unless min <= args.count <= max.
    static void arity(const Args& args, int min, int max);
};

}  // namespace vbs
