#include "imagery/image_region.h"

namespace tk {

namespace {

bool IsKey(const std::uint8_t* p, Bgr key) {
  return p[0] == key.b && p[1] == key.g && p[2] == key.r;
}

}  // namespace

Region BuildImageRegion(const Bitmap& bitmap) {
  Region region;
  const Bgr key = KeyColour(bitmap);
  const int width = bitmap.width();
  for (int y = 0; y < bitmap.height(); ++y) {
    const std::uint8_t* row = bitmap.Row(y);
    int x = 0;
    while (x < width) {
      while (x < width && IsKey(row + x * 3, key)) ++x;
      if (x == width) break;
      const int start = x;
      while (x < width && !IsKey(row + x * 3, key)) ++x;
      region.push_back({start, y, x, y + 1});
    }
  }
  return region;
}

void MakeFrameMask(const Bitmap& source, Bitmap& mask) {
  mask.Reset(source.width(), source.height());
  const Bgr key = KeyColour(source);
  constexpr Bgr kWhite{255, 255, 255};
  for (int y = 0; y < source.height(); ++y) {
    const std::uint8_t* row = source.Row(y);
    for (int x = 0; x < source.width(); ++x) {
      if (IsKey(row + x * 3, key)) mask.Set(x, y, kWhite);
    }
  }
}

}  // namespace tk
