// What the timed and event actions keep.
#pragma once

#include "platform/timer.h"

namespace tk {

struct EventState {
  Timer timer;
};

}  // namespace tk
