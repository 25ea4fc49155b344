#include "motion/motion_commands.h"

namespace tk {

// Walking, timed events and clinging are not built yet: their commands and
// timers do nothing, and there is never a cling target to return to.
void RunWalkCommand(CommandContext&) {}
void RunEventCommand(CommandContext&) {}
void RunClingCommand(CommandContext&) {}
void OnEventTimer(TMainForm&) {}
void OnWalkTimer(TMainForm&) {}
void PlaceOnSavedClingTarget(TMainForm&) {}
void RestoreClinging(TMainForm&) {}

}  // namespace tk
