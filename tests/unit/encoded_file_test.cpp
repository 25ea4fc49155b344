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

TEST(EncodedFile, EveryByteButFormFeedAndCrRoundTripsAndThoseTwoAreLeftOut) {
  std::string every_byte;
  for (int c = 0; c < 256; ++c) every_byte.push_back(static_cast<char>(c));
  std::size_t dropped = 0;
  Lines back;
  ASSERT_TRUE(DecodeLines(EncodeLines({every_byte, "a\x0C\x09z\r\nq"}, &dropped), back));
  std::string storable = every_byte;
  std::erase_if(storable, [](char c) { return c == '\x0C' || c == '\r'; });
  EXPECT_EQ(back, (Lines{storable, "a\x09z\nq"}));
  EXPECT_EQ(dropped, 4u);
}

TEST(EncodedFile, PlainTextSplitsAtEveryLineEndAndKeepsBlankLines) {
  EXPECT_EQ(SplitTextLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitTextLines("a\r\n\r\n  \r\nb\r\n"), (Lines{"a", "", "  ", "b"}));
  EXPECT_TRUE(SplitTextLines("").empty());
}

}  // namespace
}  // namespace tk
