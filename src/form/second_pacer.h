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
  // How much later than wanted a running timer may wake and still be kept:
  // a wake comes a millisecond or two late, and each new interval is one
  // more call to the system, so a timer a little long is left to run.
  static constexpr unsigned kSlackMs = 20;

  // Whether a timer running at `interval` serves a wake wanted after
  // `wanted`: never earlier, at most kSlackMs later.
  static bool Keeps(unsigned interval, unsigned wanted) {
    return interval >= wanted && interval - wanted <= kSlackMs;
  }

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
