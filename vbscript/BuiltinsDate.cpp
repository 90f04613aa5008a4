// Date and time functions, with the zh-CN month and weekday names.
#include <chrono>
#include <cmath>

#include "vbscript/Builtins.h"
#include "vbscript/Coerce.h"
#include "vbscript/DateTime.h"
#include "vbscript/Errors.h"

namespace vbs {
namespace {

const char16_t* const kMonths[] = {u"一月", u"二月", u"三月", u"四月", u"五月", u"六月",
                                   u"七月", u"八月", u"九月", u"十月", u"十一月", u"十二月"};
const char16_t* const kDays[] = {u"星期日", u"星期一", u"星期二", u"星期三", u"星期四", u"星期五", u"星期六"};
const char16_t* const kShortDays[] = {u"周日", u"周一", u"周二", u"周三", u"周四", u"周五", u"周六"};

Value checkedDate(double serial)
{
    if (!validDateSerial(serial)) raise(err::InvalidCall);
    return Value::date(serial);
}

Value fnNow(Vm&, Args) { return Value::date(nowSerial()); }
Value fnDate(Vm&, Args) { return Value::date(std::floor(nowSerial())); }
Value fnTime(Vm&, Args) { double n = nowSerial(); return Value::date(n - std::floor(n)); }

Value fnTimer(Vm&, Args)
{
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t t = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    double frac = duration_cast<microseconds>(now.time_since_epoch()).count() % 1000000 / 1e6;
    double secs = local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec + std::floor(frac * 100) / 100;
    return Value::single(static_cast<float>(secs));
}

Value fnDateSerial(Vm&, Args a)
{
    int y = toInteger(a[0]), m = toInteger(a[1]), d = toInteger(a[2]);
    if (y >= 0 && y < 100) y += y < 30 ? 2000 : 1900;
    return checkedDate(dateSerial(y, m, d));
}

Value fnTimeSerial(Vm&, Args a)
{
    double secs = toInteger(a[0]) * 3600.0 + toInteger(a[1]) * 60.0 + toInteger(a[2]);
    return Value::date(secs / 86400.0);
}

Value fnDateValue(Vm&, Args a)
{
    if (a[0].isNull()) return Value::null();
    return Value::date(std::trunc(toDate(a[0])));
}

Value fnTimeValue(Vm&, Args a)
{
    if (a[0].isNull()) return Value::null();
    double d = toDate(a[0]);
    return Value::date(std::fabs(d - std::trunc(d)));
}

template <int CivilTime::*Field>
Value part(Vm&, Args a)
{
    if (a[0].isNull()) return Value::null();
    return Value::integer(static_cast<std::int16_t>(toCivil(toDate(a[0])).*Field));
}

int firstDay(const Args& a, int i)
{
    int f = argInt(a, i, 1);
    if (f < 0 || f > 7) raise(err::InvalidCall);
    return f == 0 ? 1 : f;
}

int weekdayFrom(double serial, int first)
{
    return (weekday(serial) - first + 7) % 7 + 1;
}

Value fnWeekday(Vm&, Args a)
{
    if (a[0].isNull()) return Value::null();
    return Value::integer(static_cast<std::int16_t>(weekdayFrom(toDate(a[0]), firstDay(a, 1))));
}

Value fnMonthName(Vm&, Args a)
{
    int m = toLong(a[0]);
    if (m < 1 || m > 12) raise(err::InvalidCall);
    bool abbrev = !missing(a, 1) && toBool(a[1]);
    if (abbrev) return Value::str(asciiToU16(std::to_string(m)) + u"月");
    return Value::str(kMonths[m - 1]);
}

Value fnWeekdayName(Vm&, Args a)
{
    int w = toLong(a[0]);
    if (w < 1 || w > 7) raise(err::InvalidCall);
    bool abbrev = !missing(a, 1) && toBool(a[1]);
    int first = firstDay(a, 2);
    int day = (w - 1 + first - 1) % 7;
    return Value::str(abbrev ? kShortDays[day] : kDays[day]);
}

enum class Unit { Year, Quarter, Month, DayOfYear, Day, Weekday, Week, Hour, Minute, Second };

Unit unitOf(const Value& v)
{
    std::u16string s = toLower(toStr(v));
    if (s == u"yyyy") return Unit::Year;
    if (s == u"q") return Unit::Quarter;
    if (s == u"m") return Unit::Month;
    if (s == u"y") return Unit::DayOfYear;
    if (s == u"d") return Unit::Day;
    if (s == u"w") return Unit::Weekday;
    if (s == u"ww") return Unit::Week;
    if (s == u"h") return Unit::Hour;
    if (s == u"n") return Unit::Minute;
    if (s == u"s") return Unit::Second;
    raise(err::InvalidCall);
}

int daysIn(int y, int m)
{
    return static_cast<int>(dateSerial(y, m + 1, 1) - dateSerial(y, m, 1));
}

Value fnDateAdd(Vm&, Args a)
{
    Unit u = unitOf(a[0]);
    if (a[2].isNull()) return Value::null();
    double n = std::trunc(toDouble(a[1]));
    double d = toDate(a[2]);
    double result = d;
    auto addMonths = [&](long long months) {
        CivilTime t = toCivil(d);
        long long total = t.year * 12LL + (t.month - 1) + months;
        t.year = static_cast<int>(total / 12);
        t.month = static_cast<int>(total % 12) + 1;
        t.day = std::min(t.day, daysIn(t.year, t.month));
        if (t.year < 100 || t.year > 9999) raise(err::InvalidCall);
        return fromCivil(t);
    };
    switch (u) {
    case Unit::Year: result = addMonths(static_cast<long long>(n) * 12); break;
    case Unit::Quarter: result = addMonths(static_cast<long long>(n) * 3); break;
    case Unit::Month: result = addMonths(static_cast<long long>(n)); break;
    case Unit::DayOfYear: case Unit::Day: case Unit::Weekday: result = d + n; break;
    case Unit::Week: result = d + n * 7; break;
    case Unit::Hour: result = d + n / 24; break;
    case Unit::Minute: result = d + n / 1440; break;
    case Unit::Second: result = d + n / 86400; break;
    }
    return checkedDate(result);
}

long long secondsOf(double serial)
{
    double days = std::floor(serial);
    double frac = std::fabs(serial - std::trunc(serial));
    if (serial < 0 && frac > 0) days = std::trunc(serial);
    return static_cast<long long>(days) * 86400 + std::llround(frac * 86400);
}

Value fnDateDiff(Vm&, Args a)
{
    Unit u = unitOf(a[0]);
    if (a[1].isNull() || a[2].isNull()) return Value::null();
    double d1 = toDate(a[1]), d2 = toDate(a[2]);
    CivilTime t1 = toCivil(d1), t2 = toCivil(d2);
    long long days = static_cast<long long>(std::floor(d2)) - static_cast<long long>(std::floor(d1));
    long long r = 0;
    switch (u) {
    case Unit::Year: r = t2.year - t1.year; break;
    case Unit::Quarter: r = (t2.year * 4 + (t2.month - 1) / 3) - (t1.year * 4 + (t1.month - 1) / 3); break;
    case Unit::Month: r = (t2.year * 12LL + t2.month) - (t1.year * 12LL + t1.month); break;
    case Unit::DayOfYear: case Unit::Day: r = days; break;
    case Unit::Weekday: r = days / 7; break;
    case Unit::Week: {
        int first = firstDay(a, 3);
        auto weekStart = [&](double s) { return static_cast<long long>(std::floor(s)) - (weekdayFrom(s, first) - 1); };
        r = (weekStart(d2) - weekStart(d1)) / 7;
        break;
    }
    case Unit::Hour: r = secondsOf(d2) / 3600 - secondsOf(d1) / 3600; break;
    case Unit::Minute: r = secondsOf(d2) / 60 - secondsOf(d1) / 60; break;
    case Unit::Second: r = secondsOf(d2) - secondsOf(d1); break;
    }
    if (r < INT32_MIN || r > INT32_MAX) return Value::dbl(static_cast<double>(r));
    return Value::lng(static_cast<std::int32_t>(r));
}

Value fnDatePart(Vm&, Args a)
{
    Unit u = unitOf(a[0]);
    if (a[1].isNull()) return Value::null();
    double d = toDate(a[1]);
    CivilTime t = toCivil(d);
    int first = firstDay(a, 2);
    int r = 0;
    switch (u) {
    case Unit::Year: r = t.year; break;
    case Unit::Quarter: r = (t.month - 1) / 3 + 1; break;
    case Unit::Month: r = t.month; break;
    case Unit::DayOfYear: r = static_cast<int>(std::floor(d) - dateSerial(t.year, 1, 1)) + 1; break;
    case Unit::Day: r = t.day; break;
    case Unit::Weekday: r = weekdayFrom(d, first); break;
    case Unit::Week: {
        // Week 1 holds January 1 (the default first-week rule).
        double jan1 = dateSerial(t.year, 1, 1);
        int offset = weekdayFrom(jan1, first) - 1;
        r = static_cast<int>((std::floor(d) - jan1 + offset) / 7) + 1;
        break;
    }
    case Unit::Hour: r = t.hour; break;
    case Unit::Minute: r = t.minute; break;
    case Unit::Second: r = t.second; break;
    }
    return Value::integer(static_cast<std::int16_t>(r));
}

const Builtin kTable[] = {
    {u"now", fnNow, 0, 0}, {u"date", fnDate, 0, 0}, {u"time", fnTime, 0, 0}, {u"timer", fnTimer, 0, 0},
    {u"dateserial", fnDateSerial, 3, 3}, {u"timeserial", fnTimeSerial, 3, 3},
    {u"datevalue", fnDateValue, 1, 1}, {u"timevalue", fnTimeValue, 1, 1},
    {u"year", part<&CivilTime::year>, 1, 1}, {u"month", part<&CivilTime::month>, 1, 1},
    {u"day", part<&CivilTime::day>, 1, 1}, {u"hour", part<&CivilTime::hour>, 1, 1},
    {u"minute", part<&CivilTime::minute>, 1, 1}, {u"second", part<&CivilTime::second>, 1, 1},
    {u"weekday", fnWeekday, 1, 2}, {u"monthname", fnMonthName, 1, 2},
    {u"weekdayname", fnWeekdayName, 1, 3},
    {u"dateadd", fnDateAdd, 3, 3}, {u"datediff", fnDateDiff, 3, 5}, {u"datepart", fnDatePart, 2, 4},
};

}  // namespace

std::span<const Builtin> dateBuiltins() { return kTable; }

}  // namespace vbs
