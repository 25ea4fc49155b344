#include "script/control_flow.h"

#include <algorithm>
#include <cstdint>

#include "app/main_form.h"
#include "app/messages.h"
#include "script/command_context.h"
#include "script/runner.h"
#include "script/text.h"

namespace tk {

namespace {

enum Code {
  kRJS = 60,
  kRJP = 61,
  kRJD = 62,
  kCLL = 65,
  kRCL = 66,
  kWAT = 90,
  kEXEC = 91,
  kFNDP = 92,
  kAE = 99,
  kJMP = 170,
  kJVC = 171,
  kJB0 = 172,
  kJB1 = 173,
};

constexpr int kMaxCallDepth = 8;
// Longest a wait sleeps between looks at the clock and the message queue.
constexpr std::uint32_t kWaitSliceMs = 10;

// The running action's label as the script wrote it: up to its colon.
std::string_view RunningAction(const ActionRun& run) {
  const std::string_view label = run.label;
  return label.substr(0, label.find(':'));
}

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
  const std::string name = c.Param();
  const std::string op = c.Param();
  const auto value = c.Int();
  if (!value) return;
  const IntFlag* flag = c.form.flags.FindIntFlag(name);
  if (flag && !op.empty() && Compare(op[0], flag->value, *value)) c.JumpTo(c.Param());
}

void JumpIfBit(CommandContext& c, bool want_set) {
  const std::string name = c.Param();
  const auto bit = c.Int();
  if (!bit) return;
  const std::string label = c.Param();
  const IntFlag* flag = c.form.flags.FindIntFlag(name);
  if (!flag) return;
  const bool set =
      (static_cast<std::uint32_t>(flag->value) >> (static_cast<std::uint32_t>(*bit) & 31u)) & 1u;
  if (set == want_set) c.JumpTo(label);
}

void Call(CommandContext& c, const std::string& label) {
  if (label == RunningAction(c.run)) {
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
  ++runner.call_depth;
  RunAction(c.form, label);
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
  if (pick && *pick == RunningAction(c.run)) {
    c.form.ShowError(msg::kRecursiveJump);
    c.Report(ErrorKind::kRecursiveCall);
  } else if (!pick || pick->empty()) {
    c.Report(ErrorKind::kLabelNotFound);
  } else {
    c.JumpTo(*pick);
  }
}

// Counts elapsed ticks rather than comparing with an end tick, so a wait
// across the tick counter's wrap-around (every 49.7 days) still lasts its
// time. A window closed meanwhile ends the wait.
void Wait(CommandContext& c) {
  const auto ms = c.Int();
  if (!ms || *ms <= 0) return;
  Platform& platform = c.form.platform;
  const auto wait = static_cast<std::uint32_t>(*ms);
  const std::uint32_t start = platform.TickCount();
  for (;;) {
    platform.ProcessPendingMessages();
    const std::uint32_t elapsed = platform.TickCount() - start;
    if (elapsed >= wait || c.form.IsClosed()) return;
    platform.WaitForMessages(std::min(wait - elapsed, kWaitSliceMs));
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

void RunControlCommand(CommandContext& c) {
  switch (c.code) {
    case kAE:
      c.EndAction();
      break;
    case kJMP:
      c.JumpTo(c.Param());
      break;
    case kJVC:
      JumpIfCompared(c);
      break;
    case kJB0:
    case kJB1:
      JumpIfBit(c, c.code == kJB1);
      break;
    case kCLL:
      Call(c, c.Param());
      break;
    case kRCL:
      RandomCall(c);
      break;
    case kRJS: {
      const std::string name = c.Param();
      c.form.random_jumps.Add(name, c.Param());
      break;
    }
    case kRJD: {
      const std::string name = c.Param();
      c.form.random_jumps.Remove(name, c.Param());
      break;
    }
    case kRJP:
      RandomJump(c);
      break;
    case kWAT:
      Wait(c);
      break;
    case kEXEC: {
      const std::string file = c.Param();
      c.form.platform.ShellOpen(file, c.Param());
      break;
    }
    case kFNDP:
      FindFile(c);
      break;
    default:
      break;
  }
}

}  // namespace tk
