#include "imagery/calendar.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace tk {

namespace {

using namespace std::chrono;

constexpr int kShortMin = -32767;  // the earliest year <chrono> has
constexpr int kShortMax = 32767;

sys_days DayNumber(const CalendarDate& d) {
  const year_month_day first{year{d.year}, month{static_cast<unsigned>(d.month)}, day{1}};
  return sys_days{first} + days{d.day - 1};
}

}  // namespace

bool IsCountableDate(const CalendarDate& d) {
  return d.year >= kShortMin && d.year <= kShortMax && d.month >= 1 && d.month <= 12 &&
         d.day >= kShortMin && d.day <= kShortMax;
}

std::int64_t DaysApart(const CalendarDate& a, const CalendarDate& b) {
  const auto n = (DayNumber(b) - DayNumber(a)).count();
  const auto apart = static_cast<std::int64_t>(n);
  return apart < 0 ? -apart : apart;
}

CalendarDate DateOf(const LocalTime& time) {
  return {time.year, time.month, time.day};
}

std::string DateText(const LocalTime& time, std::size_t max_length) {
  char text[64];
  const int n = std::snprintf(text, sizeof text, "%4d/%2d/%2d", time.year, time.month, time.day);
  return std::string(text, std::min(static_cast<std::size_t>(std::max(n, 0)),
                                    std::min(max_length, sizeof text - 1)));
}

int SecondsToMidnight(const LocalTime& time) {
  const int elapsed = std::clamp(time.hour, 0, 23) * 3600 + std::clamp(time.minute, 0, 59) * 60 +
                      std::clamp(time.second, 0, 59);
  return 86400 - elapsed;
}

}  // namespace tk
