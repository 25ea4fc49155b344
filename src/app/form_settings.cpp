// Reading tk.ini at start-up and writing it at exit.
#include "app/settings.h"
#include "form/main_form.h"
#include "form/mover.h"
#include "motion/cling_state.h"
#include "motion/motion_commands.h"
#include "platform/monitors.h"

namespace tk {

namespace {

ProfileFile LoadProfile(Platform& platform, const std::string& path) {
  const auto content = platform.ReadFile(path, kMaxSettingsBytes);
  return content ? ProfileFile(*content) : ProfileFile();
}

}  // namespace

// A saved corner on any monitor stands; one on no monitor (a monitor since
// unplugged, say) is taken axis by axis against the primary monitor, and the
// first picture then centres the character on it.
void TMainForm::ReadWindowPosition(const ProfileFile& settings) {
  int x = settings.GetInt("WndPos", "X_Pos", -1);
  int y = settings.GetInt("WndPos", "Y_Pos", -1);
  if (!CornerOnAMonitor(platform.Monitors(), x, y)) {
    if (!IsValidPosition(x, platform.ScreenWidth())) {
      x = 0;
      shell.centre_on_first_image = true;
    }
    if (!IsValidPosition(y, platform.ScreenHeight())) {
      y = 0;
      shell.centre_on_first_image = true;
    }
  }
  MoveCharacterTo(*this, x, y);
}

void TMainForm::ReadSettings() {
  const ProfileFile settings = LoadProfile(platform, shell.settings_path);
  ReadWindowPosition(settings);
  if (settings.GetInt("Cling", "Mode", 0) != 0) {
    cling.restore_at_start = true;
    cling.dx = settings.GetInt("Cling", "Dx", 0);
    cling.dy = settings.GetInt("Cling", "Dy", 0);
    PlaceOnSavedClingTarget(*this);
  }
  shell.modes.topmost = settings.GetInt("WndPos", "Z_Pos", 0) != 0;
  if (shell.modes.topmost) SetCharacterTopmost(*this, true);
  shell.modes.step_aside = settings.GetInt("Options", "StepAside", 1) != 0;
  shell.debug_script = settings.GetInt("Debug", "Script", 0) != 0;
  shell.debug_map = settings.GetInt("Debug", "Map", 0) != 0;
}

// Rewrites the whole file in one replacing write, so an interrupted save
// leaves the previous settings intact.
void TMainForm::WriteSettings() {
  ProfileFile settings = LoadProfile(platform, shell.settings_path);
  const Rect bounds = platform.WindowBounds(window);
  settings.Set("WndPos", "X_Pos", std::to_string(bounds.left));
  settings.Set("WndPos", "Y_Pos", std::to_string(bounds.top));
  settings.Set("WndPos", "Z_Pos", shell.modes.topmost ? "1" : "0");
  // Written only where the file would read otherwise: the tk.ini of a user
  // who never switched stepping aside off stays as it was.
  if ((settings.GetInt("Options", "StepAside", 1) != 0) != shell.modes.step_aside) {
    settings.Set("Options", "StepAside", shell.modes.step_aside ? "1" : "0");
  }
  if (cling.setup_done) {
    settings.Set("Cling", "Mode", cling.clinging ? "1" : "0");
    settings.Set("Cling", "Dx", std::to_string(cling.dx));
    settings.Set("Cling", "Dy", std::to_string(cling.dy));
  }
  platform.WriteFileReplacing(shell.settings_path, settings.Serialize());
}

}  // namespace tk
