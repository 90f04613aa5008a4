#pragma once
// A read-only collection over a fixed list: Item(i) (the default member,
// counting from 0), Count, and For Each. Subclasses give the items.
#include <cstdint>
#include <memory>
#include <span>

#include "vbscript/NativeObject.h"

namespace vbs {

class ListObject : public NativeObject {
public:
    static constexpr int kItem = 0;
    static constexpr int kCount = 1;

    void invoke(int id, Invoke kind, Args args, Value& result) override;
    std::unique_ptr<Enumerator> enumerate() override;

protected:
    virtual std::size_t size() const = 0;
    virtual Value at(std::size_t i) const = 0;
    // The error for an index outside the list.
    virtual int outOfRange() const;
    // item and count, with those ids.
    std::span<const char16_t* const> memberNames() const override;
};

}  // namespace vbs
