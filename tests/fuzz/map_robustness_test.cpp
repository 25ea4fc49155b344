// Map files of random bytes, and records made of random pieces: loading
// never crashes, loads only well-formed records and logs the rest.
#include <random>

#include "interaction/clickable_map.h"
#include "support/sim_fixture.h"

namespace tk {
namespace {

class MapRobustness : public testing::SimFixture {};

TEST_F(MapRobustness, RandomBytesLoadNothingAndNeverCrash) {
  WriteScript("*TKScriptFile\n_FirstAction:\n>AE;\n");
  std::mt19937 random(20261207);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 40; ++round) {
    std::string bytes(static_cast<std::size_t>(random() % 4096), '\0');
    for (char& b : bytes) b = static_cast<char>(byte(random));
    WriteFile("tk.map", bytes);
    Start();
    ASSERT_FALSE(form->IsClosing());
    EXPECT_TRUE(form->map.empty()) << "round " << round;
    sim->Click(form->window, MouseButton::kLeft, 5, 5);
    Exit();
    form.reset();
  }
}

TEST_F(MapRobustness, RandomRecordsBehindTheMarker) {
  WriteScript("*TKScriptFile\n_FirstAction:\n>AE;\n");
  std::mt19937 random(7);
  const std::vector<std::string> pieces{"0", "-1", "2147483647", "2147483648", "x",
                                        "",  ",",  ";",          "(",          "@F",
                                        "$", " ",  "\x81",       "CSHAND"};
  std::string text = "*TKClickableMapFile\n";
  int records = 0;
  for (int i = 0; i < 300; ++i) {
    std::string line = ">";
    for (int n = static_cast<int>(random() % 12); n > 0; --n)
      line += pieces[random() % pieces.size()];
    text += line + "\n";
    ++records;
  }
  WriteFile("tk.map", EncodeLines(SplitTextLines(text)));
  Start();
  ASSERT_FALSE(form->IsClosing());
  const std::size_t logged = LogLines().size();
  EXPECT_EQ(form->map.size() + logged, static_cast<std::size_t>(records));
  for (const MapRegion& region : form->map) {
    EXPECT_LE(region.cursor.size(), 31u);
    sim->MouseMove(form->window, region.x1 / 2, region.y1 / 2);
  }
}

}  // namespace
}  // namespace tk
