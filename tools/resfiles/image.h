// Pixel buffers the resource painter draws into before encoding them.
#pragma once

#include <cstdint>
#include <vector>

namespace tk::resgen {

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 0;
  bool operator==(const Rgba&) const = default;
};

inline constexpr Rgba kTransparent{0, 0, 0, 0};
inline constexpr Rgba kBlack{0, 0, 0, 255};
inline constexpr Rgba kWhite{255, 255, 255, 255};

// Top row first, as everything here is drawn; the encoders flip rows.
template <typename Pixel>
class Grid {
 public:
  Grid(int width, int height, Pixel fill = Pixel{})
      : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height), fill) {}

  int width() const { return width_; }
  int height() const { return height_; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  Pixel& at(int x, int y) { return pixels_[static_cast<std::size_t>(y * width_ + x)]; }
  const Pixel& at(int x, int y) const { return pixels_[static_cast<std::size_t>(y * width_ + x)]; }

 private:
  int width_;
  int height_;
  std::vector<Pixel> pixels_;
};

using Image = Grid<Rgba>;
// Palette indices, for the 16-colour bitmap.
using IndexedImage = Grid<std::uint8_t>;

}  // namespace tk::resgen
