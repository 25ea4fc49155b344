// What walking keeps between ticks.
#pragma once

#include <array>
#include <string>

#include "platform/timer.h"

namespace tk {

struct WalkState {
  Timer timer;  // stopped until a move command starts it
  int dx = 0;   // -1, 0 or 1
  int dy = 0;
  std::array<std::string, 9> labels;  // run when the direction changes
};

}  // namespace tk
