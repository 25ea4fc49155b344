// The click-wait prompt mark of speech text.
#pragma once

#include <vector>

#include "base/bitmap.h"
#include "platform/timer.h"

namespace tk {

struct PromptState {
  Timer timer;  // steps the mark; runs only while a mark is shown
  std::vector<Bitmap> frames;
  std::vector<Bitmap> masks;  // one per frame: white where the frame is see-through
  Point position;             // child-window pixels
  int last_frame = 0;
  int frame_index = 0;   // the frame the next tick shows
  int shown_frame = -1;  // the frame the balloon shows; -1 while the mark is away
};

}  // namespace tk
