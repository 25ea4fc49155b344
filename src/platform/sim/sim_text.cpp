// The simulated desktop's font: blocks with known metrics, so that a test can
// predict every cursor position and pixel of a speech.
#include <algorithm>

#include "base/text.h"
#include "platform/sim/sim_platform.h"

namespace tk {

namespace {

int Points(const TextFont& font) {
  return std::clamp(font.points, 1, 1000);
}

int CellWidth(const TextFont& font, bool two_bytes) {
  const int points = Points(font);
  return (two_bytes ? points : (points + 1) / 2) + (font.bold ? 1 : 0);
}

// Calls `cell(x, width, blank)` for each character in turn.
template <typename Cell>
int WalkCells(const TextFont& font, std::string_view text, Cell&& cell) {
  int x = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    const bool two_bytes = IsSjisLeadByte(b) && i + 1 < text.size();
    const bool blank = two_bytes ? (b == 0x81 && text[i + 1] == '\x40') : b == ' ';
    const int width = CellWidth(font, two_bytes);
    cell(x, width, blank);
    x += width;
    if (two_bytes) ++i;
  }
  return x;
}

void FillClipped(Bitmap& target, int left, int top, int right, int bottom, Bgr colour) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, target.width());
  bottom = std::min(bottom, target.height());
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) target.Set(x, y, colour);
}

}  // namespace

TextExtent SimPlatform::MeasureText(const TextFont& font, std::string_view text) {
  return {WalkCells(font, text, [](int, int, bool) {}), Points(font)};
}

void SimPlatform::DrawText(Bitmap& target, int x, int y, const TextFont& font,
                           std::string_view text, std::uint32_t colour) {
  const Bgr bgr{static_cast<std::uint8_t>(colour >> 16), static_cast<std::uint8_t>(colour >> 8),
                static_cast<std::uint8_t>(colour)};
  const long long height = Points(font);
  WalkCells(font, text, [&](int cell_x, int width, bool blank) {
    const long long left = static_cast<long long>(x) + cell_x;
    const auto clamp = [](long long v) {
      return static_cast<int>(std::clamp<long long>(v, -1, 1 << 20));
    };
    if (!blank) {
      FillClipped(target, clamp(left), clamp(y), clamp(left + width - 1), clamp(y + height - 1),
                  bgr);
    }
    if (font.underline) {
      FillClipped(target, clamp(left), clamp(y + height - 1), clamp(left + width),
                  clamp(y + height), bgr);
    }
  });
}

}  // namespace tk
