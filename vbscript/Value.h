#pragma once
// The Variant: a 16-byte tagged union. Strings, arrays and objects live on the
// heap behind intrusive reference counts so copies are cheap and a uniquely
// held string can be appended to in place.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vbs {

class Object;
struct StrObj;
struct ArrayObj;

// Internal tags. Heap-backed tags come last so one compare tells them apart.
enum class Tag : std::uint8_t {
    Empty, Null, Boolean, Byte, Integer, Long, Single, Double, Currency, Date,
    Error, Ref,  // Ref: a ByRef argument slot pointing at the caller's variable
    String, Object, Array,
};

// VarType numbers as the language reports them.
enum VarTypeCode : int {
    vtEmpty = 0, vtNull = 1, vtInteger = 2, vtLong = 3, vtSingle = 4, vtDouble = 5,
    vtCurrency = 6, vtDate = 7, vtString = 8, vtObject = 9, vtError = 10,
    vtBoolean = 11, vtVariant = 12, vtByte = 17, vtArray = 8192,
};

struct Value {
    Tag tag = Tag::Empty;
    std::uint8_t flags = 0;  // kFixedArray, plus kLockUnit per lock; any flag refuses replacing the array
    union {
        bool b;
        std::uint8_t by;
        std::int16_t i;
        std::int32_t l;
        float f;
        double d;  // Double and Date
        std::int64_t cy;  // Currency, scaled by 10000
        StrObj* s;  // nullptr is the empty string
        Object* o;  // nullptr is Nothing
        ArrayObj* a;
        Value* ref;
        std::int32_t err;
    };
    static constexpr std::uint8_t kFixedArray = 1;
    // Counted in the bits above kFixedArray: an element of the array is out
    // as a ByRef argument, so the variable cannot be resized or replaced.
    static constexpr std::uint8_t kLockUnit = 2;

    Value() : l(0) { cy = 0; }
    Value(const Value& v) : tag(v.tag), flags(0) { cy = v.cy; if (isHeap()) retain(); }
    // A moved value leaves its flags behind: flags describe a variable, not
    // the value (and copying them separately keeps stores and loads the same
    // width, which the CPU forwards cheaply).
    Value(Value&& v) noexcept : tag(v.tag), flags(0) { cy = v.cy; v.tag = Tag::Empty; }
    Value& operator=(const Value& v) {
        if (this != &v) { Value t(v); swap(t); }
        return *this;
    }
    Value& operator=(Value&& v) noexcept { Value t(std::move(v)); swap(t); return *this; }
    ~Value() { if (isHeap()) release(); }

    void swap(Value& v) noexcept {
        std::swap(tag, v.tag); std::swap(flags, v.flags); std::swap(cy, v.cy);
    }
    bool isHeap() const { return tag >= Tag::String; }
    // Copies v into this value, which must hold no heap payload.
    void assignFresh(const Value& v)
    {
        tag = v.tag;
        flags = 0;
        cy = v.cy;
        if (isHeap()) retain();
    }
    void clear() { if (isHeap()) release(); tag = Tag::Empty; flags = 0; cy = 0; }

    static Value null() { Value v; v.tag = Tag::Null; return v; }
    static Value boolean(bool x) { Value v; v.tag = Tag::Boolean; v.b = x; return v; }
    static Value byte(std::uint8_t x) { Value v; v.tag = Tag::Byte; v.by = x; return v; }
    static Value integer(std::int16_t x) { Value v; v.tag = Tag::Integer; v.i = x; return v; }
    static Value lng(std::int32_t x) { Value v; v.tag = Tag::Long; v.l = x; return v; }
    static Value single(float x) { Value v; v.tag = Tag::Single; v.f = x; return v; }
    static Value dbl(double x) { Value v; v.tag = Tag::Double; v.d = x; return v; }
    static Value currency(std::int64_t scaled) { Value v; v.tag = Tag::Currency; v.cy = scaled; return v; }
    static Value date(double x) { Value v; v.tag = Tag::Date; v.d = x; return v; }
    static Value error(std::int32_t code) { Value v; v.tag = Tag::Error; v.err = code; return v; }
    static Value str(std::u16string_view text);
    static Value str(std::u16string&& text);
    static Value str(const char16_t* text) { return str(std::u16string_view(text)); }
    static Value object(Object* obj);  // takes a new reference
    static Value nothing() { Value v; v.tag = Tag::Object; v.o = nullptr; return v; }
    static Value array(ArrayObj* arr);  // takes a new reference
    static Value refTo(Value* target) { Value v; v.tag = Tag::Ref; v.ref = target; return v; }

    // Follows a ByRef slot to the variable it stands for.
    Value& deref() { return tag == Tag::Ref ? *ref : *this; }
    const Value& deref() const { return tag == Tag::Ref ? *ref : *this; }

    bool isString() const { return tag == Tag::String; }
    bool isObject() const { return tag == Tag::Object; }
    bool isArray() const { return tag == Tag::Array; }
    bool isNull() const { return tag == Tag::Null; }
    bool isEmpty() const { return tag == Tag::Empty; }
    bool isNumeric() const;  // Boolean, Byte .. Date (the number-like subtypes)

    std::u16string_view strView() const;
    // Appends in place when this string is the only reference to its buffer.
    void appendStr(std::u16string_view tail);

private:
    void retain() const;
    void release();
};
static_assert(sizeof(Value) == 16, "the Variant must stay compact");

struct StrObj {
    int refs = 0;
    std::u16string text;
    // The last unit holds only its low byte: a byte string of odd length,
    // as ChrB, LeftB and MidB make them.
    bool oddByte = false;
};

// A rectangular array; bounds are per dimension, lower bound always 0.
struct ArrayObj {
    int refs = 0;
    std::vector<std::int32_t> upper;  // upper bound per dimension
    std::vector<Value> items;  // row-major, last index fastest
    static ArrayObj* make(std::vector<std::int32_t> upperBounds);
    ArrayObj* clone() const;
    std::size_t dims() const { return upper.size(); }
};

// Longest string a script may build (in UTF-16 units); longer raises
// error 14 instead of exhausting memory.
constexpr std::size_t kMaxStringLength = std::size_t{1} << 28;

// Allocates a heap payload that the Value machinery owns from then on.
StrObj* makeStr(std::u16string text);

}  // namespace vbs
