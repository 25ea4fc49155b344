// A left-button drag of the character in move mode.
#pragma once

namespace tk {

struct DragState {
  bool dragging = false;
  int grab_x = 0;  // client pixels of the window the drag started on
  int grab_y = 0;
};

}  // namespace tk
