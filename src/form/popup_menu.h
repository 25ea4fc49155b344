// PopupMenu1: the character's one menu, as the program keeps it. The
// platform only ever sees the visible lines of it, built anew each time the
// menu opens.
#pragma once

#include <string>
#include <vector>

namespace tk {

struct Modes;

struct MenuItemState {
  int command = 0;  // what OnCommand receives when the item is chosen
  std::string caption;
  bool checked = false;  // drawn from the modes as the menu opens
  bool visible = true;
  bool IsSeparator() const { return caption == "-"; }
};

// Commands of the fixed items; script items use kScriptItemCommandBase plus
// their item number.
enum MenuCommand : int {
  kPmMoveCommand = 1,
  kPmWinMostCommand,
  kPmPutCommand,
  kPmSoundCommand,
  kPmShowAboutCommand,
  kPmExitCommand,
  kPmClingCommand,
  kPmStepAsideCommand,
  kSeparatorCommand = 0,
};
inline constexpr int kScriptItemCommandBase = 1000;

struct ScriptMenuItem {
  std::string caption;  // at most 127 bytes
  std::string label;    // at most 127 bytes
  int number = 0;
  bool visible = true;
  MenuItemState AsMenuItem() const {
    return {kScriptItemCommandBase + number, caption, false, visible};
  }
};

struct TPopupMenu1 {
  TPopupMenu1();

  MenuItemState PmMove;
  MenuItemState PmWinMost;
  MenuItemState PmPut;
  MenuItemState PmLine01;
  MenuItemState PmSound;
  MenuItemState PmStepAside;
  MenuItemState PmLine02;
  MenuItemState PmShowAbout;
  MenuItemState PmLine03;
  MenuItemState PmExit;
  // The cling item, at position 3 directly after PmPut, once the script set
  // clinging up.
  bool has_cling_item = false;
  MenuItemState PmCling;
  // The script's own items in order of addition, and the next item number.
  std::vector<ScriptMenuItem> script_items;
  int next_item_number = 0;

  // Every item top to bottom, with the check marks and PmPut's caption
  // drawn from the modes. Script items stand in front of the last four
  // fixed items (PmLine02, PmShowAbout, PmLine03, PmExit), where each was
  // inserted at the menu's item count minus four.
  std::vector<MenuItemState> Items(const Modes& modes, bool clinging) const;
  void ShowScriptItems(bool visible);
};

}  // namespace tk
