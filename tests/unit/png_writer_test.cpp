#include "imagery/png_writer.h"

#include <gtest/gtest.h>

namespace tk {
namespace {

std::span<const std::uint8_t> Span(const std::string& s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

TEST(PngWriter, ChecksumsMatchTheirReferenceValues) {
  EXPECT_EQ(Crc32(Span("123456789")), 0xCBF43926u);
  EXPECT_EQ(Adler32(Span("Wikipedia")), 0x11E60398u);
  EXPECT_EQ(Crc32(Span("IEND")), 0xAE426082u);
}

TEST(PngWriter, StoredBlocksCarryTheRowsAndSplitAtTheirLimit) {
  Bitmap b(2, 1);
  b.Set(1, 0, {1, 2, 3});
  const std::string png = EncodePng(b);
  EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1A\n");
  EXPECT_EQ(png.substr(12, 4), "IHDR");
  // zlib header, final stored block of 7 bytes: filter 0, black, then r g b.
  const std::size_t idat = png.find("IDAT") + 4;
  EXPECT_EQ(png.substr(idat, 14),
            std::string("\x78\x01\x01\x07\x00\xF8\xFF\x00\x00\x00\x00\x03\x02\x01", 14));
  EXPECT_EQ(png.substr(png.size() - 8, 4), "IEND");

  Bitmap big(200, 200);  // 120200 bytes of rows: two blocks
  const std::string large = EncodePng(big);
  const std::size_t at = large.find("IDAT") + 4;
  EXPECT_EQ(large[at + 2], '\0');  // not the last block
  EXPECT_EQ(large[at + 3 + 4 + 65535], '\x01');
}

}  // namespace
}  // namespace tk
