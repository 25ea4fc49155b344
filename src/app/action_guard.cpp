// The one place that decides whether something may start an action.
#include "form/main_form.h"
#include "imagery/speech_state.h"
#include "script/runner.h"

namespace tk {

namespace {

bool MayStartBesidesRun(const TMainForm& form, ActionTrigger trigger) {
  const bool running = form.runner.Running();
  switch (trigger) {
    case ActionTrigger::kMapClick:
      return !running && !form.speech.showing && !form.speech.choice_waiting;
    case ActionTrigger::kEventTimer:
      return !running || form.speech.choice_waiting;
    case ActionTrigger::kChildWindow:
      // Speech text waits for its clicks inside the action that shows it.
      return !running || form.speech.showing;
    case ActionTrigger::kMapHover:
    case ActionTrigger::kChoiceHover:
    case ActionTrigger::kPopupMenu:
    case ActionTrigger::kWalkTimer:
      return !running;
  }
  return false;
}

}  // namespace

ActionStart TMainForm::MayStartAction(ActionTrigger trigger) const {
  if (IsClosing() || runner.stopped) return ActionStart::kNever;
  return MayStartBesidesRun(*this, trigger) ? ActionStart::kYes : ActionStart::kNotNow;
}

std::string TMainForm::StartRefusal(ActionTrigger trigger) const {
  if (IsClosing()) return "the character is closing";
  if (runner.stopped) return "every run was stopped";
  if (MayStartBesidesRun(*this, trigger)) return {};
  if (speech.choice_waiting) return "choices wait for a click";
  if (speech.showing) return "speech is being shown";
  return "action " + runner.RunningAction() + " is running";
}

}  // namespace tk
