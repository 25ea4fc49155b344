// Rectangles, points and window shapes in whole pixels: the vocabulary shared
// by the pixel buffers and the platform's windows.
#pragma once

#include <vector>

namespace tk {

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

// A window shape: the union of these rectangles in client coordinates.
// Empty means nothing of the window is visible.
using Region = std::vector<Rect>;

// `r` grown by a whole factor about the origin: picture pixels to the
// device pixels of a scaled window.
inline Rect Scaled(const Rect& r, int factor) {
  return {r.left * factor, r.top * factor, r.right * factor, r.bottom * factor};
}

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

}  // namespace tk
