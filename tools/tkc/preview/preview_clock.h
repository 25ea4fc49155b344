// How the preview's virtual time keeps pace with real time: at a speed (so
// many virtual milliseconds to each real one), paused, or stepping.
#pragma once

#include <chrono>
#include <cstdint>

namespace tkc {

class PreviewClock {
 public:
  using Real = std::chrono::steady_clock::time_point;
  // The most the clock may lag behind before it gives up catching up: a
  // character busy for a while, or a box that waited, goes on from where it
  // is instead of rushing through the time it missed.
  static constexpr std::chrono::milliseconds kMaxLag{250};

  PreviewClock(Real now, std::uint64_t virtual_ms) : real_(now), virtual_(virtual_ms) {}

  // When virtual `ms` falls due in real time; Real::max() while paused.
  Real RealAt(std::uint64_t ms) const;
  // The virtual moment real `now` stands for, never before the anchor.
  std::uint64_t VirtualAt(Real now) const;

  int speed() const { return speed_; }
  bool paused() const { return paused_; }
  // Each change anchors the clock at the moment it is made, so virtual time
  // goes on from where it stood.
  void SetSpeed(int speed, Real now, std::uint64_t virtual_ms);
  void SetPaused(bool paused, Real now, std::uint64_t virtual_ms);
  // Anchors the clock at `virtual_ms` now when that moment fell due more
  // than kMaxLag ago; true then.
  bool CatchUp(Real now, std::uint64_t virtual_ms);

 private:
  void Anchor(Real now, std::uint64_t virtual_ms) {
    real_ = now;
    virtual_ = virtual_ms;
  }

  Real real_;
  std::uint64_t virtual_;
  int speed_ = 1;
  bool paused_ = false;
};

// The speeds the page offers; anything else is refused.
bool IsPreviewSpeed(int speed);

}  // namespace tkc
