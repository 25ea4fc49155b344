#include "imagery/bmp_reader.h"

#include <gtest/gtest.h>

#include "support/picture_files.h"

namespace tk {
namespace {

using namespace std::string_literals;

using testing::BmpLayout;
using testing::ByteString;
using testing::MakeBmp;
using testing::Rows;

constexpr Bgr kRed{0, 0, 255}, kGreen{0, 255, 0}, kBlue{255, 0, 0}, kWhite{255, 255, 255},
    kBlack{0, 0, 0};

std::optional<Bitmap> Parse(const ByteString& file) {
  return ParseBmp({reinterpret_cast<const std::uint8_t*>(file.data()), file.size()});
}

// Pixels of a parsed picture, top row first.
std::vector<Bgr> Pixels(const Bitmap& b) {
  std::vector<Bgr> out;
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x) out.push_back(b.At(x, y));
  return out;
}

std::vector<Bgr> ParsedPixels(const BmpLayout& layout) {
  const auto bitmap = Parse(MakeBmp(layout));
  EXPECT_TRUE(bitmap);
  return bitmap ? Pixels(*bitmap) : std::vector<Bgr>{};
}

// A 2x2 picture: red, green on top; blue, white below.
const std::vector<Bgr> kSquare{kRed, kGreen, kBlue, kWhite};

TEST(BmpReader, TrueColourRowsInEitherOrder) {
  BmpLayout bottom_up{.width = 2, .height = 2};
  bottom_up.pixels = Rows({"\xFF\0\0\xFF\xFF\xFF"s, "\0\0\xFF\0\xFF\0"s});
  EXPECT_EQ(ParsedPixels(bottom_up), kSquare);
  BmpLayout top_down = bottom_up;
  top_down.height = -2;
  top_down.pixels = Rows({"\0\0\xFF\0\xFF\0"s, "\xFF\0\0\xFF\xFF\xFF"s});
  EXPECT_EQ(ParsedPixels(top_down), kSquare);

  BmpLayout bgrx{.width = 2, .height = 2, .bpp = 32};
  bgrx.pixels = "\xFF\0\0\x7F\xFF\xFF\xFF\x7F\0\0\xFF\x7F\0\xFF\0\x7F"s;
  EXPECT_EQ(ParsedPixels(bgrx), kSquare);
}

TEST(BmpReader, SixteenBitsAsFiveFiveFiveOrBitFields) {
  BmpLayout rgb555{.width = 2, .height = 1, .bpp = 16};
  rgb555.pixels = Rows({"\x00\x7C\xFF\x7F"s});  // red, white
  EXPECT_EQ(ParsedPixels(rgb555), (std::vector<Bgr>{kRed, kWhite}));
  BmpLayout rgb565{.width = 3, .height = 1, .bpp = 16, .compression = 3};
  rgb565.masks = {0xF800, 0x07E0, 0x001F};
  rgb565.pixels = Rows({"\xE0\x07\x1F\x00\x10\x84"s});  // green, blue, mid grey
  const auto pixels = ParsedPixels(rgb565);
  ASSERT_EQ(pixels.size(), 3u);
  EXPECT_EQ(pixels[0], kGreen);
  EXPECT_EQ(pixels[1], kBlue);
  EXPECT_EQ(pixels[2], (Bgr{132, 130, 132}));
  // The same masks inside a version 4 header.
  BmpLayout v4 = rgb565;
  v4.header_size = 108;
  EXPECT_EQ(ParsedPixels(v4), pixels);
}

TEST(BmpReader, ThirtyTwoBitFieldsInEveryHeaderVersion) {
  for (std::uint32_t header : {40u, 52u, 56u, 108u, 124u}) {
    BmpLayout layout{.header_size = header, .width = 2, .height = 1, .bpp = 32, .compression = 3};
    layout.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};  // red in the lowest byte
    layout.pixels = "\xFF\0\0\0\0\0\xFF\0"s;
    EXPECT_EQ(ParsedPixels(layout), (std::vector<Bgr>{kRed, kBlue})) << header;
  }
}

TEST(BmpReader, PalettePicturesThroughTheirColourTable) {
  BmpLayout one{.width = 10, .height = 1, .bpp = 1, .colours = {0x000000, 0xFFFFFF}};
  one.pixels = Rows({"\xA0\x40"s});  // 1010 0000 01..
  const auto mono = ParsedPixels(one);
  EXPECT_EQ(mono[0], kWhite);
  EXPECT_EQ(mono[1], kBlack);
  EXPECT_EQ(mono[2], kWhite);
  EXPECT_EQ(mono[9], kWhite);

  BmpLayout four{.width = 3, .height = 1, .bpp = 4, .colours = {0xFF0000, 0x00FF00, 0x0000FF}};
  four.colours_used = 3;
  four.pixels = Rows({"\x12\x00"s});
  EXPECT_EQ(ParsedPixels(four), (std::vector<Bgr>{kGreen, kBlue, kRed}));

  BmpLayout eight{.width = 2, .height = 1, .bpp = 8, .colours = {0xFF0000, 0x00FF00}};
  eight.colours_used = 2;
  eight.pixels = Rows({"\x01\x07"s});  // index 7 is past the table: black
  EXPECT_EQ(ParsedPixels(eight), (std::vector<Bgr>{kGreen, kBlack}));

  // A table that claims a thousand entries has only what the depth indexes.
  eight.colours_used = 1000;
  eight.colours.resize(256, 0x0000FF);
  EXPECT_EQ(ParsedPixels(eight), (std::vector<Bgr>{kGreen, kBlue}));
}

TEST(BmpReader, CoreHeadersWithThreeByteEntries) {
  BmpLayout core{.header_size = 12, .width = 2, .height = 1, .bpp = 8};
  core.colours.assign(256, 0);
  core.colours[0] = 0x00FF00;
  core.colours[5] = 0xFFFFFF;
  core.pixels = Rows({"\x05\x00"s});
  EXPECT_EQ(ParsedPixels(core), (std::vector<Bgr>{kWhite, kGreen}));
  BmpLayout core24{.header_size = 12, .width = 1, .height = 1, .bpp = 24};
  core24.pixels = Rows({"\xFF\0\0"s});
  EXPECT_EQ(ParsedPixels(core24), (std::vector<Bgr>{kBlue}));
}

TEST(BmpReader, RunLengthCodes) {
  BmpLayout rle8{.width = 4, .height = 2, .bpp = 8, .compression = 1};
  rle8.colours = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  // Bottom row: 3 x red, end of line; top row: absolute 3 (green, blue, red)
  // padded to a word, then the end: last pixels of both rows stay black.
  rle8.pixels = "\x03\x01\x00\x00\x00\x03\x02\x03\x01\x00\x00\x01"s;
  EXPECT_EQ(ParsedPixels(rle8),
            (std::vector<Bgr>{kGreen, kBlue, kRed, kBlack, kRed, kRed, kRed, kBlack}));
  BmpLayout rle4{.width = 6, .height = 1, .bpp = 4, .compression = 2};
  rle4.colours = {0x000000, 0xFF0000, 0x00FF00};
  rle4.pixels = "\x03\x12\x00\x03\x20\x10\x00\x01"s;  // red green red, absolute green black red
  EXPECT_EQ(ParsedPixels(rle4), (std::vector<Bgr>{kRed, kGreen, kRed, kGreen, kBlack, kRed}));
  // A code cut short is a broken file; codes past the picture are clipped.
  rle8.pixels = "\x00\x05\x01\x02"s;
  EXPECT_FALSE(Parse(MakeBmp(rle8)));
  rle8.pixels = "\xFF\x01\x00\x02\xFF\xFF\x09\x01"s;
  EXPECT_EQ(ParsedPixels(rle8).size(), 8u);
}

TEST(BmpReader, RefusesWhatCannotBeAPicture) {
  BmpLayout good{.width = 2, .height = 2};
  good.pixels = Rows({"\xFF\0\0\xFF\xFF\xFF"s, "\0\0\xFF\0\xFF\0"s});
  const ByteString file = MakeBmp(good);
  for (std::size_t n = 0; n < file.size(); ++n) EXPECT_FALSE(Parse(file.substr(0, n))) << n;

  auto refused = [](BmpLayout layout) { return !Parse(MakeBmp(layout)); };
  BmpLayout wide = good;
  wide.width = 100000;
  EXPECT_TRUE(refused(wide));
  BmpLayout huge = good;
  huge.width = huge.height = 16000;  // each side fine, the area is not
  EXPECT_TRUE(refused(huge));
  BmpLayout flat = good;
  flat.height = 0;
  EXPECT_TRUE(refused(flat));
  BmpLayout odd_depth = good;
  odd_depth.bpp = 7;
  EXPECT_TRUE(refused(odd_depth));
  BmpLayout top_down_rle{.width = 1, .height = -1, .bpp = 8, .compression = 1};
  EXPECT_TRUE(refused(top_down_rle));
  BmpLayout odd_header = good;
  odd_header.header_size = 20;
  EXPECT_TRUE(refused(odd_header));

  ByteString far_offset = file;
  testing::PutLe(far_offset, 10, 0x7FFFFFF0, 4);
  EXPECT_FALSE(Parse(far_offset));
}

}  // namespace
}  // namespace tk
