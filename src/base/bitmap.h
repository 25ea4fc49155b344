// A picture in memory: 24-bit pixels, top row first, three bytes per pixel
// in blue, green, red order with no row padding. Every picture the program
// shows ends up in this form, whatever file it came from.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/geometry.h"

namespace tk {

struct Bgr {
  std::uint8_t b = 0, g = 0, r = 0;
  bool operator==(const Bgr&) const = default;
};

// Pictures beyond these sizes are refused before anything is allocated, so a
// lying header can cost at most kMaxImagePixels * 3 bytes (48 MiB).
inline constexpr int kMaxImageSide = 16384;
inline constexpr std::int64_t kMaxImagePixels = 16 * 1024 * 1024;

bool IsSaneImageSize(std::int64_t width, std::int64_t height);

class Bitmap {
 public:
  Bitmap() = default;
  // Black; the caller has checked the size with IsSaneImageSize.
  Bitmap(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return width_ == 0 || height_ == 0; }
  Rect Bounds() const { return {0, 0, width_, height_}; }

  Bgr At(int x, int y) const {
    const std::uint8_t* p = &pixels_[Offset(x, y)];
    return {p[0], p[1], p[2]};
  }
  void Set(int x, int y, Bgr c) {
    std::uint8_t* p = &pixels_[Offset(x, y)];
    p[0] = c.b;
    p[1] = c.g;
    p[2] = c.r;
  }
  const std::uint8_t* Row(int y) const { return &pixels_[Offset(0, y)]; }
  std::uint8_t* Row(int y) { return &pixels_[Offset(0, y)]; }
  const std::vector<std::uint8_t>& Bytes() const { return pixels_; }

  // Resizes to black pixels.
  void Reset(int width, int height);
  void Fill(Bgr colour);

  // Colour table of the file the picture came from (0x00RRGGBB entries);
  // realised on palette displays, empty for true-colour files.
  std::vector<std::uint32_t> palette;

 private:
  std::size_t Offset(int x, int y) const {
    return (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
            static_cast<std::size_t>(x)) *
           3;
  }

  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> pixels_;
};

// The rectangle `r` clipped to `bounds`; empty rectangles have no area.
// Inline: every redraw asks both of every layer.
inline Rect Intersect(const Rect& r, const Rect& bounds) {
  return {std::max(r.left, bounds.left), std::max(r.top, bounds.top),
          std::min(r.right, bounds.right), std::min(r.bottom, bounds.bottom)};
}
inline bool IsEmpty(const Rect& r) {
  return r.right <= r.left || r.bottom <= r.top;
}

// Copies the `size`-sized area at (src_x, src_y) of `src` to (dst_x, dst_y)
// of `dst`, clipped to both pictures.
void CopyPixels(const Bitmap& src, int src_x, int src_y, Bitmap& dst, int dst_x, int dst_y,
                int width, int height);

// As CopyPixels, but where `mask` (the size of `src`) is white the
// destination is kept: the AND-then-OR blit of a frame and its mask, done in
// one pass.
void CopyPixelsMasked(const Bitmap& src, const Bitmap& mask, int src_x, int src_y, Bitmap& dst,
                      int dst_x, int dst_y, int width, int height);

// As CopyPixels (or CopyPixelsMasked with a `mask`) onto a picture `factor`
// times larger: destination coordinates are in source pixels, and each source
// pixel becomes a factor x factor block, so edges stay hard.
void EnlargePixels(const Bitmap& src, const Bitmap* mask, int src_x, int src_y, Bitmap& dst,
                   int dst_x, int dst_y, int width, int height, int factor);

// The colour of the top-left pixel, transparent everywhere in the picture.
Bgr KeyColour(const Bitmap& bitmap);

}  // namespace tk
