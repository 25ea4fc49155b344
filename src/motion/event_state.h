// What the timed and event actions keep: three lists, checked by one timer
// and the form's second beat.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/timer.h"

namespace tk {

// Fires at the first check of its minute; armed again once the minute is over.
struct ClockEvent {
  std::int32_t hour = 0;
  std::int32_t minute = 0;
  std::string label;
  bool armed = true;
};

// Kind 0 fires every `value` milliseconds; any other kind fires with a
// chance of 1 in `value` once a second.
struct IntervalEvent {
  std::int32_t kind = 0;
  std::int32_t value = 0;
  std::uint32_t last_fired = 0;  // tick count; kind 0 only
  std::string label;
};

// Kind 0 on the date, 1 before it, 2 after it; fires once at most.
struct DateEvent {
  std::int32_t year = 0;
  std::int32_t month = 0;
  std::int32_t day = 0;
  std::int32_t kind = 0;
  std::string label;
  bool armed = true;
};

template <typename Entry>
struct EventList {
  std::vector<Entry> entries;
  bool active() const { return !entries.empty(); }
};

struct EventState {
  EventList<ClockEvent> clock;
  EventList<IntervalEvent> interval;
  EventList<DateEvent> date;
  // Counts deletions (a whole list counts as one). A list walk stops when
  // the count moved during the action it just ran: entries may have gone
  // from under it. Each walk compares with its own count, so a deletion
  // outside any walk, or one seen by a walk nested in an action, never
  // misleads another walk.
  std::uint64_t deletions = 0;

  // The once-a-second checks (the chances, the clock and date lists) run on
  // the form's second beat. A turn heard while an action holds events back
  // leaves them due, for the timer's first beat once it may run them.
  bool seconds_due = false;

  // The timer sleeps until something can be due, yet ticks only on the beat
  // a timer at the shortest interval would tick on: `beat` is the tick count
  // of its latest tick (or of its creation), and the beat repeats every
  // kMinimumTimerMs from there. `next_wake` is where its next tick falls
  // while it runs.
  Timer timer;
  std::uint32_t beat = 0;
  std::uint32_t next_wake = 0;
  // Something is due but an action holds it back: the timer sleeps until
  // the runner says the last action ended or choices start to wait.
  bool held = false;
};

}  // namespace tk
