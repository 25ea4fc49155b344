// The program's bitmap resource on the simulated desktop: the prompt strip
// as the program's resource painter draws it (four 16 x 16 frames on green,
// each arrow two pixels lower than the last), so that speech tests see the
// same mark the program shows.
#include "base/bmp_writer.h"
#include "platform/prompt_mark.h"
#include "platform/sim/sim_platform.h"

namespace tk {

namespace {

Bitmap PaintPromptStrip() {
  constexpr Bgr kGreen{0, 255, 0}, kBlack{0, 0, 0}, kWhite{255, 255, 255}, kCyan{255, 255, 0};
  Bitmap strip(kPromptFrameSide * kPromptFrameCount, kPromptFrameSide);
  strip.Fill(kGreen);
  PaintPromptMark([&](int x, int y, PromptInk ink) {
    strip.Set(x, y, ink == PromptInk::kBlack ? kBlack : ink == PromptInk::kWhite ? kWhite : kCyan);
  });
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
