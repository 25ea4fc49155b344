#include "formats.h"

#include <stdexcept>

namespace tk::resgen {
namespace {

constexpr int kIconDirSize = 6;
constexpr int kIconDirEntrySize = 16;
constexpr int kInfoHeaderSize = 40;
constexpr int kFileHeaderSize = 14;
constexpr std::uint16_t kIconType = 1;
constexpr std::uint16_t kCursorType = 2;

class ByteWriter {
 public:
  void U8(std::uint8_t v) { bytes_.push_back(v); }
  void U16(std::uint16_t v) {
    U8(static_cast<std::uint8_t>(v));
    U8(static_cast<std::uint8_t>(v >> 8));
  }
  void U32(std::uint32_t v) {
    U16(static_cast<std::uint16_t>(v));
    U16(static_cast<std::uint16_t>(v >> 16));
  }
  void Append(const Bytes& more) { bytes_.insert(bytes_.end(), more.begin(), more.end()); }
  Bytes Take() { return std::move(bytes_); }
  std::size_t size() const { return bytes_.size(); }

 private:
  Bytes bytes_;
};

// Rows of a DIB are padded to whole 32-bit words.
std::uint32_t RowStride(int width, int bits_per_pixel) {
  return static_cast<std::uint32_t>((width * bits_per_pixel + 31) / 32 * 4);
}

void InfoHeader(ByteWriter& out, int width, int stored_height, int bits_per_pixel,
                std::uint32_t image_bytes, std::uint32_t colours_used) {
  out.U32(kInfoHeaderSize);
  out.U32(static_cast<std::uint32_t>(width));
  out.U32(static_cast<std::uint32_t>(stored_height));
  out.U16(1);  // planes
  out.U16(static_cast<std::uint16_t>(bits_per_pixel));
  out.U32(0);  // BI_RGB
  out.U32(image_bytes);
  out.U32(2835);  // 72 dots per inch, in dots per metre
  out.U32(2835);
  out.U32(colours_used);
  out.U32(0);
}

void PaletteEntry(ByteWriter& out, Rgba colour) {
  out.U8(colour.b);
  out.U8(colour.g);
  out.U8(colour.r);
  out.U8(0);
}

// Packs one bit per pixel, most significant bit first, bottom row first.
template <typename BitOf>
void BitPlane(ByteWriter& out, int width, int height, BitOf bit_of) {
  const std::uint32_t stride = RowStride(width, 1);
  for (int y = height - 1; y >= 0; --y) {
    Bytes row(stride, 0);
    for (int x = 0; x < width; ++x) {
      if (bit_of(x, y)) row[static_cast<std::size_t>(x / 8)] |= 0x80 >> (x % 8);
    }
    out.Append(row);
  }
}

void TransparencyMask(ByteWriter& out, const Image& image) {
  BitPlane(out, image.width(), image.height(), [&](int x, int y) { return image.at(x, y).a == 0; });
}

Bytes IconImage32(const Image& image) {
  const std::uint32_t colour_bytes = RowStride(image.width(), 32) * image.height();
  const std::uint32_t mask_bytes = RowStride(image.width(), 1) * image.height();
  ByteWriter out;
  InfoHeader(out, image.width(), image.height() * 2, 32, colour_bytes + mask_bytes, 0);
  for (int y = image.height() - 1; y >= 0; --y) {
    for (int x = 0; x < image.width(); ++x) {
      const Rgba p = image.at(x, y);
      const Rgba stored = p.a == 0 ? kTransparent : p;
      out.U8(stored.b);
      out.U8(stored.g);
      out.U8(stored.r);
      out.U8(stored.a);
    }
  }
  TransparencyMask(out, image);
  return out.Take();
}

bool IsBright(Rgba p) {
  return p.r * 299 + p.g * 587 + p.b * 114 >= 128 * 1000;
}

Bytes CursorImage1(const Image& image) {
  const std::uint32_t plane_bytes = RowStride(image.width(), 1) * image.height();
  ByteWriter out;
  InfoHeader(out, image.width(), image.height() * 2, 1, plane_bytes * 2, 2);
  PaletteEntry(out, kBlack);
  PaletteEntry(out, kWhite);
  BitPlane(out, image.width(), image.height(), [&](int x, int y) {
    const Rgba p = image.at(x, y);
    return p.a != 0 && IsBright(p);
  });
  TransparencyMask(out, image);
  return out.Take();
}

// The directory entry's byte width and height hold 256 as 0.
std::uint8_t DirectorySize(int pixels) {
  if (pixels < 1 || pixels > 256) throw std::invalid_argument("icon size out of range");
  return static_cast<std::uint8_t>(pixels % 256);
}

struct DirectoryEntry {
  int width, height;
  std::uint8_t colour_count;
  std::uint16_t planes_or_hot_x, bits_or_hot_y;
};

Bytes IconDirectoryFile(std::uint16_t type, const std::vector<DirectoryEntry>& entries,
                        const std::vector<Bytes>& images) {
  ByteWriter out;
  out.U16(0);
  out.U16(type);
  out.U16(static_cast<std::uint16_t>(entries.size()));
  std::uint32_t offset =
      kIconDirSize + kIconDirEntrySize * static_cast<std::uint32_t>(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const DirectoryEntry& e = entries[i];
    out.U8(DirectorySize(e.width));
    out.U8(DirectorySize(e.height));
    out.U8(e.colour_count);
    out.U8(0);
    out.U16(e.planes_or_hot_x);
    out.U16(e.bits_or_hot_y);
    out.U32(static_cast<std::uint32_t>(images[i].size()));
    out.U32(offset);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  for (const Bytes& image : images) out.Append(image);
  return out.Take();
}

}  // namespace

Bytes EncodeIconFile(const std::vector<Image>& images) {
  std::vector<DirectoryEntry> entries;
  std::vector<Bytes> encoded;
  for (const Image& image : images) {
    entries.push_back({image.width(), image.height(), 0, 1, 32});
    encoded.push_back(IconImage32(image));
  }
  return IconDirectoryFile(kIconType, entries, encoded);
}

Bytes EncodeCursorFile(const Image& image, int hot_x, int hot_y) {
  if (!image.Contains(hot_x, hot_y)) throw std::invalid_argument("hot spot outside the cursor");
  const DirectoryEntry entry{image.width(), image.height(), 2, static_cast<std::uint16_t>(hot_x),
                             static_cast<std::uint16_t>(hot_y)};
  return IconDirectoryFile(kCursorType, {entry}, {CursorImage1(image)});
}

Bytes EncodeBitmapFile(const IndexedImage& image, const Palette16& palette) {
  const std::uint32_t stride = RowStride(image.width(), 4);
  const std::uint32_t pixel_bytes = stride * image.height();
  const std::uint32_t pixel_offset = kFileHeaderSize + kInfoHeaderSize + 4 * 16;
  ByteWriter out;
  out.U8('B');
  out.U8('M');
  out.U32(pixel_offset + pixel_bytes);
  out.U32(0);
  out.U32(pixel_offset);
  InfoHeader(out, image.width(), image.height(), 4, pixel_bytes, 16);
  for (Rgba colour : palette) PaletteEntry(out, colour);
  for (int y = image.height() - 1; y >= 0; --y) {
    Bytes row(stride, 0);
    for (int x = 0; x < image.width(); ++x) {
      const int shift = x % 2 == 0 ? 4 : 0;
      row[static_cast<std::size_t>(x / 2)] |=
          static_cast<std::uint8_t>((image.at(x, y) & 15) << shift);
    }
    out.Append(row);
  }
  return out.Take();
}

}  // namespace tk::resgen
