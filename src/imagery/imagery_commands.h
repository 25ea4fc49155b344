// Pictures, animations, speech text and clock images.
#pragma once

namespace tk {

class TMainForm;
struct CommandContext;

void RunPictureCommand(CommandContext& context);
void RunAnimationCommand(CommandContext& context);
void RunSpeechCommand(CommandContext& context);
void RunClockCommand(CommandContext& context);

// Loads the built-in click-wait prompt mark and sets the prompt timer.
void LoadDefaultPrompt(TMainForm& form);

}  // namespace tk
