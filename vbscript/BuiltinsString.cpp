// String functions. Strings are UTF-16; positions count UTF-16 units from 1.
// The B variants see each unit as two bytes (ByteString.h).
#include <algorithm>

#include "textcodec/TextCodec.h"
#include "vbscript/Builtins.h"
#include "vbscript/ByteString.h"
#include "vbscript/Coerce.h"
#include "vbscript/Errors.h"
#include "vbscript/Operators.h"

namespace vbs {
namespace {

std::int32_t nonNegative(const Value& v)
{
    std::int32_t n = toLong(v);
    if (n < 0) raise(err::InvalidCall);
    return n;
}

std::size_t lengthArg(const Value& v)
{
    auto n = static_cast<std::size_t>(nonNegative(v));
    if (n > kMaxStringLength) raise(err::OutOfString);
    return n;
}

std::int32_t position(const Value& v)
{
    std::int32_t n = toLong(v);
    if (n < 1) raise(err::InvalidCall);
    return n;
}

bool textCompare(const Args& a, int i)
{
    if (missing(a, i)) return false;
    std::int32_t mode = toLong(a[i]);
    if (mode < 0 || mode > 2) raise(err::InvalidCall);
    return mode != 0;
}

// Index of needle in hay from `from` (0-based), or npos.
std::size_t find(std::u16string_view hay, std::u16string_view needle, std::size_t from, bool text)
{
    if (!text) return hay.find(needle, from);
    std::u16string h = toLower(hay), n = toLower(needle);
    return h.find(n, from);
}

std::size_t rfind(std::u16string_view hay, std::u16string_view needle, std::size_t from, bool text)
{
    if (!text) return hay.rfind(needle, from);
    std::u16string h = toLower(hay), n = toLower(needle);
    return h.rfind(n, from);
}

Value fnLen(Vm&, Args a)
{
    const Value& v = a[0];
    if (v.isNull()) return Value::null();
    if (v.isString()) return Value::lng(static_cast<std::int32_t>(v.strView().size()));
    return Value::lng(static_cast<std::int32_t>(toStr(v).size()));
}

Value fnLeft(Vm&, Args a)
{
    if (a[0].isNull()) return Value::null();
    StrArg str(a[0]);
    std::u16string_view s = str.view();
    std::size_t n = static_cast<std::size_t>(nonNegative(a[1]));
    return Value::str(s.substr(0, std::min(n, s.size())));
}

Value fnRight(Vm&, Args a)
{
    if (a[0].isNull()) return Value::null();
    StrArg str(a[0]);
    std::u16string_view s = str.view();
    std::size_t n = std::min(static_cast<std::size_t>(nonNegative(a[1])), s.size());
    return Value::str(s.substr(s.size() - n));
}

Value fnMid(Vm&, Args a)
{
    if (a[0].isNull()) return Value::null();
    StrArg str(a[0]);
    std::u16string_view s = str.view();
    std::size_t start = static_cast<std::size_t>(position(a[1])) - 1;
    std::size_t len = missing(a, 2) ? s.size() : static_cast<std::size_t>(nonNegative(a[2]));
    if (start >= s.size()) return Value::str(std::u16string_view());
    return Value::str(s.substr(start, len));
}

// InStr and InStrB: ([start,] string1, string2[, compare]).
struct SearchArgs {
    std::int32_t start = 1;
    int first = 0;  // index of string1
    bool null = false;  // string1 or string2 is Null
};

SearchArgs searchArgs(const Args& a)
{
    SearchArgs s;
    if (a.count >= 3) {
        if (a[0].isNull()) raise(err::InvalidNull);
        s.start = position(a[0]);
        s.first = 1;
    }
    s.null = a[s.first].isNull() || a[s.first + 1].isNull();
    return s;
}

// The 1-based position find(offset) gives, 0 when absent; the start and
// empty-needle rules are the same for characters and bytes.
template <class Text, class Find>
Value foundAt(const Text& hay, const Text& needle, std::int32_t start, Find find)
{
    if (static_cast<std::size_t>(start) > hay.size()) return Value::lng(0);
    if (needle.empty()) return Value::lng(start);
    std::size_t at = find(static_cast<std::size_t>(start) - 1);
    return Value::lng(at == Text::npos ? 0 : static_cast<std::int32_t>(at) + 1);
}

Value fnInStr(Vm&, Args a)
{
    SearchArgs s = searchArgs(a);
    if (s.null) return Value::null();
    bool text = a.count == 4 && textCompare(a, 3);
    StrArg hayArg(a[s.first]), needleArg(a[s.first + 1]);
    std::u16string_view hay = hayArg.view(), needle = needleArg.view();
    return foundAt(hay, needle, s.start, [&](std::size_t from) { return find(hay, needle, from, text); });
}

Value fnInStrRev(Vm&, Args a)
{
    if (a[0].isNull() || a[1].isNull()) return Value::null();
    std::u16string hay = toStr(a[0]), needle = toStr(a[1]);
    std::int32_t start = missing(a, 2) ? -1 : toLong(a[2]);
    if (start == 0 || start < -1) raise(err::InvalidCall);
    bool text = textCompare(a, 3);
    std::size_t limit = start == -1 ? hay.size() : static_cast<std::size_t>(start);
    if (needle.empty()) return Value::lng(start == -1 ? static_cast<std::int32_t>(hay.size()) : start);
    if (limit > hay.size()) return Value::lng(0);
    if (needle.size() > limit) return Value::lng(0);
    std::size_t at = rfind(hay, needle, limit - needle.size(), text);
    return Value::lng(at == std::u16string::npos ? 0 : static_cast<std::int32_t>(at) + 1);
}

Value fnLCase(Vm&, Args a) { if (a[0].isNull()) return Value::null(); return Value::str(toLower(toStr(a[0]))); }
Value fnUCase(Vm&, Args a) { if (a[0].isNull()) return Value::null(); return Value::str(toUpper(toStr(a[0]))); }

Value trimmed(const Value& v, bool left, bool right)
{
    if (v.isNull()) return Value::null();
    StrArg str(v);
    std::u16string_view s = str.view();
    std::size_t b = 0, e = s.size();
    if (left) while (b < e && s[b] == u' ') ++b;
    if (right) while (e > b && s[e - 1] == u' ') --e;
    return Value::str(s.substr(b, e - b));
}
Value fnTrim(Vm&, Args a) { return trimmed(a[0], true, true); }
Value fnLTrim(Vm&, Args a) { return trimmed(a[0], true, false); }
Value fnRTrim(Vm&, Args a) { return trimmed(a[0], false, true); }

Value fnSpace(Vm&, Args a) { return Value::str(std::u16string(lengthArg(a[0]), u' ')); }

Value fnString(Vm&, Args a)
{
    if (a[1].isNull()) return Value::null();
    std::size_t n = lengthArg(a[0]);
    char16_t c;
    if (a[1].isString()) {
        if (a[1].strView().empty()) raise(err::InvalidCall);
        c = a[1].strView()[0];
    } else {
        c = static_cast<char16_t>(toLong(a[1]) & 0xFF);
    }
    return Value::str(std::u16string(n, c));
}

Value fnStrReverse(Vm&, Args a)
{
    if (a[0].isNull()) raise(err::InvalidNull);
    std::u16string s = toStr(a[0]);
    std::reverse(s.begin(), s.end());
    return Value::str(std::move(s));
}

Value fnStrComp(Vm&, Args a)
{
    if (a[0].isNull() || a[1].isNull()) return Value::null();
    return Value::integer(static_cast<std::int16_t>(compareStrings(toStr(a[0]), toStr(a[1]), textCompare(a, 2))));
}

// Asc and Chr speak the script's code page, 936 (GBK): a double-byte code
// reads as one 16-bit number, negative above &H7FFF as an Integer.
Value fnAsc(Vm&, Args a)
{
    StrArg str(a[0]);
    std::u16string_view s = str.view();
    if (s.empty()) raise(err::InvalidCall);
    char16_t c = s[0];
    if (c < 0x80) return Value::integer(static_cast<std::int16_t>(c));
    auto bytes = textcodec::EncodeGbk(s.substr(0, 1));
    if (!bytes.ok()) return Value::integer(u'?');  // no code in the code page
    auto b = [&](std::size_t i) { return static_cast<unsigned char>(bytes.bytes[i]); };
    int code = bytes.bytes.size() == 1 ? b(0) : (b(0) << 8) | b(1);
    return Value::integer(static_cast<std::int16_t>(code));
}

Value fnAscW(Vm&, Args a)
{
    std::u16string s = toStr(a[0]);
    if (s.empty()) raise(err::InvalidCall);
    return Value::integer(static_cast<std::int16_t>(s[0]));
}

Value fnChrW(Vm&, Args a)
{
    std::int32_t c = toLong(a[0]);
    if (c < -32768 || c > 65535) raise(err::InvalidCall);
    return Value::str(std::u16string(1, static_cast<char16_t>(c & 0xFFFF)));
}

// Codes above 255 (or negative) are double-byte GBK codes.
Value fnChr(Vm& vm, Args a)
{
    std::int32_t c = toLong(a[0]);
    if (c < -32768 || c > 65535) raise(err::InvalidCall);
    if (c >= 0 && c <= 0xFF) return fnChrW(vm, a);
    c &= 0xFFFF;
    const char pair[] = {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
    auto text = textcodec::DecodeGbk(std::string_view(pair, 2));
    if (!text || text->size() != 1) raise(err::InvalidCall);
    return Value::str(std::move(*text));
}

// The B variants count bytes: two per UTF-16 unit, low byte first.
Value fnLenB(Vm&, Args a)
{
    if (a[0].isNull()) return Value::null();
    return Value::lng(static_cast<std::int32_t>(stringBytes(a[0]).size()));
}

Value fnLeftB(Vm&, Args a)
{
    if (a[0].isNull()) return Value::null();
    std::string bytes = stringBytes(a[0]);
    return byteString(std::string_view(bytes).substr(0, static_cast<std::size_t>(nonNegative(a[1]))));
}

Value fnRightB(Vm&, Args a)
{
    if (a[0].isNull()) return Value::null();
    std::string bytes = stringBytes(a[0]);
    std::size_t n = std::min(static_cast<std::size_t>(nonNegative(a[1])), bytes.size());
    return byteString(std::string_view(bytes).substr(bytes.size() - n));
}

Value fnMidB(Vm&, Args a)
{
    if (a[0].isNull()) return Value::null();
    std::string bytes = stringBytes(a[0]);
    std::size_t start = static_cast<std::size_t>(position(a[1])) - 1;
    std::size_t len = missing(a, 2) ? bytes.size() : static_cast<std::size_t>(nonNegative(a[2]));
    if (start >= bytes.size()) return Value::str(std::u16string_view());
    return byteString(std::string_view(bytes).substr(start, len));
}

// A byte position; always a binary comparison.
Value fnInStrB(Vm&, Args a)
{
    SearchArgs s = searchArgs(a);
    if (s.null) return Value::null();
    std::string hay = stringBytes(a[s.first]), needle = stringBytes(a[s.first + 1]);
    return foundAt(hay, needle, s.start, [&](std::size_t from) { return hay.find(needle, from); });
}

Value fnAscB(Vm&, Args a)
{
    std::string bytes = stringBytes(a[0]);
    if (bytes.empty()) raise(err::InvalidCall);
    return Value::integer(static_cast<unsigned char>(bytes[0]));
}

Value fnChrB(Vm&, Args a)
{
    std::int32_t c = toLong(a[0]);
    if (c < 0 || c > 255) raise(err::InvalidCall);
    const char byte = static_cast<char>(c);
    return byteString(std::string_view(&byte, 1));
}

Value fnReplace(Vm&, Args a)
{
    if (a[0].isNull()) return Value::null();
    if (a[1].isNull() || a[2].isNull()) raise(err::InvalidNull);
    StrArg sArg(a[0]), whatArg(a[1]), withArg(a[2]);
    std::u16string_view s = sArg.view(), what = whatArg.view(), with = withArg.view();
    std::int32_t start = missing(a, 3) ? 1 : position(a[3]);
    std::int32_t count = missing(a, 4) ? -1 : toLong(a[4]);
    if (count < -1) raise(err::InvalidCall);
    bool text = textCompare(a, 5);
    if (static_cast<std::size_t>(start) > s.size()) return Value::str(std::u16string_view());
    std::u16string_view src = s.substr(static_cast<std::size_t>(start) - 1);
    if (what.empty() || count == 0) return Value::str(src);
    std::u16string lowered = text ? toLower(src) : std::u16string();
    std::u16string lwhat = text ? toLower(what) : std::u16string();
    std::u16string_view hay = text ? std::u16string_view(lowered) : src;
    std::u16string_view needle = text ? std::u16string_view(lwhat) : what;
    std::u16string out;
    out.reserve(src.size());
    std::size_t pos = 0;
    std::int32_t done = 0;
    while (count < 0 || done < count) {
        std::size_t at = hay.find(needle, pos);
        if (at == std::u16string::npos) break;
        out.append(src.substr(pos, at - pos)).append(with);
        pos = at + needle.size();
        ++done;
    }
    out.append(src.substr(pos));
    return Value::str(std::move(out));
}

Value fnSplit(Vm&, Args a)
{
    if (a[0].isNull()) raise(err::InvalidNull);
    StrArg sArg(a[0]);
    std::u16string_view s = sArg.view();
    std::u16string delim = missing(a, 1) ? u" " : toStr(a[1]);
    std::int32_t limit = missing(a, 2) ? -1 : toLong(a[2]);
    if (limit < -1) raise(err::InvalidCall);
    bool text = textCompare(a, 3);
    std::vector<std::u16string_view> parts;
    if (!s.empty() && limit != 0) {
        if (delim.empty()) {
            parts.push_back(s);
        } else {
            std::u16string lowered = text ? toLower(s) : std::u16string();
            std::u16string_view hay = text ? std::u16string_view(lowered) : s;
            std::u16string needle = text ? toLower(delim) : delim;
            std::size_t pos = 0;
            for (;;) {
                if (limit > 0 && static_cast<std::int32_t>(parts.size()) == limit - 1) break;
                std::size_t at = hay.find(needle, pos);
                if (at == std::u16string::npos) break;
                parts.push_back(s.substr(pos, at - pos));
                pos = at + needle.size();
            }
            parts.push_back(s.substr(pos));
        }
    }
    ArrayObj* arr = ArrayObj::make({static_cast<std::int32_t>(parts.size()) - 1});
    Value out = Value::array(arr);
    for (std::size_t i = 0; i < parts.size(); ++i) arr->items[i] = Value::str(parts[i]);
    return out;
}

const ArrayObj& oneDimArray(const Value& v)
{
    if (!v.isArray()) raise(err::TypeMismatch);
    if (v.a->dims() > 1) raise(err::Subscript);
    return *v.a;
}

Value fnJoin(Vm&, Args a)
{
    const ArrayObj& arr = oneDimArray(a[0]);
    std::u16string delim = missing(a, 1) ? u" " : toStr(a[1]);
    std::u16string out;
    for (std::size_t i = 0; i < arr.items.size(); ++i) {
        if (i) out += delim;
        if (!arr.items[i].isNull()) out += toStr(arr.items[i]);
    }
    return Value::str(std::move(out));
}

Value fnFilter(Vm&, Args a)
{
    if (a[0].isNull()) raise(err::InvalidNull);
    const ArrayObj& arr = oneDimArray(a[0]);
    std::u16string match = toStr(a[1]);
    bool include = missing(a, 2) ? true : toBool(a[2]);
    bool text = textCompare(a, 3);
    std::vector<Value> kept;
    for (const Value& item : arr.items) {
        bool found = find(toStr(item), match, 0, text) != std::u16string::npos;
        if (found == include) kept.push_back(Value::str(toStr(item)));
    }
    ArrayObj* out = ArrayObj::make({static_cast<std::int32_t>(kept.size()) - 1});
    Value v = Value::array(out);
    for (std::size_t i = 0; i < kept.size(); ++i) out->items[i] = std::move(kept[i]);
    return v;
}

// Escape leaves letters, digits and @*_+-./ alone; other characters become
// %XX (below 256) or %uXXXX, as the documented function gives them.
bool keptByEscape(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
           std::u16string_view(u"@*_+-./").find(c) != std::u16string_view::npos;
}

Value fnEscape(Vm&, Args a)
{
    if (a[0].isNull()) return Value::null();
    static const char16_t kHex[] = u"0123456789ABCDEF";
    StrArg str(a[0]);
    std::u16string out;
    out.reserve(str.view().size());
    for (char16_t c : str.view()) {
        if (keptByEscape(c)) {
            out += c;
        } else if (c < 256) {
            out += {u'%', kHex[c >> 4], kHex[c & 15]};
        } else {
            out += {u'%', u'u', kHex[c >> 12], kHex[(c >> 8) & 15], kHex[(c >> 4) & 15], kHex[c & 15]};
        }
    }
    return Value::str(std::move(out));
}

// The value of count hex digits at s[at], or -1 when they are not all there.
int hexAt(std::u16string_view s, std::size_t at, std::size_t count)
{
    if (at + count > s.size()) return -1;
    int v = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        char16_t c = s[i];
        int d = c >= u'0' && c <= u'9' ? c - u'0' : c >= u'a' && c <= u'f' ? c - u'a' + 10
              : c >= u'A' && c <= u'F' ? c - u'A' + 10 : -1;
        if (d < 0) return -1;
        v = v * 16 + d;
    }
    return v;
}

// Malformed escapes stay as they are.
Value fnUnescape(Vm&, Args a)
{
    if (a[0].isNull()) return Value::null();
    StrArg str(a[0]);
    std::u16string_view s = str.view();
    std::u16string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        int v = -1;
        if (s[i] == u'%' && i + 1 < s.size() && s[i + 1] == u'u' && (v = hexAt(s, i + 2, 4)) >= 0) {
            i += 5;
        } else if (s[i] == u'%' && (v = hexAt(s, i + 1, 2)) >= 0) {
            i += 2;
        }
        out += v >= 0 ? static_cast<char16_t>(v) : s[i];
    }
    return Value::str(std::move(out));
}

const Builtin kTable[] = {
    {u"len", fnLen, 1, 1}, {u"lenb", fnLenB, 1, 1},
    {u"left", fnLeft, 2, 2}, {u"leftb", fnLeftB, 2, 2},
    {u"right", fnRight, 2, 2}, {u"rightb", fnRightB, 2, 2},
    {u"mid", fnMid, 2, 3}, {u"midb", fnMidB, 2, 3},
    {u"instr", fnInStr, 2, 4}, {u"instrb", fnInStrB, 2, 4}, {u"instrrev", fnInStrRev, 2, 4},
    {u"lcase", fnLCase, 1, 1}, {u"ucase", fnUCase, 1, 1},
    {u"trim", fnTrim, 1, 1}, {u"ltrim", fnLTrim, 1, 1}, {u"rtrim", fnRTrim, 1, 1},
    {u"space", fnSpace, 1, 1}, {u"string", fnString, 2, 2}, {u"strreverse", fnStrReverse, 1, 1},
    {u"strcomp", fnStrComp, 2, 3},
    {u"asc", fnAsc, 1, 1}, {u"ascw", fnAscW, 1, 1}, {u"ascb", fnAscB, 1, 1},
    {u"chr", fnChr, 1, 1}, {u"chrw", fnChrW, 1, 1}, {u"chrb", fnChrB, 1, 1},
    {u"replace", fnReplace, 3, 6}, {u"split", fnSplit, 1, 4}, {u"join", fnJoin, 1, 2},
    {u"filter", fnFilter, 2, 4},
    {u"escape", fnEscape, 1, 1}, {u"unescape", fnUnescape, 1, 1},
};

}  // namespace

std::span<const Builtin> stringBuiltins() { return kTable; }

}  // namespace vbs
