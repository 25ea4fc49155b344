#include "script/error_log.h"

#include <filesystem>

#include "base/messages.h"
#include "support/sim_fixture.h"

namespace tk {
namespace {

TEST(ErrorLogFormat, LinesAreBuiltByteForByte) {
  const LocalTime at{2026, 12, 7, 9, 5, 3, 1};
  EXPECT_EQ(FormatErrorLine(at, ">ZZZ=1;", "_FirstAction:", ErrorKind::kCommand, 42),
            "[12/7 9:5:3] Command Error Line(42) LabelName[_FirstAction:] >ZZZ=1;\r\n");
  EXPECT_EQ(FormatErrorLine(at, "", "Walk:", ErrorKind::kLabelNotFound, -1),
            "[12/7 9:5:3] Label not found Error LabelName[Walk:]\r\n");
  EXPECT_EQ(FormatErrorLine({2026, 11, 30, 23, 59, 10, 0}, "count", "FlagInitError",
                            ErrorKind::kParameter, 3),
            "[11/30 23:59:10] Parameter Error Line(3) LabelName[FlagInitError] count\r\n");
  EXPECT_EQ(FormatErrorLine(at, "x", "L:", ErrorKind::kFileOpen, 0),
            "[12/7 9:5:3] File open Error Line(0) LabelName[L:] x\r\n");
  EXPECT_EQ(FormatErrorLine(at, "", "L:", ErrorKind::kNesting, 1),
            "[12/7 9:5:3] Nesting Error Line(1) LabelName[L:] \r\n");
  EXPECT_EQ(FormatErrorLine(at, "y", "L:", ErrorKind::kRecursiveCall, 2),
            "[12/7 9:5:3] Recursive call Error Line(2) LabelName[L:] y\r\n");
}

class ErrorLog : public testing::SimFixture {
 protected:
  void SetUp() override {
    SimFixture::SetUp();
    WriteScript("*TKScriptFile\n");
    Start();
  }
};

TEST_F(ErrorLog, OnlyFileOpenLabelAndParameterErrorsShowTheirOwnBox) {
  WriteFile("tk_error.txt", "old line\r\n");
  for (int kind = 1; kind <= 6; ++kind) {
    LogScriptError(*form, "t", "L:", static_cast<ErrorKind>(kind), kind);
  }
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{msg::kFileOpenError, msg::kLabelNotFound,
                                                  msg::kParameterError}));
  for (const auto& box : sim->message_boxes) {
    EXPECT_EQ(box.caption, "Tenkoro");
    EXPECT_EQ(box.icon, MessageIcon::kError);
  }
  const auto lines = LogLines();
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], "old line");
  EXPECT_EQ(lines[5], "[12/7 9:5:3] Label not found Error LabelName[L:]");
}

TEST_F(ErrorLog, TheTimeStampFollowsTheClockAndReportsInOneSecondAreKeptApart) {
  sim->start_time = {2026, 12, 31, 23, 59, 58, 4};
  sim->AdvanceTime(2500);  // into the new year
  LogScriptError(*form, "a", "L:", ErrorKind::kCommand, 1);
  LogScriptError(*form, "a", "L:", ErrorKind::kCommand, 1);
  const auto lines = LogLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "[1/1 0:0:0] Command Error Line(1) LabelName[L:] a");
  EXPECT_EQ(lines[1], lines[0]);
}

TEST_F(ErrorLog, AnUnopenableLogShowsOnlyItsOwnBox) {
  std::filesystem::create_directory(Path("tk_error.txt"));
  LogScriptError(*form, "t", "L:", ErrorKind::kParameter, 1);
  LogScriptError(*form, "t", "L:", ErrorKind::kCommand, 1);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>(2, msg::kErrorLogUnopenable));
}

}  // namespace
}  // namespace tk
