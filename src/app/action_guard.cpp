// The one place that decides whether something may start an action.
#include "app/main_form.h"

namespace tk {

bool TMainForm::MayStartAction(ActionTrigger trigger) const {
  if (closed_ || shell.closing || runner.stopped) return false;
  switch (trigger) {
    case ActionTrigger::kMapClick:
      return !runner.Running() && !speech.showing && !speech.choice_waiting;
    case ActionTrigger::kEventTimer:
      return !runner.Running() || speech.choice_waiting;
    case ActionTrigger::kChildWindow:
      // Speech text waits for its clicks inside the action that shows it.
      return !runner.Running() || speech.showing;
    case ActionTrigger::kMapHover:
    case ActionTrigger::kPopupMenu:
    case ActionTrigger::kWalkTimer:
      return !runner.Running();
  }
  return false;
}

}  // namespace tk
