// Timers the program keeps itself instead of asking the system for one per
// timer: the message loop sleeps until the earliest is due and runs it, so a
// tick costs a single wait instead of a timer message fetched from the
// system's queue. Intervals keep their phase, as the system's timers do: a
// tick that runs late does not push the next ones back, and ticks missed
// while the program was busy fold into one.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <utility>

#include "platform/platform.h"

namespace tk {

class TimerQueue {
 public:
  using Tick = std::function<void()>;
  // Runs one tick; the caller's chance to shield the loop from a throw.
  using Runner = std::function<void(const Tick&)>;

  TimerId Create(Tick on_tick);
  // Starts the timer `interval_ms` after `now_ms`, restarting a running one;
  // a disabled timer or an interval of zero stops it.
  void Set(TimerId id, unsigned interval_ms, bool enabled, std::uint64_t now_ms);
  void Destroy(TimerId id);
  bool Contains(TimerId id) const { return timers_.contains(id); }

  // When the earliest running timer is due; nothing while none runs.
  std::optional<std::uint64_t> NextDue() const;
  // Runs each timer due by `now_ms` once, earliest first. A tick may set,
  // make or destroy timers, itself included: a timer it restarts or stops
  // is not run in the same pass. Returns how many ticks ran.
  int RunDue(std::uint64_t now_ms, const Runner& run);

 private:
  struct Entry {
    // Shared, so that a tick destroying its own timer keeps running.
    std::shared_ptr<Tick> tick;
    unsigned interval_ms = 0;  // 0 while stopped
    std::uint64_t due_ms = 0;
  };
  void Stop(Entry& timer, TimerId id);

  std::map<TimerId, Entry> timers_;
  // The running timers by when they are due, so that a wake looks at the
  // earliest and not at every timer the character ever made.
  std::set<std::pair<std::uint64_t, TimerId>> running_;
  TimerId next_id_ = 1;
};

}  // namespace tk
