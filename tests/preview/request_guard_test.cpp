#include "request_guard.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

namespace tkc {
namespace {

namespace fs = std::filesystem;

TEST(IsOwnRequest, OnlyThePreviewsOwnHostAndPage) {
  struct Case {
    const char* host;
    std::optional<std::string_view> origin;
    bool allowed;
  };
  const Case cases[] = {
      {"127.0.0.1:8080", std::nullopt, true},
      {"localhost:8080", "http://localhost:8080", true},
      {"LocalHost:8080", "http://127.0.0.1:8080", true},
      {"127.0.0.1:8080", "http://evil.example", false},
      {"127.0.0.1:8080", "http://evil.example:8080", false},
      {"127.0.0.1:8080", "https://127.0.0.1:8080", false},
      {"127.0.0.1:8080", "http://127.0.0.1:8081", false},
      {"127.0.0.1:8080", "null", false},
      {"127.0.0.1:8080", "", false},
      {"evil.example:8080", std::nullopt, false},  // a name rebound to 127.0.0.1
      {"127.0.0.1", std::nullopt, false},
      {"127.0.0.1:80800", std::nullopt, false},
      {"", std::nullopt, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsOwnRequest(c.host, c.origin, 8080), c.allowed)
        << c.host << " " << c.origin.value_or("(no origin)");
  }
}

class FileInFolderTest : public testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("tk_guard_" + std::to_string(::getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "character" / "sounds");
    std::ofstream(root_ / "character" / "body.bmp") << "BM";
    std::ofstream(root_ / "character" / "sounds" / "hi.wav") << "RIFF";
    std::ofstream(root_ / "secret.txt") << "no";
    fs::create_symlink(root_ / "secret.txt", root_ / "character" / "link.txt");
  }
  void TearDown() override { fs::remove_all(root_); }
  fs::path root_;
};

TEST_F(FileInFolderTest, ServesFilesInsideOnly) {
  const fs::path folder = root_ / "character";
  const std::pair<const char*, bool> cases[] = {{"body.bmp", true},
                                                {"sounds/hi.wav", true},
                                                {"sounds/../body.bmp", true},
                                                {"../secret.txt", false},
                                                {"link.txt", false},
                                                {"/etc/passwd", false},
                                                {"sounds", false},
                                                {"missing.bmp", false},
                                                {"", false},
                                                {"..\\secret.txt", false},
                                                {"sounds/../../secret.txt", false}};
  for (const auto& [name, served] : cases) {
    const auto file = FileInFolder(folder, name);
    EXPECT_EQ(file.has_value(), served) << name;
    if (file) {
      EXPECT_TRUE(file->string().starts_with(fs::canonical(folder).string() + "/")) << name;
    }
  }
  EXPECT_EQ(ContentTypeOf("a/HELLO.WAV"), "audio/wav");
  EXPECT_EQ(ContentTypeOf("tk.srt"), "application/octet-stream");
}

}  // namespace
}  // namespace tkc
