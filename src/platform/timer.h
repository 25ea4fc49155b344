// A platform message timer owned by the state that uses it: released when
// the owner goes away, so no shutdown code has to remember it. It is made
// stopped; it ticks only between Start and Stop.
#pragma once

#include <functional>
#include <utility>

#include "platform/platform.h"

namespace tk {

class Timer {
 public:
  Timer() = default;
  Timer(Platform& platform, std::function<void()> on_tick)
      : platform_(&platform), on_tick_(std::move(on_tick)) {
    id_ = platform_->CreateTimer(on_tick_);
  }
  ~Timer() { Release(); }
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;
  Timer(Timer&& other) noexcept { *this = std::move(other); }
  Timer& operator=(Timer&& other) noexcept {
    if (this == &other) return *this;
    Release();
    platform_ = std::exchange(other.platform_, nullptr);
    on_tick_ = std::move(other.on_tick_);
    id_ = std::exchange(other.id_, 0);
    interval_ms_ = other.interval_ms_;
    running_ = std::exchange(other.running_, false);
    return *this;
  }

  // Ticks every `interval_ms` from now on; starting a running timer
  // restarts its interval.
  void Start(unsigned interval_ms) {
    interval_ms_ = interval_ms;
    Start();
  }
  void Start() {
    if (platform_ == nullptr) return;
    if (id_ == 0) id_ = platform_->CreateTimer(on_tick_);
    running_ = true;
    platform_->SetTimer(id_, interval_ms_, true);
  }
  void Stop() {
    if (!running_) return;
    running_ = false;
    platform_->SetTimer(id_, interval_ms_, false);
  }
  // Keeps the timer running or stopped as it is.
  void SetInterval(unsigned interval_ms) {
    interval_ms_ = interval_ms;
    if (platform_ != nullptr && id_ != 0) platform_->SetTimer(id_, interval_ms_, running_);
  }
  // Gives the platform timer back; a later Start makes a new one.
  void Release() {
    if (platform_ != nullptr && id_ != 0) platform_->DestroyTimer(id_);
    id_ = 0;
    running_ = false;
  }

  bool running() const { return running_; }
  unsigned interval() const { return interval_ms_; }
  // The platform timer, 0 while none exists.
  TimerId id() const { return id_; }

 private:
  Platform* platform_ = nullptr;
  std::function<void()> on_tick_;
  TimerId id_ = 0;
  unsigned interval_ms_ = 0;
  bool running_ = false;
};

}  // namespace tk
