#include "platform/win32/text_conversion.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace tk::win32 {
namespace {

using win32_test::kSjisTest;
using win32_test::kWideTest;

TEST(TextConversion, ShiftJisBecomesUtf16WhateverTheSystemCodePage) {
  EXPECT_EQ(WideFromSjis(kSjisTest), kWideTest);
  // A 0x5C trail byte is part of the character, not a backslash.
  EXPECT_EQ(WideFromSjis("\x83\x5C"), L"\u30bd");
  // Half-width katakana are single bytes.
  EXPECT_EQ(WideFromSjis("\xB1\xB2"), L"\uff71\uff72");
  EXPECT_EQ(WideFromSjis("abc\\d"), L"abc\\d");
  EXPECT_EQ(WideFromSjis(""), L"");
}

TEST(TextConversion, RoundTripsAndKeepsEmbeddedZeros) {
  const std::string mixed = std::string("a\0b ", 4) + kSjisTest + "\x83\x5C\xB1";
  EXPECT_EQ(SjisFromWide(WideFromSjis(mixed)), mixed);
}

TEST(TextConversion, DegradesInsteadOfFailing) {
  EXPECT_EQ(SjisFromWide(L"x\u00e9y"), "x?y");  // no e-acute in Shift-JIS
  EXPECT_EQ(SjisFromWide(L""), "");
  // A lead byte at the end has no trail byte; the rest survives.
  const std::wstring cut = WideFromSjis("ab\x83");
  ASSERT_EQ(cut.size(), 3u);
  EXPECT_EQ(cut.substr(0, 2), L"ab");
}

}  // namespace
}  // namespace tk::win32
