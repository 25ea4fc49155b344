// The program's bitmap resource on the simulated desktop: the prompt strip
// as the program's resource painter draws it (four 16 x 16 frames on green,
// each arrow two pixels lower than the last), so that speech tests see the
// same mark the program shows.
#include "imagery/bmp_writer.h"
#include "platform/sim/sim_platform.h"

namespace tk {

namespace {

constexpr int kFrameSide = 16;
constexpr int kFrames = 4;

Bitmap PaintPromptStrip() {
  constexpr Bgr kGreen{0, 255, 0}, kBlack{0, 0, 0}, kWhite{255, 255, 255}, kCyan{255, 255, 0};
  Bitmap strip(kFrameSide * kFrames, kFrameSide);
  strip.Fill(kGreen);
  for (int frame = 0; frame < kFrames; ++frame) {
    const int left = frame * kFrameSide + 1;
    const int top = 2 + frame * 2;
    for (int row = 0; row < 7; ++row) {
      const int from = left + row;
      const int to = left + 12 - row;
      for (int x = from; x <= to; ++x) {
        const bool edge = row == 0 || row == 6 || x == from || x == to;
        const bool lit = row == 1 || x == from + 1;
        strip.Set(x, top + row, edge ? kBlack : lit ? kWhite : kCyan);
      }
    }
  }
  return strip;
}

}  // namespace

std::optional<std::string> SimPlatform::ReadResourceBitmap(const std::string& name,
                                                           std::size_t max_bytes) {
  if (name != "PROMPT01") return std::nullopt;
  std::string bytes = EncodeBmp24(PaintPromptStrip());
  if (bytes.size() > max_bytes) return std::nullopt;
  return bytes;
}

}  // namespace tk
