// What clinging to other windows keeps between ticks.
#pragma once

#include <string>

#include "platform/timer.h"

namespace tk {

struct ClingState {
  bool setup_done = false;  // the script ran WCS
  bool clinging = false;
  bool restore_at_start = false;  // [Cling] Mode was non-zero
  int dx = 0;                     // offsets from the target's corner where clinging starts
  int dy = 0;
  Rect target;  // the window clung to, in screen pixels, as last read
  int previous_target_left = 0;
  std::string start_label;  // run when the user or start-up switches clinging on
  std::string end_label;    // run when the user switches it off
  Timer timer;              // made by WCS; runs exactly while clinging is on
};

}  // namespace tk
