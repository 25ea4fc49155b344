// The built-in click-wait mark: four 16 x 16 frames on pure green, each a
// downward arrow with a black outline and a white and cyan fill, two pixels
// lower than in the frame before. The program's resource painter and the
// simulated desktop paint it from this one description.
#pragma once

namespace tk {

enum class PromptInk { kBlack, kWhite, kCyan };

inline constexpr int kPromptFrameSide = 16;
inline constexpr int kPromptFrameCount = 4;
inline constexpr int kPromptDropPerFrame = 2;

// Calls paint(x, y, ink) for every pixel of the strip that is not green.
template <typename Paint>
void PaintPromptMark(Paint&& paint) {
  for (int frame = 0; frame < kPromptFrameCount; ++frame) {
    const int left = frame * kPromptFrameSide + 1;
    const int top = 2 + frame * kPromptDropPerFrame;
    // Seven rows, 13 pixels wide at the top and one at the point.
    for (int row = 0; row < 7; ++row) {
      const int from = left + row;
      const int to = left + 12 - row;
      for (int x = from; x <= to; ++x) {
        const bool edge = row == 0 || row == 6 || x == from || x == to;
        const bool lit = row == 1 || x == from + 1;
        paint(x, top + row, edge ? PromptInk::kBlack : lit ? PromptInk::kWhite : PromptInk::kCyan);
      }
    }
  }
}

}  // namespace tk
