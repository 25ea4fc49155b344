#include "platform/timer_queue.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace tk {

TimerId TimerQueue::Create(Tick on_tick) {
  const TimerId id = next_id_++;
  timers_.emplace(id, Entry{std::make_shared<Tick>(std::move(on_tick)), 0, 0});
  return id;
}

void TimerQueue::Set(TimerId id, unsigned interval_ms, bool enabled, std::uint64_t now_ms) {
  const auto found = timers_.find(id);
  if (found == timers_.end()) return;
  Entry& timer = found->second;
  timer.interval_ms = enabled && interval_ms > 0 ? std::max(interval_ms, kMinimumTimerMs) : 0;
  timer.due_ms = now_ms + timer.interval_ms;
}

void TimerQueue::Destroy(TimerId id) {
  timers_.erase(id);
}

std::optional<std::uint64_t> TimerQueue::NextDue() const {
  std::optional<std::uint64_t> next;
  for (const auto& [id, timer] : timers_) {
    if (timer.interval_ms > 0 && (!next || timer.due_ms < *next)) next = timer.due_ms;
  }
  return next;
}

int TimerQueue::RunDue(std::uint64_t now_ms, const Runner& run) {
  std::vector<std::pair<std::uint64_t, TimerId>> due;
  for (const auto& [id, timer] : timers_) {
    if (timer.interval_ms > 0 && timer.due_ms <= now_ms) due.emplace_back(timer.due_ms, id);
  }
  std::sort(due.begin(), due.end());
  int ran = 0;
  for (const auto& [due_ms, id] : due) {
    const auto found = timers_.find(id);
    // An earlier tick of this pass may have stopped, restarted or destroyed it.
    if (found == timers_.end() || found->second.interval_ms == 0 ||
        found->second.due_ms != due_ms) {
      continue;
    }
    Entry& timer = found->second;
    const std::uint64_t missed = (now_ms - timer.due_ms) / timer.interval_ms;
    timer.due_ms += (missed + 1) * timer.interval_ms;
    const std::shared_ptr<Tick> tick = timer.tick;
    ++ran;
    run(*tick);
  }
  return ran;
}

}  // namespace tk
