// Day arithmetic of the day-count and date images on the proleptic
// Gregorian calendar of <chrono>.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace tk {

struct CalendarDate {
  int year = 0;
  int month = 0;
  int day = 0;
};

// A target the day count can reach: a 16-bit year and day, a month of the
// year. Days past the month's end run on into the next (29 February 1900 is
// 1 March); day 0 is the last day of the month before.
bool IsCountableDate(const CalendarDate& date);

// The days between the two dates, whichever comes first; both countable.
std::int64_t DaysApart(const CalendarDate& a, const CalendarDate& b);

CalendarDate DateOf(const LocalTime& time);

// "%4d/%2d/%2d", cut to `max_length` characters.
std::string DateText(const LocalTime& time, std::size_t max_length);

// Whole seconds from `time` to the next midnight, 1 to 86400.
int SecondsToMidnight(const LocalTime& time);

}  // namespace tk
