// The walk timer's tick: one step of the random walk or of a targeted move.
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>

#include "form/main_form.h"
#include "form/mover.h"
#include "motion/cling_state.h"
#include "motion/drag_state.h"
#include "motion/motion_commands.h"
#include "motion/walk_state.h"
#include "platform/monitors.h"
#include "script/runner.h"

namespace tk {

namespace {

// Where the window stands and how big it is, read once at the start of a
// tick: the steps use it even when a label's action moved the window since.
struct Footing {
  std::int64_t x = 0;
  std::int64_t y = 0;
  int width = 0;
  int height = 0;
  Rect screen;  // the monitor the window stands on
};

Footing ReadFooting(const TMainForm& form) {
  const Rect bounds = form.platform.WindowBounds(form.window);
  return {bounds.left, bounds.top, bounds.Width(), bounds.Height(),
          MonitorOf(form.platform.Monitors(), bounds).bounds};
}

// Runs a label's action unless another action is running; the copy keeps
// the label alive while the action replaces the walk's labels. `why` is
// "turn" or "arrival".
void RunWalkAction(TMainForm& form, std::string label, const char* why) {
  if (label.empty() || !form.CanStartAction(ActionTrigger::kWalkTimer)) return;
  RunAction(form, label, {ActionCause::Kind::kWalk, why});
}

// The label of each direction, indexed by (dx + 1) * 3 + (dy + 1).
int LabelIndex(int dx, int dy) {
  constexpr int kByDirection[9] = {4, 2, 6, 0, 8, 1, 5, 3, 7};
  return kByDirection[(dx + 1) * 3 + (dy + 1)];
}

void RunDirectionLabel(TMainForm& form) {
  RunWalkAction(form, form.walk.labels[LabelIndex(form.walk.dx, form.walk.dy)], "turn");
}

// Draws whether the walk turns on this tick; true when the direction changed.
bool DrawTurn(TMainForm& form) {
  WalkState& walk = form.walk;
  if (walk.turn_odds > 0 && form.random.Next() % walk.turn_odds != 0) return false;
  const int dx = form.random.Next() % 3 - 1;
  const int dy = form.random.Next() % 3 - 1;
  if (dx == walk.dx && dy == walk.dy) return false;
  walk.dx = dx;
  walk.dy = dy;
  return true;
}

bool InsideScreen(const Footing& f, std::int64_t x, std::int64_t y, int dx, int dy) {
  const Rect& s = f.screen;
  return x >= s.left && (dx <= 0 || x + f.width <= s.right) && y >= s.top &&
         (dy <= 0 || y + f.height <= s.bottom);
}

// Whether a bounce can end: the window fits on the screen, and beside one
// step along each axis it walks on. Otherwise every retry from the clamped
// place is off the screen again.
bool BounceCanEnd(const Footing& f, int step, int dx, int dy) {
  const std::int64_t s = step;
  const int screen_width = f.screen.Width();
  const int screen_height = f.screen.Height();
  return f.width <= screen_width && f.height <= screen_height &&
         (dx == 0 || f.width + s <= screen_width) && (dy == 0 || f.height + s <= screen_height);
}

std::int64_t ClampToScreen(std::int64_t at, int size, int low, int high) {
  if (at < low) at = low;
  if (at + size > high) at = std::int64_t{high} - size;
  return at;
}

void RandomWalkTick(TMainForm& form, const Footing& f) {
  WalkState& walk = form.walk;
  bool run_label = true;
  if (walk.started) {
    run_label = DrawTurn(form);
  } else {
    walk.started = true;
  }
  std::int64_t x = f.x;
  std::int64_t y = f.y;
  // A window off the left or top edge may need two reversals: the first
  // clamps it to the edge, facing out again when it was walking in; the
  // second turns it inside. A window that fits beside one step is inside by
  // then; one that does not would bounce for ever, so it bounces once and
  // stays at the edge it was pushed back to. A direction label may change
  // the step between reversals, so the count is capped as well.
  constexpr int kMostReversals = 4;
  for (int reversals = 0;; ++reversals) {
    const bool bounced = reversals > 0;
    if (run_label) RunDirectionLabel(form);
    if (form.IsClosed()) return;
    const std::int64_t nx = x + std::int64_t{walk.step} * walk.dx;
    const std::int64_t ny = y + std::int64_t{walk.step} * walk.dy;
    if (InsideScreen(f, nx, ny, walk.dx, walk.dy)) {
      MoveCharacterTo(form, nx, ny);
      return;
    }
    if (bounced && (!BounceCanEnd(f, walk.step, walk.dx, walk.dy) || reversals == kMostReversals)) {
      MoveCharacterTo(form, x, y);
      return;
    }
    walk.dx = -walk.dx;
    walk.dy = -walk.dy;
    x = ClampToScreen(nx, f.width, f.screen.left, f.screen.right);
    y = ClampToScreen(ny, f.height, f.screen.top, f.screen.bottom);
    run_label = true;
  }
}

void BeginTargetedMove(TMainForm& form, const Footing& f) {
  WalkState& walk = form.walk;
  walk.start_x = static_cast<int>(f.x);
  walk.start_y = static_cast<int>(f.y);
  if (walk.absolute) {
    walk.target_x -= walk.start_x;
    walk.target_y -= walk.start_y;
  }
  const double ox = walk.target_x;
  const double oy = walk.target_y;
  walk.angle = ox == 0 ? std::numbers::pi / 2 : std::atan(oy / ox);
  if (ox < 0 || (ox == 0 && oy <= 0)) walk.angle += std::numbers::pi;
  walk.travelled = 0;
  walk.kind = MoveKind::kTargetUnderway;
}

// Rounds half away from zero.
std::int64_t RoundAway(double value) {
  return static_cast<std::int64_t>(value > 0 ? value + 0.5 : value - 0.5);
}

bool Blocked(const WalkState& walk, const Footing& f, std::int64_t x, std::int64_t y) {
  if (walk.absolute) return false;
  const Rect& s = f.screen;
  return x < s.left || (walk.target_x > 0 && x + f.width > s.right) || y < s.top ||
         (walk.target_y > 0 && y + f.height > s.bottom);
}

// A move to where the window already is has no direction to arrive from:
// it counts as arrived at once.
bool Arrived(const WalkState& walk, std::int64_t x, std::int64_t y) {
  const double ox = walk.target_x;
  const double oy = walk.target_y;
  const double tx = walk.start_x + ox;
  const double ty = walk.start_y + oy;
  return (ox == 0 && oy == 0) || (ox > 0 && x >= tx) || (oy > 0 && y >= ty) ||
         (ox < 0 && x <= tx) || (oy < 0 && y <= ty);
}

void TargetedMoveTick(TMainForm& form, const Footing& f) {
  WalkState& walk = form.walk;
  walk.travelled += static_cast<std::uint32_t>(walk.step);
  const double along = walk.travelled;
  const std::int64_t x = walk.start_x + RoundAway(along * std::cos(walk.angle));
  const std::int64_t y = walk.start_y + RoundAway(along * std::sin(walk.angle));
  if (Blocked(walk, f, x, y) || Arrived(walk, x, y)) {
    RunWalkAction(form, walk.arrival_label, "arrival");
    return;
  }
  MoveCharacterTo(form, x, y);
}

}  // namespace

void OnWalkTimer(TMainForm& form) {
  if (form.cling.clinging || form.drag.dragging || form.IsClosed()) return;
  if (!form.platform.IsWindowVisible(form.window)) return;
  const Footing footing = ReadFooting(form);
  switch (form.walk.kind) {
    case MoveKind::kRandomWalk:
      RandomWalkTick(form, footing);
      break;
    case MoveKind::kTargetPending:
      BeginTargetedMove(form, footing);
      if (form.walk.target_x == 0 && form.walk.target_y == 0)
        RunWalkAction(form, form.walk.arrival_label, "arrival");
      break;
    case MoveKind::kTargetUnderway:
      TargetedMoveTick(form, footing);
      break;
  }
}

}  // namespace tk
