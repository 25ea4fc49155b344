// Speed of the picture paths: SGD decoding against a plain copy, building a
// window shape against one read of every pixel, and one animation redraw.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

#include "app/main_form.h"
#include "imagery/image_region.h"
#include "imagery/sgd.h"
#include "platform/sim/sim_platform.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;
constexpr std::size_t kStride = kWidth * 3;

// A picture with flat areas and noise, as drawn art is.
std::vector<std::uint8_t> ArtArray() {
  std::vector<std::uint8_t> array(kStride * kHeight);
  std::mt19937 random(1);
  for (std::size_t i = 0; i < array.size(); ++i) {
    const std::size_t row = i / kStride;
    array[i] = (row / 64 + i % kStride / 192) % 3 == 0 ? static_cast<std::uint8_t>(random())
                                                       : static_cast<std::uint8_t>(row / 96 * 30);
  }
  return array;
}

void BM_SgdDecode(benchmark::State& state) {
  const auto array = ArtArray();
  const auto block = tk::EncodeSgdBlock(array, kStride, kHeight);
  std::vector<std::uint8_t> out(array.size());
  for (auto _ : state) {
    benchmark::DoNotOptimize(tk::DecodeSgdBlock(block, kStride, kHeight, out));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SgdDecode);

void BM_PlainCopy(benchmark::State& state) {
  const auto array = ArtArray();
  std::vector<std::uint8_t> out(array.size());
  for (auto _ : state) {
    std::memcpy(out.data(), array.data(), array.size());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PlainCopy);

// A ragged figure with holes on a key-colour ground.
tk::Bitmap Ragged() {
  tk::Bitmap b(kWidth, kHeight);
  b.Fill({255, 0, 255});
  std::mt19937 random(2);
  for (int y = 0; y < kHeight; ++y) {
    const int from = 100 + static_cast<int>(random() % 50),
              to = 900 - static_cast<int>(random() % 50);
    for (int x = from; x < to; ++x)
      if ((x / 37 + y / 29) % 7 != 0) b.Set(x, y, {10, 20, static_cast<std::uint8_t>(x)});
  }
  return b;
}

void BM_BuildImageRegion(benchmark::State& state) {
  const tk::Bitmap b = Ragged();
  for (auto _ : state) benchmark::DoNotOptimize(tk::BuildImageRegion(b));
}
BENCHMARK(BM_BuildImageRegion);

void BM_ReadEveryPixel(benchmark::State& state) {
  const tk::Bitmap b = Ragged();
  for (auto _ : state) {
    int keyed = 0;
    const tk::Bgr key = b.At(0, 0);
    for (int y = 0; y < b.height(); ++y) {
      const std::uint8_t* row = b.Row(y);
      for (int x = 0; x < b.width(); ++x)
        keyed += row[x * 3] == key.b && row[x * 3 + 1] == key.g && row[x * 3 + 2] == key.r;
    }
    benchmark::DoNotOptimize(keyed);
  }
}
BENCHMARK(BM_ReadEveryPixel);

void BM_RedrawMaskedFrame(benchmark::State& state) {
  tk::SimPlatform sim("/tmp", "/tmp");
  tk::TMainForm form(sim);
  tk::ImageEntry entry{"base", tk::Bitmap(640, 480), {}};
  form.images.entries.push_back(entry);
  form.images.current_name = "base";
  form.images.back_buffer = entry.bitmap;
  auto a = std::make_unique<tk::Animation>();
  a->left = 300;
  a->top = 200;
  a->frame_width = a->frame_height = 64;
  a->frames.emplace_back(64, 64);
  a->masks.emplace_back();
  tk::MakeFrameMask(a->frames[0], a->masks[0]);
  a->running = true;
  a->current_frame = 0;
  form.animations.list.push_back(std::move(a));
  for (auto _ : state) tk::RedrawArea(form, {300, 200, 364, 264});
}
BENCHMARK(BM_RedrawMaskedFrame);

}  // namespace
