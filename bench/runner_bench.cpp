// The runner's speed: simple commands per second, and the cost of a jump in
// a short and in a very long script (it must not grow with the script).
// A run that logs an error measures the error log, not the runner, so every
// benchmark fails when anything was logged or shown.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "form/main_form.h"
#include "platform/sim/sim_platform.h"
#include "script/encoded_file.h"
#include "script/error_log.h"
#include "script/flag_commands.h"
#include "script/flags.h"
#include "script/runner.h"
#include "script/script_lines.h"

namespace tk {
namespace {

// A started character whose script is `lines`, in a folder of its own (a
// fresh one, so that neither a crashed run nor another user's leaves a log).
class Character {
 public:
  explicit Character(const Lines& lines) {
    dir_ = std::filesystem::temp_directory_path() /
           ("tk_bench_character_" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(dir_);
    sim_ = std::make_unique<SimPlatform>(dir_.string(), dir_.string());
    form_ = std::make_unique<TMainForm>(*sim_);
    form_->script.Assign(lines);
    DeclareInitFlags(*form_);
  }
  ~Character() { std::filesystem::remove_all(dir_); }
  TMainForm& form() { return *form_; }

  // What went wrong while the script ran; empty when nothing did.
  std::string Complaint() const {
    if (std::filesystem::exists(dir_ / kErrorLogFile)) return "the script logged an error";
    if (!sim_->message_boxes.empty()) return "the script showed a message box";
    return {};
  }

 private:
  std::filesystem::path dir_;
  std::unique_ptr<SimPlatform> sim_;
  std::unique_ptr<TMainForm> form_;
};

// Marks the benchmark failed (once: the library allows no second error) when
// the runs were not clean or their result was wrong.
void Check(benchmark::State& state, const Character& character, bool result_right) {
  std::string complaint = character.Complaint();
  if (complaint.empty() && !result_right) complaint = "the runs gave a wrong result";
  if (!complaint.empty()) state.SkipWithError(complaint.c_str());
}

void BM_SimpleCommands(benchmark::State& state) {
  constexpr int kCommands = 1000;
  Lines lines{"*TKScriptFile", "_BeginInitFlags:", "int:count,0;", "_EndInitFlags:", "Loop:"};
  for (int i = 0; i < kCommands; ++i) lines.push_back(">FV+=count,1;");
  lines.push_back(">AE;");
  Character character(lines);
  IntFlag* count = character.form().flags.FindIntFlag("count");
  if (count == nullptr) return state.SkipWithError("the flag was not declared");
  for (auto _ : state) {
    count->value = 0;  // each run counts from zero, so the total never overflows
    benchmark::DoNotOptimize(RunAction(character.form(), "Loop"));
  }
  state.SetItemsProcessed(state.iterations() * (kCommands + 1));
  Check(state, character, count->value == kCommands);
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
  bool every_run_ended_well = true;
  for (auto _ : state) every_run_ended_well &= RunAction(character.form(), "Start");
  Check(state, character, every_run_ended_well);
}
BENCHMARK(BM_JumpToLastLabel)->Arg(100)->Arg(100000);

}  // namespace
}  // namespace tk
