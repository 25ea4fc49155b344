// The action runner: finds an action's label and runs its command lines.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "form/trace.h"

namespace tk {

class TMainForm;
class CommandIndex;
struct ActionRun;

// Shared by all runs of one window.
struct RunnerState {
  const CommandIndex* commands = nullptr;  // the form's command table
  int runs = 0;                            // RunAction calls in progress, nested ones included
  int call_depth = 0;                      // CLL and RCL calls in progress
  // Asked now and then while runs go on (every few thousand commands and on
  // each pass of a wait). Once it answers false, every run ends at once and
  // no action starts any more.
  std::function<bool()> keep_going;
  bool stopped = false;
  // Runs each time the last run in progress has ended.
  std::function<void()> on_all_ended;
  const ActionRun* innermost = nullptr;  // the run whose command is executing
  unsigned commands_until_check = 0;

  bool Running() const { return runs > 0; }
  // Label of the outermost action in progress, without its colon; empty when
  // nothing runs.
  std::string RunningAction() const;
  // Asks keep_going (if set) and remembers a refusal; false once stopped.
  bool CheckKeepGoing();
};

// The command name of a command line: up to the first '=' or ';' (or the end
// of a line that has neither), of which only the first five bytes count.
// `params_start` is set to the byte after that '=' or ';'. The author tool's
// lint reads lines with it too, so both see the same names.
std::string_view CommandName(std::string_view line, std::size_t& params_start);

// Runs the action to its end (AE, SEL, the end of the script or a missing
// label). Returns false when a command name was unknown or a label missing.
// The cause is only told to the form's trace.
bool RunAction(TMainForm& form, std::string_view label, const ActionCause& cause = {});

}  // namespace tk
