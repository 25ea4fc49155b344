#include "motion/motion_commands.h"

namespace tk {

// Walking and timed events are not built yet: their timers do nothing.
// Clinging lives in cling.cpp.
void OnEventTimer(TMainForm&) {}
void OnWalkTimer(TMainForm&) {}

}  // namespace tk
