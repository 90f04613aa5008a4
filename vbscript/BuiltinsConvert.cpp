// Conversion and rounding functions.
#include <cmath>

#include "vbscript/Builtins.h"
#include "vbscript/Coerce.h"
#include "vbscript/DateTime.h"
#include "vbscript/Errors.h"
#include "vbscript/Operators.h"

namespace vbs {
namespace {

const Value& notNull(const Value& v)
{
    if (v.isNull()) raise(err::InvalidNull);
    return v;
}

Value fnCBool(Vm&, Args a) { return Value::boolean(toBool(resolveDefault(notNull(a[0])))); }

Value fnCByte(Vm&, Args a)
{
    // True is all bits set: 255 as a Byte, not an overflow.
    if (a[0].tag == Tag::Boolean) return Value::byte(a[0].b ? 255 : 0);
    std::int32_t v = toLong(notNull(a[0]));
    if (v < 0 || v > 255) raise(err::Overflow);
    return Value::byte(static_cast<std::uint8_t>(v));
}

Value fnCInt(Vm&, Args a) { return Value::integer(toInteger(notNull(a[0]))); }
Value fnCLng(Vm&, Args a) { return Value::lng(toLong(notNull(a[0]))); }

Value fnCSng(Vm&, Args a)
{
    double d = toDouble(notNull(a[0]));
    if (std::fabs(d) > 3.402823466e38) raise(err::Overflow);
    return Value::single(static_cast<float>(d));
}

Value fnCDbl(Vm&, Args a) { return Value::dbl(toDouble(notNull(a[0]))); }
Value fnCCur(Vm&, Args a) { return Value::currency(toCurrency(notNull(a[0]))); }
Value fnCDate(Vm&, Args a) { return Value::date(toDate(notNull(a[0]))); }
Value fnCStr(Vm&, Args a) { return Value::str(toStr(notNull(a[0]))); }

Value fnAbs(Vm&, Args a)
{
    Value v = toNumeric(a[0]);
    switch (v.tag) {
    case Tag::Null: return v;
    case Tag::Integer: return v.i < 0 ? opNeg(v) : v;
    case Tag::Long: return v.l < 0 ? opNeg(v) : v;
    case Tag::Boolean: return Value::integer(v.b ? 1 : 0);
    case Tag::Byte: return v;
    case Tag::Single: return Value::single(std::fabs(v.f));
    case Tag::Currency: return Value::currency(v.cy < 0 ? -v.cy : v.cy);
    case Tag::Date: return Value::date(std::fabs(v.d));
    default: return Value::dbl(std::fabs(toDouble(v)));
    }
}

// Int rounds down, Fix toward zero; both keep the argument's subtype.
Value truncated(const Value& v0, bool towardZero)
{
    Value v = toNumeric(v0);
    auto cut = [&](double d) { return towardZero ? std::trunc(d) : std::floor(d); };
    switch (v.tag) {
    case Tag::Null: case Tag::Integer: case Tag::Long: case Tag::Byte: return v;
    case Tag::Boolean: return Value::integer(v.b ? -1 : 0);
    case Tag::Single: return Value::single(static_cast<float>(cut(v.f)));
    case Tag::Currency: return Value::currency(static_cast<std::int64_t>(cut(static_cast<double>(v.cy) / 10000.0)) * 10000);
    case Tag::Date: return Value::date(cut(v.d));
    default: return Value::dbl(cut(toDouble(v)));
    }
}
Value fnInt(Vm&, Args a) { return truncated(a[0], false); }
Value fnFix(Vm&, Args a) { return truncated(a[0], true); }

Value fnSgn(Vm&, Args a)
{
    if (a[0].isNull()) raise(err::InvalidNull);
    double d = toDouble(a[0]);
    return Value::integer(static_cast<std::int16_t>(d > 0 ? 1 : d < 0 ? -1 : 0));
}

Value fnRound(Vm&, Args a)
{
    Value v = toNumeric(a[0]);
    if (v.isNull()) return v;
    std::int32_t places = argInt(a, 1, 0);
    if (places < 0) raise(err::InvalidCall);
    if (v.tag == Tag::Integer || v.tag == Tag::Long || v.tag == Tag::Byte) return v;
    if (v.tag == Tag::Boolean) return Value::integer(v.b ? -1 : 0);
    double d = toDouble(v);
    double scale = std::pow(10.0, places);
    double scaled = d * scale;
    // Undo representation noise like 2.675 * 100 = 267.49999999999997.
    double nearest = std::round(scaled);
    if (std::fabs(scaled - nearest) < 1e-9 * std::max(1.0, std::fabs(scaled))) scaled = nearest;
    double r = roundHalfEven(scaled) / scale;
    if (v.tag == Tag::Single) return Value::single(static_cast<float>(r));
    if (v.tag == Tag::Currency) return Value::currency(toCurrency(Value::dbl(r)));
    if (v.tag == Tag::Date) return Value::date(r);
    return Value::dbl(r);
}

std::u16string inRadix(std::uint32_t v, int radix)
{
    const char* digits = "0123456789ABCDEF";
    std::u16string s;
    do {
        s.insert(s.begin(), static_cast<char16_t>(digits[v % static_cast<unsigned>(radix)]));
        v /= static_cast<unsigned>(radix);
    } while (v);
    return s;
}

Value radixString(const Value& v0, int radix)
{
    Value v = toNumeric(v0);
    if (v.isNull()) return v;
    std::int32_t n = toLong(v);
    // Integer-sized values show as 16-bit patterns.
    bool small = (v.tag == Tag::Integer || v.tag == Tag::Byte || v.tag == Tag::Boolean) && n < 0;
    std::uint32_t bits = small ? static_cast<std::uint16_t>(n) : static_cast<std::uint32_t>(n);
    return Value::str(inRadix(bits, radix));
}
Value fnHex(Vm&, Args a) { return radixString(a[0], 16); }
Value fnOct(Vm&, Args a) { return radixString(a[0], 8); }

const Builtin kTable[] = {
    {u"cbool", fnCBool, 1, 1}, {u"cbyte", fnCByte, 1, 1}, {u"cint", fnCInt, 1, 1},
    {u"clng", fnCLng, 1, 1}, {u"csng", fnCSng, 1, 1}, {u"cdbl", fnCDbl, 1, 1},
    {u"ccur", fnCCur, 1, 1}, {u"cdate", fnCDate, 1, 1}, {u"cstr", fnCStr, 1, 1},
    {u"abs", fnAbs, 1, 1}, {u"int", fnInt, 1, 1}, {u"fix", fnFix, 1, 1}, {u"sgn", fnSgn, 1, 1},
    {u"round", fnRound, 1, 2}, {u"hex", fnHex, 1, 1}, {u"oct", fnOct, 1, 1},
};

}  // namespace

std::span<const Builtin> conversionBuiltins() { return kTable; }

}  // namespace vbs
