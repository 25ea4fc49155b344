#include "script/control_flow.h"

#include <algorithm>
#include <cstdint>

#include "base/messages.h"
#include "base/text.h"
#include "form/main_form.h"
#include "script/command_context.h"
#include "script/flags.h"
#include "script/random_jumps.h"
#include "script/runner.h"
#include "script/wait.h"

namespace tk {

namespace {

constexpr int kMaxCallDepth = 8;

bool Compare(char op, std::int32_t flag, std::int32_t value) {
  switch (op) {
    case '!':
      return flag != value;
    case '<':
      return flag < value;
    case '>':
      return flag > value;
    case 'E':
      return flag == value;
    default:
      return false;
  }
}

void JumpIfCompared(CommandContext& c) {
  const Operand name = c.ReadOperand();
  const std::string op = c.Param();
  const auto value = c.Int();
  if (!value) return;
  const IntFlag* flag = c.FlagsNamed(name).int_flag;
  if (flag && !op.empty() && Compare(op[0], flag->value, *value)) c.JumpTo(c.Param());
}

void JumpIfBit(CommandContext& c, bool want_set) {
  const Operand name = c.ReadOperand();
  const auto bit = c.Int();
  if (!bit) return;
  const std::string label = c.Param();
  const IntFlag* flag = c.FlagsNamed(name).int_flag;
  if (!flag) return;
  const bool set =
      (static_cast<std::uint32_t>(flag->value) >> (static_cast<std::uint32_t>(*bit) & 31u)) & 1u;
  if (set == want_set) c.JumpTo(label);
}

void Call(CommandContext& c, const std::string& label) {
  if (label == ActionLabel(c.run)) {
    c.form.ShowError(msg::kRecursiveCall);
    c.Report(ErrorKind::kRecursiveCall);
    return;
  }
  RunnerState& runner = c.form.runner;
  if (runner.call_depth >= kMaxCallDepth) {
    c.form.ShowError(msg::kCallNesting);
    c.Report(ErrorKind::kNesting);
    return;
  }
  ActionCause caller;  // told to the trace only
  if (c.form.trace) caller.detail = ActionLabel(c.run);
  ++runner.call_depth;
  RunAction(c.form, label, caller);
  --runner.call_depth;
}

void RandomCall(CommandContext& c) {
  const auto pick = c.form.random_jumps.Pick(c.Param(), c.form.random);
  if (!pick || pick->empty()) {
    c.Report(ErrorKind::kLabelNotFound);
    return;
  }
  Call(c, *pick);
}

void RandomJump(CommandContext& c) {
  const auto pick = c.form.random_jumps.Pick(c.Param(), c.form.random);
  if (pick && *pick == ActionLabel(c.run)) {
    c.form.ShowError(msg::kRecursiveJump);
    c.Report(ErrorKind::kRecursiveCall);
  } else if (!pick || pick->empty()) {
    c.Report(ErrorKind::kLabelNotFound);
  } else {
    c.JumpTo(*pick);
  }
}

void FindFile(CommandContext& c) {
  const std::string flag_name = c.Param();
  const std::string extension = c.Param();
  FileDialogRequest request;
  request.title = c.Param();
  request.filter = std::string(msg::kFileFilterPrefix) + extension + ")|*." + extension;
  request.filter_index = 1;
  request.initial_folder = c.form.platform.ProgramFolder();
  const std::string on_ok = c.Param();
  const std::string on_cancel = c.Param();
  Platform& platform = c.form.platform;
  const auto chosen = platform.ShowFileDialog(request);
  if (chosen) c.form.flags.SetFlagText(flag_name, *chosen);
  platform.SetCurrentDirectory(platform.ProgramFolder());
  const std::string& label = chosen ? on_ok : on_cancel;
  if (!label.empty()) c.JumpTo(label);
}

}  // namespace

void RunAe(CommandContext& c) {
  c.EndAction();
}

void RunJmp(CommandContext& c) {
  c.JumpTo(c.Param());
}

void RunJvc(CommandContext& c) {
  JumpIfCompared(c);
}

void RunJb0(CommandContext& c) {
  JumpIfBit(c, false);
}

void RunJb1(CommandContext& c) {
  JumpIfBit(c, true);
}

void RunCll(CommandContext& c) {
  Call(c, c.Param());
}

void RunRcl(CommandContext& c) {
  RandomCall(c);
}

void RunRjs(CommandContext& c) {
  const std::string name = c.Param();
  c.form.random_jumps.Add(name, c.Param());
}

void RunRjd(CommandContext& c) {
  const std::string name = c.Param();
  c.form.random_jumps.Remove(name, c.Param());
}

void RunRjp(CommandContext& c) {
  RandomJump(c);
}

// A window closed meanwhile ends the wait early.
void RunWat(CommandContext& c) {
  const auto ms = c.Int();
  if (!ms || *ms <= 0) return;
  WaitFor(c.form, static_cast<std::uint32_t>(*ms));
}

void RunExec(CommandContext& c) {
  const std::string file = c.Param();
  c.form.platform.ShellOpen(file, c.Param());
}

void RunFndp(CommandContext& c) {
  FindFile(c);
}

}  // namespace tk
