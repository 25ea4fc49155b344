// What walking and targeted moves keep between ticks of the walk timer.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/timer.h"

namespace tk {

enum class MoveKind {
  kRandomWalk,
  kTargetPending,   // the next tick notes where the move starts
  kTargetUnderway,  // every later tick steps along the line
};

struct WalkState {
  Timer timer;  // stopped until a move command starts it
  MoveKind kind = MoveKind::kRandomWalk;
  int dx = 0;  // -1, 0 or 1
  int dy = 0;
  bool started = false;               // the first tick after MVB runs the label undrawn
  int turn_odds = 0;                  // a turn is drawn with chance 1 in this; 0 acts as 1
  int step = 0;                       // pixels per tick
  std::array<std::string, 9> labels;  // run when the direction changes

  bool absolute = false;  // MVA: the target is a screen point until the first tick
  double target_x = 0;    // offset from the start point once under way
  double target_y = 0;
  int start_x = 0;
  int start_y = 0;
  double angle = 0;  // radians, y grows downward
  std::uint32_t travelled = 0;
  std::string arrival_label;
};

}  // namespace tk
