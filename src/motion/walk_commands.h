// MVB, MVE, MVL, MVR and MVA: the random walk and targeted moves.
#pragma once

namespace tk {

struct CommandContext;

void RunMvb(CommandContext& context);
void RunMve(CommandContext& context);
void RunMvl(CommandContext& context);
void RunMvr(CommandContext& context);
void RunMva(CommandContext& context);

}  // namespace tk
