#include "motion/step_aside.h"

#include <algorithm>
#include <vector>

#include "form/main_form.h"
#include "form/mover.h"
#include "motion/step_aside_state.h"
#include "platform/monitors.h"

namespace tk {

namespace {

bool Covers(const Rect& window, const Rect& monitor) {
  return window.left <= monitor.left && window.top <= monitor.top &&
         window.right >= monitor.right && window.bottom >= monitor.bottom;
}

// Whether the window in front covers the monitor the character stands on;
// a hidden window keeps its place, so this holds while it stands aside too.
// Where the character stands is asked only of a front window that covers a
// monitor at all, which most never do.
bool CoversTheCharactersMonitor(const TMainForm& form, const Rect& front) {
  const std::vector<Monitor> monitors = form.platform.Monitors();
  if (std::ranges::none_of(monitors, [&](const Monitor& m) { return Covers(front, m.bounds); }))
    return false;
  const Rect character = form.platform.WindowBounds(form.window);
  return Covers(front, MonitorOf(monitors, character).bounds);
}

}  // namespace

void StartSteppingAside(TMainForm& form) {
  StepAsideState& state = form.step_aside;
  form.second_beat.Listen(SecondBeat::kFrontWindow, [&form] { LookAtFrontWindow(form); });
  state.noticed = state.watch.Start(form.platform.Desktop(), [&form] { LookAtFrontWindow(form); });
  LookAtFrontWindow(form);
}

// A character the user hid has nothing to step aside from, so nothing is
// looked at for it; the user's show looks again.
void LookAtFrontWindow(TMainForm& form) {
  if (form.IsClosing()) return;
  StepAsideState& state = form.step_aside;
  const bool matters =
      form.shell.modes.step_aside && (!form.shell.modes.hidden || form.shell.stepped_aside);
  const auto front = matters ? form.platform.Desktop().ForeignFrontWindowBounds() : std::nullopt;
  form.second_beat.Want(SecondBeat::kFrontWindow, matters && (front || !state.noticed));
  StandAside(form, front && CoversTheCharactersMonitor(form, *front));
}

void StopSteppingAside(TMainForm& form) {
  form.step_aside.watch.Stop();
  form.second_beat.Want(SecondBeat::kFrontWindow, false);
}

}  // namespace tk
