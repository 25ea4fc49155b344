#include "engine_state.h"

#include <cstdio>

#include "../console_text.h"
#include "../wake_stats.h"
#include "form/main_form.h"
#include "imagery/speech_state.h"
#include "motion/event_state.h"
#include "platform/sim/sim_platform.h"
#include "script/command_context.h"
#include "script/flags.h"
#include "script/runner.h"
#include "script/script_lines.h"

namespace tkc {

namespace {

using nlohmann::json;

// How many lines of a speech the panel shows at most.
constexpr std::size_t kSpeechLines = 12;

json Flags(const tk::FlagLists& flags) {
  json ints = json::array(), strs = json::array();
  for (const tk::IntFlag& f : flags.ints)
    ints.push_back({{"name", JsonText(f.name)}, {"value", f.value}});
  for (const tk::StrFlag& f : flags.strs)
    strs.push_back({{"name", JsonText(f.name)}, {"value", JsonText(f.text)}});
  return {{"ints", ints}, {"strs", strs}};
}

// The innermost run and its line: where the script is now.
json Running(const tk::TMainForm& form) {
  const tk::ActionRun* run = form.runner.innermost;
  if (run == nullptr) return nullptr;
  json running = {{"action", JsonText(form.runner.RunningAction())},
                  {"label", JsonText(std::string(tk::ActionLabel(*run)))},
                  {"line", run->line_index + 1}};
  if (run->line_index < form.script.Size())
    running["text"] = JsonText(form.script[run->line_index]);
  return running;
}

// The text lines of the speech shown last, from its label to the line that
// ends it with "@E".
json Speech(const tk::TMainForm& form) {
  const tk::SpeechState& speech = form.speech;
  if (speech.label.empty()) return nullptr;
  json lines = json::array();
  if (const auto found = form.script.Find(speech.label)) {
    for (std::size_t i = *found + 1; i < form.script.Size() && lines.size() < kSpeechLines; ++i) {
      const std::string& line = form.script[i];
      lines.push_back(JsonText(line));
      if (line.find("@E") != std::string::npos) break;
    }
  }
  return {{"label", JsonText(speech.label.substr(0, speech.label.find(':')))},
          {"lines", lines},
          {"showing", speech.showing},
          {"choiceWaiting", speech.choice_waiting}};
}

std::string TwoDigits(int value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

// Due moments are in virtual milliseconds since the start, so they stay the
// same while the character waits for them.
json Events(const tk::EventState& events, const tk::SimPlatform& sim) {
  const std::uint32_t tick = sim.TickCount();
  const auto now_ms = static_cast<std::int64_t>(sim.NowMs());
  json interval = json::array();
  for (const tk::IntervalEvent& e : events.interval.entries) {
    json entry = {{"label", JsonText(e.label)}};
    if (e.kind == 0) {
      const auto since = static_cast<std::int32_t>(tick - e.last_fired);
      entry["every"] = "every " + std::to_string(e.value) + " ms";
      entry["dueAtMs"] = now_ms + std::max<std::int64_t>(0, std::int64_t{e.value} - since);
    } else {
      entry["every"] = "a 1-in-" + std::to_string(e.value) + " chance each second";
    }
    interval.push_back(entry);
  }
  const tk::LocalTime now = sim.Now();
  json clock = json::array();
  for (const tk::ClockEvent& e : events.clock.entries) {
    const int minutes = ((e.hour * 60 + e.minute) - (now.hour * 60 + now.minute) + 1440) % 1440;
    clock.push_back({{"label", JsonText(e.label)},
                     {"at", TwoDigits(e.hour) + ":" + TwoDigits(e.minute)},
                     {"armed", e.armed},
                     {"dueAtMs", now_ms / 1000 * 1000 + (minutes * 60 - now.second) * 1000LL}});
  }
  static constexpr const char* kDateKinds[] = {"on", "before", "after"};
  json date = json::array();
  for (const tk::DateEvent& e : events.date.entries) {
    const char* kind = e.kind >= 0 && e.kind <= 2 ? kDateKinds[e.kind] : "?";
    date.push_back({{"label", JsonText(e.label)},
                    {"at", std::string(kind) + " " + std::to_string(e.year) + "-" +
                               TwoDigits(e.month) + "-" + TwoDigits(e.day)},
                    {"armed", e.armed}});
  }
  return {{"interval", interval}, {"clock", clock}, {"date", date}};
}

json Wakes(const tk::TMainForm& form, const tk::SimPlatform& sim) {
  const auto names = TimerNames(form);
  json timers = json::array();
  for (const auto& [id, ticks] : sim.TimerTicks()) {
    const auto name = names.find(id);
    if (name != names.end()) timers.push_back({{"name", name->second}, {"ticks", ticks}});
  }
  return {{"timers", timers},
          {"input", sim.input_messages},
          {"posted", sim.posted_messages},
          {"total", sim.Wakes()}};
}

json Windows(const tk::SimPlatform& sim) {
  static constexpr const char* kKinds[] = {"main", "child", "about", "input"};
  json windows = json::array();
  for (const tk::WindowId id : sim.ZOrder()) {
    const tk::SimPlatform::Window* w = sim.FindWindow(id);
    if (w == nullptr) continue;
    windows.push_back({{"kind", kKinds[static_cast<int>(w->kind)]},
                       {"visible", w->visible},
                       {"left", w->bounds.left},
                       {"top", w->bounds.top},
                       {"right", w->bounds.right},
                       {"bottom", w->bounds.bottom}});
  }
  return windows;
}

}  // namespace

json JsonText(const std::string& sjis) {
  return SjisToUtf8(sjis);
}

json CharacterState(const tk::TMainForm& form, const tk::SimPlatform& sim) {
  return {{"flags", Flags(form.flags)}, {"running", Running(form)},
          {"speech", Speech(form)},     {"events", Events(form.events, sim)},
          {"wakes", Wakes(form, sim)},  {"windows", Windows(sim)}};
}

}  // namespace tkc
