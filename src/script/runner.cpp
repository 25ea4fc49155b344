#include "script/runner.h"

#include <algorithm>

#include "base/messages.h"
#include "base/text.h"
#include "form/main_form.h"
#include "script/command_context.h"
#include "script/command_index.h"
#include "script/flags.h"
#include "script/parsed_line.h"
#include "script/script_lines.h"

namespace tk {

namespace {

// How many commands run between two questions to keep_going: rare enough to
// cost nothing, often enough that a runaway loop stops at once.
constexpr unsigned kCommandsPerCheck = 4096;

void ExecuteCommandLine(TMainForm& form, ActionRun& run) {
  ParsedLine& parsed = run.script->Parsed(run.line_index);
  const CommandEntry& entry = parsed.Command(run.command_line, *form.runner.commands);
  if (entry.handler == nullptr) {
    form.ShowError(msg::kCommandError);
    LogScriptError(form, run.command_line, run.label, ErrorKind::kCommand,
                   static_cast<long long>(run.line_index));
    run.result = false;
    return;
  }
  run.parsed = &parsed;
  CommandContext context{form, run, parsed.ParamsStart()};
  entry.handler(context);
}

bool TimeToCheck(RunnerState& runner) {
  if (runner.commands_until_check > 0) {
    --runner.commands_until_check;
    return false;
  }
  runner.commands_until_check = kCommandsPerCheck;
  return true;
}

// Walks command lines from the label line at `label_index` until the action
// ends or a jump names another label.
void RunFrom(TMainForm& form, ActionRun& run, std::size_t label_index) {
  RunnerState& runner = form.runner;
  run.line_index = label_index + 1;
  while (!run.end_of_action) {
    if (runner.stopped || (TimeToCheck(runner) && !runner.CheckKeepGoing())) return;
    // The script may have been replaced or cleared by the last command.
    if (run.script != form.script.Shared()) {
      run.command_line = {};
      run.parsed = nullptr;
      run.script = form.script.Shared();
    }
    const Lines& lines = run.script->lines;
    while (run.line_index < lines.size() &&
           (lines[run.line_index].empty() || lines[run.line_index][0] != '>')) {
      ++run.line_index;
    }
    if (run.line_index >= lines.size()) return;
    run.command_line = lines[run.line_index];
    ExecuteCommandLine(form, run);
    if (run.jump_target) return;
    ++run.line_index;
  }
}

// Counts the run in for as long as it lasts, however it ends.
class RunScope {
 public:
  RunScope(RunnerState& runner, ActionRun& run) : runner_(runner), run_(run) {
    ++runner_.runs;
    run_.outer = runner_.innermost;
    runner_.innermost = &run_;
  }
  ~RunScope() {
    runner_.innermost = run_.outer;
    --runner_.runs;
  }
  RunScope(const RunScope&) = delete;
  RunScope& operator=(const RunScope&) = delete;

 private:
  RunnerState& runner_;
  ActionRun& run_;
};

}  // namespace

std::string_view CommandName(std::string_view line, std::size_t& params_start) {
  constexpr std::size_t kCommandNameBytes = 5;
  const std::size_t end = std::min(line.find_first_of("=;"), line.size());
  params_start = std::min(end + 1, line.size());
  return line.substr(0, std::min(end, kCommandNameBytes));
}

bool RunnerState::CheckKeepGoing() {
  if (!stopped && keep_going && !keep_going()) stopped = true;
  return !stopped;
}

std::string RunnerState::RunningAction() const {
  const ActionRun* outermost = innermost;
  while (outermost != nullptr && outermost->outer != nullptr) outermost = outermost->outer;
  if (outermost == nullptr) return {};
  const std::string_view label = outermost->label;
  return std::string(label.substr(0, label.find(':')));
}

namespace {

bool RunCounted(TMainForm& form, std::string_view label, const ActionCause& cause) {
  ActionRun run;
  run.jump_target = std::string(label);
  if (form.runner.stopped) return false;
  // The label may live in state the action changes: the trace keeps a copy.
  const std::string started = form.trace ? std::string(label) : std::string();
  if (form.trace) form.trace->ActionStarted(started, cause);
  RunScope counted(form.runner, run);
  while (run.jump_target && !form.runner.stopped) {
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
  if (form.trace) form.trace->ActionEnded(started, ActionLabel(run));
  return run.result;
}

}  // namespace

bool RunAction(TMainForm& form, std::string_view label, const ActionCause& cause) {
  const bool result = RunCounted(form, label, cause);
  if (!form.runner.Running() && form.runner.on_all_ended) form.runner.on_all_ended();
  return result;
}

std::size_t CommandContext::NextKept(ParamMode mode, std::size_t capacity) {
  const std::size_t likely = reads++;
  if (run.parsed == nullptr) return kNotKept;
  const std::size_t place = run.parsed->Find(run.command_line, pos, mode, capacity, likely);
  if (place != kNotKept) pos = run.parsed->At(place).next;
  return place;
}

std::string CommandContext::ReadFromLine(ParamMode mode, std::size_t capacity) {
  std::string value;
  pos = ReadParam(run.command_line, pos, capacity, mode, form.flags, value);
  return value;
}

std::string CommandContext::Param(ParamMode mode, std::size_t capacity) {
  const std::size_t place = NextKept(mode, capacity);
  if (place == kNotKept) return ReadFromLine(mode, capacity);
  return run.parsed->At(place).Value(form.flags);
}

Operand CommandContext::ReadOperand() {
  const std::size_t place = NextKept(ParamMode::kPlain, kParamCapacity);
  if (place == kNotKept) return {kNotKept, ReadFromLine(ParamMode::kPlain, kParamCapacity)};
  ParsedParam& param = run.parsed->At(place);
  if (param.flag_reference) return {kNotKept, param.Value(form.flags)};
  return {place, {}};
}

std::string CommandContext::Text(const Operand& operand) {
  return operand.place == kNotKept ? operand.text : run.parsed->At(operand.place).text;
}

std::optional<std::int32_t> CommandContext::Number(const Operand& operand) {
  return operand.place == kNotKept ? ParseInt32(operand.text)
                                   : run.parsed->At(operand.place).number;
}

FoundFlags CommandContext::FlagsNamed(const Operand& operand) {
  if (operand.place == kNotKept) return form.flags.FindFlags(operand.text);
  ParsedParam& param = run.parsed->At(operand.place);
  return param.lookup.Find(form.flags, param.text);
}

std::string CommandContext::Rest(std::size_t capacity) {
  std::string value;
  pos = ReadRest(run.command_line, pos, capacity, form.flags, value);
  return value;
}

std::optional<std::int32_t> CommandContext::Int() {
  const auto value = Number(ReadOperand());
  if (!value) Report(ErrorKind::kParameter);
  return value;
}

void CommandContext::Report(ErrorKind kind, std::string_view file) {
  LogScriptError(form, run.command_line, run.label, kind, static_cast<long long>(run.line_index),
                 file);
}

}  // namespace tk
