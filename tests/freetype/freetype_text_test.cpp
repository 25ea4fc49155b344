// Text through FreeType with the IPA Gothic fonts: sizes a reader expects,
// real glyph shapes, the styles, and nothing drawn outside the target.
#include "platform/sim/freetype/freetype_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "base/bitmap.h"
#include "support/text_canvas.h"

namespace tk {
namespace {

const std::string kGothic =
    "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e";  // ＭＳ ゴシック
const std::string kPGothic =
    "\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e";     // ＭＳ Ｐゴシック
const std::string kHello = "\x82\xb1\x82\xf1\x82\xc9\x82\xbf\x82\xcd";  // こんにちは
const std::string kA = "\x82\xa0";                                      // あ
const std::string kI = "\x82\xa2";                                      // い
const std::string kDot = "\x81\x45";                                    // ・
const std::string kSquare = "\x81\xa1";                                 // ■
constexpr std::uint32_t kRed = 0x0000FF;
constexpr Bgr kRedBgr{0, 0, 0xFF};

using text_canvas::Changed;
using text_canvas::Grey;
using text_canvas::kGrey;

// How much red the text put there: a heavier glyph puts more.
long Ink(const Bitmap& b) {
  long sum = 0;
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x) sum += b.At(x, y).r - kGrey.r;
  return sum;
}

class FreeTypeTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto files = FindGothicFonts(nullptr);
    ASSERT_TRUE(files) << "no IPA Gothic font: run scripts/install-deps.sh";
    std::string error;
    text = FreeTypeText::Open(*files, error);
    ASSERT_TRUE(text) << error;
  }
  int Width(const TextFont& font, const std::string& s) { return text->MeasureText(font, s).width; }
  Bitmap Drawn(const TextFont& font, const std::string& s, int x = 0, int y = 0) {
    Bitmap b = Grey(240, 40);
    text->DrawText(b, x, y, font, s, kRed);
    return b;
  }

  std::unique_ptr<FreeTypeText> text;
  TextFont gothic{kGothic, 12};
  TextFont pgothic{kPGothic, 12};
};

TEST_F(FreeTypeTextTest, MeasuresAsAGothicOfThatSize) {
  // A point is 96/72 pixels, rounded as Windows rounds; a line is an em high.
  for (const auto& [points, em] : {std::pair{9, 12}, {10, 13}, {12, 16}, {20, 27}, {0, 1}}) {
    const TextFont font{kGothic, points};
    EXPECT_EQ(text->MeasureText(font, "x").height, em) << points << " points";
    EXPECT_EQ(text->MeasureText(font, "").height, em) << points << " points";
  }
  EXPECT_EQ(text->MeasureText({kGothic, 5000}, kA), text->MeasureText({kGothic, 1000}, kA));
  // Fixed pitch: a kana is an em, a Latin letter half of it; the P face is proportional.
  EXPECT_EQ(Width(gothic, kA), 16);
  EXPECT_EQ(Width(gothic, "iW"), 16);
  EXPECT_LT(Width(pgothic, "i"), Width(pgothic, "W"));
  EXPECT_EQ(Width({"MS PGothic", 12}, "iW"), Width(pgothic, "iW"));
  EXPECT_EQ(Width({"Unknown", 12}, "iW"), Width(gothic, "iW"));
  EXPECT_EQ(Width(gothic, kHello), 5 * Width(gothic, kA));
  TextFont bold = gothic;
  bold.bold = true;
  EXPECT_GE(Width(bold, "Tenkoro"), Width(gothic, "Tenkoro") + 7);
  // A lone lead byte at the end is one character, shown as Windows shows
  // what does not decode.
  EXPECT_EQ(Width(gothic, "A\x82"), Width(gothic, "A" + kDot));
  EXPECT_EQ(Width(gothic, ""), 0);
}

// Crisp at the usual sizes, as Windows draws them from bitmaps; smoothed
// edges, in shades between grey and red, once the text is large.
TEST_F(FreeTypeTextTest, DrawsGlyphsInsideTheLineCrispOrSmooth) {
  for (const auto& [points, smooth] : {std::pair{9, false}, {15, false}, {16, true}}) {
    const TextFont font{kPGothic, points};
    for (const std::string& s : {std::string("Tenkoro"), kHello + " Tenkoro"}) {
      SCOPED_TRACE(s + " at " + std::to_string(points));
      const Bitmap b = Drawn(font, s, 7, 9);
      const TextExtent e = text->MeasureText(font, s);
      const Rect changed = Changed(b);
      EXPECT_GE(changed.left, smooth ? 6 : 7);  // a smoothed edge may lean out
      EXPECT_GE(changed.top, 9);
      EXPECT_LE(changed.right, 7 + e.width);
      EXPECT_LE(changed.bottom, 9 + e.height);
      std::set<int> shades;
      for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x) shades.insert(b.At(x, y).r);
      EXPECT_TRUE(shades.count(kRedBgr.r));
      EXPECT_EQ(shades.size() > 8, smooth) << shades.size() << " shades";
    }
  }
  EXPECT_NE(Drawn(gothic, kA).Bytes(), Drawn(gothic, kI).Bytes());
  EXPECT_EQ(Drawn(gothic, " ").Bytes(), Grey(240, 40).Bytes());
}

TEST_F(FreeTypeTextTest, StylesShow) {
  TextFont bold = gothic, italic = gothic, underline = gothic, strikeout = gothic;
  bold.bold = true;
  italic.italic = true;
  underline.underline = true;
  strikeout.strikeout = true;
  const std::string s = "Tenkoro Tenkorof";
  const Bitmap plain = Drawn(gothic, s);
  EXPECT_GT(Ink(Drawn(bold, s)), Ink(plain) * 5 / 4);
  // The slanted "f" reaches past the advance of the text.
  EXPECT_GT(Changed(Drawn(italic, s)).right, Width(italic, s));
  // A line across the whole text: the last row for the underline, one
  // through the middle for the strikeout.
  const int width = Width(gothic, s);
  for (const auto& [font, row] : {std::pair{underline, 15}, {strikeout, 7}}) {
    const Bitmap b = Drawn(font, s);
    for (int x = 0; x < width; ++x) ASSERT_EQ(b.At(x, row), kRedBgr) << x << "," << row;
    EXPECT_EQ(b.At(width, row), kGrey);
    EXPECT_LT(Changed(b).bottom, 17);
  }
  EXPECT_LT(plain.At(0, 15).r, 0xFF);
}

// What shows of a text cut by an edge is the same part of the uncut text,
// and text far outside a picture touches none of it.
TEST_F(FreeTypeTextTest, EdgesCutTheTextExactly) {
  TextFont styled = pgothic;
  styled.bold = styled.italic = styled.underline = true;
  const std::string s = kHello + " Tenkoro";
  const Bitmap whole = Drawn(styled, s, 20, 10);
  text_canvas::ExpectEdgesCutExactly(*text, whole, styled, s, kRed,
                                     {{-1000, -1000},
                                      {1000, 1000},
                                      {-200, 0},
                                      {0, -30},
                                      {INT_MAX, INT_MAX},
                                      {INT_MIN, INT_MIN},
                                      {INT_MAX - 5, 0},
                                      {0, INT_MAX}});
  // The largest size: the picture lies inside one black square.
  const Bitmap inside = Drawn({kGothic, 5000}, kSquare, -400, -400);
  Bitmap red = Grey(240, 40);
  red.Fill(kRedBgr);
  EXPECT_EQ(inside.Bytes(), red.Bytes());
}

}  // namespace
}  // namespace tk
