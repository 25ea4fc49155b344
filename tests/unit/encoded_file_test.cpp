#include "script/encoded_file.h"

#include <gtest/gtest.h>

namespace tk {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

TEST(EncodedFile, WorkedExamplesDecode) {
  Lines lines;
  EXPECT_TRUE(DecodeLines(Bytes({66, 67, 14, 11, 69, 14, 11, 13, 10}), lines));
  EXPECT_EQ(lines, (Lines{"AB", "D"}));

  // Text that no line end mark follows is not a line.
  EXPECT_TRUE(DecodeLines(Bytes({66, 67}), lines));
  EXPECT_TRUE(lines.empty());

  // The plain CR LF after data without a mark still ends the last line.
  EXPECT_TRUE(DecodeLines(Bytes({66, 67, 13, 10}), lines));
  EXPECT_EQ(lines, (Lines{"AB"}));

  // A decoded CR must be followed by a decoded LF; what came before stays.
  EXPECT_FALSE(DecodeLines(Bytes({66, 14, 11, 67, 14, 12, 68, 14, 11}), lines));
  EXPECT_EQ(lines, (Lines{"A"}));

  // A stored 0 is the byte 255.
  EXPECT_TRUE(DecodeLines(Bytes({0, 14, 11}), lines));
  EXPECT_EQ(lines, (Lines{"\xFF"}));
}

TEST(EncodedFile, WriterMatchesTheWorkedExampleAndRoundTrips) {
  EXPECT_EQ(EncodeLines({"AB", "D"}), Bytes({66, 67, 14, 11, 69, 14, 11, 13, 10}));
  const Lines lines{"", "\xFF\x80 x", std::string(1, '\0'), "*TKScriptFile"};
  Lines back;
  ASSERT_TRUE(DecodeLines(EncodeLines(lines), back));
  EXPECT_EQ(back, lines);
}

TEST(EncodedFile, ControlBytesThatLookLikeAPlainLineEndDoNotSurvive) {
  // Bytes 12, 9 are stored as 13, 10, which the reader takes as the plain
  // line end: the line is cut there and its tail runs on into the next line.
  Lines back;
  ASSERT_TRUE(DecodeLines(EncodeLines({std::string("a\x0C\x09z"), "q"}), back));
  EXPECT_NE(back, (Lines{std::string("a\x0C\x09z"), "q"}));
  EXPECT_EQ(back.front(), "a");
}

TEST(EncodedFile, PlainTextSplitsAtEveryLineEndAndKeepsBlankLines) {
  EXPECT_EQ(SplitTextLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitTextLines("a\r\n\r\n  \r\nb\r\n"), (Lines{"a", "", "  ", "b"}));
  EXPECT_TRUE(SplitTextLines("").empty());
}

}  // namespace
}  // namespace tk
