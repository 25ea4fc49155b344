// Mutated flag files: the loader never crashes, and a flag is only ever
// changed by a field that names it.
#include <gtest/gtest.h>

#include <random>

#include "script/flag_file.h"
#include "script/flags.h"
#include "support/script_fixture.h"

namespace tk {
namespace {

class FlagFileRobustness : public testing::ScriptFixture {};

TEST_F(FlagFileRobustness, MutatedFilesNeverChangeUnnamedFlags) {
  StartWith(
      "_BeginInitFlags:\n"
      "int:count,1;\n"
      "str:name,abc;\n"
      "int:guardint,11;\n"
      "str:guardstr,kept;\n"
      "_EndInitFlags:\n");
  const std::string valid = EncodeLines({"*TKFlagFile", "*FLI;count;42;*FLS;name;@Fcount;*EOF;"});
  std::mt19937 rng(20261209);
  for (int i = 0; i < 3000; ++i) {
    std::string stored = valid;
    const int edits = 1 + static_cast<int>(rng() % 6);
    for (int e = 0; e < edits && !stored.empty(); ++e) {
      const std::size_t at = rng() % stored.size();
      switch (rng() % 4) {
        case 0:
          stored[at] = static_cast<char>(rng());
          break;
        case 1:
          stored.erase(at, 1 + rng() % 8);
          break;
        case 2:
          stored.insert(at, 1, static_cast<char>(0x3C));  // ";" encoded
          break;
        default:
          stored.resize(at);
          break;
      }
    }
    WriteFile("f.dat", stored);
    form->flags.SetFlagText("count", "1");
    form->flags.SetFlagText("name", "abc");
    const bool loaded = LoadFlagFile(*form, "f.dat");
    EXPECT_EQ(Int("guardint"), 11);
    EXPECT_EQ(Str("guardstr"), "kept");
    if (!loaded) {
      EXPECT_EQ(Int("count"), 1);
      EXPECT_EQ(Str("name"), "abc");
    }
  }
}

}  // namespace
}  // namespace tk
