#include "imagery/imagery_commands.h"

#include "app/main_form.h"

namespace tk {

namespace {

constexpr unsigned kPromptIntervalMs = 200;

}  // namespace

// Pictures, animations, speech and clock images are not built yet; their
// commands are accepted and do nothing.
void RunPictureCommand(CommandContext&) {}
void RunAnimationCommand(CommandContext&) {}
void RunSpeechCommand(CommandContext&) {}
void RunClockCommand(CommandContext&) {}

// The prompt strip itself is cut into frames once speech text exists; the
// timer already runs at the prompt's pace.
void LoadDefaultPrompt(TMainForm& form) {
  form.prompt_timer_interval = kPromptIntervalMs;
  form.platform.SetTimer(form.prompt_timer, kPromptIntervalMs, false);
}

}  // namespace tk
