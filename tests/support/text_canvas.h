// A grey canvas for text tests, and the box around what was drawn on it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "base/bitmap.h"
#include "base/geometry.h"
#include "platform/text.h"

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

// `whole` holds `s` drawn at 20,10 on grey. Any window onto it, drawn alone
// with the text moved by the window's corner, shows the same pixels; and text
// drawn at each of `far` into a 1 x 1 or an empty picture touches nothing.
inline void ExpectEdgesCutExactly(TextRenderer& text, const Bitmap& whole, const TextFont& font,
                                  std::string_view s, std::uint32_t colour,
                                  std::initializer_list<std::pair<int, int>> far) {
  struct Case {
    int x, y, width, height;  // the window onto `whole`
  };
  for (const Case& c :
       {Case{25, 14, 30, 8}, Case{0, 0, 40, 15}, Case{60, 12, 140, 28}, Case{23, 0, 5, 40}}) {
    Bitmap part = Grey(c.width, c.height);
    text.DrawText(part, 20 - c.x, 10 - c.y, font, s, colour);
    Bitmap expected = Grey(c.width, c.height);
    CopyPixels(whole, c.x, c.y, expected, 0, 0, c.width, c.height);
    EXPECT_EQ(part.Bytes(), expected.Bytes()) << "window at " << c.x << "," << c.y;
  }
  Bitmap tiny = Grey(1, 1), none;
  for (const auto& [x, y] : far) {
    text.DrawText(tiny, x, y, font, s, colour);
    text.DrawText(none, x, y, font, s, colour);
  }
  EXPECT_EQ(tiny.At(0, 0), kGrey);
}

}  // namespace tk::text_canvas
