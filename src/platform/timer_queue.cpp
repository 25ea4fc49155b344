#include "platform/timer_queue.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace tk {

TimerId TimerQueue::Create(Tick on_tick) {
  const TimerId id = next_id_++;
  timers_.emplace(id, Entry{std::make_shared<Tick>(std::move(on_tick)), 0, 0});
  return id;
}

void TimerQueue::Stop(Entry& timer, TimerId id) {
  if (timer.interval_ms > 0) running_.erase({timer.due_ms, id});
  timer.interval_ms = 0;
}

void TimerQueue::Set(TimerId id, unsigned interval_ms, bool enabled, std::uint64_t now_ms) {
  const auto found = timers_.find(id);
  if (found == timers_.end()) return;
  Entry& timer = found->second;
  Stop(timer, id);
  if (!enabled || interval_ms == 0) return;
  timer.interval_ms = std::max(interval_ms, kMinimumTimerMs);
  timer.due_ms = now_ms + timer.interval_ms;
  running_.emplace(timer.due_ms, id);
}

void TimerQueue::Destroy(TimerId id) {
  const auto found = timers_.find(id);
  if (found == timers_.end()) return;
  Stop(found->second, id);
  timers_.erase(found);
}

std::optional<std::uint64_t> TimerQueue::NextDue() const {
  if (running_.empty()) return std::nullopt;
  return running_.begin()->first;
}

int TimerQueue::RunDue(std::uint64_t now_ms, const Runner& run) {
  const std::vector<std::pair<std::uint64_t, TimerId>> due(running_.begin(),
                                                           running_.upper_bound({now_ms, INT_MAX}));
  int ran = 0;
  for (const auto& [due_ms, id] : due) {
    // An earlier tick of this pass may have stopped, restarted or destroyed it.
    if (!running_.contains({due_ms, id})) continue;
    Entry& timer = timers_.at(id);
    running_.erase({due_ms, id});
    const std::uint64_t missed = (now_ms - due_ms) / timer.interval_ms;
    timer.due_ms = due_ms + (missed + 1) * timer.interval_ms;
    running_.emplace(timer.due_ms, id);
    const std::shared_ptr<Tick> tick = timer.tick;
    ++ran;
    run(*tick);
  }
  return ran;
}

}  // namespace tk
