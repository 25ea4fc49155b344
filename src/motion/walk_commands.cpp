#include "motion/walk_commands.h"

#include <optional>
#include <string>

#include "base/messages.h"
#include "form/main_form.h"
#include "motion/walk_state.h"
#include "script/command_context.h"
#include "script/command_refusal.h"

namespace tk {

namespace {

// Windows clamps a timer interval above 2^31 - 1 ms to about 25 days, so a
// negative one never ticks in practice; it is simply off here.
unsigned WalkInterval(std::int32_t interval_ms) {
  return interval_ms <= 0 ? 0u : static_cast<unsigned>(interval_ms);
}

int AtLeastOne(std::int32_t value) {
  return value > 0 ? value : 1;
}

// A hidden character does not set out; the trace hears why.
bool Hidden(const CommandContext& c) {
  if (!c.form.shell.modes.hidden) return false;
  TraceRefusal(c, "the character is hidden");
  return true;
}

struct MoveRequest {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t interval = 0;
  std::int32_t step = 0;
  std::string arrival_label;
};

std::optional<MoveRequest> ReadMove(CommandContext& c) {
  const auto values = c.Ints<4>();
  if (!values) return std::nullopt;
  const auto [x, y, interval, step] = *values;
  return MoveRequest{x, y, interval, step, c.Param()};
}

// A move whose arrival action is the action giving it would start that
// action again on arrival, and again, without end.
bool RefuseRecursion(CommandContext& c, const MoveRequest& move, const char* message) {
  if (move.arrival_label != ActionLabel(c.run)) return false;
  c.form.ShowError(message);
  c.Report(ErrorKind::kRecursiveCall);
  c.form.walk.timer.Stop();
  return true;
}

void StartMove(TMainForm& form, const MoveRequest& move, bool absolute) {
  WalkState& walk = form.walk;
  walk.timer.Stop();
  walk.absolute = absolute;
  walk.kind = MoveKind::kTargetPending;
  walk.target_x = move.x;
  walk.target_y = move.y;
  walk.step = AtLeastOne(move.step);
  walk.arrival_label = move.arrival_label;
  walk.timer.Start(WalkInterval(move.interval));
}

}  // namespace

void RunMvb(CommandContext& c) {
  const auto values = c.Ints<3>();
  if (!values || Hidden(c)) return;
  const auto [interval, step, turn_odds] = *values;
  WalkState& walk = c.form.walk;
  walk.timer.Stop();
  walk.kind = MoveKind::kRandomWalk;
  walk.turn_odds = AtLeastOne(turn_odds);
  walk.step = AtLeastOne(step);
  walk.timer.Start(WalkInterval(interval));
}

void RunMve(CommandContext& c) {
  c.form.walk.started = false;
  c.form.walk.timer.Stop();
}

void RunMvl(CommandContext& c) {
  for (std::string& label : c.form.walk.labels) label = c.Param();
}

void RunMvr(CommandContext& c) {
  const auto move = ReadMove(c);
  if (!move || RefuseRecursion(c, *move, msg::kMvrRecursion)) return;
  if (Hidden(c) || (move->x == 0 && move->y == 0)) return;
  StartMove(c.form, *move, false);
}

void RunMva(CommandContext& c) {
  const auto move = ReadMove(c);
  if (!move || RefuseRecursion(c, *move, msg::kMvaRecursion) || Hidden(c)) return;
  StartMove(c.form, *move, true);
}

}  // namespace tk
