#pragma once
// The one interface every object behind a Variant implements: script class
// instances and the built-in objects (Err, WScript, and later host-provided
// classes). Members are late-bound: the VM asks for an id by name once per
// call site, caches it against classKey(), then invokes by id.
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "vbscript/Value.h"

namespace vbs {

enum class Invoke { Get, Let, Set, Call };  // Call: result not needed

struct Args {
    Value* items;  // may hold Ref slots for ByRef arguments
    int count;
    Value& operator[](int i) const { return items[i].deref(); }
};

// Walks a collection for For Each.
class Enumerator {
public:
    virtual ~Enumerator() = default;
    virtual bool next(Value& out) = 0;
};

class Object {
public:
    static constexpr int kNoMember = -1;
    static constexpr int kDefaultMember = -2;

    virtual ~Object() = default;
    // The name TypeName reports.
    virtual std::u16string typeName() const = 0;
    // Identity of the member table; objects sharing it share member ids.
    virtual const void* classKey() const = 0;
    // lowerName is already lower case. kNoMember when absent.
    virtual int memberId(std::u16string_view lowerName) const = 0;
    // Throws ScriptError 438 itself when the id/kind pair is not supported.
    virtual void invoke(int id, Invoke kind, Args args, Value& result) = 0;
    // nullptr when the object cannot be walked with For Each.
    virtual std::unique_ptr<Enumerator> enumerate() { return nullptr; }
    // Called when the last reference goes, before deletion.
    virtual void lastReferenceGone() {}
    // Releases every value the object holds; reset calls it on the objects
    // the VM tracks to break reference cycles between them.
    virtual void dropHeldValues() {}

    int refs = 0;
};

// A new object, owned from the start by the returned Value's reference count.
template <class T, class... A>
Value makeObject(A&&... a)
{
    return Value::object(new T(std::forward<A>(a)...));
}

// Fetches an object's default value (error 438 without a default member).
Value defaultValue(Object* obj);

}  // namespace vbs
