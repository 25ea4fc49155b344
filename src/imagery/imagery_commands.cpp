#include "imagery/imagery_commands.h"

#include "base/text.h"
#include "form/main_form.h"
#include "imagery/animation.h"
#include "imagery/character_image.h"
#include "imagery/child_image_form.h"
#include "imagery/speech.h"
#include "script/command_context.h"

namespace tk {

std::string ReadImageName(CommandContext& c) {
  return CutImageName(c.Param());
}

void RunIds(CommandContext& c) {
  const std::string file = c.Param();
  const std::string name = ReadImageName(c);
  if (!LoadCharacterImage(c.form, file, name)) c.Report(ErrorKind::kFileOpen, file);
}

void RunIdd(CommandContext& c) {
  DeleteCharacterImages(c.form, ReadImageName(c));
}

void RunIdp(CommandContext& c) {
  ShowCharacterImage(c.form, ReadImageName(c));
}

void RunAcs(CommandContext& c) {
  const std::string file = c.Param();
  const std::string name = ReadImageName(c);
  const auto values = c.Ints<4>();
  if (!values) return;
  const auto [count, left, top, interval] = *values;
  if (!CreateAnimation(c.form, file, name, count, left, top, interval)) {
    c.Report(ErrorKind::kFileOpen, file);
  }
}

void RunAcd(CommandContext& c) {
  DeleteAnimations(c.form, ReadImageName(c));
}

void RunAcb(CommandContext& c) {
  const std::string name = ReadImageName(c);
  const auto values = c.Ints<3>();
  if (!values) return;
  const auto [mode, tie, end_frame] = *values;
  StartAnimations(c.form, name, mode, tie, end_frame);
}

void RunAce(CommandContext& c) {
  const std::string name = ReadImageName(c);
  if (const auto frame = c.Int()) StopAnimations(c.form, name, *frame);
}

void RunCip(CommandContext& c) {
  const std::string name = ReadImageName(c);
  const auto x = c.Int();
  if (!x) return;
  const auto y = c.Int();
  if (y && !SpeechRefuses(c)) ShowChildImage(c.form, name, *x, *y);
}

void RunCie(CommandContext& c) {
  if (!SpeechRefuses(c)) CloseChildImage(c.form);
}

void RunAcr(CommandContext& c) {
  if (const auto on = c.Int()) c.form.animations.transparency = *on != 0;
}

}  // namespace tk
