// The built-in popup menu's items as the program keeps them.
#pragma once

#include <string>

namespace tk {

struct MenuItemState {
  std::string caption;
  bool checked = false;
  bool visible = true;
};

struct TPopupMenu1 {
  MenuItemState PmMove;
  MenuItemState PmWinMost;
  MenuItemState PmPut;
  MenuItemState PmSound;
  MenuItemState PmShowAbout;
  MenuItemState PmExit;
};

}  // namespace tk
