// The screen as the pages see it: each frame sent is what changed since the
// one before, so an idle character sends nothing.
#pragma once

#include "base/bitmap.h"
#include "event_hub.h"

namespace tkc {

class FrameStream {
 public:
  explicit FrameStream(tk::Bgr desktop) : desktop_(desktop) {}

  // Publishes a "frame" event with the parts of `screen` that differ from
  // the frame sent last; nothing when none do. A `whole` frame (for a page
  // that just came) names the desktop colour and brings every part that
  // differs from a bare desktop. True when a frame went out.
  bool Send(const tk::Bitmap& screen, bool whole, EventHub& hub);

 private:
  tk::Bgr desktop_;
  tk::Bitmap shown_;
};

}  // namespace tkc
