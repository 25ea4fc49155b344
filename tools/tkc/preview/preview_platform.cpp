#include "preview_platform.h"

#include <algorithm>

namespace tkc {

// What the pacer served may have run the program on (an action that waits
// pumps nested), so time is read again after it.
std::uint64_t PreviewPlatform::PacedStep(std::uint64_t target_ms) {
  const std::uint64_t reached = pacer_.Pace(target_ms, true);
  return reached > NowMs() ? reached - NowMs() : 0;
}

void PreviewPlatform::RunMessageLoop() {
  while (!quit_requested) {
    const std::uint64_t now = NowMs();
    const std::uint64_t step = PacedStep(std::clamp(NextDueMs(), now, now + kLongestSleepMs));
    if (quit_requested) break;
    AdvanceTime(step);
  }
  if (on_loop_end) on_loop_end();
}

void PreviewPlatform::ProcessPendingMessages() {
  AdvanceTime(PacedStep(NowMs() + 1));
}

// Sleeps as the real platform does, until something is due or the time is
// up; whatever fell due is handled by the next pump.
void PreviewPlatform::WaitForMessages(std::uint32_t max_ms) {
  const std::uint64_t now = NowMs();
  const std::uint64_t target = std::clamp(NextDueMs(), now, now + max_ms);
  if (target > now) Busy(PacedStep(target));
}

}  // namespace tkc
