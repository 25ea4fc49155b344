// The runner's speed: simple commands per second, and the cost of a jump in
// a short and in a very long script (it must not grow with the script).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/main_form.h"
#include "platform/sim/sim_platform.h"
#include "script/runner.h"

namespace tk {
namespace {

// A started character whose script is `lines`, in a folder of its own.
class Character {
 public:
  explicit Character(const Lines& lines) {
    dir_ = std::filesystem::temp_directory_path() / "tk_bench_character";
    std::filesystem::create_directories(dir_);
    sim_ = std::make_unique<SimPlatform>(dir_.string(), dir_.string());
    form_ = std::make_unique<TMainForm>(*sim_);
    form_->script.Assign(lines);
  }
  ~Character() { std::filesystem::remove_all(dir_); }
  TMainForm& form() { return *form_; }

 private:
  std::filesystem::path dir_;
  std::unique_ptr<SimPlatform> sim_;
  std::unique_ptr<TMainForm> form_;
};

void BM_SimpleCommands(benchmark::State& state) {
  constexpr int kCommands = 1000;
  Lines lines{"*TKScriptFile", "Loop:"};
  for (int i = 0; i < kCommands; ++i) lines.push_back(">FV+=count,1;");
  lines.push_back(">AE;");
  Character character(lines);
  for (auto _ : state) benchmark::DoNotOptimize(RunAction(character.form(), "Loop"));
  state.SetItemsProcessed(state.iterations() * (kCommands + 1));
}
BENCHMARK(BM_SimpleCommands);

// The jump target is the last label of the script, the worst case for a
// search from the top.
void BM_JumpToLastLabel(benchmark::State& state) {
  const auto script_lines = static_cast<std::size_t>(state.range(0));
  Lines lines{"*TKScriptFile", "Start:", ">JMP=Target;"};
  while (lines.size() + 2 < script_lines)
    lines.push_back("Filler" + std::to_string(lines.size()) + ":");
  lines.push_back("Target:");
  lines.push_back(">AE;");
  Character character(lines);
  for (auto _ : state) benchmark::DoNotOptimize(RunAction(character.form(), "Start"));
}
BENCHMARK(BM_JumpToLastLabel)->Arg(100)->Arg(100000);

}  // namespace
}  // namespace tk
