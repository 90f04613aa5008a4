#include "vbscript/Coerce.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "vbscript/DateTime.h"
#include "vbscript/Errors.h"
#include "vbscript/Object.h"

namespace vbs {
namespace {

bool isSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0x3000; }

std::optional<double> parseRadix(std::u16string_view t, int radix)
{
    if (t.empty() || t.size() > 22) return std::nullopt;
    unsigned long long v = 0;
    for (char16_t c : t) {
        int d = -1;
        if (c >= u'0' && c <= u'9') d = c - u'0';
        else if (c >= u'a' && c <= u'f') d = c - u'a' + 10;
        else if (c >= u'A' && c <= u'F') d = c - u'A' + 10;
        if (d < 0 || d >= radix) return std::nullopt;
        v = v * static_cast<unsigned>(radix) + static_cast<unsigned>(d);
    }
    // Up to 4 hex digits wrap as an Integer, up to 8 as a Long.
    if (v <= 0xFFFF && (radix == 16 ? t.size() <= 4 : v <= 0177777)) return static_cast<double>(static_cast<std::int16_t>(v));
    if (v <= 0xFFFFFFFFull) return static_cast<double>(static_cast<std::int32_t>(v));
    return static_cast<double>(v);
}

}  // namespace

std::optional<double> parseNumber(std::u16string_view text)
{
    std::size_t b = 0, e = text.size();
    while (b < e && isSpace(text[b])) ++b;
    while (e > b && isSpace(text[e - 1])) --e;
    std::u16string_view t = text.substr(b, e - b);
    if (t.size() > 2 && t[0] == u'&') {
        char16_t k = lowerChar(t[1]);
        if (k == u'h') return parseRadix(t.substr(2), 16);
        if (k == u'o') return parseRadix(t.substr(2), 8);
        return parseRadix(t.substr(1), 8);
    }
    std::string ascii;
    std::size_t i = 0;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) ascii += static_cast<char>(t[i++]);
    bool digits = false, dot = false;
    for (; i < t.size(); ++i) {
        char16_t c = t[i];
        if (c >= u'0' && c <= u'9') { ascii += static_cast<char>(c); digits = true; }
        else if (c == u',' && digits && !dot) continue;
        else if (c == u'.' && !dot) { ascii += '.'; dot = true; }
        else break;
    }
    if (!digits) return std::nullopt;
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E' || t[i] == u'd' || t[i] == u'D')) {
        ascii += 'e';
        ++i;
        if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) ascii += static_cast<char>(t[i++]);
        bool expDigits = false;
        for (; i < t.size() && t[i] >= u'0' && t[i] <= u'9'; ++i) { ascii += static_cast<char>(t[i]); expDigits = true; }
        if (!expDigits) return std::nullopt;
    }
    if (i != t.size()) return std::nullopt;
    double v = std::strtod(ascii.c_str(), nullptr);
    if (std::isinf(v)) return std::nullopt;
    return v;
}

Value resolveDefault(const Value& v)
{
    const Value& x = v.deref();
    if (x.tag != Tag::Object) return x;
    if (!x.o) raise(err::ObjectNotSet);
    return defaultValue(x.o);
}

double toDouble(const Value& value)
{
    const Value& v = value.deref();
    switch (v.tag) {
    case Tag::Empty: return 0;
    case Tag::Boolean: return v.b ? -1 : 0;
    case Tag::Byte: return v.by;
    case Tag::Integer: return v.i;
    case Tag::Long: return v.l;
    case Tag::Single: return v.f;
    case Tag::Double:
    case Tag::Date: return v.d;
    case Tag::Currency: return static_cast<double>(v.cy) / 10000.0;
    case Tag::String: {
        auto n = parseNumber(v.strView());
        if (!n) raise(err::TypeMismatch);
        return *n;
    }
    case Tag::Null: raise(err::InvalidNull);
    case Tag::Object: return toDouble(resolveDefault(v));
    default: raise(err::TypeMismatch);
    }
}

double roundHalfEven(double x)
{
    double r = std::nearbyint(x);  // default rounding mode: to nearest even
    return r;
}

std::int32_t toLong(const Value& value)
{
    const Value& v = value.deref();
    switch (v.tag) {
    case Tag::Integer: return v.i;
    case Tag::Long: return v.l;
    case Tag::Boolean: return v.b ? -1 : 0;
    case Tag::Byte: return v.by;
    case Tag::Empty: return 0;
    default: break;
    }
    double d = roundHalfEven(toDouble(v));
    if (!(d >= -2147483648.0 && d <= 2147483647.0)) raise(err::Overflow);
    return static_cast<std::int32_t>(d);
}

std::int16_t toInteger(const Value& v)
{
    std::int32_t l = toLong(v);
    if (l < -32768 || l > 32767) raise(err::Overflow);
    return static_cast<std::int16_t>(l);
}

std::int64_t toCurrency(const Value& value)
{
    const Value& v = value.deref();
    if (v.tag == Tag::Currency) return v.cy;
    double d = roundHalfEven(toDouble(v) * 10000.0);
    if (!(std::fabs(d) < 9.2233720368547e18)) raise(err::Overflow);
    return static_cast<std::int64_t>(d);
}

double toDate(const Value& value)
{
    const Value& v = value.deref();
    if (v.tag == Tag::String) {
        if (auto d = parseDate(v.strView())) return *d;
        if (auto n = parseNumber(v.strView())) return *n;
        raise(err::TypeMismatch);
    }
    double d = toDouble(v);
    if (!validDateSerial(d)) raise(err::Overflow);
    return d;
}

std::optional<bool> parseBoolWord(std::u16string_view text)
{
    if (text.size() < 4 || text.size() > 7) return std::nullopt;
    std::u16string low = toLower(text);
    if (low == u"true" || low == u"#true#") return true;
    if (low == u"false" || low == u"#false#") return false;
    return std::nullopt;
}

bool toBool(const Value& value)
{
    const Value& v = value.deref();
    switch (v.tag) {
    case Tag::Boolean: return v.b;
    case Tag::String: {
        if (auto word = parseBoolWord(v.strView())) return *word;
        auto n = parseNumber(v.strView());
        if (!n) raise(err::TypeMismatch);
        return *n != 0;
    }
    default: return toDouble(v) != 0;
    }
}

std::u16string formatDouble(double x, int digits)
{
    if (x == 0) return u"0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*E", digits - 1, x);
    // buf looks like -1.23450000000000E+005; split mantissa and exponent.
    std::string s(buf);
    auto epos = s.find('E');
    std::string mant = s.substr(0, epos);
    int exp = std::atoi(s.c_str() + epos + 1);
    bool neg = mant[0] == '-';
    if (neg) mant.erase(0, 1);
    std::string ds;
    for (char c : mant) if (c != '.') ds += c;
    while (ds.size() > 1 && ds.back() == '0') ds.pop_back();
    std::string out;
    // Plain notation from 1E-06 up to digits places; exponent form outside.
    // Unverified against the reference engine for the smallest values.
    if (exp >= digits || exp < -6) {
        out = ds.substr(0, 1);
        if (ds.size() > 1) {
            out += '.';
            out += ds.substr(1);
        }
        char e[16];
        std::snprintf(e, sizeof e, "E%c%02d", exp < 0 ? '-' : '+', exp < 0 ? -exp : exp);
        out += e;
    } else if (exp < 0) {
        out = "0." + std::string(static_cast<std::size_t>(-exp - 1), '0') + ds;
    } else {
        if (ds.size() <= static_cast<std::size_t>(exp) + 1) {
            out = ds + std::string(static_cast<std::size_t>(exp) + 1 - ds.size(), '0');
        } else {
            out = ds.substr(0, static_cast<std::size_t>(exp) + 1) + "." + ds.substr(static_cast<std::size_t>(exp) + 1);
        }
    }
    return asciiToU16((neg ? "-" : "") + out);
}

std::u16string formatCurrency(std::int64_t scaled)
{
    bool neg = scaled < 0;
    unsigned long long a = neg ? 0ull - static_cast<unsigned long long>(scaled) : static_cast<unsigned long long>(scaled);
    std::string s = std::to_string(a / 10000);
    unsigned frac = static_cast<unsigned>(a % 10000);
    if (frac) {
        char f[8];
        std::snprintf(f, sizeof f, ".%04u", frac);
        std::string fs(f);
        while (fs.back() == '0') fs.pop_back();
        s += fs;
    }
    return asciiToU16((neg ? "-" : "") + s);
}

std::u16string toStr(const Value& value)
{
    const Value& v = value.deref();
    switch (v.tag) {
    case Tag::Empty: return {};
    case Tag::String: return std::u16string(v.strView());
    case Tag::Boolean: return v.b ? u"True" : u"False";
    case Tag::Byte: return asciiToU16(std::to_string(v.by));
    case Tag::Integer: return asciiToU16(std::to_string(v.i));
    case Tag::Long: return asciiToU16(std::to_string(v.l));
    case Tag::Single: return formatDouble(v.f, 7);
    case Tag::Double: return formatDouble(v.d, 15);
    case Tag::Currency: return formatCurrency(v.cy);
    case Tag::Date: return formatDate(v.d);
    case Tag::Null: raise(err::InvalidNull);
    case Tag::Error: return u"Error " + asciiToU16(std::to_string(v.err));
    case Tag::Object: return toStr(resolveDefault(v));
    default: raise(err::TypeMismatch);
    }
}

Value toNumeric(const Value& value)
{
    const Value& v = value.deref();
    switch (v.tag) {
    case Tag::Empty: return Value::integer(0);
    case Tag::String: return Value::dbl(toDouble(v));
    case Tag::Object: return toNumeric(resolveDefault(v));
    case Tag::Array:
    case Tag::Error: raise(err::TypeMismatch);
    default: return v;
    }
}

std::u16string asciiToU16(std::string_view s)
{
    return std::u16string(s.begin(), s.end());
}

std::string u16ToAscii(std::u16string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (char16_t c : s) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

namespace {

// Ranges where a capital and its small letter lie a fixed distance apart.
struct CaseRange {
    char16_t first, last;  // capitals
    int delta;             // small = capital + delta
    bool alternating;      // capitals and smalls interleave (delta 1)
};

const CaseRange kCaseRanges[] = {
    {u'A', u'Z', 32, false},     {0x00C0, 0x00D6, 32, false}, {0x00D8, 0x00DE, 32, false},
    {0x0100, 0x012F, 1, true},   {0x0132, 0x0137, 1, true},   {0x0139, 0x0148, 1, true},
    {0x014A, 0x0177, 1, true},   {0x0179, 0x017E, 1, true},   {0x0386, 0x0386, 38, false},
    {0x0388, 0x038A, 37, false}, {0x038C, 0x038C, 64, false}, {0x038E, 0x038F, 63, false},
    {0x0391, 0x03A1, 32, false}, {0x03A3, 0x03AB, 32, false}, {0x0400, 0x040F, 80, false},
    {0x0410, 0x042F, 32, false}, {0x0460, 0x0481, 1, true},   {0x048A, 0x04BF, 1, true},
    {0xFF21, 0xFF3A, 32, false},
};

// Between the last script with cases and the full-width letters lie CJK and
// the rest: most non-ASCII text skips the table at once.
bool outsideCaseTable(char16_t c) { return c > 0x04C0 && c < 0xFF21; }

bool isCapitalIn(const CaseRange& r, char16_t c)
{
    if (c < r.first || c > r.last) return false;
    return !r.alternating || (c - r.first) % 2 == 0;
}

}  // namespace

char16_t lowerChar(char16_t c)
{
    if (c < 0x80) return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
    if (outsideCaseTable(c)) return c;
    if (c == 0x0178) return 0x00FF;  // Ÿ
    for (const CaseRange& r : kCaseRanges)
        if (isCapitalIn(r, c)) return static_cast<char16_t>(c + r.delta);
    return c;
}

char16_t upperChar(char16_t c)
{
    if (c < 0x80) return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
    if (outsideCaseTable(c)) return c;
    if (c == 0x00FF) return 0x0178;
    if (c == 0x03C2) return 0x03A3;  // final sigma
    for (const CaseRange& r : kCaseRanges) {
        char16_t capital = static_cast<char16_t>(c - r.delta);
        if (c >= r.delta && isCapitalIn(r, capital)) return capital;
    }
    return c;
}

std::u16string toLower(std::u16string_view s)
{
    std::u16string out(s);
    for (auto& c : out) c = lowerChar(c);
    return out;
}

std::u16string toUpper(std::u16string_view s)
{
    std::u16string out(s);
    for (auto& c : out) c = upperChar(c);
    return out;
}

int varType(const Value& value)
{
    const Value& v = value.deref();
    switch (v.tag) {
    case Tag::Empty: return vtEmpty;
    case Tag::Null: return vtNull;
    case Tag::Boolean: return vtBoolean;
    case Tag::Byte: return vtByte;
    case Tag::Integer: return vtInteger;
    case Tag::Long: return vtLong;
    case Tag::Single: return vtSingle;
    case Tag::Double: return vtDouble;
    case Tag::Currency: return vtCurrency;
    case Tag::Date: return vtDate;
    case Tag::String: return vtString;
    case Tag::Object: return vtObject;
    case Tag::Error: return vtError;
    case Tag::Array: return vtArray + vtVariant;
    default: return vtEmpty;
    }
}

std::u16string typeName(const Value& value)
{
    const Value& v = value.deref();
    switch (v.tag) {
    case Tag::Empty: return u"Empty";
    case Tag::Null: return u"Null";
    case Tag::Boolean: return u"Boolean";
    case Tag::Byte: return u"Byte";
    case Tag::Integer: return u"Integer";
    case Tag::Long: return u"Long";
    case Tag::Single: return u"Single";
    case Tag::Double: return u"Double";
    case Tag::Currency: return u"Currency";
    case Tag::Date: return u"Date";
    case Tag::String: return u"String";
    case Tag::Object: return v.o ? v.o->typeName() : u"Nothing";
    case Tag::Error: return u"Error";
    case Tag::Array: return u"Variant()";
    default: return u"Empty";
    }
}

}  // namespace vbs
