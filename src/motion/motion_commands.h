// Walking, timed events and clinging to other windows.
#pragma once

namespace tk {

class TMainForm;

// Timer handlers.
void OnEventTimer(TMainForm& form);
void OnWalkTimer(TMainForm& form);

// Moves the window onto the window it clung to at the last exit, keeping the
// saved offsets (start-up, before the script loads).
void PlaceOnSavedClingTarget(TMainForm& form);
// Switches clinging back on as it was at the last exit (end of start-up).
void RestoreClinging(TMainForm& form);

}  // namespace tk
