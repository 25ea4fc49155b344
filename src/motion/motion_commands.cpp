#include "motion/motion_commands.h"

namespace tk {

// Walking and clinging are not built yet: the walk timer does nothing, and
// there is never a cling target to return to.
void OnWalkTimer(TMainForm&) {}
void PlaceOnSavedClingTarget(TMainForm&) {}
void RestoreClinging(TMainForm&) {}

}  // namespace tk
