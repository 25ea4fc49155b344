// Commands that steer the runner: ends, jumps, calls, waits.
#pragma once

namespace tk {

struct CommandContext;

void RunControlCommand(CommandContext& context);

}  // namespace tk
