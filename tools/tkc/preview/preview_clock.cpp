#include "preview_clock.h"

#include <algorithm>

namespace tkc {

PreviewClock::Real PreviewClock::RealAt(std::uint64_t ms) const {
  if (paused_) return Real::max();
  if (ms <= virtual_) return real_;
  // A due moment beyond any sleep is as good as never.
  const std::uint64_t ahead_ms = (ms - virtual_) / static_cast<std::uint64_t>(speed_);
  constexpr std::uint64_t kFarMs = 24ull * 3600 * 1000;
  if (ahead_ms > kFarMs) return real_ + std::chrono::milliseconds(kFarMs);
  return real_ + std::chrono::milliseconds(ahead_ms);
}

std::uint64_t PreviewClock::VirtualAt(Real now) const {
  if (paused_ || now <= real_) return virtual_;
  const auto real_ms = std::chrono::duration_cast<std::chrono::milliseconds>(now - real_).count();
  return virtual_ + static_cast<std::uint64_t>(real_ms) * static_cast<std::uint64_t>(speed_);
}

void PreviewClock::SetSpeed(int speed, Real now, std::uint64_t virtual_ms) {
  Anchor(now, virtual_ms);
  speed_ = std::max(speed, 1);
}

void PreviewClock::SetPaused(bool paused, Real now, std::uint64_t virtual_ms) {
  Anchor(now, virtual_ms);
  paused_ = paused;
}

bool PreviewClock::CatchUp(Real now, std::uint64_t virtual_ms) {
  if (paused_) return false;
  const Real due = RealAt(virtual_ms);
  if (now <= due + kMaxLag) return false;
  Anchor(now, virtual_ms);
  return true;
}

bool IsPreviewSpeed(int speed) {
  return speed == 1 || speed == 10 || speed == 100;
}

}  // namespace tkc
