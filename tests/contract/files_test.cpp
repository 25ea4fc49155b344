// FileContract as the settings, the error log and the loaders use them, in the
// harness's scratch folder.
#include "contract/harness.h"
#include "support/icon_files.h"

namespace tk::contract {
namespace {

using FileContract = ContractTest;

TEST_F(FileContract, ReplacingWritesTheWholeNewContent) {
  const std::string binary("line\r\n\0\x1a\x83", 9);
  for (const std::string& content :
       {std::string(5000, 'a'), binary, std::string("short"), std::string()}) {
    ASSERT_TRUE(platform.WriteFileReplacing("settings.ini", content));
    EXPECT_EQ(platform.ReadFile("settings.ini", 10000), content);
  }
  EXPECT_FALSE(platform.WriteFileReplacing("no such folder/x.ini", "x"));
  EXPECT_EQ(platform.ReadFile("no such folder/x.ini", 10), std::nullopt);
}

TEST_F(FileContract, AFileHeldForAppendingIsNeitherReadNorReplacedNorOpenedAgain) {
  ASSERT_TRUE(platform.WriteFileReplacing("tk_error.txt", "old\r\n"));
  {
    std::unique_ptr<AppendFile> log = platform.OpenForAppend("tk_error.txt");
    ASSERT_NE(log, nullptr);
    EXPECT_FALSE(platform.WriteFileReplacing("tk_error.txt", "new"));
    EXPECT_EQ(platform.ReadFile("tk_error.txt", 100), std::nullopt);
    EXPECT_EQ(platform.OpenForAppend("tk_error.txt"), nullptr);
    ASSERT_TRUE(log->SeekToEnd());
    ASSERT_TRUE(log->Write("more\r\n"));
  }
  EXPECT_EQ(platform.ReadFile("tk_error.txt", 100), "old\r\nmore\r\n");
  EXPECT_TRUE(platform.WriteFileReplacing("tk_error.txt", "new"));
  EXPECT_EQ(platform.ReadFile("tk_error.txt", 100), "new");
}

TEST_F(FileContract, ReadingRefusesMissingFilesAndFilesOverTheLimit) {
  ASSERT_TRUE(platform.WriteFileReplacing("ten.bin", std::string(10, '\0')));
  ASSERT_TRUE(platform.WriteFileReplacing("empty.bin", ""));
  const struct {
    const char* name;
    std::size_t limit;
    bool read;
  } cases[] = {{"ten.bin", 10, true},
               {"ten.bin", 9, false},
               {"ten.bin", 0, false},
               {"empty.bin", 0, true},
               {"missing.bin", 100, false}};
  for (const auto& c : cases) {
    EXPECT_EQ(platform.ReadFile(c.name, c.limit).has_value(), c.read) << c.name << " " << c.limit;
  }
}

TEST_F(FileContract, OnlyCursorsAndIconsTheSystemCanReadLoad) {
  ASSERT_TRUE(platform.WriteFileReplacing("text.cur", "not a cursor at all"));
  ASSERT_TRUE(platform.WriteFileReplacing("text.ico", "not an icon at all"));
  ASSERT_TRUE(platform.WriteFileReplacing("empty.cur", ""));
  for (std::string hollow : {testing::CursorFileBytes(), testing::IconFileBytes()}) {
    hollow[26] = 0;  // a sound directory whose image has no width
    ASSERT_TRUE(platform.WriteFileReplacing(hollow[2] == 2 ? "hollow.cur" : "hollow.ico", hollow));
  }
  for (const char* name :
       {"text.cur", "text.ico", "empty.cur", "missing.cur", "hollow.cur", "hollow.ico"}) {
    EXPECT_EQ(platform.LoadCursorFile(name), kNoCursor) << name;
    EXPECT_EQ(platform.Tray().LoadIconFile(name), 0) << name;
  }
  ASSERT_TRUE(platform.WriteFileReplacing("small.cur", testing::CursorFileBytes()));
  ASSERT_TRUE(platform.WriteFileReplacing("small.ico", testing::IconFileBytes()));
  EXPECT_NE(platform.LoadCursorFile("small.cur"), kNoCursor);
  EXPECT_NE(platform.Tray().LoadIconFile("small.ico"), 0);
}

}  // namespace
}  // namespace tk::contract
