#include "interaction/interaction_commands.h"

namespace tk {

// The clickable map and script menu items are not built yet.
void RunMapCommand(CommandContext&) {}
void RunMenuItemCommand(CommandContext&) {}
void LoadClickableMap(TMainForm&, const std::string&) {}

}  // namespace tk
