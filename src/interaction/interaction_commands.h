// The clickable map and the script's own popup-menu items.
#pragma once

#include <string>

namespace tk {

class TMainForm;
struct CommandContext;

void RunMapCommand(CommandContext& context);
void RunMenuItemCommand(CommandContext& context);

// Loads the clickable map file; failures are reported and start-up goes on.
void LoadClickableMap(TMainForm& form, const std::string& file_name);

}  // namespace tk
