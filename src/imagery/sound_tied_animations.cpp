// Animations tied to a sound follow it: they end with it and wait while the
// user has sound switched off.
#include "form/main_form.h"
#include "imagery/animation.h"

namespace tk {

void EndSoundTiedAnimations(TMainForm& form, int tie) {
  for (const auto& animation : form.animations.list) {
    if (animation->sound_tie == tie && animation->timer.running()) animation->sound_ended = true;
  }
}

void PauseOrResumeSoundTiedAnimations(TMainForm& form, bool sound_on) {
  for (const auto& animation : form.animations.list) {
    Animation& a = *animation;
    if (sound_on && a.sound_ended) {
      a.sound_ended = false;
      a.last_step = form.platform.TickCount();
      a.timer.Start(a.interval_ms);
    } else if (!sound_on && a.sound_tie != 0 && a.timer.running()) {
      a.timer.Stop();
      a.sound_ended = true;
    }
  }
}

}  // namespace tk
