// Speed of the picture paths: SGD decoding against a plain copy, building a
// window shape against one read of every pixel, one animation redraw, and a
// character whose hundred animations all tick every millisecond.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include "base/bmp_writer.h"
#include "form/main_form.h"
#include "imagery/animation.h"
#include "imagery/character_image.h"
#include "imagery/image_region.h"
#include "platform/sim/sim_platform.h"
#include "script/encoded_file.h"
#include "script/script_lines.h"
#include "sgd_encoder.h"

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
  for (auto _ : state) benchmark::DoNotOptimize(tk::RecomposeArea(form, {300, 200, 364, 264}));
}
BENCHMARK(BM_RedrawMaskedFrame);

// A started character: a 160 x 160 picture and 100 animations named x of
// two 16 x 16 frames at a 1 ms interval, all at one place (`spread` 0) or
// in a 10 x 10 grid (1). Each iteration is 10 ms of virtual time: 1000 ticks.
void BM_HundredAnimationsTicking(benchmark::State& state) {
  const bool spread = state.range(0) != 0;
  const auto dir = std::filesystem::temp_directory_path() / "tk_bench_animations";
  std::filesystem::create_directories(dir);
  const auto write = [&](const std::string& name, const std::string& bytes) {
    std::ofstream((dir / name).string(), std::ios::binary) << bytes;
  };
  tk::Bitmap strip(32, 16);
  for (int x = 16; x < 32; ++x)
    for (int y = 0; y < 16; ++y) strip.Set(x, y, {200, 100, 50});
  write("b.bmp", tk::EncodeBmp24(tk::Bitmap(160, 160)));
  write("x.bmp", tk::EncodeBmp24(strip));
  write("tk.map", tk::EncodeLines({"*TKClickableMapFile"}));
  tk::Lines script{"*TKScriptFile", "_FirstAction:", ">IDS=b.bmp,b;", ">IDP=b;"};
  for (int i = 0; i < 100; ++i) {
    const int left = spread ? i % 10 * 16 : 0, top = spread ? i / 10 * 16 : 0;
    script.push_back(">ACS=x.bmp,x,2," + std::to_string(left) + "," + std::to_string(top) + ",1;");
  }
  script.insert(script.end(), {">ACB=x,1,0,0;", ">AE;"});
  write("tk.srt", tk::EncodeLines(script));
  {
    tk::SimPlatform sim(dir.string(), dir.string());
    tk::TMainForm form(sim);
    form.FormCreate();
    const auto& list = form.animations.list;
    const bool all_running =
        std::all_of(list.begin(), list.end(), [](const auto& a) { return a->running; });
    if (list.size() != 100 || !all_running || !sim.message_boxes.empty() ||
        std::filesystem::exists(dir / "tk_error.txt")) {
      state.SkipWithError("the character did not start its 100 animations");
    }
    for (auto _ : state) sim.AdvanceTime(10);
    if (list.front()->current_frame < 0) state.SkipWithError("the animations never ticked");
    state.SetItemsProcessed(state.iterations() * 1000);
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_HundredAnimationsTicking)->ArgName("spread")->Arg(0)->Arg(1);

}  // namespace
