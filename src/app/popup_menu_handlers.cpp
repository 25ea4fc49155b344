// Opening PopupMenu1 (right button on the character, the child image window
// or the notification-area icon) and the handlers of its fixed items.
#include "app/about_form.h"
#include "app/main_form.h"
#include "app/messages.h"
#include "interaction/script_menu_items.h"
#include "motion/cling.h"
#include "motion/mover.h"
#include "script/text.h"
#include "sound/sound_commands.h"

namespace tk {

void TMainForm::OpenPopupMenu() {
  if (!MayStartAction(ActionTrigger::kPopupMenu)) return;
  TrackPopupMenu(speech.choice_waiting);
}

// Script items would start an action while a choice waits for its own.
void TMainForm::TrackPopupMenu(bool hide_script_items) {
  const Point at = platform.CursorPosition();
  if (hide_script_items) PopupMenu1.ShowScriptItems(false);
  std::vector<PopupMenuItem> shown;
  std::vector<int> commands;
  for (const MenuItemState& item : PopupMenu1.Items()) {
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
  if (closed_) return;
  switch (id) {
    case kPmMoveCommand:
      return PmMoveClick();
    case kPmWinMostCommand:
      return PmWinMostClick();
    case kPmPutCommand:
      return PmPutClick();
    case kPmSoundCommand:
      return PmSoundClick();
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
  if (closed_) return;
  if (mouse_message == kTrayLeftButtonDown) {
    platform.ForceForeground(window);
  } else if (mouse_message == kTrayRightButtonDown) {
    if (!MayStartAction(ActionTrigger::kPopupMenu)) return;
    platform.ForceForeground(window);
    platform.ProcessPendingMessages();
    // What was pumped may have started an action or a close.
    if (!MayStartAction(ActionTrigger::kPopupMenu)) return;
    platform.CancelMode(window);
    TrackPopupMenu(PopupMenu1.hidden_mark || speech.choice_waiting);
  }
}

void TMainForm::PmMoveClick() {
  if (PopupMenu1.PmMove.checked) return TurnMoveModeOff();
  PopupMenu1.PmMove.checked = true;
  platform.SetCursorOverride(CursorOfNumber(1));
}

void TMainForm::PmWinMostClick() {
  MenuItemState& item = PopupMenu1.PmWinMost;
  item.checked = !item.checked;
  if (child_image) platform.SetTopmost(child_image->window, item.checked);
  platform.SetTopmost(window, item.checked);
}

void TMainForm::PmPutClick() {
  PopupMenu1.hidden_mark = !PopupMenu1.hidden_mark;
  PopupMenu1.PmPut.caption = PopupMenu1.hidden_mark ? msg::kMenuShow : msg::kMenuHide;
  ShowCharacter(*this, !PopupMenu1.hidden_mark);
}

// The sound player pauses and resumes itself; the animations tied to a
// sound wait with it.
void TMainForm::PmSoundClick() {
  MenuItemState& item = PopupMenu1.PmSound;
  item.checked = !item.checked;
  if (!shell.sound_available) return;
  PauseOrResumeSound(*this);
  for (const auto& animation : animations.list) {
    Animation& a = *animation;
    if (item.checked && a.sound_ended) {
      a.sound_ended = false;
      a.timer.Start();
    } else if (!item.checked && a.sound_tie != 0 && a.timer.running()) {
      a.timer.Stop();
      a.sound_ended = true;
    }
  }
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
