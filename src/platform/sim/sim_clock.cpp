#include "platform/sim/sim_clock.h"

#include <chrono>

namespace tk {

// Days are floored, not truncated, so a start before 1970 keeps its date.
LocalTime AddSeconds(const LocalTime& start, std::uint64_t seconds) {
  using namespace std::chrono;
  const sys_days start_day{year{start.year} / month{static_cast<unsigned>(start.month)} /
                           day{static_cast<unsigned>(start.day)}};
  const sys_seconds moment = start_day + hours{start.hour} + minutes{start.minute} +
                             std::chrono::seconds{start.second} +
                             std::chrono::seconds{static_cast<std::int64_t>(seconds)};
  const sys_days today = floor<days>(moment);
  const year_month_day date{today};
  const hh_mm_ss time{moment - today};
  LocalTime t;
  t.year = static_cast<int>(date.year());
  t.month = static_cast<int>(static_cast<unsigned>(date.month()));
  t.day = static_cast<int>(static_cast<unsigned>(date.day()));
  t.hour = static_cast<int>(time.hours().count());
  t.minute = static_cast<int>(time.minutes().count());
  t.second = static_cast<int>(time.seconds().count());
  t.day_of_week = static_cast<int>(weekday{today}.c_encoding());
  return t;
}

}  // namespace tk
