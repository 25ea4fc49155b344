// Device-independent pixel arrays (the pixel part of BMP and SGD files)
// turned into 24-bit pictures, as the system's own DIB conversion does.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "base/bitmap.h"
#include "base/bmp_writer.h"

namespace tk {

enum DibCompression : std::uint32_t { kDibRgb = 0, kDibRle8 = 1, kDibRle4 = 2, kDibBitFields = 3 };

struct DibFormat {
  std::int64_t width = 0;
  std::int64_t height = 0;  // negative: the first row in the array is the top one
  int bits_per_pixel = 0;
  std::uint32_t compression = kDibRgb;
  std::array<std::uint32_t, 3> masks{};  // red, green, blue; used with kDibBitFields
};

using ByteSpan = std::span<const std::uint8_t>;
// Colour table entries as 0x00RRGGBB.
using ColourTable = std::vector<std::uint32_t>;

// Checks the size, depth and compression before anything is allocated.
bool IsSupportedDib(const DibFormat& format);

// An uncompressed (RGB or bit-field) array of at least stride x |height|
// bytes. Palette indices past the table's end give black.
std::optional<Bitmap> ConvertDib(const DibFormat& format, const ColourTable& colours,
                                 ByteSpan pixels);

// RLE8 and RLE4 arrays (bottom-up only). Pixels the codes skip stay black;
// data that ends between codes ends the picture there, a code cut short by
// the end of the data fails.
std::optional<Bitmap> DecodeRleDib(const DibFormat& format, const ColourTable& colours,
                                   ByteSpan data);

}  // namespace tk
