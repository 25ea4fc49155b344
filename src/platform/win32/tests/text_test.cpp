// GDI text in the script's font: sizes, where the pixels go, and that
// Japanese comes out as glyphs rather than empty boxes.
#include <chrono>
#include <climits>
#include <cstdio>
#include <fstream>

#include "base/bitmap.h"
#include "imagery/png_writer.h"
#include "support/text_canvas.h"
#include "test_support.h"

namespace tk::win32_test {
namespace {

// ＭＳ Ｐゴシック, the font scripts name most.
const std::string kGothic = "\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e";
const std::string kHello = "\x82\xb1\x82\xf1\x82\xc9\x82\xbf\x82\xcd";  // こんにちは
const std::string kA = "\x82\xa0";                                      // あ
const std::string kI = "\x82\xa2";                                      // い
constexpr std::uint32_t kRed = 0x0000FF;

using text_canvas::Changed;
using text_canvas::Grey;
using text_canvas::kGrey;

int CountOf(const Bitmap& b, Bgr colour) {
  int n = 0;
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x) n += b.At(x, y) == colour;
  return n;
}

void SavePng(const Bitmap& b, const char* file) {
  std::ofstream(file, std::ios::binary) << EncodePng(b);
}

class GdiText : public ::testing::Test {
 protected:
  TestPlatform platform;
  TextRenderer& text = platform.Text();
  TextFont gothic{kGothic, 10};
};

TEST_F(GdiText, SizesArePlausibleForLatinAndJapanese) {
  const TextFont big{kGothic, 20};
  struct Case {
    const TextFont& font;
    std::string text;
    int chars;
  };
  for (const Case& c : {Case{gothic, "Tenkoro", 7}, Case{gothic, kHello, 5},
                        Case{big, "Tenkoro", 7}, Case{big, kHello, 5}}) {
    SCOPED_TRACE(c.text + " at " + std::to_string(c.font.points));
    const TextExtent e = text.MeasureText(c.font, c.text);
    const int pixels = c.font.points * 96 / 72;
    EXPECT_GE(e.height, pixels);
    EXPECT_LE(e.height, pixels * 3 / 2);
    EXPECT_GE(e.width, c.chars * pixels / 4);
    EXPECT_LE(e.width, c.chars * pixels * 3 / 2);
  }
  // Japanese is full width: wider than as many Latin letters.
  EXPECT_GT(text.MeasureText(gothic, kHello).width, text.MeasureText(gothic, "Tenko").width);
  TextFont bold = gothic;
  bold.bold = true;
  EXPECT_GT(text.MeasureText(bold, "Tenkoro Tenkoro").width,
            text.MeasureText(gothic, "Tenkoro Tenkoro").width);
  EXPECT_EQ(text.MeasureText(gothic, "").width, 0);
  EXPECT_EQ(text.MeasureText(gothic, "").height, text.MeasureText(gothic, "x").height);
}

// Drawn pixels stay inside the measured box and some are exactly the colour.
TEST_F(GdiText, DrawsInTheColourInsideItsBoxOnly) {
  for (const std::string& s : {std::string("Tenkoro"), kHello, kHello + " Tenkoro"}) {
    SCOPED_TRACE(s);
    Bitmap b = Grey(200, 40);
    text.DrawText(b, 7, 9, gothic, s, kRed);
    const TextExtent e = text.MeasureText(gothic, s);
    const Rect changed = Changed(b);
    EXPECT_GE(changed.left, 7);
    EXPECT_GE(changed.top, 9);
    EXPECT_LE(changed.right, 7 + e.width);
    EXPECT_LE(changed.bottom, 9 + e.height);
    EXPECT_GT(CountOf(b, Bgr{0, 0, 0xFF}), 5);
  }
}

TEST_F(GdiText, JapaneseGlyphsAreRealAndDistinct) {
  Bitmap a = Grey(20, 20), i = Grey(20, 20), sample = Grey(160, 24);
  text.DrawText(a, 2, 2, gothic, kA, 0xFFFFFF);
  text.DrawText(i, 2, 2, gothic, kI, 0xFFFFFF);
  EXPECT_NE(a.Bytes(), i.Bytes());  // an empty box would look the same for both
  EXPECT_GT(CountOf(a, Bgr{0xFF, 0xFF, 0xFF}), 8);
  text.DrawText(sample, 2, 4, gothic, kHello + " Tenkoro", 0xFFFFFF);
  SavePng(sample, "text_sample.png");  // to look at when in doubt
}

TEST_F(GdiText, StylesShowAndItalicKeepsItsTail) {
  TextFont bold = gothic, italic = gothic, underline = gothic;
  bold.bold = true;
  italic.italic = true;
  underline.underline = true;
  const std::string s = "Tenkoro Tenkorof";
  const auto drawn = [&](const TextFont& font) {
    Bitmap b = Grey(200, 30);
    text.DrawText(b, 0, 0, font, s, kRed);
    return b;
  };
  const Bitmap plain_b = drawn(gothic), bold_b = drawn(bold);
  EXPECT_GT(Changed(bold_b).right, Changed(plain_b).right);
  // Bold may be smoothed where plain is not: count every touched pixel.
  const int area = 200 * 30;
  EXPECT_GT(area - CountOf(bold_b, kGrey), area - CountOf(plain_b, kGrey));
  // The slanted "f" reaches past the advance of the text.
  EXPECT_GT(Changed(drawn(italic)).right, text.MeasureText(italic, s).width + 1);
  EXPECT_GT(Changed(drawn(underline)).bottom, Changed(plain_b).bottom);
}

// What shows of a text cut by an edge is the same part of the uncut text.
TEST_F(GdiText, EdgesCutTheTextExactly) {
  const std::string s = kHello + " Tenkoro";
  Bitmap whole = Grey(200, 40);
  text.DrawText(whole, 20, 10, gothic, s, kRed);
  text_canvas::ExpectEdgesCutExactly(text, whole, gothic, s, kRed,
                                     {{-1000, -1000},
                                      {1000, 1000},
                                      {-30, 0},
                                      {0, -12},
                                      {INT_MAX, INT_MAX},
                                      {INT_MIN, INT_MIN},
                                      {0, INT_MAX}});
}

// Not a check: what one character costs and measures under this system,
// for the record.
// Microseconds per call of `f`, over a few hundred calls.
template <typename F>
double MicrosecondsPerCall(F&& f) {
  constexpr int kRounds = 400;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kRounds; ++i) f(i);
  const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
  return spent.count() / kRounds;
}

TEST_F(GdiText, TimePerCharacter) {
  Bitmap b = Grey(64, 32);
  const double draw =
      MicrosecondsPerCall([&](int i) { text.DrawText(b, 2, 2, gothic, i % 2 ? kA : kI, kRed); });
  const double measure =
      MicrosecondsPerCall([&](int i) { text.MeasureText(gothic, i % 2 ? kA : kI); });
  std::printf("[ timing   ] one Japanese character: DrawText %.1f us, MeasureText %.1f us\n", draw,
              measure);
  const TextExtent hello = text.MeasureText(gothic, kHello);
  const TextExtent latin = text.MeasureText(gothic, "Tenkoro");
  std::printf("[ metrics  ] 10 points: 5 Japanese characters %d x %d, \"Tenkoro\" %d x %d\n",
              hello.width, hello.height, latin.width, latin.height);
  EXPECT_NE(Changed(b).right, 0);
}

}  // namespace
}  // namespace tk::win32_test
