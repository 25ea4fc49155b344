// The event timer. It behaves as a timer at the shortest interval would,
// ticking on every beat, but it wakes only on the beats where something can
// be due: the once-a-second checks of each list, the end of the shortest
// kind-0 period, and every beat only while something due is held back by a
// running action or has a period shorter than a beat.
#include <algorithm>
#include <tuple>

#include "form/main_form.h"
#include "motion/event_commands.h"
#include "motion/event_state.h"
#include "motion/motion_commands.h"
#include "script/runner.h"

namespace tk {

namespace {

constexpr std::int64_t kSecondMs = 1000;
constexpr int kDrawRange = 32768;  // draws are 0..32767

std::int64_t SecondsDelay(const auto& list, std::uint32_t now) {
  // A stamp just ahead of now is the one taken at the next beat.
  const std::uint32_t ahead = list.stamp - now;
  if (ahead <= kMinimumTimerMs) return kSecondMs + ahead;
  return kSecondMs - std::min<std::int64_t>(now - list.stamp, kSecondMs);
}

// Milliseconds from now until anything can be due; 0 or less when something
// is due already.
std::int64_t EarliestDelay(const EventState& s, std::uint32_t now) {
  std::int64_t delay = kSecondMs + kMinimumTimerMs;
  if (s.interval.active()) delay = std::min(delay, SecondsDelay(s.interval, now));
  if (s.clock.active()) delay = std::min(delay, SecondsDelay(s.clock, now));
  if (s.date.active()) delay = std::min(delay, SecondsDelay(s.date, now));
  for (const IntervalEvent& e : s.interval.entries) {
    if (e.kind != 0) continue;
    const auto since = static_cast<std::int32_t>(now - e.last_fired);
    delay = std::min<std::int64_t>(delay, std::int64_t{e.value} - since);
  }
  return delay;
}

// From now to the first beat at least `delay` ms away (and after now).
std::uint32_t ToBeat(const EventState& s, std::uint32_t now, std::int64_t delay) {
  const std::int64_t first = kMinimumTimerMs - (now - s.beat) % kMinimumTimerMs;
  if (delay <= first) return static_cast<std::uint32_t>(first);
  const std::int64_t beats = (delay - first + kMinimumTimerMs - 1) / kMinimumTimerMs;
  return static_cast<std::uint32_t>(first + beats * kMinimumTimerMs);
}

bool AnyActive(const EventState& s) {
  return s.interval.active() || s.clock.active() || s.date.active();
}

// A list that got its first entry since the last tick has its stamp taken
// for the next beat, just ahead of now.
bool TakenAhead(std::uint32_t stamp, std::uint32_t now) {
  return stamp - now - 1 < kMinimumTimerMs;
}

void StartStamps(EventState& s, std::uint32_t now) {
  for (std::uint32_t* stamp : {&s.interval.stamp, &s.clock.stamp, &s.date.stamp}) {
    // Taken for this beat, and a late tick met it: it is now.
    if (TakenAhead(*stamp, now)) *stamp = now;
  }
  if (s.interval.active() && s.interval.stamp == 0) s.interval.stamp = now;
  if (s.clock.active() && s.clock.stamp == 0) s.clock.stamp = now;
  if (s.date.active() && s.date.stamp == 0) s.date.stamp = now;
}

// A list given its first entry by an action this tick ran is checked in the
// same tick, as a list whose stamp was never started (0): a second has
// passed once the tick count itself is past one.
bool SecondPassed(std::uint32_t& stamp, std::uint32_t now) {
  const std::uint32_t elapsed = TakenAhead(stamp, now) ? now : now - stamp;
  if (elapsed < kSecondMs) return false;
  stamp = now;
  return true;
}

// How the trace tells the events apart.
std::string EventDetail(const IntervalEvent& e) {
  return (e.kind == 0 ? "every " : "a chance of 1 in ") + std::to_string(e.value) +
         (e.kind == 0 ? " ms" : " a second");
}

std::string EventDetail(const ClockEvent& e) {
  const auto two = [](std::int32_t n) { return (n >= 0 && n < 10 ? "0" : "") + std::to_string(n); };
  return "at " + two(e.hour) + ":" + two(e.minute);
}

std::string EventDetail(const DateEvent& e) {
  const char* when = e.kind == 0 ? "on " : e.kind == 1 ? "before " : "after ";
  return when + std::to_string(e.year) + "-" + std::to_string(e.month) + "-" +
         std::to_string(e.day);
}

// Runs an entry's label; true when the action deleted events, which ends the
// walk.
template <typename Entry>
bool Fire(TMainForm& form, const Entry& entry) {
  // The action may run a while; whatever falls due meanwhile must be caught
  // on the first beat after it, so the timer is set for that now.
  ScheduleEventTimer(form);
  const std::uint64_t deletions = form.events.deletions;
  const std::string copy = entry.label;  // the action may delete the entry
  ActionCause cause{ActionCause::Kind::kEvent, {}};
  if (form.trace) cause.detail = EventDetail(entry);
  RunAction(form, copy, cause);
  return form.events.deletions != deletions;
}

bool ChanceHits(TMainForm& form, std::int32_t n) {
  if (n == 0) return true;
  // For a negative n the remainder of a non-negative draw is still below |n|.
  return (form.random.Next() % kDrawRange) % n == 0;
}

void CheckIntervalEvents(TMainForm& form) {
  EventState& s = form.events;
  const bool second = SecondPassed(s.interval.stamp, form.platform.TickCount());
  for (std::size_t i = 0; i < s.interval.entries.size(); ++i) {
    IntervalEvent& e = s.interval.entries[i];
    bool ended = false;
    if (e.kind == 0) {
      const std::uint32_t now = form.platform.TickCount();
      if (static_cast<std::int32_t>(now - e.last_fired) >= e.value) {
        e.last_fired = now;
        ended = Fire(form, e);
      }
    } else if (second && ChanceHits(form, e.value)) {
      ended = Fire(form, e);
    }
    if (ended) return;
  }
}

void CheckClockEvents(TMainForm& form) {
  EventState& s = form.events;
  if (!SecondPassed(s.clock.stamp, form.platform.TickCount())) return;
  const LocalTime time = form.platform.Now();
  for (std::size_t i = 0; i < s.clock.entries.size(); ++i) {
    ClockEvent& e = s.clock.entries[i];
    const bool now = e.hour == time.hour && e.minute == time.minute;
    if (e.armed && now) {
      e.armed = false;
      if (Fire(form, e)) return;
    } else if (!e.armed && !now) {
      e.armed = true;
    }
  }
}

bool DateMatches(const DateEvent& e, const LocalTime& today) {
  const auto entry = std::tie(e.year, e.month, e.day);
  const auto now = std::tie(today.year, today.month, today.day);
  switch (e.kind) {
    case 0:
      return now == entry;
    case 1:
      return now < entry;
    case 2:
      return now > entry;
    default:
      return false;
  }
}

void CheckDateEvents(TMainForm& form) {
  EventState& s = form.events;
  if (!SecondPassed(s.date.stamp, form.platform.TickCount())) return;
  const LocalTime today = form.platform.Now();
  for (std::size_t i = 0; i < s.date.entries.size(); ++i) {
    DateEvent& e = s.date.entries[i];
    if (!e.armed || !DateMatches(e, today)) continue;
    e.armed = false;  // for good
    if (Fire(form, e)) return;
  }
}

}  // namespace

void CreateEventTimer(TMainForm& form) {
  form.events.timer = Timer(form.platform, [&form] { OnEventTimer(form); });
  form.events.beat = form.platform.TickCount();
}

void OnEventTimer(TMainForm& form) {
  EventState& s = form.events;
  const std::uint32_t now = form.platform.TickCount();
  s.beat = now;
  s.next_wake = now + s.timer.interval();
  StartStamps(s, now);
  if (form.CanStartAction(ActionTrigger::kEventTimer)) {
    if (s.interval.active()) CheckIntervalEvents(form);
    if (s.clock.active()) CheckClockEvents(form);
    if (s.date.active()) CheckDateEvents(form);
  }
  ScheduleEventTimer(form);
}

// On a beat the interval may be set freely: the ticks stay on the beat. Between
// beats (a command, or the end of an action a tick ran) the timer is only
// brought forward, to the first beat the platform can still reach.
void ScheduleEventTimer(TMainForm& form) {
  EventState& s = form.events;
  if (!AnyActive(s) || form.MayStartAction(ActionTrigger::kEventTimer) == ActionStart::kNever) {
    s.timer.Stop();
    return;
  }
  const std::uint32_t now = form.platform.TickCount();
  const std::int64_t delay = std::max<std::int64_t>(EarliestDelay(s, now), 1);
  const std::uint32_t wanted = ToBeat(s, now, delay);
  if (now == s.beat) {
    if (!s.timer.running() || s.timer.interval() != wanted) s.timer.Start(wanted);
    s.next_wake = now + wanted;
    return;
  }
  const std::uint32_t left = s.next_wake - now;
  if (s.timer.running() && left > 0 && left <= wanted) return;
  const std::uint32_t reachable = ToBeat(s, now, std::max<std::int64_t>(delay, kMinimumTimerMs));
  s.timer.Start(reachable);
  s.next_wake = now + reachable;
}

}  // namespace tk
