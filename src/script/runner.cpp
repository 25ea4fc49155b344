#include "script/runner.h"

#include <algorithm>

#include "app/main_form.h"
#include "app/messages.h"
#include "script/command_context.h"
#include "script/command_table.h"
#include "script/text.h"

namespace tk {

namespace {

constexpr std::size_t kCommandNameBytes = 5;

// The name runs to the first '=' or ';' (or the end of a line that has
// neither) and only its first five bytes count.
std::string_view CommandName(std::string_view line, std::size_t& params_start) {
  const std::size_t end = std::min(line.find_first_of("=;"), line.size());
  params_start = std::min(end + 1, line.size());
  return line.substr(0, std::min(end, kCommandNameBytes));
}

void ExecuteCommandLine(TMainForm& form, ActionRun& run) {
  std::size_t params_start = 0;
  const CommandEntry& entry = LookupCommand(CommandName(run.command_line, params_start));
  if (entry.handler == nullptr) {
    form.ShowError(msg::kCommandError);
    LogScriptError(form, run.command_line, run.label, ErrorKind::kCommand,
                   static_cast<long long>(run.line_index));
    run.result = false;
    return;
  }
  CommandContext context{form, run, entry.code, params_start};
  entry.handler(context);
}

// Walks command lines from the label line at `label_index` until the action
// ends or a jump names another label.
void RunFrom(TMainForm& form, ActionRun& run, std::size_t label_index) {
  run.line_index = label_index + 1;
  while (!run.end_of_action) {
    const ScriptLines& script = form.script;
    while (run.line_index < script.Size() &&
           (script[run.line_index].empty() || script[run.line_index][0] != '>')) {
      ++run.line_index;
    }
    if (run.line_index >= script.Size()) return;
    run.command_line = script[run.line_index];
    ExecuteCommandLine(form, run);
    if (run.jump_target) return;
    ++run.line_index;
  }
}

}  // namespace

bool RunAction(TMainForm& form, std::string_view label) {
  ActionRun run;
  run.jump_target = std::string(label);
  form.runner.action_running = true;
  while (run.jump_target) {
    run.label = std::move(*run.jump_target) + ":";
    run.jump_target.reset();
    const auto found = form.script.Find(run.label);
    if (!found) {
      LogScriptError(form, run.command_line, run.label, ErrorKind::kLabelNotFound, -1);
      run.result = false;
      break;
    }
    RunFrom(form, run, *found);
  }
  if (form.runner.call_depth == 0) form.runner.action_running = false;
  return run.result;
}

std::string CommandContext::Param(ParamMode mode, std::size_t capacity) {
  std::string value;
  pos = ReadParam(run.command_line, pos, capacity, mode, form.flags, value);
  return value;
}

std::string CommandContext::Rest(std::size_t capacity) {
  std::string value;
  pos = ReadRest(run.command_line, pos, capacity, form.flags, value);
  return value;
}

std::optional<std::int32_t> CommandContext::Int() {
  const auto value = ParseInt32(Param());
  if (!value) Report(ErrorKind::kParameter);
  return value;
}

void CommandContext::Report(ErrorKind kind) {
  LogScriptError(form, run.command_line, run.label, kind, static_cast<long long>(run.line_index));
}

}  // namespace tk
