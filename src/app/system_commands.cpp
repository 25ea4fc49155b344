#include "app/system_commands.h"

namespace tk {

// The popup menu's system commands are not built yet.
void RunSystemCommand(CommandContext&) {}

}  // namespace tk
