#include "vbscript/DateTime.h"

#include <cmath>
#include <ctime>
#include <cwctype>
#include <vector>

#include "vbscript/Coerce.h"

namespace vbs {
namespace {

// Days from 1970-01-01 for a proleptic Gregorian date.
long long daysFromEpoch(long long y, int m, int d)
{
    y -= m <= 2;
    long long era = (y >= 0 ? y : y - 399) / 400;
    long long yoe = y - era * 400;
    long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(long long z, int& y, int& m, int& d)
{
    z += 719468;
    long long era = (z >= 0 ? z : z - 146096) / 146097;
    long long doe = z - era * 146097;
    long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

constexpr long long kEpochOffset = 25569;  // 1970-01-01 as a serial

std::u16string ascii(const std::string& s) { return std::u16string(s.begin(), s.end()); }

std::string pad2(int v)
{
    std::string s = std::to_string(v);
    return s.size() < 2 ? "0" + s : s;
}

}  // namespace

double dateSerial(int year, int month, int day)
{
    long long y = year + (month - 1) / 12;
    int m = (month - 1) % 12;
    if (m < 0) { m += 12; --y; }
    return static_cast<double>(daysFromEpoch(y, m + 1, 1) + kEpochOffset + day - 1);
}

double timeSerial(int hour, int minute, int second)
{
    return (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

CivilTime toCivil(double serial)
{
    CivilTime t;
    double days = std::trunc(serial);
    double frac = std::fabs(serial - days);
    long long secs = std::llround(frac * 86400.0);
    if (secs >= 86400) {
        secs -= 86400;
        days += serial < 0 ? -1 : 1;
    }
    civilFromDays(static_cast<long long>(days) - kEpochOffset, t.year, t.month, t.day);
    t.hour = static_cast<int>(secs / 3600);
    t.minute = static_cast<int>(secs / 60 % 60);
    t.second = static_cast<int>(secs % 60);
    return t;
}

double fromCivil(const CivilTime& t)
{
    double days = dateSerial(t.year, t.month, t.day);
    double time = timeSerial(t.hour, t.minute, t.second);
    return days < 0 ? days - time : days + time;
}

int weekday(double serial)
{
    long long days = static_cast<long long>(std::floor(serial));
    // 1899-12-30 was a Saturday (7).
    long long w = (days + 6) % 7;
    if (w < 0) w += 7;
    return static_cast<int>(w) + 1;
}

bool validDateSerial(double serial)
{
    return serial >= -657434.0 && serial < 2958466.0;
}

std::u16string formatShortDate(double serial)
{
    CivilTime t = toCivil(serial);
    return ascii(std::to_string(t.year) + "/" + std::to_string(t.month) + "/" + std::to_string(t.day));
}

std::u16string formatTime(double serial)
{
    CivilTime t = toCivil(serial);
    return ascii(std::to_string(t.hour) + ":" + pad2(t.minute) + ":" + pad2(t.second));
}

std::u16string formatDate(double serial)
{
    double days = std::trunc(serial);
    bool hasTime = serial != days;
    if (days == 0) return formatTime(serial);  // day zero shows as a time of day
    if (!hasTime) return formatShortDate(serial);
    return formatShortDate(serial) + u" " + formatTime(serial);
}

namespace {

struct DateTokens {
    std::vector<int> nums;      // numbers of the date part
    std::vector<int> timeNums;  // numbers of the time part
    int ampm = 0;               // 1 AM, 2 PM
    bool ok = true;
};

int monthFromName(std::u16string_view word)
{
    static const char* names[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                  "jul", "aug", "sep", "oct", "nov", "dec"};
    if (word.size() < 3) return 0;
    for (int m = 0; m < 12; ++m) {
        bool same = true;
        for (int k = 0; k < 3; ++k)
            if (lowerChar(word[k]) != names[m][k]) same = false;
        if (same) return m + 1;
    }
    return 0;
}

DateTokens tokenize(std::u16string_view text)
{
    DateTokens out;
    bool inTime = false;
    std::size_t i = 0;
    std::vector<int>* target = &out.nums;
    while (i < text.size()) {
        char16_t c = text[i];
        if (c >= u'0' && c <= u'9') {
            long long v = 0;
            std::size_t start = i;
            while (i < text.size() && text[i] >= u'0' && text[i] <= u'9' && i - start < 6)
                v = v * 10 + (text[i++] - u'0');
            // A number followed by ':' starts the time part.
            if (i < text.size() && text[i] == u':' && !inTime) {
                inTime = true;
                target = &out.timeNums;
            }
            target->push_back(static_cast<int>(v));
        } else if (std::iswalpha(c)) {
            std::size_t start = i;
            while (i < text.size() && std::iswalpha(text[i])) ++i;
            std::u16string_view word = text.substr(start, i - start);
            char16_t w0 = lowerChar(word[0]);
            if (word.size() <= 2 && (w0 == u'a' || w0 == u'p') &&
                (word.size() == 1 || lowerChar(word[1]) == u'm')) {
                out.ampm = w0 == u'a' ? 1 : 2;
            } else if (int m = monthFromName(word)) {
                out.nums.push_back(-m);  // marked as a month name
            } else {
                out.ok = false;
            }
        } else if (c == u'/' || c == u'-' || c == u'.' || c == u',' || c == u' ' || c == u':' || c == u'\t' ||
                   c == u'年' || c == u'月' || c == u'日') {
            if (c == u' ' && inTime && !out.timeNums.empty()) target = &out.nums;
            ++i;
        } else {
            out.ok = false;
            ++i;
        }
    }
    return out;
}

bool resolveDate(std::vector<int> n, int& y, int& m, int& d)
{
    // A month name goes to the month position.
    for (std::size_t k = 0; k < n.size(); ++k) {
        if (n[k] < 0) {
            m = -n[k];
            n.erase(n.begin() + static_cast<long>(k));
            if (n.size() == 2) {
                if (n[0] > 31) { y = n[0]; d = n[1]; }
                else { d = n[0]; y = n[1]; }
            } else if (n.size() == 1) {
                d = n[0];
                y = toCivil(nowSerial()).year;
            } else {
                return false;
            }
            return true;
        }
    }
    if (n.size() == 3) {
        if (n[0] > 31) { y = n[0]; m = n[1]; d = n[2]; }
        else { m = n[0]; d = n[1]; y = n[2]; }
    } else if (n.size() == 2) {
        y = toCivil(nowSerial()).year;
        m = n[0];
        d = n[1];
    } else {
        return false;
    }
    if (y < 100) y += y < 30 ? 2000 : 1900;
    if (m > 12 && d <= 12) std::swap(m, d);
    return true;
}

int daysInMonth(int y, int m)
{
    static const int len[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m == 2 && leap ? 29 : len[m - 1];
}

}  // namespace

std::optional<double> parseDate(std::u16string_view text)
{
    DateTokens t = tokenize(text);
    if (!t.ok || (t.nums.empty() && t.timeNums.empty())) return std::nullopt;
    double result = 0;
    if (!t.nums.empty()) {
        int y = 0, m = 0, d = 0;
        if (!resolveDate(t.nums, y, m, d)) return std::nullopt;
        if (m < 1 || m > 12 || y < 100 || y > 9999 || d < 1 || d > daysInMonth(y, m))
            return std::nullopt;
        result = dateSerial(y, m, d);
    }
    if (!t.timeNums.empty()) {
        if (t.timeNums.size() > 3) return std::nullopt;
        int h = t.timeNums[0];
        int mi = t.timeNums.size() > 1 ? t.timeNums[1] : 0;
        int s = t.timeNums.size() > 2 ? t.timeNums[2] : 0;
        if (t.ampm) {
            if (h < 1 || h > 12) return std::nullopt;
            h = h % 12 + (t.ampm == 2 ? 12 : 0);
        }
        if (h > 23 || mi > 59 || s > 59) return std::nullopt;
        double tm = timeSerial(h, mi, s);
        result = result < 0 ? result - tm : result + tm;
    } else if (t.ampm) {
        return std::nullopt;
    }
    return result;
}

double nowSerial()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    CivilTime t{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                local.tm_hour, local.tm_min, local.tm_sec};
    return fromCivil(t);
}

}  // namespace vbs
