// The event timer. It behaves as a timer at the shortest interval would,
// ticking on every beat, but it wakes only on the beats where something can
// be due: the end of the shortest kind-0 period, and every beat only while
// something has a period shorter than a beat. What an action holds back
// waits without a wake for the first beat the timer can reach after it.
// The once-a-second checks (chances, clock and date lists) run on the
// form's second beat, the wake the clock image redraws on.
#include <algorithm>
#include <limits>
#include <tuple>
#include <utility>

#include "form/main_form.h"
#include "motion/event_commands.h"
#include "motion/event_state.h"
#include "motion/motion_commands.h"
#include "script/runner.h"

namespace tk {

namespace {

constexpr int kDrawRange = 32768;  // draws are 0..32767

bool IsChance(const IntervalEvent& e) {
  return e.kind != 0;
}

bool WantsSeconds(const EventState& s) {
  return s.clock.active() || s.date.active() || std::ranges::any_of(s.interval.entries, IsChance);
}

bool HasPeriods(const EventState& s) {
  return std::ranges::any_of(s.interval.entries,
                             [](const IntervalEvent& e) { return !IsChance(e); });
}

// Milliseconds from now until anything can be due; 0 or less when something
// is due already.
std::int64_t EarliestDelay(const EventState& s, std::uint32_t now) {
  if (s.seconds_due) return 0;
  std::int64_t delay = std::numeric_limits<std::int32_t>::max();
  for (const IntervalEvent& e : s.interval.entries) {
    if (IsChance(e)) continue;
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

// Kind-0 entries fire when their period is over; the chances draw when a
// second turned.
void CheckIntervalEvents(TMainForm& form, bool periods, bool second) {
  EventState& s = form.events;
  for (std::size_t i = 0; i < s.interval.entries.size(); ++i) {
    IntervalEvent& e = s.interval.entries[i];
    bool ended = false;
    if (!IsChance(e)) {
      const std::uint32_t now = form.platform.TickCount();
      if (periods && static_cast<std::int32_t>(now - e.last_fired) >= e.value) {
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
  const LocalTime today = form.platform.Now();
  for (std::size_t i = 0; i < s.date.entries.size(); ++i) {
    DateEvent& e = s.date.entries[i];
    if (!e.armed || !DateMatches(e, today)) continue;
    e.armed = false;  // for good
    if (Fire(form, e)) return;
  }
}

// One walk over the lists, in their order. A list that an action of this
// walk gives its first entries is checked in it too.
void CheckEvents(TMainForm& form, bool periods) {
  EventState& s = form.events;
  const bool second = std::exchange(s.seconds_due, false);
  if (s.interval.active()) CheckIntervalEvents(form, periods, second);
  if (!second) return;
  if (s.clock.active()) CheckClockEvents(form);
  if (s.date.active()) CheckDateEvents(form);
}

// The second beat heard a turn.
void OnSecondTurn(TMainForm& form) {
  form.events.seconds_due = true;
  if (form.CanStartAction(ActionTrigger::kEventTimer)) CheckEvents(form, false);
  ScheduleEventTimer(form);
}

}  // namespace

void CreateEventTimer(TMainForm& form) {
  form.events.timer = Timer(form.platform, [&form] { OnEventTimer(form); });
  form.events.beat = form.platform.TickCount();
  form.second_beat.Listen(SecondBeat::kEvents, [&form] { OnSecondTurn(form); });
  form.runner.on_all_ended = [&form] { ResumeHeldEvents(form); };
}

void ResumeHeldEvents(TMainForm& form) {
  if (!std::exchange(form.events.held, false)) return;
  ScheduleEventTimer(form);
}

void OnEventTimer(TMainForm& form) {
  EventState& s = form.events;
  const std::uint32_t now = form.platform.TickCount();
  s.beat = now;
  s.next_wake = now + s.timer.interval();
  if (form.CanStartAction(ActionTrigger::kEventTimer)) CheckEvents(form, true);
  ScheduleEventTimer(form);
}

// On a beat the interval may be set freely: the ticks stay on the beat. Between
// beats (a command, or the end of an action a tick ran) the timer is only
// brought forward, to the first beat the platform can still reach.
void ScheduleEventTimer(TMainForm& form) {
  EventState& s = form.events;
  const ActionStart may = form.MayStartAction(ActionTrigger::kEventTimer);
  const bool never = may == ActionStart::kNever;
  const bool seconds = !never && WantsSeconds(s);
  if (!seconds) s.seconds_due = false;
  form.second_beat.Want(SecondBeat::kEvents, seconds);
  s.held = false;
  if (never || !(HasPeriods(s) || s.seconds_due)) {
    s.timer.Stop();
    return;
  }
  const std::uint32_t now = form.platform.TickCount();
  const std::int64_t earliest = EarliestDelay(s, now);
  if (earliest <= 0 && may != ActionStart::kYes) {
    s.timer.Stop();
    s.held = true;
    return;
  }
  const std::int64_t delay = std::max<std::int64_t>(earliest, 1);
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
