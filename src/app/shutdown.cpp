// The close sequence of the main window.
#include <algorithm>

#include "app/about_form.h"
#include "form/main_form.h"
#include "imagery/animation.h"
#include "imagery/character_image.h"
#include "imagery/child_image_form.h"
#include "imagery/number_images.h"
#include "imagery/prompt_state.h"
#include "imagery/speech_state.h"
#include "interaction/clickable_map.h"
#include "motion/cling_state.h"
#include "motion/event_state.h"
#include "motion/step_aside.h"
#include "motion/walk_state.h"
#include "script/flags.h"
#include "script/random_jumps.h"
#include "script/runner.h"
#include "script/script_lines.h"
#include "sound/sound_player.h"

namespace tk {

bool TMainForm::FormCloseQuery() {
  if (close_stage_ != CloseStage::kOpen) return true;
  close_stage_ = CloseStage::kLastAction;
  if (script.FindLabel("_LastAction"))
    RunAction(*this, "_LastAction", {ActionCause::Kind::kClose, {}});
  return true;
}

void TMainForm::FormClose() {
  close_stage_ = std::max(close_stage_, CloseStage::kReleasing);
  WriteSettings();
  ReleaseAll();
}

void TMainForm::ReleaseAll() {
  flags.Clear();
  cursors.clear();
  images.entries.clear();
  ReleaseAnimations(*this);
  second_beat.Release();
  numbers = {};
  random_jumps.Clear();
  about_form.reset();
  map.clear();
  if (child_image) child_image->FormClose();
  child_image.reset();
  events = {};
  walk = {};
  sound.reset();
  cling.timer.Release();
  StopSteppingAside(*this);
  prompt = {};
  speech.choices.clear();
  script.Clear();
  images.back_buffer = Bitmap();
  images.scratch = Bitmap();
  images.layers.clear();
}

void TMainForm::FormDestroy() {
  close_stage_ = std::max(close_stage_, CloseStage::kDestroyed);
  if (shell.tray_added) platform.Tray().DeleteTrayIcon(window);
  shell.tray_added = false;
  if (shell.tray_icon != 0) platform.Tray().DestroyIcon(shell.tray_icon);
  shell.tray_icon = 0;
}

// A close request that arrives while `_LastAction` is still running (it may
// process messages) is ignored: the close already under way finishes the job,
// and running it twice would release and save everything twice.
// A failed start closes without `_LastAction`.
void TMainForm::Close() {
  if (close_stage_ >= CloseStage::kLastAction) return;
  FormCloseQuery();
  FormClose();
  FormDestroy();
  platform.DestroyWindow(window);
  close_stage_ = CloseStage::kClosed;
  platform.Quit();
}

}  // namespace tk
