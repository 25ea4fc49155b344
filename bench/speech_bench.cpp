// Typing speech on the simulated desktop: a 200-character speech at no
// delay, every character through the text layer and its mask steps into the
// balloon. The run fails when anything was logged or nothing was drawn.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

#include "base/bmp_writer.h"
#include "form/main_form.h"
#include "imagery/child_image_form.h"
#include "platform/sim/sim_platform.h"
#include "script/encoded_file.h"
#include "script/error_log.h"
#include "script/runner.h"

namespace tk {
namespace {

constexpr int kCharacters = 200;

void Put(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Half two-byte characters (あ), half letters, as scripts mix them.
std::string Speech() {
  std::string text = "@D0;";
  for (int i = 0; i < kCharacters; ++i) text += i % 2 == 0 ? "\x82\xa0" : "a";
  return text + "@E";
}

void BM_TypeSpeech(benchmark::State& state) {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("tk_bench_speech_" + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(dir);
  Bitmap balloon(620, 200);
  balloon.Fill({255, 255, 255});
  Put(dir / "balloon.bmp", EncodeBmp24(balloon));
  Put(dir / "tk.map", EncodeLines({"*TKClickableMapFile"}));
  Put(dir / "tk.srt", EncodeLines({"*TKScriptFile", "_FirstAction:", ">IDS=balloon.bmp,b;",
                                   ">CIP=b,0,0;", ">MLS=0,0,620,200;", ">AE;", "Say:", ">MSC;",
                                   ">MSP=Text;", ">AE;", "Text:", Speech()}));
  SimPlatform sim(dir.string(), dir.string());
  TMainForm form(sim);
  form.FormCreate();
  for (auto _ : state) RunAction(form, "Say");
  state.SetItemsProcessed(state.iterations() * kCharacters);
  const Bitmap& shown = form.child_image->display_bitmap;
  if (std::filesystem::exists(dir / kErrorLogFile) || !sim.message_boxes.empty()) {
    state.SkipWithError("the speech logged an error or showed a box");
  } else if (shown.At(1, 1) == Bgr{255, 255, 255}) {
    state.SkipWithError("no text was drawn");
  }
  form.Close();
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_TypeSpeech)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tk
