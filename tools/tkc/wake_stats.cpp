#include "wake_stats.h"

#include <cstdio>

#include "console_text.h"
#include "form/main_form.h"
#include "imagery/animation.h"
#include "imagery/number_images.h"
#include "imagery/prompt_state.h"
#include "motion/event_state.h"
#include "motion/step_aside_state.h"
#include "motion/walk_state.h"
#include "platform/sim/sim_platform.h"

namespace tkc {

namespace {

void Name(std::map<tk::TimerId, std::string>& names, const tk::Timer& timer, std::string name) {
  if (timer.id() != 0) names[timer.id()] = std::move(name);
}

std::string PerSecond(std::uint64_t count, std::uint64_t ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", ms == 0 ? 0.0 : count * 1000.0 / ms);
  return text;
}

}  // namespace

std::map<tk::TimerId, std::string> TimerNames(const tk::TMainForm& form) {
  std::map<tk::TimerId, std::string> names;
  Name(names, form.events.timer, "event timer");
  Name(names, form.prompt.timer, "prompt mark");
  Name(names, form.walk.timer, "walk timer");
  Name(names, form.second_beat.timer(),
       "second beat (clock image, front-window look, event checks)");
  Name(names, form.numbers.counter.timer, "counter image");
  Name(names, form.numbers.day_count.timer, "day-count image");
  Name(names, form.numbers.date.timer, "date image");
  for (const auto& animation : form.animations.list) {
    Name(names, animation->timer, "animation " + SjisToUtf8(animation->name));
  }
  return names;
}

void CountWakes(const tk::SimPlatform& sim, WakeStats& stats) {
  stats.ticks.clear();
  for (const auto& [id, ticks] : sim.TimerTicks()) {
    if (!stats.own.contains(id)) stats.ticks[id] = ticks;
  }
  stats.input_messages = sim.input_messages;
  stats.posted_messages = sim.posted_messages;
  stats.ms = sim.NowMs();
}

void PrintWakeStats(std::ostream& out, const WakeStats& stats) {
  std::uint64_t total = stats.input_messages + stats.posted_messages;
  for (const auto& [id, ticks] : stats.ticks) total += ticks;
  out << "wakes: " << total << " in " << stats.ms << " ms of virtual time, "
      << PerSecond(total, stats.ms) << " a second\n";
  for (const auto& [id, ticks] : stats.ticks) {
    const auto name = stats.names.find(id);
    out << "  " << (name != stats.names.end() ? name->second : "timer " + std::to_string(id))
        << ": " << ticks << " ticks, " << PerSecond(ticks, stats.ms) << " a second\n";
  }
  out << "  input messages: " << stats.input_messages << ", "
      << PerSecond(stats.input_messages, stats.ms) << " a second\n";
  out << "  notices: " << stats.posted_messages << ", "
      << PerSecond(stats.posted_messages, stats.ms) << " a second\n";
}

}  // namespace tkc
