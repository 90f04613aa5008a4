#include "vbscript/Operators.h"

#include <cmath>
#include <cstdint>

#include "vbscript/ByteString.h"
#include "vbscript/Coerce.h"
#include "vbscript/Errors.h"

namespace vbs {
namespace {

// Numeric ranks for choosing a result subtype; Boolean counts as Integer.
enum Rank { rByte, rInteger, rLong, rSingle, rDouble, rCurrency, rDate };

Rank rankOf(const Value& v)
{
    switch (v.tag) {
    case Tag::Byte: return rByte;
    case Tag::Long: return rLong;
    case Tag::Single: return rSingle;
    case Tag::Double: return rDouble;
    case Tag::Currency: return rCurrency;
    case Tag::Date: return rDate;
    default: return rInteger;  // Integer, Boolean, Empty
    }
}

std::int64_t intOf(const Value& v)
{
    switch (v.tag) {
    case Tag::Byte: return v.by;
    case Tag::Integer: return v.i;
    case Tag::Long: return v.l;
    case Tag::Boolean: return v.b ? -1 : 0;
    default: return 0;
    }
}

// Fits an exact integer result into the narrowest allowed subtype.
Value fitInteger(std::int64_t r, Rank atLeast)
{
    if (atLeast == rByte && r >= 0 && r <= 255) return Value::byte(static_cast<std::uint8_t>(r));
    if (atLeast <= rInteger && r >= -32768 && r <= 32767) return Value::integer(static_cast<std::int16_t>(r));
    if (r >= INT32_MIN && r <= INT32_MAX) return Value::lng(static_cast<std::int32_t>(r));
    return Value::dbl(static_cast<double>(r));
}

double checked(double r)
{
    if (std::isinf(r) || std::isnan(r)) raise(err::Overflow);
    return r;
}

enum class Arith { Add, Sub, Mul };

Value arith(Arith op, const Value& a0, const Value& b0)
{
    Value a = toNumeric(a0), b = toNumeric(b0);
    if (a.isNull() || b.isNull()) return Value::null();
    Rank ra = rankOf(a), rb = rankOf(b);
    Rank r = ra > rb ? ra : rb;
    if (r <= rLong) {
        std::int64_t x = intOf(a), y = intOf(b);
        std::int64_t z = op == Arith::Add ? x + y : op == Arith::Sub ? x - y : x * y;
        return fitInteger(z, r);
    }
    if (r == rCurrency && ra != rSingle && ra != rDouble && rb != rSingle && rb != rDouble) {
        std::int64_t x = toCurrency(a), y = toCurrency(b);
        if (op == Arith::Mul) {
            double z = checked(static_cast<double>(x) * static_cast<double>(y) / 10000.0);
            if (std::fabs(z) >= 9.2233720368547e18) raise(err::Overflow);
            return Value::currency(static_cast<std::int64_t>(roundHalfEven(z)));
        }
        std::int64_t z;
        bool overflow = op == Arith::Add ? __builtin_add_overflow(x, y, &z) : __builtin_sub_overflow(x, y, &z);
        if (overflow) raise(err::Overflow);
        return Value::currency(z);
    }
    double x = toDouble(a), y = toDouble(b);
    double z = checked(op == Arith::Add ? x + y : op == Arith::Sub ? x - y : x * y);
    if (r == rDate && op != Arith::Mul) {
        if (ra == rDate && rb == rDate && op == Arith::Sub) return Value::dbl(z);
        if (!std::isfinite(z) || z < -657434.0 || z >= 2958466.0) raise(err::Overflow);
        return Value::date(z);
    }
    if (r == rSingle && ra != rLong && rb != rLong) {
        float f = static_cast<float>(z);
        if (std::isinf(f)) return Value::dbl(z);
        return Value::single(f);
    }
    return Value::dbl(z);
}

bool isIntegral(Rank r) { return r <= rLong; }

// Both operands as Long for \ and Mod and the bitwise operators.
struct IntPair {
    std::int32_t x, y;
    Rank rank;
};

IntPair intPair(const Value& a, const Value& b)
{
    Rank ra = rankOf(a), rb = rankOf(b);
    Rank r = ra > rb ? ra : rb;
    if (!isIntegral(r)) r = rLong;
    return {toLong(a), toLong(b), r};
}

bool bothBoolean(const Value& a, const Value& b)
{
    return a.tag == Tag::Boolean && b.tag == Tag::Boolean;
}

enum class Logic { And, Or, Xor, Eqv, Imp };

std::int32_t bitwise(Logic op, std::int32_t x, std::int32_t y)
{
    switch (op) {
    case Logic::And: return x & y;
    case Logic::Or: return x | y;
    case Logic::Xor: return x ^ y;
    case Logic::Eqv: return ~(x ^ y);
    case Logic::Imp: return ~x | y;
    }
    return 0;
}

Value fromBits(std::int32_t r, Rank rank)
{
    if (rank == rByte) return Value::byte(static_cast<std::uint8_t>(r));
    if (rank == rInteger) return Value::integer(static_cast<std::int16_t>(r));
    return Value::lng(r);
}

// Null acts as "unknown": it wins unless the other side decides the result.
Value logicWithNull(Logic op, const Value& a, const Value& b)
{
    bool aNull = a.isNull();
    const Value& other = aNull ? b : a;
    if (other.isNull()) return Value::null();
    std::int32_t k = toLong(other);
    bool otherIsBool = other.tag == Tag::Boolean;
    auto known = [&](std::int32_t bits) { return otherIsBool ? Value::boolean(bits != 0) : fromBits(bits, rankOf(other)); };
    switch (op) {
    case Logic::And: if (k == 0) return known(0); break;
    case Logic::Or: if (k == -1) return known(-1); break;
    case Logic::Imp:
        if (aNull && k == -1) return known(-1);   // Null Imp True
        if (!aNull && k == 0) return known(-1);   // False Imp Null
        break;
    default: break;
    }
    return Value::null();
}

// Not, And, Or...: a string that is no number may still be a Boolean word.
Value logicOperand(const Value& v0)
{
    const Value& v = v0.deref();
    if (v.isString() && !parseNumber(v.strView())) {
        if (auto word = parseBoolWord(v.strView())) return Value::boolean(*word);
    }
    return toNumeric(v);
}

Value logic(Logic op, const Value& a0, const Value& b0)
{
    Value a = logicOperand(a0), b = logicOperand(b0);
    if (a.isNull() || b.isNull()) return logicWithNull(op, a, b);
    if (bothBoolean(a, b)) return Value::boolean(bitwise(op, a.b ? -1 : 0, b.b ? -1 : 0) != 0);
    IntPair p = intPair(a, b);
    return fromBits(bitwise(op, p.x, p.y), p.rank);
}

enum Kind { kEmpty, kNumber, kString };

Kind kindOf(const Value& v)
{
    if (v.isEmpty()) return kEmpty;
    if (v.isString()) return kString;
    if (v.isNumeric()) return kNumber;
    raise(err::TypeMismatch);
}

int sign(double d) { return d < 0 ? -1 : d > 0 ? 1 : 0; }

int compareNumbers(const Value& a, const Value& b)
{
    if (a.tag == Tag::Currency && b.tag == Tag::Currency) return a.cy < b.cy ? -1 : a.cy > b.cy;
    return sign(toDouble(a) - toDouble(b));
}

}  // namespace

Value opAdd(const Value& a0, const Value& b0)
{
    const Value& a = a0.deref();
    const Value& b = b0.deref();
    if (a.isString() && b.isString()) {
        Value r = a;
        r.appendStr(b.strView());
        return r;
    }
    if ((a.isString() && b.isEmpty()) || (a.isEmpty() && b.isString())) return a.isString() ? a : b;
    return arith(Arith::Add, a, b);
}

Value opSub(const Value& a, const Value& b) { return arith(Arith::Sub, a, b); }
Value opMul(const Value& a, const Value& b) { return arith(Arith::Mul, a, b); }

Value opDiv(const Value& a0, const Value& b0)
{
    Value a = toNumeric(a0), b = toNumeric(b0);
    if (a.isNull() || b.isNull()) return Value::null();
    double x = toDouble(a), y = toDouble(b);
    if (y == 0) raise(x == 0 ? err::Overflow : err::DivByZero);
    return Value::dbl(checked(x / y));
}

Value opIntDiv(const Value& a0, const Value& b0)
{
    Value a = toNumeric(a0), b = toNumeric(b0);
    if (a.isNull() || b.isNull()) return Value::null();
    IntPair p = intPair(a, b);
    if (p.y == 0) raise(err::DivByZero);
    return fitInteger(static_cast<std::int64_t>(p.x) / p.y, p.rank);
}

Value opMod(const Value& a0, const Value& b0)
{
    Value a = toNumeric(a0), b = toNumeric(b0);
    if (a.isNull() || b.isNull()) return Value::null();
    IntPair p = intPair(a, b);
    if (p.y == 0) raise(err::DivByZero);
    return fitInteger(static_cast<std::int64_t>(p.x) % p.y, p.rank);
}

Value opPow(const Value& a0, const Value& b0)
{
    Value a = toNumeric(a0), b = toNumeric(b0);
    if (a.isNull() || b.isNull()) return Value::null();
    double x = toDouble(a), y = toDouble(b);
    if (x == 0 && y < 0) raise(err::InvalidCall);
    double r = std::pow(x, y);
    if (std::isnan(r)) raise(err::InvalidCall);
    return Value::dbl(checked(r));
}

Value opNeg(const Value& a0)
{
    Value a = toNumeric(a0);
    switch (a.tag) {
    case Tag::Null: return a;
    case Tag::Byte: return Value::integer(static_cast<std::int16_t>(-a.by));
    case Tag::Boolean: return Value::integer(a.b ? 1 : 0);
    case Tag::Integer: return fitInteger(-static_cast<std::int64_t>(a.i), rInteger);
    case Tag::Long: return fitInteger(-static_cast<std::int64_t>(a.l), rLong);
    case Tag::Single: return Value::single(-a.f);
    case Tag::Currency: return Value::currency(-a.cy);
    case Tag::Date: return Value::date(-a.d);
    default: return Value::dbl(-toDouble(a));
    }
}

Value opConcat(const Value& a0, const Value& b0)
{
    const Value& a = a0.deref();
    const Value& b = b0.deref();
    if (a.isNull() && b.isNull()) return Value::null();
    if (isOddByteString(a) || isOddByteString(b)) return concatBytes(a, b);
    Value r = a.isString() ? a : a.isNull() ? Value::str(std::u16string_view()) : Value::str(toStr(a));
    if (b.isString()) r.appendStr(b.strView());
    else if (!b.isNull()) r.appendStr(toStr(b));
    return r;
}

Value opNot(const Value& a0)
{
    Value a = logicOperand(a0);
    switch (a.tag) {
    case Tag::Null: return a;
    case Tag::Boolean: return Value::boolean(!a.b);
    case Tag::Byte: return Value::byte(static_cast<std::uint8_t>(~a.by));
    case Tag::Integer: return Value::integer(static_cast<std::int16_t>(~a.i));
    default: return Value::lng(~toLong(a));
    }
}

Value opAnd(const Value& a, const Value& b) { return logic(Logic::And, a, b); }
Value opOr(const Value& a, const Value& b) { return logic(Logic::Or, a, b); }
Value opXor(const Value& a, const Value& b) { return logic(Logic::Xor, a, b); }
Value opEqv(const Value& a, const Value& b) { return logic(Logic::Eqv, a, b); }
Value opImp(const Value& a, const Value& b) { return logic(Logic::Imp, a, b); }

int compareStrings(std::u16string_view a, std::u16string_view b, bool textMode)
{
    if (!textMode) {
        int c = a.compare(b);
        return c < 0 ? -1 : c > 0;
    }
    std::u16string la = toLower(a), lb = toLower(b);
    int c = la.compare(lb);
    return c < 0 ? -1 : c > 0;
}

int compareValues(const Value& a0, const Value& b0, int flags, bool textMode)
{
    Value a = resolveDefault(a0), b = resolveDefault(b0);
    Kind ka = kindOf(a), kb = kindOf(b);
    if (ka == kEmpty && kb == kEmpty) return 0;
    if (ka == kEmpty) return kb == kString ? compareStrings(u"", b.strView(), textMode) : sign(-toDouble(b));
    if (kb == kEmpty) return ka == kString ? compareStrings(a.strView(), u"", textMode) : sign(toDouble(a));
    if (ka == kString && kb == kString) return compareStrings(a.strView(), b.strView(), textMode);
    if (ka == kNumber && kb == kNumber) return compareNumbers(a, b);
    // One number, one string.
    bool numberIsLiteral = (ka == kNumber && (flags & kLeftLiteral)) || (kb == kNumber && (flags & kRightLiteral));
    bool stringIsLiteral = (ka == kString && (flags & kLeftLiteral)) || (kb == kString && (flags & kRightLiteral));
    // A string that is no number cannot equal a numeric literal; it then
    // orders as strings do against numbers.
    const Value& str = ka == kString ? a : b;
    if (numberIsLiteral && parseNumber(str.strView())) return compareNumbers(Value::dbl(toDouble(a)), Value::dbl(toDouble(b)));
    if (stringIsLiteral) return compareStrings(toStr(a), toStr(b), textMode);
    return ka == kNumber ? -1 : 1;
}

Value opCompare(CmpOp op, const Value& a0, const Value& b0, int flags)
{
    const Value& a = a0.deref();
    const Value& b = b0.deref();
    if (a.isNull() || b.isNull()) return Value::null();
    int c = compareValues(a, b, flags);
    switch (op) {
    case CmpOp::Eq: return Value::boolean(c == 0);
    case CmpOp::Ne: return Value::boolean(c != 0);
    case CmpOp::Lt: return Value::boolean(c < 0);
    case CmpOp::Gt: return Value::boolean(c > 0);
    case CmpOp::Le: return Value::boolean(c <= 0);
    case CmpOp::Ge: return Value::boolean(c >= 0);
    }
    return Value::null();
}

bool opIs(const Value& a0, const Value& b0)
{
    const Value& a = a0.deref();
    const Value& b = b0.deref();
    if (!a.isObject() || !b.isObject()) raise(err::ObjectRequired);
    return a.o == b.o;
}

}  // namespace vbs
