#include "imagery/imagery_commands.h"

#include "app/main_form.h"
#include "imagery/animation.h"
#include "imagery/character_image.h"
#include "imagery/child_image_form.h"
#include "script/command_context.h"

namespace tk {

namespace {

constexpr unsigned kPromptIntervalMs = 200;

enum Code {
  kIds = 3,
  kIdd = 4,
  kIdp = 5,
  kAcs = 10,
  kAcd = 11,
  kAcb = 12,
  kAce = 13,
  kCip = 14,
  kCie = 15,
  kAcr = 16,
};

void RunAcs(CommandContext& c) {
  const std::string file = c.Param();
  const std::string name = c.Param();
  const auto count = c.Int();
  if (!count) return;
  const auto left = c.Int();
  if (!left) return;
  const auto top = c.Int();
  if (!top) return;
  const auto interval = c.Int();
  if (!interval) return;
  if (!CreateAnimation(c.form, file, name, *count, *left, *top, *interval)) {
    c.Report(ErrorKind::kFileOpen);
  }
}

void RunAcb(CommandContext& c) {
  const std::string name = c.Param();
  const auto mode = c.Int();
  if (!mode) return;
  const auto tie = c.Int();
  if (!tie) return;
  const auto end_frame = c.Int();
  if (!end_frame) return;
  StartAnimations(c.form, name, *mode, *tie, *end_frame);
}

void RunAce(CommandContext& c) {
  const std::string name = c.Param();
  if (const auto frame = c.Int()) StopAnimations(c.form, name, *frame);
}

void RunCip(CommandContext& c) {
  const std::string name = c.Param();
  const auto x = c.Int();
  if (!x) return;
  if (const auto y = c.Int()) ShowChildImage(c.form, name, *x, *y);
}

void RunAcr(CommandContext& c) {
  if (const auto on = c.Int()) c.form.animations.transparency = *on != 0;
}

}  // namespace

void RunPictureCommand(CommandContext& c) {
  switch (c.code) {
    case kIds: {
      const std::string file = c.Param();
      const std::string name = c.Param();
      if (!LoadCharacterImage(c.form, file, name)) c.Report(ErrorKind::kFileOpen);
      break;
    }
    case kIdd:
      DeleteCharacterImages(c.form, c.Param());
      break;
    case kIdp:
      ShowCharacterImage(c.form, c.Param());
      break;
  }
}

void RunAnimationCommand(CommandContext& c) {
  switch (c.code) {
    case kAcs:
      return RunAcs(c);
    case kAcd:
      return DeleteAnimations(c.form, c.Param());
    case kAcb:
      return RunAcb(c);
    case kAce:
      return RunAce(c);
    case kCip:
      return RunCip(c);
    case kCie:
      return CloseChildImage(c.form);
    case kAcr:
      return RunAcr(c);
  }
}

// Speech and clock images are not built yet; their commands are accepted
// and do nothing.
void RunSpeechCommand(CommandContext&) {}
void RunClockCommand(CommandContext&) {}

// The prompt strip itself is cut into frames once speech text exists; the
// timer already runs at the prompt's pace.
void LoadDefaultPrompt(TMainForm& form) {
  form.prompt_timer_interval = kPromptIntervalMs;
  form.platform.SetTimer(form.prompt_timer, kPromptIntervalMs, false);
}

}  // namespace tk
