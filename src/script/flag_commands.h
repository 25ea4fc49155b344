// Flag arithmetic, the date, time and screen readers, and the flag-init block.
#pragma once

namespace tk {

class TMainForm;
struct CommandContext;

void RunFvs(CommandContext& context);
void RunFvAdd(CommandContext& context);
void RunFvSubtract(CommandContext& context);
void RunFvMultiply(CommandContext& context);
void RunFvDivide(CommandContext& context);
void RunFvRemainder(CommandContext& context);
void RunFbs(CommandContext& context);
void RunFad(CommandContext& context);
void RunFor(CommandContext& context);
void RunFdts(CommandContext& context);
void RunFdps(CommandContext& context);

// Declares the flags of the script's flag-init block.
void DeclareInitFlags(TMainForm& form);

}  // namespace tk
