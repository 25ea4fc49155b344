// NS, MCS, AFS, IS, NUS: title, cursors, about box, tray icon.
#pragma once

namespace tk {

struct CommandContext;

void RunNs(CommandContext& context);
void RunMcs(CommandContext& context);
void RunAfs(CommandContext& context);
void RunIs(CommandContext& context);
void RunNus(CommandContext& context);

}  // namespace tk
