#include "form/popup_menu.h"

#include "base/messages.h"
#include "form/modes.h"

namespace tk {

TPopupMenu1::TPopupMenu1()
    : PmMove{kPmMoveCommand, msg::kMenuMove},
      PmWinMost{kPmWinMostCommand, msg::kMenuWinMost},
      PmPut{kPmPutCommand, msg::kMenuHide},
      PmLine01{kSeparatorCommand, "-"},
      PmSound{kPmSoundCommand, msg::kMenuSound},
      PmStepAside{kPmStepAsideCommand, msg::kMenuStepAside},
      PmLine02{kSeparatorCommand, "-"},
      PmShowAbout{kPmShowAboutCommand, std::string(msg::kAboutCaption) + "(&A)"},
      PmLine03{kSeparatorCommand, "-"},
      PmExit{kPmExitCommand, msg::kMenuExit},
      PmCling{kPmClingCommand, ""} {}

std::vector<MenuItemState> TPopupMenu1::Items(const Modes& modes, bool clinging) const {
  std::vector<MenuItemState> items{PmMove, PmWinMost, PmPut};
  items[0].checked = modes.move;
  items[1].checked = modes.topmost;
  items[2].caption = modes.hidden ? msg::kMenuShow : msg::kMenuHide;
  if (has_cling_item) {
    items.push_back(PmCling);
    items.back().checked = clinging;
  }
  items.push_back(PmLine01);
  items.push_back(PmSound);
  items.back().checked = modes.sound_on;
  items.push_back(PmStepAside);
  items.back().checked = modes.step_aside;
  for (const ScriptMenuItem& item : script_items) items.push_back(item.AsMenuItem());
  for (const MenuItemState* fixed : {&PmLine02, &PmShowAbout, &PmLine03, &PmExit}) {
    items.push_back(*fixed);
  }
  return items;
}

void TPopupMenu1::ShowScriptItems(bool visible) {
  for (ScriptMenuItem& item : script_items) item.visible = visible;
}

}  // namespace tk
