// Mutated BMP, GDT and SGD files through LoadImageFile: under the sanitizers
// any read or write outside a buffer ends the test; a file that loads must
// give a picture within the size bounds.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "base/bmp_writer.h"
#include "imagery/image_file.h"
#include "platform/sim/sim_platform.h"
#include "sgd_encoder.h"
#include "support/picture_files.h"

namespace tk {
namespace {

std::string Mutate(std::string file, std::mt19937& random) {
  const int edits = 1 + static_cast<int>(random() % 8);
  for (int i = 0; i < edits && !file.empty(); ++i) {
    const std::size_t at = random() % file.size();
    switch (random() % 4) {
      case 0:  // one byte anywhere
        file[at] = static_cast<char>(random());
        break;
      case 1:  // a header field made large
        file[std::min<std::size_t>(at % 80, file.size() - 1)] = static_cast<char>(0xFF);
        break;
      case 2:  // cut short
        file.resize(at);
        break;
      default:  // a bit flipped
        file[at] = static_cast<char>(file[at] ^ (1 << (random() % 8)));
    }
  }
  return file;
}

std::vector<std::pair<std::string, std::string>> Seeds() {
  Bitmap picture(13, 7);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 13; ++x) picture.Set(x, y, {std::uint8_t(x * 9), std::uint8_t(y * 30), 7});
  testing::BmpLayout rle{.width = 6, .height = 3, .bpp = 8, .compression = 1};
  rle.colours = {0x112233, 0x445566, 0x778899};
  rle.pixels = std::string("\x04\x01\x00\x00\x00\x03\x02\x00\x01\x00\x00\x02\x01\x01\x00\x01", 16);
  testing::BmpLayout fields{.width = 5, .height = -2, .bpp = 16, .compression = 3};
  fields.masks = {0xF800, 0x07E0, 0x001F};
  fields.pixels = testing::Rows({std::string(10, '\x5A'), std::string(10, '\xA5')});
  testing::BmpLayout four{.width = 7, .height = 2, .bpp = 4, .colours = {0, 0xFFFFFF, 0xFF}};
  four.pixels = testing::Rows({"\x01\x20\x12\x00", "\x21\x10\x00\x02"});
  std::string gdt = EncodeBmp24(picture);
  gdt[0] = 'G';
  gdt[1] = 'D';
  return {{"a.bmp", EncodeBmp24(picture)},       {"b.gdt", gdt},
          {"c.bmp", testing::MakeBmp(rle)},      {"d.bmp", testing::MakeBmp(fields)},
          {"e.bmp", testing::MakeBmp(four)},     {"f.sgd", EncodeSgd24(picture, true)},
          {"g.sgd", EncodeSgd24(picture, false)}};
}

TEST(PictureFuzz, MutatedFilesFailCleanlyOrGiveSanePictures) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("tk_picture_fuzz_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  SimPlatform sim(dir.string(), dir.string());
  std::mt19937 random(20240607);
  int loaded = 0, refused = 0;
  for (const auto& [name, seed] : Seeds()) {
    Bitmap original;
    std::ofstream((dir / name).string(), std::ios::binary) << seed;
    ASSERT_TRUE(LoadImageFile(sim, original, name)) << name;
    for (int i = 0; i < 400; ++i) {
      std::ofstream((dir / name).string(), std::ios::binary | std::ios::trunc)
          << Mutate(seed, random);
      Bitmap bitmap;
      if (LoadImageFile(sim, bitmap, name)) {
        ++loaded;
        EXPECT_TRUE(IsSaneImageSize(bitmap.width(), bitmap.height())) << name;
        EXPECT_EQ(bitmap.Bytes().size(), std::size_t(bitmap.width()) * bitmap.height() * 3);
      } else {
        ++refused;
      }
    }
  }
  std::filesystem::remove_all(dir);
  // Both outcomes occur, or the mutations do not reach the parsers' checks.
  EXPECT_GT(loaded, 100);
  EXPECT_GT(refused, 100);
}

}  // namespace
}  // namespace tk
