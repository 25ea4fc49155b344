#include "imagery/speech_pixels.h"

#include <algorithm>
#include <cstdint>

namespace tk {

namespace {

// The area of both pictures an operation may touch, as source and
// destination origins and a size; nothing when it is empty.
struct Span2 {
  int sx, sy, dx, dy, width, height;
};

bool ClipSpans(const Bitmap& src, const Bitmap& dst, Span2& s) {
  const auto shift = [](int& a, int& b, int& size, int amount) {
    if (amount <= 0) return;
    a += amount;
    b += amount;
    size -= amount;
  };
  shift(s.sx, s.dx, s.width, std::max(-s.sx, -s.dx));
  shift(s.sy, s.dy, s.height, std::max(-s.sy, -s.dy));
  const std::int64_t w = std::min<std::int64_t>(
      {s.width, std::int64_t{src.width()} - s.sx, std::int64_t{dst.width()} - s.dx});
  const std::int64_t h = std::min<std::int64_t>(
      {s.height, std::int64_t{src.height()} - s.sy, std::int64_t{dst.height()} - s.dy});
  if (w <= 0 || h <= 0) return false;
  s.width = static_cast<int>(w);
  s.height = static_cast<int>(h);
  return true;
}

bool IsBlack(const std::uint8_t* p) {
  return p[0] == 0 && p[1] == 0 && p[2] == 0;
}

void InvertPixel(Bitmap& target, int x, int y) {
  if (x < 0 || y < 0 || x >= target.width() || y >= target.height()) return;
  const Bgr c = target.At(x, y);
  target.Set(x, y,
             {static_cast<std::uint8_t>(~c.b), static_cast<std::uint8_t>(~c.g),
              static_cast<std::uint8_t>(~c.r)});
}

bool InInterior(int style, int x, int y) {
  switch (style) {
    case 1:
    case 2:
      return false;
    case 3:
      // Backward diagonals, 8 pixels apart: each runs up to the right, as
      // the system's own backward hatch does.
      return (x + y) % 8 == 0;
    default:
      return true;
  }
}

}  // namespace

void CombinePixels(const Bitmap& src, int sx, int sy, Bitmap& dst, int dx, int dy, int width,
                   int height, PixelOp op) {
  Span2 s{sx, sy, dx, dy, width, height};
  if (!ClipSpans(src, dst, s)) return;
  const auto bytes = static_cast<std::size_t>(s.width) * 3;
  for (int row = 0; row < s.height; ++row) {
    const std::uint8_t* from = src.Row(s.sy + row) + static_cast<std::size_t>(s.sx) * 3;
    std::uint8_t* to = dst.Row(s.dy + row) + static_cast<std::size_t>(s.dx) * 3;
    for (std::size_t i = 0; i < bytes; ++i) {
      to[i] = op == PixelOp::kAnd ? (to[i] & from[i]) : (to[i] | from[i]);
    }
  }
}

void TurnIntoInkMask(Bitmap& bitmap) {
  for (int y = 0; y < bitmap.height(); ++y) {
    std::uint8_t* p = bitmap.Row(y);
    for (int x = 0; x < bitmap.width(); ++x, p += 3) {
      const std::uint8_t v = IsBlack(p) ? 255 : 0;
      p[0] = p[1] = p[2] = v;
    }
  }
}

void CopyInk(const Bitmap& src, int sx, int sy, Bitmap& dst, int dx, int dy, int width,
             int height) {
  Span2 s{sx, sy, dx, dy, width, height};
  if (!ClipSpans(src, dst, s)) return;
  for (int row = 0; row < s.height; ++row) {
    const std::uint8_t* from = src.Row(s.sy + row) + static_cast<std::size_t>(s.sx) * 3;
    std::uint8_t* to = dst.Row(s.dy + row) + static_cast<std::size_t>(s.dx) * 3;
    for (int x = 0; x < s.width; ++x, from += 3, to += 3) {
      if (!IsBlack(from)) std::copy(from, from + 3, to);
    }
  }
}

// The outline runs along the rectangle's own edge pixels, each pixel of it
// inverted once; the interior lies inside the outline. On a target `factor`
// times larger each picture pixel's pattern covers its whole block, so the
// text under the highlight keeps its detail.
void InvertHighlight(Bitmap& target, const Rect& rect, int style, const Rect& clip, int factor) {
  const Rect picture_bounds{0, 0, target.width() / factor, target.height() / factor};
  const Rect r = Intersect(Intersect(rect, clip), picture_bounds);
  if (IsEmpty(r)) return;
  const bool dotted = style != 2;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      const bool edge =
          x == rect.left || x == rect.right - 1 || y == rect.top || y == rect.bottom - 1;
      const bool ink = edge ? (!dotted || (x + y) % 2 == 0) : InInterior(style, x, y);
      if (!ink) continue;
      for (int dy = 0; dy < factor; ++dy)
        for (int dx = 0; dx < factor; ++dx) InvertPixel(target, x * factor + dx, y * factor + dy);
    }
  }
}

}  // namespace tk
