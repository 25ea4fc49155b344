#include "script/control_flow.h"

#include "script/command_context.h"

namespace tk {

namespace {

enum Code { kAE = 99, kJMP = 170 };

}  // namespace

void RunControlCommand(CommandContext& context) {
  switch (context.code) {
    case kAE:
      context.EndAction();
      break;
    case kJMP:
      context.JumpTo(context.Param());
      break;
    default:
      // Calls, random jumps, waits, flag branches, EXEC and FNDP arrive with
      // the rest of the control-flow commands.
      break;
  }
}

}  // namespace tk
