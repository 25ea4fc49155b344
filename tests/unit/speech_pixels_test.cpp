// The choice highlight's pixels, drawn on a small white picture: '#' marks
// an inverted pixel.
#include "imagery/speech_pixels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tk {
namespace {

std::vector<std::string> Inverted(const Bitmap& b) {
  std::vector<std::string> rows;
  for (int y = 0; y < b.height(); ++y) {
    std::string row;
    for (int x = 0; x < b.width(); ++x) row += b.At(x, y) == Bgr{} ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

struct HighlightCase {
  int style;
  std::vector<std::string> rows;
};

TEST(Highlight, EachStyleInvertsItsOutlineAndInterior) {
  const HighlightCase cases[] = {
      // A dotted outline around a hatch whose lines run up to the right.
      {3, {"#.#.#.#.#.", ".......#.#", "#.....#...", ".....#...#", "#...#.....", ".#.#.#.#.#"}},
      {2, {"##########", "#........#", "#........#", "#........#", "#........#", "##########"}},
  };
  for (const HighlightCase& c : cases) {
    SCOPED_TRACE(c.style);
    Bitmap b(10, 6);
    b.Fill({255, 255, 255});
    InvertHighlight(b, b.Bounds(), c.style, b.Bounds());
    EXPECT_EQ(Inverted(b), c.rows);
  }
}

}  // namespace
}  // namespace tk
