// A grey canvas for text tests, and the box around what was drawn on it.
#pragma once

#include <algorithm>

#include "base/bitmap.h"
#include "base/geometry.h"

namespace tk::text_canvas {

inline constexpr Bgr kGrey{0x40, 0x40, 0x40};

inline Bitmap Grey(int width, int height) {
  Bitmap b(width, height);
  b.Fill(kGrey);
  return b;
}

// The bounding box of the pixels that differ from grey; empty when none do.
inline Rect Changed(const Bitmap& b) {
  Rect box{b.width(), b.height(), 0, 0};
  for (int y = 0; y < b.height(); ++y) {
    for (int x = 0; x < b.width(); ++x) {
      if (b.At(x, y) == kGrey) continue;
      box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
             std::max(box.bottom, y + 1)};
    }
  }
  return box;
}

}  // namespace tk::text_canvas
