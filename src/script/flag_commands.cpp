#include "script/flag_commands.h"

#include "script/command_context.h"

namespace tk {

// The flag commands, the flag-init block and flag files are not built yet:
// the flag lists stay empty and these commands do nothing.
void RunFlagCommand(CommandContext&) {}
void RunFlagFileCommand(CommandContext&) {}
void DeclareInitFlags(TMainForm&) {}

}  // namespace tk
