#include "form/second_pacer.h"

#include <algorithm>

namespace tk {

namespace {

constexpr std::uint64_t kSecondMs = 1000;

}  // namespace

std::uint64_t MonotonicTicks::Extend(std::uint32_t tick) {
  total_ = last_ ? total_ + static_cast<std::uint32_t>(tick - *last_) : tick;
  last_ = tick;
  return total_;
}

unsigned SecondPacer::Wake(std::uint64_t now, bool second_changed) {
  Learn(now, second_changed);
  previous_wake_ = now;
  return DelayFrom(now);
}

// Turns come every second, so the window of one turn predicts the next. A
// late wake therefore does not push the next one later; a prediction that
// the clock contradicts (its time was set, or it drifts against the tick
// count) is dropped and found again by polling.
void SecondPacer::Learn(std::uint64_t now, bool second_changed) {
  if (!second_changed) {
    if (!known_) return;
    if (now >= next_hi_) {
      known_ = false;
    } else {
      next_lo_ = std::max(next_lo_, now);
    }
    return;
  }
  if (!previous_wake_) return;  // the first look: nothing to measure yet
  std::uint64_t lo = *previous_wake_, hi = now;
  if (known_ && now > next_lo_) {
    // The latest predicted turn before now; a long sleep may skip several.
    const std::uint64_t skipped = (now - next_lo_ - 1) / kSecondMs * kSecondMs;
    const std::uint64_t plo = std::max(lo, next_lo_ + skipped);
    const std::uint64_t phi = std::min(hi, next_hi_ + skipped);
    if (plo < phi) {
      lo = plo;
      hi = phi;
    }
  }
  next_lo_ = lo + kSecondMs;
  next_hi_ = hi + kSecondMs;
  known_ = true;
}

unsigned SecondPacer::DelayFrom(std::uint64_t now) const {
  if (!known_) return kPollMs;
  // A narrow window: sleep until its end, when the turn has surely come.
  // A wide one: step through it a poll at a time.
  const std::uint64_t target =
      next_hi_ - next_lo_ <= kPollMs ? next_hi_ : std::min(next_hi_, next_lo_ + kPollMs);
  return static_cast<unsigned>(
      std::clamp<std::uint64_t>(target - std::min(target, now), 1, kSecondMs));
}

}  // namespace tk
