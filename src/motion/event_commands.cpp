#include "motion/event_commands.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/text.h"
#include "form/main_form.h"
#include "motion/event_state.h"
#include "script/command_context.h"

namespace tk {

namespace {

std::optional<std::int32_t> IntParam(CommandContext& c, ParamMode mode) {
  const auto value = ParseInt32(c.Param(mode));
  if (!value) c.Report(ErrorKind::kParameter);
  return value;
}

// CES and CED take "12:30,Label" as well as "12,30,Label".
std::optional<ClockEvent> ReadClockEvent(CommandContext& c) {
  ClockEvent event;
  const auto hour = IntParam(c, ParamMode::kColon);
  if (!hour) return std::nullopt;
  const auto minute = IntParam(c, ParamMode::kColon);
  if (!minute) return std::nullopt;
  event.hour = *hour;
  event.minute = *minute;
  event.label = c.Param();
  return event;
}

// Seconds with a fraction to whole milliseconds, the fraction dropped towards
// zero. A product within a hair of a whole number is that number, so "4.35"
// is 4350 ms although 4.35 has no exact binary form.
std::optional<std::int32_t> SecondsToMs(std::string_view text) {
  const auto seconds = ParseDecimal(text);
  if (!seconds) return std::nullopt;
  double ms = *seconds * 1000.0;
  if (std::abs(ms - std::round(ms)) < 1e-6) ms = std::round(ms);
  ms = std::trunc(ms);
  constexpr double kLow = std::numeric_limits<std::int32_t>::min();
  constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(std::clamp(ms, kLow, kHigh));
}

// IES and IED: a kind-0 value is a period in seconds, any other an integer.
std::optional<IntervalEvent> ReadIntervalEvent(CommandContext& c) {
  IntervalEvent event;
  const auto kind = c.Int();
  if (!kind) return std::nullopt;
  const std::string value_text = c.Param();
  const auto value = *kind == 0 ? SecondsToMs(value_text) : ParseInt32(value_text);
  if (!value) {
    c.Report(ErrorKind::kParameter);
    return std::nullopt;
  }
  event.kind = *kind;
  event.value = *value;
  event.label = c.Param();
  return event;
}

std::optional<DateEvent> ReadDateEvent(CommandContext& c) {
  const auto numbers = c.Ints<4>();
  if (!numbers) return std::nullopt;
  const auto [year, month, day, kind] = *numbers;
  return DateEvent{year, month, day, kind, c.Param()};
}

template <typename Entry>
void Append(TMainForm& form, EventList<Entry>& list, Entry entry) {
  list.entries.push_back(std::move(entry));
  ScheduleEventTimer(form);
}

// An empty label empties the list; otherwise every entry equal in all fields
// goes. The walk that runs an action learns of deletions by the count.
template <typename Entry, typename Same>
void Delete(TMainForm& form, EventList<Entry>& list, const std::string& label, Same same) {
  EventState& s = form.events;
  if (label.empty()) {
    list.entries.clear();
    ++s.deletions;
  } else {
    s.deletions += std::erase_if(
        list.entries, [&](const Entry& entry) { return entry.label == label && same(entry); });
  }
  ScheduleEventTimer(form);
}

}  // namespace

void RunCes(CommandContext& c) {
  if (auto event = ReadClockEvent(c)) Append(c.form, c.form.events.clock, std::move(*event));
}

void RunCed(CommandContext& c) {
  const auto wanted = ReadClockEvent(c);
  if (!wanted) return;
  Delete(c.form, c.form.events.clock, wanted->label,
         [&](const ClockEvent& e) { return e.hour == wanted->hour && e.minute == wanted->minute; });
}

void RunCea(CommandContext& c) {
  Delete(c.form, c.form.events.clock, "", [](const ClockEvent&) { return true; });
}

void RunIes(CommandContext& c) {
  auto event = ReadIntervalEvent(c);
  if (!event) return;
  if (event->kind == 1 && event->value <= 0) event->value = 1;
  event->last_fired = c.form.platform.TickCount();
  Append(c.form, c.form.events.interval, std::move(*event));
}

void RunIed(CommandContext& c) {
  const auto wanted = ReadIntervalEvent(c);
  if (!wanted) return;
  Delete(c.form, c.form.events.interval, wanted->label, [&](const IntervalEvent& e) {
    return e.kind == wanted->kind && e.value == wanted->value;
  });
}

void RunIea(CommandContext& c) {
  Delete(c.form, c.form.events.interval, "", [](const IntervalEvent&) { return true; });
}

void RunDes(CommandContext& c) {
  if (auto event = ReadDateEvent(c)) Append(c.form, c.form.events.date, std::move(*event));
}

void RunDed(CommandContext& c) {
  const auto wanted = ReadDateEvent(c);
  if (!wanted) return;
  Delete(c.form, c.form.events.date, wanted->label, [&](const DateEvent& e) {
    return e.year == wanted->year && e.month == wanted->month && e.day == wanted->day &&
           e.kind == wanted->kind;
  });
}

void RunDea(CommandContext& c) {
  Delete(c.form, c.form.events.date, "", [](const DateEvent&) { return true; });
}

}  // namespace tk
