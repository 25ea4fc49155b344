// The one place that moves or sizes the character: the main window and the
// child image window, which keeps its offset from the main window's corner.
// Positions arrive from scripts, drags and other windows as any 32-bit
// values, so callers pass sums in 64 bits and the mover saturates them.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace tk {

class TMainForm;

// A `width` x `height` rectangle at (left, top), moved as little as needed
// for every edge to be a 32-bit coordinate.
Rect PlaceRect(std::int64_t left, std::int64_t top, int width, int height);

// The main window's top-left corner goes to (left, top); sizes are kept.
void MoveCharacterTo(TMainForm& form, std::int64_t left, std::int64_t top);
// The main window's corner goes where a `width` x `height` window sits in
// the middle of the screen (halves rounded toward zero); sizes are kept.
void CentreCharacter(TMainForm& form, int width, int height);
// The main window's client size; its left and top edges stay.
void ResizeCharacter(TMainForm& form, int width, int height);
// Puts the child image window at the main window's corner plus its offset,
// sized to its picture.
void PlaceChildImage(TMainForm& form);
// Shows or hides both windows, the main one first when showing. Nothing
// shows while the character stands aside.
void ShowCharacter(TMainForm& form, bool visible);
// Shows the child image window alone, as a new picture in it does; not
// while the character stands aside.
void ShowChildWindow(TMainForm& form);
// Takes both windows out of sight while another program fills the screen,
// or brings them back: back, the character shows unless the user hid it.
void StandAside(TMainForm& form, bool aside);
// Puts both windows into the topmost band or takes them out, the main
// window last so it stays in front of its balloon.
void SetCharacterTopmost(TMainForm& form, bool topmost);

}  // namespace tk
