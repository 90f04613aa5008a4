#pragma once
// Dates as the language stores them: a Double counting days from 1899-12-30,
// with the time of day as the fraction (its sign ignored for the time).
#include <optional>
#include <string>
#include <string_view>

namespace vbs {

struct CivilTime {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
};

double dateSerial(int year, int month, int day);  // month/day may overflow
double timeSerial(int hour, int minute, int second);
CivilTime toCivil(double serial);
double fromCivil(const CivilTime& t);
int weekday(double serial);  // 1 = Sunday
bool validDateSerial(double serial);  // years 100..9999

// zh-CN short forms: "2026/12/10", "10:05:03", both joined by a space.
std::u16string formatDate(double serial);
std::u16string formatShortDate(double serial);
std::u16string formatTime(double serial);
// Accepts y-m-d, y/m/d, m/d/y (when the first part is not a year), an
// optional time with AM/PM, or a time alone.
std::optional<double> parseDate(std::u16string_view text);

// The host clock, local time.
double nowSerial();

}  // namespace vbs
