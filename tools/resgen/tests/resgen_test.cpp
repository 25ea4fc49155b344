// Reads the encoded files back the way Windows does (directory, bottom-up
// DIB rows, AND mask) and checks the pictures inside them.
#include <gtest/gtest.h>

#include "art.h"
#include "formats.h"

namespace tk::resgen {
namespace {

std::uint32_t U16At(const Bytes& b, std::size_t at) {
  return b.at(at) | b.at(at + 1) << 8;
}
std::uint32_t U32At(const Bytes& b, std::size_t at) {
  return U16At(b, at) | U16At(b, at + 2) << 16;
}

struct DirEntry {
  int width, height, colour_count, field4, field6;
  std::uint32_t bytes, offset;
};

DirEntry EntryAt(const Bytes& file, int index) {
  const std::size_t at = 6 + 16 * static_cast<std::size_t>(index);
  return {file.at(at),
          file.at(at + 1),
          file.at(at + 2),
          int(U16At(file, at + 4)),
          int(U16At(file, at + 6)),
          U32At(file, at + 8),
          U32At(file, at + 12)};
}

// Bit (x, y) of a 1-bit plane stored bottom-up starting at `at`.
bool BitAt(const Bytes& file, std::size_t at, int width, int height, int x, int y) {
  const std::size_t stride = (width + 31) / 32 * 4;
  const std::uint8_t byte = file.at(at + stride * (height - 1 - y) + x / 8);
  return (byte >> (7 - x % 8)) & 1;
}

TEST(IconFile, DirectoryListsBothSizesBackToBack) {
  const Bytes file = EncodeIconFile({PaintFaceIcon(32), PaintFaceIcon(16)});
  ASSERT_EQ(U16At(file, 0), 0u);
  EXPECT_EQ(U16At(file, 2), 1u);  // icon, not cursor
  ASSERT_EQ(U16At(file, 4), 2u);
  std::uint32_t expected_offset = 6 + 2 * 16;
  for (int i = 0; i < 2; ++i) {
    const DirEntry e = EntryAt(file, i);
    const int size = i == 0 ? 32 : 16;
    EXPECT_EQ(e.width, size);
    EXPECT_EQ(e.height, size);
    EXPECT_EQ(e.field4, 1);   // planes
    EXPECT_EQ(e.field6, 32);  // bits per pixel
    EXPECT_EQ(e.offset, expected_offset);
    // Header, colour pixels, then the AND mask with rows padded to 4 bytes.
    const std::uint32_t mask_bytes = (size + 31) / 32 * 4 * size;
    EXPECT_EQ(e.bytes, 40u + size * size * 4 + mask_bytes);
    EXPECT_EQ(U32At(file, e.offset + 4), std::uint32_t(size));
    EXPECT_EQ(U32At(file, e.offset + 8), std::uint32_t(size * 2));  // colour rows + mask rows
    EXPECT_EQ(U16At(file, e.offset + 14), 32u);
    expected_offset += e.bytes;
  }
  EXPECT_EQ(file.size(), expected_offset);
}

TEST(IconFile, MaskAndAlphaAgreeAndTheFaceIsRound) {
  const Bytes file = EncodeIconFile({PaintFaceIcon(32)});
  const DirEntry e = EntryAt(file, 0);
  const std::size_t pixels = e.offset + 40;
  const std::size_t mask = pixels + 32 * 32 * 4;
  auto alpha = [&](int x, int y) { return file.at(pixels + ((31 - y) * 32 + x) * 4 + 3); };
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      EXPECT_EQ(BitAt(file, mask, 32, 32, x, y), alpha(x, y) == 0) << x << "," << y;
    }
  }
  EXPECT_EQ(alpha(0, 0), 0);  // corners stay clear
  EXPECT_EQ(alpha(31, 31), 0);
  EXPECT_EQ(alpha(16, 16), 255);
  EXPECT_EQ(alpha(16, 30), 255);  // bottom of the face, which a flipped image would lose
}

TEST(CursorFile, MonochromeWithHotSpot) {
  for (const Image& hand : {PaintOpenHand(), PaintClosedHand()}) {
    const Bytes file = EncodeCursorFile(hand, kHandHotX, kHandHotY);
    EXPECT_EQ(U16At(file, 2), 2u);  // cursor
    ASSERT_EQ(U16At(file, 4), 1u);
    const DirEntry e = EntryAt(file, 0);
    EXPECT_EQ(e.width, 32);
    EXPECT_EQ(e.height, 32);
    EXPECT_EQ(e.field4, 14);
    EXPECT_EQ(e.field6, 16);
    EXPECT_EQ(e.offset + e.bytes, file.size());
    EXPECT_EQ(U16At(file, e.offset + 14), 1u);
    EXPECT_EQ(U32At(file, e.offset + 40), 0x000000u);  // colour 0 black
    EXPECT_EQ(U32At(file, e.offset + 44), 0xFFFFFFu);  // colour 1 white
  }
}

TEST(CursorFile, PlanesMatchThePicture) {
  const Image hand = PaintOpenHand();
  const Bytes file = EncodeCursorFile(hand, kHandHotX, kHandHotY);
  const std::size_t colour = EntryAt(file, 0).offset + 48;
  const std::size_t mask = colour + 4 * 32;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const Rgba p = hand.at(x, y);
      EXPECT_EQ(BitAt(file, mask, 32, 32, x, y), p.a == 0) << x << "," << y;
      EXPECT_EQ(BitAt(file, colour, 32, 32, x, y), p == kWhite) << x << "," << y;
    }
  }
}

TEST(CursorFile, RefusesHotSpotOutside) {
  EXPECT_THROW(EncodeCursorFile(PaintOpenHand(), 32, 0), std::invalid_argument);
}

TEST(HandCursors, HotSpotGripsTheHandAndTheTwoDiffer) {
  const Image open = PaintOpenHand();
  const Image closed = PaintClosedHand();
  EXPECT_EQ(open.at(kHandHotX, kHandHotY), kWhite);
  EXPECT_EQ(closed.at(kHandHotX, kHandHotY), kWhite);
  // Only the open hand reaches up with its fingers.
  EXPECT_NE(open.at(14, 5), kTransparent);
  EXPECT_EQ(closed.at(14, 5), kTransparent);
  for (const Image* hand : {&open, &closed}) {
    for (int x = 0; x < 32; ++x) {
      EXPECT_EQ(hand->at(x, 0), kTransparent);  // room around, nothing cut at the edge
      EXPECT_EQ(hand->at(x, 31), kTransparent);
    }
  }
}

class PromptBitmap : public ::testing::Test {
 protected:
  const Bytes file = EncodeBitmapFile(PaintPromptStrip(), StandardPalette());
  static constexpr std::size_t kPixels = 14 + 40 + 64;

  // Palette index of pixel (x, y), read from the bottom-up 4-bit rows.
  int IndexAt(int x, int y) const {
    const std::uint8_t byte = file.at(kPixels + 32 * (15 - y) + x / 2);
    return x % 2 == 0 ? byte >> 4 : byte & 15;
  }
  std::uint32_t ColourAt(int x, int y) const { return U32At(file, 54 + 4 * IndexAt(x, y)); }
};

TEST_F(PromptBitmap, Headers) {
  EXPECT_EQ(file.at(0), 'B');
  EXPECT_EQ(file.at(1), 'M');
  EXPECT_EQ(U32At(file, 2), file.size());
  EXPECT_EQ(file.size(), kPixels + 32 * 16);
  EXPECT_EQ(U32At(file, 10), kPixels);
  EXPECT_EQ(U32At(file, 18), 64u);
  EXPECT_EQ(U32At(file, 22), 16u);
  EXPECT_EQ(U16At(file, 28), 4u);
  EXPECT_EQ(U32At(file, 46), 16u);
}

TEST_F(PromptBitmap, GreenFieldWithOnlyArrowColours) {
  constexpr std::uint32_t kGreen = 0x00FF00, kBlack = 0, kWhite = 0xFFFFFF, kCyan = 0x00FFFF;
  int counts[4] = {};
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 64; ++x) {
      const std::uint32_t c = ColourAt(x, y);
      const int kind = c == kGreen ? 0 : c == kBlack ? 1 : c == kWhite ? 2 : c == kCyan ? 3 : -1;
      ASSERT_GE(kind, 0) << x << "," << y;
      ++counts[kind];
    }
  }
  EXPECT_EQ(ColourAt(0, 0), kGreen);
  for (int count : counts) EXPECT_GT(count, 0);
}

TEST_F(PromptBitmap, EachFrameIsTheFirstTwoPixelsLower) {
  const int green = IndexAt(0, 0);
  for (int frame = 1; frame < 4; ++frame) {
    const int drop = 2 * frame;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        const int expected = y >= drop ? IndexAt(x, y - drop) : green;
        EXPECT_EQ(IndexAt(frame * 16 + x, y), expected)
            << "frame " << frame << " " << x << "," << y;
      }
    }
  }
  // Nothing of the first frame would fall off the bottom of the last one.
  for (int y = 16 - 6; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) EXPECT_EQ(IndexAt(x, y), green);
  }
}

TEST_F(PromptBitmap, ArrowPointsDown) {
  auto width_of_row = [&](int y) {
    int n = 0;
    for (int x = 0; x < 16; ++x) n += IndexAt(x, y) != IndexAt(0, 0);
    return n;
  };
  int previous = 17, rows = 0;
  for (int y = 0; y < 16; ++y) {
    const int w = width_of_row(y);
    if (w == 0) continue;
    EXPECT_LT(w, previous) << "row " << y;
    previous = w;
    ++rows;
  }
  EXPECT_EQ(previous, 1);  // ends in a point
  EXPECT_GE(rows, 5);
}

}  // namespace
}  // namespace tk::resgen
