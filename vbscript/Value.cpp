#include "vbscript/Value.h"

#include <memory>

#include "vbscript/Errors.h"
#include "vbscript/Object.h"

namespace vbs {

StrObj* makeStr(std::u16string text)
{
    auto owned = std::make_unique<StrObj>();
    owned->text = std::move(text);
    return owned.release();  // from here on owned by the Value refcount
}

Value Value::str(std::u16string_view text)
{
    Value v;
    v.tag = Tag::String;
    v.s = text.empty() ? nullptr : makeStr(std::u16string(text));
    if (v.s) v.s->refs = 1;
    return v;
}

Value Value::str(std::u16string&& text)
{
    Value v;
    v.tag = Tag::String;
    v.s = text.empty() ? nullptr : makeStr(std::move(text));
    if (v.s) v.s->refs = 1;
    return v;
}

Value Value::object(Object* obj)
{
    Value v;
    v.tag = Tag::Object;
    v.o = obj;
    if (obj) ++obj->refs;
    return v;
}

Value Value::array(ArrayObj* arr)
{
    Value v;
    v.tag = Tag::Array;
    v.a = arr;
    ++arr->refs;
    return v;
}

bool Value::isNumeric() const
{
    return tag >= Tag::Boolean && tag <= Tag::Date;
}

std::u16string_view Value::strView() const
{
    return s ? std::u16string_view(s->text) : std::u16string_view();
}

void Value::appendStr(std::u16string_view tail)
{
    if (tail.empty()) return;
    if (strView().size() + tail.size() > kMaxStringLength) throw ScriptError{err::OutOfString, {}, {}};
    if (s && s->refs == 1) {
        s->text.append(tail);
        return;
    }
    std::u16string joined;
    joined.reserve(strView().size() + tail.size());
    joined.append(strView()).append(tail);
    *this = Value::str(std::move(joined));
}

void Value::retain() const
{
    switch (tag) {
    case Tag::String: if (s) ++s->refs; break;
    case Tag::Object: if (o) ++o->refs; break;
    case Tag::Array: ++a->refs; break;
    default: break;
    }
}

namespace {

// Objects and arrays hold Values, so freeing one can free a chain of
// others. They are freed from a work list instead of recursively, so a
// million-long linked list cannot exhaust the native stack.
struct Doomed {
    Object* object;
    ArrayObj* array;
};
thread_local std::vector<Doomed> doomed;
thread_local bool draining = false;

void destroy(Doomed d)
{
    if (d.object) std::unique_ptr<Object> owned(d.object);
    else std::unique_ptr<ArrayObj> owned(d.array);
}

void destroyLater(Doomed d)
{
    doomed.push_back(d);
    if (draining) return;
    draining = true;
    while (!doomed.empty()) {
        Doomed next = doomed.back();
        doomed.pop_back();
        destroy(next);
    }
    draining = false;
}

void releaseObject(Object* o)
{
    if (--o->refs > 0) return;
    // Keep it alive while its terminate code runs and may copy Me around.
    o->refs = 1;
    o->lastReferenceGone();
    if (--o->refs == 0) destroyLater({o, nullptr});
}

}  // namespace

void Value::release()
{
    switch (tag) {
    case Tag::String:
        if (s && --s->refs == 0) std::unique_ptr<StrObj> owned(s);
        break;
    case Tag::Object:
        if (o) releaseObject(o);
        break;
    case Tag::Array:
        if (--a->refs == 0) destroyLater({nullptr, a});
        break;
    default: break;
    }
}

ArrayObj* ArrayObj::make(std::vector<std::int32_t> upperBounds)
{
    auto arr = std::make_unique<ArrayObj>();
    std::size_t n = 1;
    for (auto u : upperBounds) n *= static_cast<std::size_t>(u + 1);
    arr->upper = std::move(upperBounds);
    arr->items.resize(n);
    return arr.release();  // owned by the Value that wraps it
}

ArrayObj* ArrayObj::clone() const
{
    auto arr = std::make_unique<ArrayObj>();
    arr->upper = upper;
    arr->items = items;
    return arr.release();
}

}  // namespace vbs
