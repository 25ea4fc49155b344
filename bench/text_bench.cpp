// Speed of text on the simulated desktop: one character drawn, and a whole
// text picture as the script's text image makes it.
#include <benchmark/benchmark.h>

#include "imagery/text_image.h"
#include "platform/sim/sim_platform.h"

namespace {

// あ, a two-byte character: the common case in scripts.
const std::string kCharacter = "\x82\xa0";

void BM_DrawOneCharacter(benchmark::State& state) {
  tk::SimPlatform sim("/", "/");
  const tk::TextFont font{"f", static_cast<int>(state.range(0))};
  tk::Bitmap target(64, 64);
  std::uint32_t colour = 0;
  for (auto _ : state) {
    colour = colour == 0xFFFFFF ? 0x0000FF : 0xFFFFFF;
    sim.Text().DrawText(target, 1, 1, font, kCharacter, colour);
    benchmark::ClobberMemory();
  }
  // The glyph's first pixel holds the last colour drawn.
  const tk::Bgr last = colour == 0xFFFFFF ? tk::Bgr{0xFF, 0xFF, 0xFF} : tk::Bgr{0, 0, 0xFF};
  if (target.At(1, 1) != last) {
    state.SkipWithError("no glyph was drawn");
  }
}
BENCHMARK(BM_DrawOneCharacter)->ArgName("points")->Arg(10)->Arg(40);

void BM_ComposeTextImage(benchmark::State& state) {
  tk::SimPlatform sim("/", "/");
  tk::TextImageFont font;
  font.shadow = 0x808080;
  // こんにちは Tenkoro
  const std::string line = "\x82\xb1\x82\xf1\x82\xc9\x82\xbf\x82\xcd Tenkoro";
  std::size_t pixels = 0;
  for (auto _ : state) {
    const tk::Bitmap picture = tk::ComposeTextImage(sim.Text(), font, line, 0xFFFFFF);
    pixels = picture.Bytes().size();
    benchmark::DoNotOptimize(picture.Bytes().data());
  }
  if (pixels == 0) state.SkipWithError("no picture was made");
}
BENCHMARK(BM_ComposeTextImage);

}  // namespace
