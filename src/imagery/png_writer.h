// A PNG file of a picture: 8-bit RGB, no filtering, zlib stored blocks.
// Screenshots for authors and tests need no compression.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "base/bitmap.h"

namespace tk {

std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc = 0);
std::uint32_t Adler32(std::span<const std::uint8_t> bytes);

std::string EncodePng(const Bitmap& bitmap);

}  // namespace tk
