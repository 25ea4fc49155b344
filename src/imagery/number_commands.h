// The commands of the clock, counter, day-count, date and number images,
// and the text-image font settings.
#pragma once

namespace tk {

struct CommandContext;

void RunTmip(CommandContext& context);
void RunTmdl(CommandContext& context);
void RunTcip(CommandContext& context);
void RunTcon(CommandContext& context);
void RunTcof(CommandContext& context);
void RunTcrs(CommandContext& context);
void RunTcdl(CommandContext& context);
void RunDcip(CommandContext& context);
void RunDcid(CommandContext& context);
void RunDaip(CommandContext& context);
void RunDadl(CommandContext& context);
void RunDpis(CommandContext& context);
void RunDpid(CommandContext& context);
void RunDpfn(CommandContext& context);
void RunDpfs(CommandContext& context);
void RunDtip(CommandContext& context);
void RunDtid(CommandContext& context);

}  // namespace tk
