#include "script/wait.h"

#include <algorithm>

#include "form/main_form.h"
#include "script/runner.h"

namespace tk {

namespace {

// Longest a wait sleeps between looks at the clock and the message queue.
constexpr std::uint32_t kWaitSliceMs = 10;

}  // namespace

// Counts elapsed ticks rather than comparing with an end tick, so a wait
// across the tick counter's wrap-around (every 49.7 days) still lasts its
// time.
WaitEnd WaitUntil(TMainForm& form, const std::function<bool()>& done,
                  std::optional<std::uint32_t> max_ms) {
  Platform& platform = form.platform;
  const std::uint32_t start = platform.TickCount();
  for (;;) {
    if (done && done()) return WaitEnd::kDone;
    platform.ProcessPendingMessages();
    if (form.IsClosed()) return WaitEnd::kClosed;
    if (!form.runner.CheckKeepGoing()) return WaitEnd::kStopped;
    if (done && done()) return WaitEnd::kDone;
    const std::uint32_t elapsed = platform.TickCount() - start;
    if (max_ms && elapsed >= *max_ms) return WaitEnd::kTimeUp;
    const std::uint32_t left = max_ms ? *max_ms - elapsed : kWaitSliceMs;
    platform.WaitForMessages(std::min(left, kWaitSliceMs));
  }
}

WaitEnd WaitFor(TMainForm& form, std::uint32_t ms) {
  return WaitUntil(form, nullptr, ms);
}

}  // namespace tk
