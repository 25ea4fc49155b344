// The engine's timers: kept by the program's own queue, run by the message
// loop when it wakes from a wait that ends at the earliest one. A loop the
// system runs instead (a message box, a menu, a window being dragged) knows
// nothing of that queue, so while one runs a single system timer stands in,
// set for the earliest tick each time.
#include "platform/win32/win32_platform.h"

namespace tk {
namespace {

// Well above the ids of any timer the system could be asked for elsewhere.
constexpr UINT_PTR kStandInTimer = 0x7454696d;  // "tTim"

}  // namespace

TimerId Win32Platform::CreateTimer(std::function<void()> on_tick) {
  return timers_.Create(std::move(on_tick));
}

// Setting a timer again restarts its interval, as re-enabling should.
void Win32Platform::SetTimer(TimerId id, unsigned interval_ms, bool enabled) {
  timers_.Set(id, interval_ms, enabled, NowMs());
  SetStandInTimer();
}

void Win32Platform::DestroyTimer(TimerId id) {
  timers_.Destroy(id);
  SetStandInTimer();
}

std::uint64_t Win32Platform::NowMs() const {
  LARGE_INTEGER count{};
  QueryPerformanceCounter(&count);
  // Whole seconds and the rest apart, so that the product cannot overflow.
  const auto ticks = static_cast<std::uint64_t>(count.QuadPart);
  const auto per_second = static_cast<std::uint64_t>(counts_per_second_);
  return ticks / per_second * 1000 + ticks % per_second * 1000 / per_second;
}

DWORD Win32Platform::MsUntilNextTimer() const {
  const std::optional<std::uint64_t> due = timers_.NextDue();
  if (!due) return INFINITE;
  const std::uint64_t now = NowMs();
  return *due <= now ? 0 : static_cast<DWORD>(std::min<std::uint64_t>(*due - now, INFINITE - 1));
}

// A tick that throws is shown and the timer goes on; a tick may destroy its
// own timer, which the queue keeps alive until the tick returns.
void Win32Platform::RunDueTimers() {
  timers_.RunDue(NowMs(), [this](const TimerQueue::Tick& tick) {
    Guarded([&] {
      if (tick) tick();
    });
  });
  SetStandInTimer();
}

void Win32Platform::EnterSystemLoop() {
  ++system_loops_;
  SetStandInTimer();
}

void Win32Platform::LeaveSystemLoop() {
  if (system_loops_ > 0) --system_loops_;
  SetStandInTimer();
}

void Win32Platform::SetStandInTimer() {
  const DWORD wait = system_loops_ > 0 ? MsUntilNextTimer() : INFINITE;
  if (wait == INFINITE) {
    if (stand_in_set_) KillTimer(app_window_, kStandInTimer);
    stand_in_set_ = false;
    return;
  }
  ::SetTimer(app_window_, kStandInTimer, std::max<DWORD>(wait, USER_TIMER_MINIMUM), nullptr);
  stand_in_set_ = true;
}

void Win32Platform::OnSystemTimer(UINT_PTR id) {
  if (id == kStandInTimer) RunDueTimers();
}

}  // namespace tk
