#include "motion/motion_commands.h"

namespace tk {

// Timed events and clinging are not built yet: their timers do
// nothing, and there is never a cling target to return to.
void OnEventTimer(TMainForm&) {}
void PlaceOnSavedClingTarget(TMainForm&) {}
void RestoreClinging(TMainForm&) {}

}  // namespace tk
