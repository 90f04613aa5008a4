// FormatNumber, FormatCurrency, FormatPercent and FormatDateTime with the
// zh-CN regional conventions: "." for decimals, "," every three digits,
// two decimals by default, "¥" before the number and "-" before that.
#include <cmath>
#include <cstdio>

#include "vbscript/Builtins.h"
#include "vbscript/Coerce.h"
#include "vbscript/DateTime.h"
#include "vbscript/Errors.h"

namespace vbs {
namespace {

constexpr int kUseDefault = -2;

struct NumberStyle {
    int digits = 2;
    bool leadingZero = true;
    bool parens = false;
    bool group = true;
};

bool tristate(const Args& a, int i, bool fallback)
{
    if (missing(a, i)) return fallback;
    int v = toLong(a[i]);
    if (v == kUseDefault) return fallback;
    return v != 0;
}

NumberStyle styleFrom(const Args& a)
{
    NumberStyle s;
    if (!missing(a, 1)) {
        int d = toLong(a[1]);
        if (d < -1 || d > 255) raise(err::InvalidCall);
        if (d >= 0) s.digits = d;
    }
    s.leadingZero = tristate(a, 2, true);
    s.parens = tristate(a, 3, false);
    s.group = tristate(a, 4, true);
    return s;
}

// "1234567" -> "1,234,567".
std::string grouped(const std::string& digits)
{
    std::string out;
    std::size_t lead = digits.size() % 3;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i && (i + 3 - lead) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

// The digits of |x| with the style's decimals and grouping; sets negative.
std::u16string digitsOf(double x, const NumberStyle& s, bool& negative)
{
    double scale = std::pow(10.0, s.digits);
    double r = std::round(std::fabs(x) * scale) / scale;
    negative = x < 0 && r != 0;
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", s.digits, r);
    std::string t(buf);
    std::string intPart = t.substr(0, t.find('.'));
    std::string frac = t.find('.') == std::string::npos ? "" : t.substr(t.find('.'));
    if (s.group) intPart = grouped(intPart);
    if (intPart == "0" && !s.leadingZero && !frac.empty()) intPart.clear();
    return asciiToU16(intPart + frac);
}

std::u16string negate(const std::u16string& body, bool negative, const NumberStyle& s)
{
    if (!negative) return body;
    return s.parens ? u"(" + body + u")" : u"-" + body;
}

double number(const Args& a)
{
    if (a[0].isNull()) raise(err::TypeMismatch);
    return toDouble(a[0]);
}

Value fnFormatNumber(Vm&, Args a)
{
    double x = number(a);
    NumberStyle s = styleFrom(a);
    bool neg;
    std::u16string body = digitsOf(x, s, neg);
    return Value::str(negate(body, neg, s));
}

Value fnFormatCurrency(Vm&, Args a)
{
    double x = number(a);
    NumberStyle s = styleFrom(a);
    bool neg;
    std::u16string body = u"¥" + digitsOf(x, s, neg);
    return Value::str(negate(body, neg, s));
}

Value fnFormatPercent(Vm&, Args a)
{
    double x = number(a) * 100;
    NumberStyle s = styleFrom(a);
    bool neg;
    std::u16string body = digitsOf(x, s, neg) + u"%";
    return Value::str(negate(body, neg, s));
}

std::u16string pad2(int v)
{
    std::string s = std::to_string(v);
    return asciiToU16(s.size() < 2 ? "0" + s : s);
}

Value fnFormatDateTime(Vm&, Args a)
{
    if (a[0].isNull()) raise(err::TypeMismatch);
    double d = toDate(a[0]);
    int kind = argInt(a, 1, 0);
    CivilTime t = toCivil(d);
    switch (kind) {
    case 0: return Value::str(formatDate(d));
    case 1:
        return Value::str(asciiToU16(std::to_string(t.year)) + u"年" + asciiToU16(std::to_string(t.month)) + u"月" +
                          asciiToU16(std::to_string(t.day)) + u"日");
    case 2: return Value::str(formatShortDate(d));
    case 3: return Value::str(formatTime(d));
    case 4: return Value::str(pad2(t.hour) + u":" + pad2(t.minute));
    default: raise(err::InvalidCall);
    }
}

const Builtin kTable[] = {
    {u"formatnumber", fnFormatNumber, 1, 5}, {u"formatcurrency", fnFormatCurrency, 1, 5},
    {u"formatpercent", fnFormatPercent, 1, 5}, {u"formatdatetime", fnFormatDateTime, 1, 2},
};

}  // namespace

std::span<const Builtin> formatBuiltins() { return kTable; }

}  // namespace vbs
