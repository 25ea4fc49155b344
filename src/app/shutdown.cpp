// The close sequence of the main window.
#include "app/about_form.h"
#include "app/main_form.h"

namespace tk {

bool TMainForm::FormCloseQuery() {
  if (shell.closing) return true;
  shell.closing = true;
  if (script.FindLabel("_LastAction")) RunAction(*this, "_LastAction");
  return true;
}

void TMainForm::FormClose() {
  WriteSettings();
  ReleaseAll();
}

void TMainForm::ReleaseAll() {
  flags.Clear();
  cursors.clear();
  images.entries.clear();
  ReleaseAnimations(*this);
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
  prompt = {};
  speech.choices.clear();
  script.Clear();
  images.back_buffer = Bitmap();
}

void TMainForm::FormDestroy() {
  destroyed_ = true;
  if (shell.tray_added) platform.Tray().DeleteTrayIcon(window);
  shell.tray_added = false;
  if (shell.tray_icon != 0) platform.Tray().DestroyIcon(shell.tray_icon);
  shell.tray_icon = 0;
}

// A close request that arrives while `_LastAction` is still running (it may
// process messages) is ignored: the close already under way finishes the job,
// and running it twice would release and save everything twice.
void TMainForm::Close() {
  if (closed_ || close_in_progress_) return;
  close_in_progress_ = true;
  FormCloseQuery();
  FormClose();
  FormDestroy();
  platform.DestroyWindow(window);
  closed_ = true;
  platform.Quit();
}

}  // namespace tk
