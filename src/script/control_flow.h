// Commands that steer the runner: ends, jumps, calls, waits.
#pragma once

namespace tk {

struct CommandContext;

void RunAe(CommandContext& context);
void RunJmp(CommandContext& context);
void RunJvc(CommandContext& context);
void RunJb0(CommandContext& context);
void RunJb1(CommandContext& context);
void RunCll(CommandContext& context);
void RunRcl(CommandContext& context);
void RunRjs(CommandContext& context);
void RunRjd(CommandContext& context);
void RunRjp(CommandContext& context);
void RunWat(CommandContext& context);
void RunExec(CommandContext& context);
void RunFndp(CommandContext& context);

}  // namespace tk
