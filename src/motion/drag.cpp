#include "motion/drag.h"

#include <algorithm>
#include <cstdint>

#include "form/main_form.h"
#include "form/mover.h"
#include "motion/cling_state.h"
#include "motion/drag_state.h"

namespace tk {

void StartDrag(TMainForm& form, int x, int y) {
  DragState& drag = form.drag;
  if (drag.dragging) return;
  form.platform.SetCursorOverride(form.CursorOfNumber(2));
  drag.dragging = true;
  drag.grab_x = x;
  // A drag on a clung-to window's edge keeps the character's height.
  if (!form.cling.clinging) drag.grab_y = y;
}

void DragCharacter(TMainForm& form, int x, int y) {
  const DragState& drag = form.drag;
  if (!drag.dragging) return;
  const Rect bounds = form.platform.WindowBounds(form.window);
  std::int64_t left = std::int64_t{x} + bounds.left - drag.grab_x;
  std::int64_t top = std::int64_t{y} + bounds.top - drag.grab_y;
  if (form.cling.clinging) {
    const Rect& target = form.cling.target;
    top = bounds.top;
    left = std::max<std::int64_t>(left, target.left);
    // Checked second, so a window wider than its target keeps to its right edge.
    if (left + bounds.Width() > target.right) left = std::int64_t{target.right} - bounds.Width();
  }
  MoveCharacterTo(form, left, top);
}

void EndDrag(TMainForm& form) {
  if (!form.drag.dragging) return;
  form.drag.dragging = false;
  form.platform.SetCursorOverride(form.CursorOfNumber(1));
}

}  // namespace tk
