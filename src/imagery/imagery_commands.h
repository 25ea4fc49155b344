// The picture and animation commands.
#pragma once

namespace tk {

class TMainForm;
struct CommandContext;

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

// Loads the built-in click-wait prompt mark and sets the prompt timer.
void LoadDefaultPrompt(TMainForm& form);

}  // namespace tk
