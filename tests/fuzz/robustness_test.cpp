// Random and mutated input with a fixed seed: every reader must reject or
// accept it without reading or writing outside its buffers (the sanitizers
// watch), and without hanging.
#include <gtest/gtest.h>

#include <random>

#include "app/settings.h"
#include "script/encoded_file.h"
#include "script/flags.h"
#include "script/params.h"
#include "script/runner.h"
#include "support/sim_fixture.h"

namespace tk {
namespace {

std::string RandomBytes(std::mt19937& rng, std::size_t max_length) {
  std::string bytes(rng() % (max_length + 1), '\0');
  for (char& c : bytes) c = static_cast<char>(rng());
  return bytes;
}

// Bytes drawn mostly from what scripts are made of, so that the readers'
// interesting paths are reached often.
std::string ScriptLikeBytes(std::mt19937& rng, std::size_t max_length) {
  static const std::string kAlphabet = ">=;,()$:@EF AIDSJMPfv+\t\r\n\x81\x40\x83\xFF_";
  std::string bytes(rng() % (max_length + 1), '\0');
  for (char& c : bytes)
    c = rng() % 8 == 0 ? static_cast<char>(rng()) : kAlphabet[rng() % kAlphabet.size()];
  return bytes;
}

TEST(Robustness, DecoderTakesAnyBytes) {
  std::mt19937 rng(20261208);
  for (int i = 0; i < 20000; ++i) {
    const std::string stored = i % 2 ? RandomBytes(rng, 300) : ScriptLikeBytes(rng, 300);
    Lines lines;
    DecodeLines(stored, lines);
    std::size_t total = 0;
    for (const auto& line : lines) total += line.size();
    EXPECT_LE(total, kMaxDataFileBytes);
  }
}

TEST(Robustness, RepeatedPlainLineEndsCannotBlowUpTheDecodedSize) {
  // 64 KiB of text followed by many plain CR LF pairs: each pair repeats the
  // pending text as another line.
  std::string stored(64 * 1024, 'B');
  for (int i = 0; i < 2048; ++i) stored += "\r\n";
  Lines lines;
  EXPECT_FALSE(DecodeLines(stored, lines));
  std::size_t total = 0;
  for (const auto& line : lines) total += line.size();
  EXPECT_LE(total, kMaxDataFileBytes);
}

TEST(Robustness, ParameterReadersStayInsideTheLineAndTheBuffer) {
  std::mt19937 rng(7);
  FlagLists flags;
  flags.ints.push_back({"E", -2147483647 - 1});
  flags.strs.push_back({"s", std::string(500, 'S')});
  const std::size_t capacities[] = {1, 2, kSpeechCodeCapacity, kFlagNameCapacity, kParamCapacity};
  for (int i = 0; i < 20000; ++i) {
    const std::string line = ScriptLikeBytes(rng, 400);
    std::size_t pos = rng() % (line.size() + 2);
    for (int read = 0; read < 6; ++read) {
      const std::size_t capacity = capacities[rng() % 5];
      std::string out;
      const auto mode = static_cast<ParamMode>(rng() % 3);
      pos = read == 5 ? ReadRest(line, pos, capacity, flags, out)
                      : ReadParam(line, pos, capacity, mode, flags, out);
      ASSERT_LE(pos, line.size());
      ASSERT_LT(out.size(), std::max<std::size_t>(capacity, 1));
    }
  }
}

TEST(Robustness, SettingsParserTakesAnyBytes) {
  std::mt19937 rng(11);
  for (int i = 0; i < 5000; ++i) {
    ProfileFile file(i % 2 ? RandomBytes(rng, 200)
                           : ScriptLikeBytes(rng, 200) + "[WndPos]\nX_Pos=");
    file.GetInt("WndPos", "X_Pos", -1);
    file.Set("WndPos", "X_Pos", "12");
    EXPECT_EQ(ProfileFile(file.Serialize()).GetInt("WndPos", "X_Pos", -1), 12);
  }
}

class RobustScripts : public testing::SimFixture {};

// Scripts without jumps always end; everything else in them is fair game.
TEST_F(RobustScripts, LoaderAndRunnerTakeRandomScripts) {
  std::mt19937 rng(99);
  sim->on_message_box = [](const SimPlatform::MessageBoxRecord&) {};
  for (int i = 0; i < 300; ++i) {
    std::string body = ScriptLikeBytes(rng, 600);
    for (std::size_t at = body.find("JMP"); at != std::string::npos; at = body.find("JMP", at)) {
      body[at] = 'X';
    }
    const bool encoded_random = i % 3 == 0;
    if (encoded_random) {
      WriteFile("tk.srt", RandomBytes(rng, 600));
    } else {
      WriteScript((i % 2 ? "*TKScriptFile\n_FirstAction:\n" : "") + body);
    }
    Start();
    if (!form->IsClosing()) {
      for (const char* label : {"A", "", "_FirstAction", "S"}) RunAction(*form, label);
      Exit();
    }
    EXPECT_TRUE(form->IsClosed());
    EXPECT_TRUE(sim->exception_boxes.empty());
    TearDown();
    SetUp();
    sim->on_message_box = [](const SimPlatform::MessageBoxRecord&) {};
  }
}

}  // namespace
}  // namespace tk
