// Opening PopupMenu1 (right button on the character, the child image window
// or the notification-area icon) and the handlers of its fixed items.
#include "app/about_form.h"
#include "base/messages.h"
#include "base/text.h"
#include "form/main_form.h"
#include "form/mover.h"
#include "form/popup_menu.h"
#include "imagery/animation.h"
#include "imagery/speech.h"
#include "imagery/speech_state.h"
#include "interaction/script_menu_items.h"
#include "motion/cling.h"
#include "motion/cling_state.h"
#include "motion/step_aside.h"
#include "sound/sound_commands.h"

namespace tk {

void TMainForm::OpenPopupMenu() {
  if (!CanStartAction(ActionTrigger::kPopupMenu)) return;
  TrackPopupMenu(speech.choice_waiting);
}

// Script items would start an action while a choice waits for its own.
void TMainForm::TrackPopupMenu(bool hide_script_items) {
  const Point at = platform.CursorPosition();
  if (hide_script_items) PopupMenu1.ShowScriptItems(false);
  std::vector<PopupMenuItem> shown;
  std::vector<int> commands;
  for (const MenuItemState& item : PopupMenu1.Items(shell.modes, cling.clinging)) {
    if (!item.visible) continue;
    shown.push_back({item.caption, item.checked});
    commands.push_back(item.command);
  }
  const int chosen = platform.TrackPopupMenu(window, shown, at);
  if (hide_script_items) PopupMenu1.ShowScriptItems(true);
  if (chosen >= 0 && chosen < static_cast<int>(commands.size()) &&
      commands[static_cast<std::size_t>(chosen)] != kSeparatorCommand) {
    OnCommand(commands[static_cast<std::size_t>(chosen)]);
  }
}

void TMainForm::OnCommand(int id) {
  if (IsClosed()) return;
  switch (id) {
    case kPmMoveCommand:
      return PmMoveClick();
    case kPmWinMostCommand:
      return PmWinMostClick();
    case kPmPutCommand:
      return PmPutClick();
    case kPmSoundCommand:
      return PmSoundClick();
    case kPmStepAsideCommand:
      return PmStepAsideClick();
    case kPmShowAboutCommand:
      return PmShowAboutClick();
    case kPmExitCommand:
      return PmExitClick();
    case kPmClingCommand:
      return PmClingClick(*this);
    default:
      if (id >= kScriptItemCommandBase) ChooseScriptMenuItem(*this, id - kScriptItemCommandBase);
  }
}

void TMainForm::OnTrayMessage(int mouse_message) {
  if (IsClosed()) return;
  if (mouse_message == kTrayLeftButtonDown) {
    platform.ForceForeground(window);
  } else if (mouse_message == kTrayRightButtonDown) {
    if (!CanStartAction(ActionTrigger::kPopupMenu)) return;
    platform.ForceForeground(window);
    platform.ProcessPendingMessages();
    // What was pumped may have started an action or a close.
    if (!CanStartAction(ActionTrigger::kPopupMenu)) return;
    platform.CancelMode(window);
    TrackPopupMenu(shell.modes.hidden || speech.choice_waiting);
  }
}

void TMainForm::PmMoveClick() {
  if (shell.modes.move) return TurnMoveModeOff();
  shell.modes.move = true;
  platform.SetCursorOverride(CursorOfNumber(1));
}

void TMainForm::PmWinMostClick() {
  shell.modes.topmost = !shell.modes.topmost;
  SetCharacterTopmost(*this, shell.modes.topmost);
}

void TMainForm::PmPutClick() {
  shell.modes.hidden = !shell.modes.hidden;
  ShowCharacter(*this, !shell.modes.hidden);
  LookAtFrontWindow(*this);
}

// The sound player pauses and resumes itself; the animations tied to a
// sound wait with it.
void TMainForm::PmSoundClick() {
  shell.modes.sound_on = !shell.modes.sound_on;
  if (!shell.sound_available) return;
  PauseOrResumeSound(*this);
  PauseOrResumeSoundTiedAnimations(*this, shell.modes.sound_on);
}

// Switched off, the character comes back at once; switched on, it stands
// aside at once if a full-screen window is in front.
void TMainForm::PmStepAsideClick() {
  shell.modes.step_aside = !shell.modes.step_aside;
  LookAtFrontWindow(*this);
}

void TMainForm::PmShowAboutClick() {
  if (!about_form) about_form = std::make_unique<TAboutForm>(*this);
  about_form->Show();
}

void TMainForm::PmExitClick() {
  Close();
}

CursorId TMainForm::CursorOfNumber(int number) const {
  const auto it = cursors.find(number);
  return it == cursors.end() ? kNoCursor : it->second;
}

CursorId TMainForm::CursorForName(const std::string& name) {
  for (const NamedCursor& entry : named_cursors) {
    if (EqualsIgnoreCase(entry.name, name)) return CursorOfNumber(entry.number);
  }
  if (EqualsIgnoreCase(name, "CSHAND"))
    return platform.LoadStandardCursor(StandardCursor::kHandPoint);
  return platform.LoadStandardCursor(StandardCursor::kArrow);
}

}  // namespace tk
