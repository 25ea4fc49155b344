#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "error_log_tail.h"
#include "source_stamps.h"

namespace tkc {
namespace {

namespace fs = std::filesystem;

class CharacterFolder : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("tk_sources_" + std::to_string(::getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  void Write(const std::string& name, const std::string& text, bool append = false) {
    std::ofstream(folder_ / name, append ? std::ios::app | std::ios::binary : std::ios::binary)
        << text;
  }
  fs::path folder_;
};

TEST(IsWatchedSource, TheAuthorsFilesButNotWhatTheCharacterOrPreviewWrites) {
  struct Case {
    const char* name;
    bool text_script, text_map, watched;
  };
  const Case cases[] = {
      {"tk_srt.txt", true, true, true},    {"TK_MAP.TXT", true, true, true},
      {"tk.srt", true, false, false},      {"tk.srt", false, false, true},
      {"tk.map", true, true, false},       {"tk.map", true, false, true},
      {"body.BMP", true, true, true},      {"eyes.sgd", true, true, true},
      {"hello.wav", true, true, true},     {"song.mid", true, true, true},
      {"pat.cur", true, true, true},       {"sample.ico", true, true, true},
      {"tk.ini", true, true, false},       {"tk_error.txt", true, true, false},
      {"tk_flags.dat", true, true, false}, {"notes.txt", true, true, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsWatchedSource(c.name, c.text_script, c.text_map), c.watched) << c.name;
}

TEST_F(CharacterFolder, StampsChangeWithTheWatchedFilesOnly) {
  Write("tk_srt.txt", "*TKScriptFile\r\n");
  Write("body.bmp", "BM");
  const SourceStamps before = StampSources(folder_);
  EXPECT_EQ(before.size(), 2u);
  Write("tk.srt", "encoded");  // the preview's own output
  Write("tk.ini", "[Main]\r\n");
  EXPECT_EQ(StampSources(folder_), before);
  Write("tk_srt.txt", "\r\n", true);
  EXPECT_NE(StampSources(folder_), before);
}

TEST_F(CharacterFolder, ErrorLogTailReadsWhatWasAppended) {
  ErrorLogTail tail(folder_ / "tk_error.txt");
  EXPECT_FALSE(tail.Look());  // no log yet
  Write("tk_error.txt", "first\r\nsec");
  EXPECT_TRUE(tail.Look());
  EXPECT_EQ(tail.Lines(), (std::deque<std::string>{"first"}));
  EXPECT_FALSE(tail.Look());
  Write("tk_error.txt", "ond\r\nthird\n", true);
  EXPECT_TRUE(tail.Look());
  EXPECT_EQ(tail.Lines(), (std::deque<std::string>{"first", "second", "third"}));
  Write("tk_error.txt", "new\r\n");  // deleted and begun again
  EXPECT_TRUE(tail.Look());
  EXPECT_EQ(tail.Lines(), (std::deque<std::string>{"new"}));
}

TEST_F(CharacterFolder, ErrorLogTailKeepsTheNewestLines) {
  std::string many;
  for (std::size_t i = 0; i < ErrorLogTail::kKeptLines + 5; ++i) many += std::to_string(i) + "\n";
  Write("tk_error.txt", many);
  ErrorLogTail tail(folder_ / "tk_error.txt");
  EXPECT_TRUE(tail.Look());
  ASSERT_EQ(tail.Lines().size(), ErrorLogTail::kKeptLines);
  EXPECT_EQ(tail.Lines().front(), "5");
  // A log that grew beyond one look's reading is read from its end.
  Write("tk_error.txt", std::string(ErrorLogTail::kMostPerLook, 'x') + "\nlast\n", true);
  EXPECT_TRUE(tail.Look());
  EXPECT_EQ(tail.Lines().back(), "last");
  EXPECT_EQ(tail.Lines()[tail.Lines().size() - 2].size(), ErrorLogTail::kMostPerLook - 6);
}

}  // namespace
}  // namespace tkc
