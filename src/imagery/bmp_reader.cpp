#include "imagery/bmp_reader.h"

#include <algorithm>

#include "imagery/byte_reader.h"

namespace tk {

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::uint32_t kCoreHeaderBytes = 12;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::size_t kMaxColours = 256;

bool IsKnownHeaderSize(std::uint32_t size) {
  return size == kCoreHeaderBytes || size == kInfoHeaderBytes || size == 52 || size == 56 ||
         size == 108 || size == 124;
}

struct Layout {
  DibFormat format;
  std::size_t table_offset = 0;
  std::size_t table_entries = 0;
  std::size_t entry_bytes = 4;
};

std::optional<Layout> ReadCoreHeader(const ByteReader& in) {
  const auto width = in.U16(18), height = in.U16(20), bpp = in.U16(24);
  if (!width || !height || !bpp) return std::nullopt;
  Layout l;
  l.format.width = *width;
  l.format.height = *height;
  l.format.bits_per_pixel = *bpp;
  l.table_offset = kFileHeaderBytes + kCoreHeaderBytes;
  l.table_entries = *bpp <= 8 ? std::size_t{1} << *bpp : 0;
  l.entry_bytes = 3;
  return l;
}

std::optional<Layout> ReadInfoHeader(const ByteReader& in, std::uint32_t header_size) {
  const auto width = in.I32(18), height = in.I32(22);
  const auto bpp = in.U16(28);
  const auto compression = in.U32(30), used = in.U32(46);
  if (!width || !height || !bpp || !compression || !used) return std::nullopt;
  Layout l;
  l.format.width = *width;
  l.format.height = *height;
  l.format.bits_per_pixel = *bpp;
  l.format.compression = *compression;
  l.table_offset = kFileHeaderBytes + header_size;
  if (*compression == kDibBitFields) {
    // Version 2 and later headers hold the masks; a plain info header is
    // followed by them.
    const auto r = in.U32(54), g = in.U32(58), b = in.U32(62);
    if (!r || !g || !b) return std::nullopt;
    l.format.masks = {*r, *g, *b};
    if (header_size == kInfoHeaderBytes) l.table_offset += 12;
  }
  const std::size_t full = *bpp <= 8 ? std::size_t{1} << *bpp : 0;
  // A count beyond what the depth can index is a lie; the depth wins.
  l.table_entries = *used == 0 ? full : std::min<std::size_t>(*used, full ? full : kMaxColours);
  return l;
}

// The entries that really are in the file; indices past them read as black.
ColourTable ReadColourTable(const ByteReader& in, const Layout& l) {
  ColourTable colours;
  const std::size_t entries = std::min(l.table_entries, kMaxColours);
  for (std::size_t i = 0; i < entries; ++i) {
    const auto entry = in.Slice(l.table_offset + i * l.entry_bytes, 3);
    if (!entry) break;
    colours.push_back((*entry)[0] | (*entry)[1] << 8 | (*entry)[2] << 16);
  }
  return colours;
}

}  // namespace

std::optional<Bitmap> ParseBmp(ByteSpan file) {
  const ByteReader in(file);
  const auto pixel_offset = in.U32(10);
  const auto header_size = in.U32(14);
  if (!pixel_offset || !header_size || !IsKnownHeaderSize(*header_size)) return std::nullopt;
  const auto layout =
      *header_size == kCoreHeaderBytes ? ReadCoreHeader(in) : ReadInfoHeader(in, *header_size);
  if (!layout || !IsSupportedDib(layout->format)) return std::nullopt;
  const ColourTable colours = ReadColourTable(in, *layout);
  // A zero offset means the pixels follow the colour table directly.
  const std::size_t start = *pixel_offset != 0
                                ? *pixel_offset
                                : layout->table_offset + colours.size() * layout->entry_bytes;
  if (start > in.size()) return std::nullopt;
  const ByteSpan pixels = file.subspan(start);
  const DibFormat& format = layout->format;
  auto bitmap = format.compression == kDibRle8 || format.compression == kDibRle4
                    ? DecodeRleDib(format, colours, pixels)
                    : ConvertDib(format, colours, pixels);
  if (bitmap) bitmap->palette = colours;
  return bitmap;
}

}  // namespace tk
