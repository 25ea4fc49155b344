#include "imagery/sgd.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "imagery/bmp_reader.h"
#include "sgd_encoder.h"
#include "support/picture_files.h"
#include "support/sgd_reference.h"

namespace tk {
namespace {

using namespace std::string_literals;
using Bytes = std::vector<std::uint8_t>;

ByteSpan Span(const std::string& s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

std::optional<Bitmap> Parse(const std::string& file) {
  return ParseSgd(Span(file));
}

TEST(SgdBlock, OneRunFillsTheWholeArrayAndDecodingStopsThere) {
  const Bytes block{0x00, 0x80, 15, 0xFF};  // bit 15 set: 16 copies of 0xFF
  Bytes out(16, 0);
  EXPECT_TRUE(DecodeSgdBlock(block, 8, 2, out));
  EXPECT_EQ(out, Bytes(16, 0xFF));
}

TEST(SgdBlock, BytesGoDownColumnsAndRunsCrossIntoTheNextColumn) {
  // stride 3, rows 2: a run of 3 'a' fills column 0 and the top of column 1.
  const Bytes block{0x00, 0x80, 2, 'a', 'b', 'c', 'd'};
  Bytes out(6, 0);
  EXPECT_TRUE(DecodeSgdBlock(block, 3, 2, out));
  EXPECT_EQ(out, (Bytes{'a', 'a', 'c', 'a', 'b', 'd'}));
}

TEST(SgdBlock, EndsMidControlWordButFailsWhenTheBlockRunsOut) {
  const Bytes exact{0x00, 0x00, 1, 2, 3, 4};  // 4 of 16 items, then nothing
  Bytes out(4, 0);
  EXPECT_TRUE(DecodeSgdBlock(exact, 2, 2, out));
  EXPECT_EQ(out, (Bytes{1, 3, 2, 4}));
  for (std::size_t n = 0; n < exact.size(); ++n) {
    EXPECT_FALSE(DecodeSgdBlock({exact.data(), n}, 2, 2, out)) << n;
  }
  const Bytes cut_run{0x00, 0x80, 7};  // the run's value is missing
  EXPECT_FALSE(DecodeSgdBlock(cut_run, 2, 2, out));
  Bytes too_small(3);
  EXPECT_FALSE(DecodeSgdBlock(exact, 2, 2, too_small));
}

TEST(SgdBlock, EncoderRoundTrips) {
  std::mt19937 random(7);
  for (const auto& [stride, rows] : {std::pair{4, 1}, {8, 3}, {12, 17}, {300, 40}, {1, 700}}) {
    for (int flatness : {1, 4, 256}) {
      Bytes array(static_cast<std::size_t>(stride * rows));
      for (auto& b : array) b = static_cast<std::uint8_t>(random() % 256 / flatness);
      const Bytes block = EncodeSgdBlock(array, stride, rows);
      Bytes out(array.size(), 0x5A);
      ASSERT_TRUE(DecodeSgdBlock(block, stride, rows, out));
      EXPECT_EQ(out, array) << stride << "x" << rows << " flatness " << flatness;
    }
  }
  EXPECT_EQ(EncodeSgdBlock(Bytes(16, 0xFF), 8, 2), (Bytes{0x00, 0x80, 15, 0xFF}));
}

// Shapes around the decoder's internal block sizes: single rows and columns,
// sides just off multiples of 16, and a tall picture whose columns are long.
const std::vector<std::pair<std::size_t, std::size_t>> kShapes{
    {1, 1},   {1, 700}, {4, 1},    {3072, 1}, {8, 3},    {12, 17},    {15, 15},   {16, 16},
    {17, 33}, {48, 32}, {100, 99}, {300, 40}, {332, 65}, {1024, 129}, {3072, 48}, {20, 5000}};

// Pictures with flat areas, short repeats and noise, so that the block holds
// one-byte items, short runs, 256-byte runs and runs crossing columns.
Bytes RandomArray(std::size_t size, std::mt19937& random) {
  Bytes array(size);
  const int mode = static_cast<int>(random() % 4);
  std::uint8_t value = 0;
  for (std::size_t i = 0; i < size; ++i) {
    switch (mode) {
      case 0:  // noise
        value = static_cast<std::uint8_t>(random());
        break;
      case 1:  // two values, many short runs
        value = static_cast<std::uint8_t>(random() % 2);
        break;
      default:  // long flat stretches broken now and then
        if (random() % (mode == 2 ? 20 : 700) == 0) value = static_cast<std::uint8_t>(random());
    }
    array[i] = value;
  }
  return array;
}

TEST(SgdBlock, EncodedPicturesOfEveryShapeDecodeAsTheFormatSays) {
  std::mt19937 random(11);
  for (const auto& [stride, rows] : kShapes) {
    for (int i = 0; i < 6; ++i) {
      const Bytes array = RandomArray(stride * rows, random);
      const Bytes block = EncodeSgdBlock(array, stride, rows);
      Bytes expected(array.size(), 0x5A), out(array.size(), 0xA5);
      ASSERT_TRUE(ReferenceDecode(block, stride, rows, expected));
      ASSERT_TRUE(DecodeSgdBlock(block, stride, rows, out)) << stride << "x" << rows;
      ASSERT_EQ(out, expected) << stride << "x" << rows << " picture " << i;
      ASSERT_EQ(out, array);
    }
  }
}

// Blocks no encoder writes: runs that overshoot the end of the array, items
// left over in the last control word, trailing garbage, and blocks cut short
// anywhere. The outcome must match the rule exactly; a larger output buffer
// around the array must stay untouched past it.
TEST(SgdBlock, ArbitraryAndTruncatedBlocksMatchTheFormatsRule) {
  std::mt19937 random(12);
  for (const auto& [stride, rows] : kShapes) {
    const std::size_t size = stride * rows;
    for (int i = 0; i < 8; ++i) {
      Bytes block;
      const unsigned run_share = random() % 17;  // set bits per control word, on average
      while (block.size() < size / 2 + 64) {
        unsigned control = 0;
        for (int bit = 0; bit < 16; ++bit) control |= (random() % 16 < run_share ? 1u : 0u) << bit;
        block.push_back(static_cast<std::uint8_t>(control));
        block.push_back(static_cast<std::uint8_t>(control >> 8));
        for (int bit = 15; bit >= 0; --bit) {
          if (control & (1u << bit)) block.push_back(static_cast<std::uint8_t>(random()));
          block.push_back(static_cast<std::uint8_t>(random() % 3));
        }
      }
      for (std::size_t cut : {block.size(), block.size() / 2, block.size() / 5,
                              static_cast<std::size_t>(random() % block.size())}) {
        const ByteSpan part{block.data(), cut};
        Bytes expected(size, 0x5A), out(size + 32, 0xA5);
        const bool ok = ReferenceDecode(part, stride, rows, expected);
        ASSERT_EQ(DecodeSgdBlock(part, stride, rows, out), ok) << stride << "x" << rows;
        if (ok) {
          ASSERT_EQ(Bytes(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(size)), expected)
              << stride << "x" << rows << " cut at " << cut;
        }
        ASSERT_EQ(Bytes(out.end() - 32, out.end()), Bytes(32, 0xA5));
      }
    }
  }
}

// Every depth the reader accepts, through the whole file path: the packed
// file must give the same picture as the plain one.
TEST(SgdFile, CompressedMatchesPlainAtEveryDepth) {
  std::mt19937 random(13);
  for (int bpp : {1, 4, 8, 16, 24, 32}) {
    for (const auto& [width, height] : {std::pair{1, 1}, {7, 3}, {33, -17}, {130, 70}}) {
      std::string info(40, '\0');
      testing::PutLe(info, 0, 40, 4);
      testing::PutLe(info, 4, static_cast<std::uint32_t>(width), 4);
      testing::PutLe(info, 8, static_cast<std::uint32_t>(height), 4);
      testing::PutLe(info, 12, 1, 2);
      testing::PutLe(info, 14, static_cast<std::uint32_t>(bpp), 2);
      std::string table(1024, '\0');
      for (auto& c : table) c = static_cast<char>(random());
      const auto stride = static_cast<std::size_t>((width * bpp + 31) / 32 * 4);
      const Bytes array = RandomArray(stride * static_cast<std::size_t>(std::abs(height)), random);
      const ByteSpan pixels{array.data(), array.size()};
      const auto plain = Parse(MakeSgdFile(Span(info), Span(table), pixels, false));
      const auto packed = Parse(MakeSgdFile(Span(info), Span(table), pixels, true));
      ASSERT_TRUE(plain && packed) << bpp << " bits, " << width << "x" << height;
      EXPECT_EQ(packed->Bytes(), plain->Bytes()) << bpp << " bits, " << width << "x" << height;
      EXPECT_EQ(packed->palette, plain->palette);
    }
  }
}

// A 3x2 24-bit BMP and an SGD made of its header, table and array.
struct Pair {
  std::string bmp;
  std::string info_header;
  std::string array;
};

Pair SamplePair() {
  testing::BmpLayout layout{.width = 3, .height = 2};
  layout.pixels = testing::Rows(
      {"\x01\x02\x03\x04\x05\x06\x07\x08\x09"s, "\xFF\xFF\xFF\xFF\xFF\xFF\x10\x20\x30"s});
  const std::string bmp = testing::MakeBmp(layout);
  return {bmp, bmp.substr(14, 40), layout.pixels};
}

TEST(SgdFile, PlainAndCompressedGiveTheBmpsPicture) {
  const Pair p = SamplePair();
  const auto from_bmp = ParseBmp(Span(p.bmp));
  ASSERT_TRUE(from_bmp);
  const std::string table(1024, '\0');
  for (bool compressed : {false, true}) {
    const auto sgd =
        Parse(MakeSgdFile(Span(p.info_header), Span(table), Span(p.array), compressed));
    ASSERT_TRUE(sgd) << compressed;
    EXPECT_EQ(sgd->Bytes(), from_bmp->Bytes()) << compressed;
  }
  Bitmap picture(5, 3);
  picture.Set(4, 2, {1, 2, 3});
  const auto back = Parse(EncodeSgd24(picture, true));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Bytes(), picture.Bytes());
}

TEST(SgdFile, LowDepthsThroughTheColourTable) {
  std::string info(40, '\0');
  testing::PutLe(info, 0, 40, 4);
  testing::PutLe(info, 4, 3, 4);   // width
  testing::PutLe(info, 8, -2, 4);  // height: top row first
  testing::PutLe(info, 14, 4, 2);  // 4 bits per pixel
  std::string table(1024, '\0');
  testing::PutLe(table, 4, 0x0000FF, 4);  // entry 1: blue
  testing::PutLe(table, 8, 0xFF0000, 4);  // entry 2: red
  const std::string array = "\x12\x00\x00\x00\x21\x10\x00\x00"s;
  for (bool compressed : {false, true}) {
    const auto sgd = Parse(MakeSgdFile(Span(info), Span(table), Span(array), compressed));
    ASSERT_TRUE(sgd);
    EXPECT_EQ(sgd->At(0, 0), (Bgr{255, 0, 0}));
    EXPECT_EQ(sgd->At(1, 0), (Bgr{0, 0, 255}));
    EXPECT_EQ(sgd->At(0, 1), (Bgr{0, 0, 255}));
    EXPECT_EQ(sgd->At(2, 1), (Bgr{255, 0, 0}));
    EXPECT_EQ(sgd->palette.size(), 256u);
  }
}

TEST(SgdFile, RefusesBrokenFiles) {
  const Pair p = SamplePair();
  const std::string table(1024, '\0');
  const std::string plain = MakeSgdFile(Span(p.info_header), Span(table), Span(p.array), false);
  const std::string packed = MakeSgdFile(Span(p.info_header), Span(table), Span(p.array), true);
  ASSERT_TRUE(Parse(plain) && Parse(packed));
  for (std::size_t n = 0; n < plain.size(); ++n) EXPECT_FALSE(Parse(plain.substr(0, n))) << n;
  for (std::size_t n = 0; n < packed.size(); ++n) EXPECT_FALSE(Parse(packed.substr(0, n))) << n;

  std::string wrong_signature = plain;
  wrong_signature[3] = ' ';
  EXPECT_FALSE(Parse(wrong_signature));
  std::string short_array = plain;  // declares 4 bytes fewer than the rows need
  testing::PutLe(short_array, 16, 0x1000 + 12, 4);
  EXPECT_FALSE(Parse(short_array));
  std::string reversed = plain;  // end before start
  testing::PutLe(reversed, 24, 0x7FFFFFFF, 4);
  EXPECT_FALSE(Parse(reversed));
  std::string far_data = packed;
  testing::PutLe(far_data, 8, 0xFFFFFFF0, 4);
  EXPECT_FALSE(Parse(far_data));
  std::string long_block = packed;  // the block claims more than the file holds
  testing::PutLe(long_block, 12, 0x10000, 4);
  EXPECT_FALSE(Parse(long_block));
  std::string absurd = plain;
  testing::PutLe(absurd, 28 + 4, 0x40000000, 4);
  EXPECT_FALSE(Parse(absurd));
}

}  // namespace
}  // namespace tk
