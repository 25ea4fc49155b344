#include "sound/sound_commands.h"

#include "form/main_form.h"
#include "imagery/animation.h"
#include "script/command_context.h"
#include "script/command_refusal.h"
#include "sound/sound_player.h"

namespace tk {

namespace {

// The main window's sound-ended notice: animations tied to the kind stop on
// their end frame at their next tick, unless the sound only paused.
void OnSoundEnded(TMainForm& form, int number) {
  const int tie = number - 1;
  if (tie < static_cast<int>(SoundKind::kWave) || tie > static_cast<int>(SoundKind::kCd)) return;
  if (form.sound->IsPaused(static_cast<SoundKind>(tie))) return;
  EndSoundTiedAnimations(form, tie);
}

// Sound commands do nothing at all while sound is unavailable.
SoundPlayer* Player(CommandContext& c) {
  if (c.form.shell.sound_available) return c.form.sound.get();
  TraceRefusal(c, c.form.shell.sound_device_present ? "the Sound item is taken away (>NUS)"
                                                    : "there is no sound device");
  return nullptr;
}

// Switched off, a play only opens its sound.
bool SoundOn(const CommandContext& c) {
  if (c.form.shell.modes.sound_on) return true;
  TraceRefusal(c, "sound is switched off: the sound is opened, not played");
  return false;
}

void PlayFile(CommandContext& c, SoundKind kind) {
  SoundPlayer* player = Player(c);
  if (player == nullptr) return;
  const auto count = c.Int();
  if (!count) return;
  const std::string file = c.Param();
  if (player->PlayFile(kind, *count, file, SoundOn(c)) == SoundPlayer::Result::kOpenFailed) {
    c.Report(ErrorKind::kFileOpen, file);
  }
}

void Stop(CommandContext& c, SoundKind kind) {
  if (SoundPlayer* player = Player(c)) player->Stop(kind);
}

}  // namespace

void CreateSoundPlayer(TMainForm& form) {
  form.sound = std::make_unique<SoundPlayer>(form.platform.Media(),
                                             [&form](int number) { OnSoundEnded(form, number); });
  form.sound->trace = form.trace;
}

void RunAwp(CommandContext& c) {
  PlayFile(c, SoundKind::kWave);
}

void RunAmp(CommandContext& c) {
  PlayFile(c, SoundKind::kMidi);
}

// A track that is no number is reported like any other numeric parameter.
void RunAcp(CommandContext& c) {
  SoundPlayer* player = Player(c);
  if (player == nullptr) return;
  const auto count = c.Int();
  if (!count) return;
  const std::string track = c.Param();
  switch (player->PlayCd(*count, track, SoundOn(c))) {
    case SoundPlayer::Result::kOpenFailed:
      return c.Report(ErrorKind::kFileOpen);
    case SoundPlayer::Result::kBadTrack:
      return c.Report(ErrorKind::kParameter);
    case SoundPlayer::Result::kDone:
      return;
  }
}

void RunAwt(CommandContext& c) {
  Stop(c, SoundKind::kWave);
}

void RunAmt(CommandContext& c) {
  Stop(c, SoundKind::kMidi);
}

void RunAct(CommandContext& c) {
  Stop(c, SoundKind::kCd);
}

void PauseOrResumeSound(TMainForm& form) {
  if (form.sound) form.sound->PauseOrResumeAll();
}

void StopAllSound(TMainForm& form) {
  if (!form.sound) return;
  for (const SoundKind kind : {SoundKind::kWave, SoundKind::kMidi, SoundKind::kCd}) {
    form.sound->Stop(kind);
  }
}

bool IsSoundKindPlaying(const TMainForm& form, int kind) {
  if (!form.sound || kind < 1 || kind > 3) return false;
  return form.sound->IsPlayingAndNotPaused(static_cast<SoundKind>(kind));
}

}  // namespace tk
