#include "imagery/imagery_commands.h"

#include "app/main_form.h"
#include "imagery/animation.h"
#include "imagery/character_image.h"
#include "imagery/child_image_form.h"
#include "imagery/speech.h"
#include "script/command_context.h"
#include "script/text.h"

namespace tk {

namespace {

// Picture and animation names are cut where they enter, so that every
// command naming one compares the same bytes.
std::string ReadName(CommandContext& c) {
  return BoundedText::Cut(c.Param(), kImageNameCapacity);
}

}  // namespace

void RunIds(CommandContext& c) {
  const std::string file = c.Param();
  const std::string name = ReadName(c);
  if (!LoadCharacterImage(c.form, file, name)) c.Report(ErrorKind::kFileOpen);
}

void RunIdd(CommandContext& c) {
  DeleteCharacterImages(c.form, ReadName(c));
}

void RunIdp(CommandContext& c) {
  ShowCharacterImage(c.form, ReadName(c));
}

void RunAcs(CommandContext& c) {
  const std::string file = c.Param();
  const std::string name = ReadName(c);
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

void RunAcd(CommandContext& c) {
  DeleteAnimations(c.form, ReadName(c));
}

void RunAcb(CommandContext& c) {
  const std::string name = ReadName(c);
  const auto mode = c.Int();
  if (!mode) return;
  const auto tie = c.Int();
  if (!tie) return;
  const auto end_frame = c.Int();
  if (!end_frame) return;
  StartAnimations(c.form, name, *mode, *tie, *end_frame);
}

void RunAce(CommandContext& c) {
  const std::string name = ReadName(c);
  if (const auto frame = c.Int()) StopAnimations(c.form, name, *frame);
}

void RunCip(CommandContext& c) {
  const std::string name = ReadName(c);
  const auto x = c.Int();
  if (!x) return;
  const auto y = c.Int();
  if (y && !SpeechBusy(c.form)) ShowChildImage(c.form, name, *x, *y);
}

void RunCie(CommandContext& c) {
  if (!SpeechBusy(c.form)) CloseChildImage(c.form);
}

void RunAcr(CommandContext& c) {
  if (const auto on = c.Int()) c.form.animations.transparency = *on != 0;
}

}  // namespace tk
