// When does the local time's second turn over? The clock reads only whole
// seconds, so a clock that wants to change within a poll of the real change
// would have to poll all the time. The pacer learns where the turn falls on
// the millisecond tick count and then sleeps until just after the next one,
// polling only while it does not know or has lost the turn.
#pragma once

#include <cstdint>
#include <optional>

namespace tk {

// The 32-bit tick count made 64-bit, so that differences never wrap.
class MonotonicTicks {
 public:
  std::uint64_t Extend(std::uint32_t tick);

 private:
  std::optional<std::uint32_t> last_;
  std::uint64_t total_ = 0;
};

class SecondPacer {
 public:
  static constexpr std::uint64_t kPollMs = 50;

  // A wake at tick `now` saw the second change or not; returns how long to
  // sleep until the next wake.
  unsigned Wake(std::uint64_t now, bool second_changed);

 private:
  void Learn(std::uint64_t now, bool second_changed);
  unsigned DelayFrom(std::uint64_t now) const;

  std::optional<std::uint64_t> previous_wake_;
  // The next turn lies in (next_lo_, next_hi_] while `known_`.
  bool known_ = false;
  std::uint64_t next_lo_ = 0;
  std::uint64_t next_hi_ = 0;
};

}  // namespace tk
