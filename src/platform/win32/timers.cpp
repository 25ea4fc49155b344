// Message timers: WM_TIMER on the application window, one system timer per
// engine timer, with the timer id as the system timer's id.
#include "platform/win32/win32_platform.h"

namespace tk {

TimerId Win32Platform::CreateTimer(std::function<void()> on_tick) {
  const TimerId id = next_timer_id_++;
  timers_.emplace(id, std::make_shared<std::function<void()>>(std::move(on_tick)));
  return id;
}

// Setting a timer again restarts its interval, as re-enabling should.
void Win32Platform::SetTimer(TimerId id, unsigned interval_ms, bool enabled) {
  if (!timers_.contains(id)) return;
  const auto system_id = static_cast<UINT_PTR>(id);
  if (enabled && interval_ms > 0) {
    ::SetTimer(app_window_, system_id, interval_ms, nullptr);
  } else {
    KillTimer(app_window_, system_id);
  }
}

void Win32Platform::DestroyTimer(TimerId id) {
  if (timers_.erase(id) > 0) KillTimer(app_window_, static_cast<UINT_PTR>(id));
}

// A tick may destroy its own timer; the shared copy keeps the function
// alive until it returns. A tick already queued for a destroyed timer finds
// nothing and is dropped.
void Win32Platform::RunTimer(UINT_PTR timer_id) {
  const auto found = timers_.find(static_cast<TimerId>(timer_id));
  if (found == timers_.end()) return;
  const TickFunction tick = found->second;
  Guarded([&] {
    if (*tick) (*tick)();
  });
}

}  // namespace tk
