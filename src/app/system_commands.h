// NS, MCS, AFS, IS, NUS: title, cursors, about box, tray icon.
#pragma once

namespace tk {

struct CommandContext;

void RunSystemCommand(CommandContext& context);

}  // namespace tk
