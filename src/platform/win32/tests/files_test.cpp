// Files and folders, with Shift-JIS names, in a scratch folder.
#include "platform/win32/text_conversion.h"
#include "test_support.h"

namespace tk::win32_test {
namespace {

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_directory_ = platform.CurrentDirectory();
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"tk_files_test_" + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
    ASSERT_TRUE(platform.SetCurrentDirectory(win32::SjisFromWide(folder_)));
  }

  void TearDown() override {
    platform.SetCurrentDirectory(saved_directory_);
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder_ + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        DeleteFileW((folder_ + L"\\" + found.cFileName).c_str());
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
    RemoveDirectoryW(folder_.c_str());
  }

  std::vector<std::wstring> FilesInFolder() const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder_ + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
  }

  TestPlatform platform;
  std::wstring folder_;

 private:
  std::string saved_directory_;
};

TEST_F(FilesTest, NamesResolveAgainstTheCurrentDirectoryInShiftJis) {
  const std::string name = kSjisTest + ".txt";
  ASSERT_TRUE(platform.WriteFileReplacing(name, "hello"));
  EXPECT_EQ(FilesInFolder(), std::vector<std::wstring>{kWideTest + L".txt"});
  EXPECT_EQ(platform.ReadFile(name, 100), "hello");
  EXPECT_EQ(platform.ReadFile(win32::SjisFromWide(folder_) + "\\" + name, 100), "hello");
  EXPECT_EQ(platform.CurrentDirectory(), win32::SjisFromWide(folder_));
}

TEST_F(FilesTest, ReadingRefusesMissingAndOversizedFiles) {
  EXPECT_EQ(platform.ReadFile("missing.txt", 100), std::nullopt);
  const std::string content(1000, '\x83');
  ASSERT_TRUE(platform.WriteFileReplacing("big.bin", content));
  EXPECT_EQ(platform.ReadFile("big.bin", 1000), content);
  EXPECT_EQ(platform.ReadFile("big.bin", 999), std::nullopt);
  ASSERT_TRUE(platform.WriteFileReplacing("empty.bin", ""));
  EXPECT_EQ(platform.ReadFile("empty.bin", 0), "");
}

TEST_F(FilesTest, ReplacingKeepsBinaryBytesAndLeavesNoTemporaryFile) {
  const std::string first("line\r\n\0\x1a", 8);
  ASSERT_TRUE(platform.WriteFileReplacing("settings.ini", first));
  ASSERT_TRUE(platform.WriteFileReplacing("settings.ini", "second"));
  EXPECT_EQ(platform.ReadFile("settings.ini", 100), "second");
  EXPECT_EQ(FilesInFolder(), std::vector<std::wstring>{L"settings.ini"});
}

TEST_F(FilesTest, AFailedReplaceLeavesTheOldContent) {
  ASSERT_TRUE(platform.WriteFileReplacing("log.txt", "old"));
  {
    // Held open without sharing, the file cannot be replaced.
    std::unique_ptr<AppendFile> holder = platform.OpenForAppend("log.txt");
    ASSERT_NE(holder, nullptr);
    EXPECT_FALSE(platform.WriteFileReplacing("log.txt", "new"));
  }
  EXPECT_EQ(platform.ReadFile("log.txt", 100), "old");
  EXPECT_EQ(FilesInFolder(), std::vector<std::wstring>{L"log.txt"});
  EXPECT_FALSE(platform.WriteFileReplacing("no such folder\\x.txt", "x"));
}

TEST_F(FilesTest, AppendingAddsAtTheEndAndLocksOthersOut) {
  ASSERT_TRUE(platform.WriteFileReplacing("tk_error.txt", "first\r\n"));
  std::unique_ptr<AppendFile> log = platform.OpenForAppend("tk_error.txt");
  ASSERT_NE(log, nullptr);
  EXPECT_EQ(platform.OpenForAppend("tk_error.txt"), nullptr);
  EXPECT_EQ(platform.ReadFile("tk_error.txt", 100), std::nullopt);
  ASSERT_TRUE(log->SeekToEnd());
  ASSERT_TRUE(log->Write("second\r\n"));
  ASSERT_TRUE(log->Write(""));
  log.reset();
  EXPECT_EQ(platform.ReadFile("tk_error.txt", 100), "first\r\nsecond\r\n");
}

TEST_F(FilesTest, AppendingCreatesAMissingFile) {
  std::unique_ptr<AppendFile> log = platform.OpenForAppend("new.txt");
  ASSERT_NE(log, nullptr);
  ASSERT_TRUE(log->SeekToEnd());
  ASSERT_TRUE(log->Write("x"));
  log.reset();
  EXPECT_EQ(platform.ReadFile("new.txt", 10), "x");
}

TEST_F(FilesTest, ChangingToAMissingFolderFails) {
  EXPECT_FALSE(platform.SetCurrentDirectory("no such folder"));
  EXPECT_EQ(platform.CurrentDirectory(), win32::SjisFromWide(folder_));
}

TEST(ProgramFolder, IsTheExecutablesFolderWithATrailingSeparator) {
  TestPlatform platform;
  const std::string folder = platform.ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '\\');
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  EXPECT_EQ(win32::WideFromSjis(folder) + L"tk_win32_tests.exe", path);
  EXPECT_EQ(win32::ProgramName(), "tk_win32_tests");
}

}  // namespace
}  // namespace tk::win32_test
