// The action runner: finds an action's label and runs its command lines.
#pragma once

#include <string_view>

namespace tk {

class TMainForm;

// Shared by all runs of one window.
struct RunnerState {
  bool action_running = false;
  int call_depth = 0;  // CLL and RCL calls in progress
};

// Runs the action to its end (AE, SEL, the end of the script or a missing
// label). Returns false when a command name was unknown or a label missing.
bool RunAction(TMainForm& form, std::string_view label);

}  // namespace tk
