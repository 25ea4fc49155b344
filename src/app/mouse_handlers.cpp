// The character's mouse handlers: a left-button drag moves it while move
// mode is on; otherwise the clickable map hears the mouse.
#include "form/main_form.h"
#include "interaction/clickable_map.h"
#include "motion/drag.h"
#include "motion/drag_state.h"

namespace tk {

void TMainForm::FormMouseDown(MouseButton button, int x, int y) {
  if (IsClosed()) return;
  if (shell.modes.move) {
    if (button == MouseButton::kLeft) StartDrag(*this, x, y);
    return;
  }
  if (button == MouseButton::kLeft) MapClickTest(*this, x, y);
}

void TMainForm::FormMouseMove(int x, int y) {
  if (IsClosed()) return;
  if (shell.modes.move) {
    DragCharacter(*this, x, y);
  } else {
    MapHoverTest(*this, x, y);
  }
}

void TMainForm::FormMouseUp(MouseButton button, int x, int y) {
  (void)x;
  (void)y;
  if (IsClosed()) return;
  if (shell.modes.move && button == MouseButton::kLeft) EndDrag(*this);
  if (button == MouseButton::kRight) OpenPopupMenu();
}

void TMainForm::TurnMoveModeOff() {
  if (!shell.modes.move) return;
  shell.modes.move = false;
  drag.dragging = false;
  platform.SetCursorOverride(kNoCursor);
}

}  // namespace tk
