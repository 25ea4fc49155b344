// The picture and animation commands.
#pragma once

#include <string>

namespace tk {

struct CommandContext;

// Reads a picture or animation name, cut as every such name is.
std::string ReadImageName(CommandContext& context);

void RunIds(CommandContext& context);
void RunIdd(CommandContext& context);
void RunIdp(CommandContext& context);
void RunAcs(CommandContext& context);
void RunAcd(CommandContext& context);
void RunAcb(CommandContext& context);
void RunAce(CommandContext& context);
void RunCip(CommandContext& context);
void RunCie(CommandContext& context);
void RunAcr(CommandContext& context);

// Speech text and choices.
void RunMsp(CommandContext& context);
void RunMsc(CommandContext& context);
void RunMls(CommandContext& context);
void RunMfs(CommandContext& context);
void RunMfn(CommandContext& context);
void RunMps(CommandContext& context);
void RunSds(CommandContext& context);
void RunSel(CommandContext& context);

}  // namespace tk
