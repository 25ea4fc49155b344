#include "base/bitmap.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>

namespace tk {

bool IsSaneImageSize(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
         width * height <= kMaxImagePixels;
}

Bitmap::Bitmap(int width, int height) {
  Reset(width, height);
}

void Bitmap::Reset(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 3, 0);
}

// The first row pixel by pixel, the others copied from it.
void Bitmap::Fill(Bgr colour) {
  if (empty()) return;
  for (int x = 0; x < width_; ++x) Set(x, 0, colour);
  const auto row = static_cast<std::size_t>(width_) * 3;
  for (int y = 1; y < height_; ++y) std::memcpy(Row(y), Row(0), row);
}

namespace {

struct Span {
  int src_x, src_y, dst_x, dst_y, width, height;
};

// Shrinks the copy so that it stays inside both pictures. Positions come
// from scripts and may be anywhere in the 32-bit range, so the cuts are
// worked out in 64 bits.
std::optional<Span> ClipCopy(const Bitmap& src, int dst_width, int dst_height, Span s) {
  using I = std::int64_t;
  const I left_cut = std::max({I{0}, -I{s.src_x}, -I{s.dst_x}});
  const I top_cut = std::max({I{0}, -I{s.src_y}, -I{s.dst_y}});
  const I src_x = s.src_x + left_cut, dst_x = s.dst_x + left_cut;
  const I src_y = s.src_y + top_cut, dst_y = s.dst_y + top_cut;
  const I width = std::min({s.width - left_cut, src.width() - src_x, dst_width - dst_x});
  const I height = std::min({s.height - top_cut, src.height() - src_y, dst_height - dst_y});
  if (width <= 0 || height <= 0) return std::nullopt;
  // Everything is now inside both pictures, so it fits in an int again.
  return Span{static_cast<int>(src_x), static_cast<int>(src_y), static_cast<int>(dst_x),
              static_cast<int>(dst_y), static_cast<int>(width), static_cast<int>(height)};
}

std::optional<Span> ClipCopy(const Bitmap& src, const Bitmap& dst, Span s) {
  return ClipCopy(src, dst.width(), dst.height(), s);
}

}  // namespace

void CopyPixels(const Bitmap& src, int src_x, int src_y, Bitmap& dst, int dst_x, int dst_y,
                int width, int height) {
  const auto span = ClipCopy(src, dst, {src_x, src_y, dst_x, dst_y, width, height});
  if (!span) return;
  const std::size_t bytes = static_cast<std::size_t>(span->width) * 3;
  for (int y = 0; y < span->height; ++y) {
    std::memcpy(dst.Row(span->dst_y + y) + span->dst_x * 3,
                src.Row(span->src_y + y) + span->src_x * 3, bytes);
  }
}

void CopyPixelsMasked(const Bitmap& src, const Bitmap& mask, int src_x, int src_y, Bitmap& dst,
                      int dst_x, int dst_y, int width, int height) {
  const auto span = ClipCopy(src, dst, {src_x, src_y, dst_x, dst_y, width, height});
  if (!span || mask.width() != src.width() || mask.height() != src.height()) return;
  for (int y = 0; y < span->height; ++y) {
    const std::uint8_t* s = src.Row(span->src_y + y) + span->src_x * 3;
    const std::uint8_t* m = mask.Row(span->src_y + y) + span->src_x * 3;
    std::uint8_t* d = dst.Row(span->dst_y + y) + span->dst_x * 3;
    for (int i = 0; i < span->width * 3; ++i) {
      d[i] = static_cast<std::uint8_t>((d[i] & m[i]) | (s[i] & ~m[i]));
    }
  }
}

Bgr KeyColour(const Bitmap& bitmap) {
  return bitmap.empty() ? Bgr{} : bitmap.At(0, 0);
}

namespace {

// A masked blit's rule, per byte: keep the destination where the mask is set.
Bgr Masked(Bgr dst, Bgr src, Bgr mask) {
  const auto pick = [](std::uint8_t d, std::uint8_t s, std::uint8_t m) {
    return static_cast<std::uint8_t>((d & m) | (s & ~m));
  };
  return {pick(dst.b, src.b, mask.b), pick(dst.g, src.g, mask.g), pick(dst.r, src.r, mask.r)};
}

}  // namespace

void EnlargePixels(const Bitmap& src, const Bitmap* mask, int src_x, int src_y, Bitmap& dst,
                   int dst_x, int dst_y, int width, int height, int factor) {
  if (factor < 1) return;
  if (mask != nullptr && (mask->width() != src.width() || mask->height() != src.height())) return;
  const auto span = ClipCopy(src, dst.width() / factor, dst.height() / factor,
                             {src_x, src_y, dst_x, dst_y, width, height});
  if (!span) return;
  for (int y = 0; y < span->height; ++y) {
    for (int x = 0; x < span->width; ++x) {
      const int sx = span->src_x + x, sy = span->src_y + y;
      const Bgr colour = src.At(sx, sy);
      for (int dy = 0; dy < factor; ++dy) {
        for (int dx = 0; dx < factor; ++dx) {
          const int px = (span->dst_x + x) * factor + dx, py = (span->dst_y + y) * factor + dy;
          dst.Set(px, py, mask ? Masked(dst.At(px, py), colour, mask->At(sx, sy)) : colour);
        }
      }
    }
  }
}

}  // namespace tk
