// The clickable map and the script's own popup-menu items.
#pragma once

#include <string>

namespace tk {

class TMainForm;
struct CommandContext;

void RunCms(CommandContext& context);
void RunCmd(CommandContext& context);
void RunCma(CommandContext& context);
void RunPms(CommandContext& context);
void RunPmd(CommandContext& context);
void RunPma(CommandContext& context);

// Loads the clickable map file; failures are reported and start-up goes on.
void LoadClickableMap(TMainForm& form, const std::string& file_name);

}  // namespace tk
