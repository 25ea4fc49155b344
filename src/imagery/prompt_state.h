// The click-wait prompt mark of speech text.
#pragma once

#include "platform/timer.h"

namespace tk {

struct PromptState {
  Timer timer;  // steps the mark; runs only while a mark is shown
};

}  // namespace tk
