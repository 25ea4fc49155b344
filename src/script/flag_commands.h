// Flag arithmetic, flag files and the text-input dialog.
#pragma once

namespace tk {

class TMainForm;
struct CommandContext;

void RunFlagCommand(CommandContext& context);
void RunFlagFileCommand(CommandContext& context);

// Declares the flags of the script's flag-init block.
void DeclareInitFlags(TMainForm& form);

}  // namespace tk
