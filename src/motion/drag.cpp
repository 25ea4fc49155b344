// The character's mouse handlers: a left-button drag moves it while move
// mode is on; otherwise the clickable map hears the mouse.
#include <algorithm>
#include <cstdint>

#include "app/main_form.h"
#include "interaction/clickable_map.h"
#include "motion/mover.h"

namespace tk {

void TMainForm::FormMouseDown(MouseButton button, int x, int y) {
  if (closed_) return;
  if (PopupMenu1.PmMove.checked) {
    if (drag.dragging || button != MouseButton::kLeft) return;
    platform.SetCursorOverride(CursorOfNumber(2));
    drag.dragging = true;
    drag.grab_x = x;
    // A drag on a clung-to window's edge keeps the character's height.
    if (!cling.clinging) drag.grab_y = y;
    return;
  }
  if (button == MouseButton::kLeft) MapClickTest(*this, x, y);
}

void TMainForm::FormMouseMove(int x, int y) {
  if (closed_) return;
  if (!PopupMenu1.PmMove.checked) {
    MapHoverTest(*this, x, y);
    return;
  }
  if (!drag.dragging) return;
  const Rect bounds = platform.WindowBounds(window);
  std::int64_t left = std::int64_t{x} + bounds.left - drag.grab_x;
  std::int64_t top = std::int64_t{y} + bounds.top - drag.grab_y;
  if (cling.clinging) {
    top = bounds.top;
    left = std::max<std::int64_t>(left, cling.target.left);
    // Checked second, so a window wider than its target keeps to its right edge.
    if (left + bounds.Width() > cling.target.right)
      left = std::int64_t{cling.target.right} - bounds.Width();
  }
  MoveCharacterTo(*this, left, top);
}

void TMainForm::FormMouseUp(MouseButton button, int x, int y) {
  (void)x;
  (void)y;
  if (closed_) return;
  if (PopupMenu1.PmMove.checked && drag.dragging && button == MouseButton::kLeft) {
    drag.dragging = false;
    platform.SetCursorOverride(CursorOfNumber(1));
  }
  if (button == MouseButton::kRight) OpenPopupMenu();
}

void TMainForm::TurnMoveModeOff() {
  if (!PopupMenu1.PmMove.checked) return;
  PopupMenu1.PmMove.checked = false;
  drag.dragging = false;
  platform.SetCursorOverride(kNoCursor);
}

}  // namespace tk
