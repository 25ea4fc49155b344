#include "motion/motion_commands.h"

namespace tk {

// Timed events are not built yet: their timer does nothing. Walking lives
// in walk.cpp, clinging in cling.cpp.
void OnEventTimer(TMainForm&) {}

}  // namespace tk
