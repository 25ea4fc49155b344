// The choice highlight's pixels on a small white picture.
#include "imagery/speech_pixels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tk {
namespace {

TEST(Highlight, StyleThreeHatchesDiagonalsRunningUpToTheRight) {
  Bitmap b(10, 6);
  b.Fill({255, 255, 255});
  InvertHighlight(b, b.Bounds(), 3, b.Bounds());
  std::vector<std::string> inverted;  // '#' where inverted
  for (int y = 0; y < b.height(); ++y) {
    std::string row;
    for (int x = 0; x < b.width(); ++x) row += b.At(x, y) == Bgr{} ? '#' : '.';
    inverted.push_back(row);
  }
  // A dotted outline around the hatch.
  // clang-format off
  const std::vector<std::string> expected{
      "#.#.#.#.#.",
      ".......#.#",
      "#.....#...",
      ".....#...#",
      "#...#.....",
      ".#.#.#.#.#",
  };
  // clang-format on
  EXPECT_EQ(inverted, expected);
}

}  // namespace
}  // namespace tk
