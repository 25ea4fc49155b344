// Dragging the character with the left button while move mode is on.
#pragma once

namespace tk {

class TMainForm;

// A press at (x, y), client pixels of the window pressed; a second press
// during a drag is ignored.
void StartDrag(TMainForm& form, int x, int y);
// The pointer at (x, y) during a drag moves the character with it; a
// clinging character keeps its height and stays over its window.
void DragCharacter(TMainForm& form, int x, int y);
void EndDrag(TMainForm& form);

}  // namespace tk
