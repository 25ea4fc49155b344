// The plain BMP file: its row rule, and a 24-bit bottom-up writer for the
// tools, the tests and the simulated desktop's resources.
#pragma once

#include <cstdint>
#include <string>

#include "base/bitmap.h"

namespace tk {

// Bytes of one row of an uncompressed array: whole 32-bit words.
std::int64_t DibStride(std::int64_t width, int bits_per_pixel);

std::string EncodeBmp24(const Bitmap& bitmap);

}  // namespace tk
