// Our own reader for BMP files (and GDT files, which are BMP files with any
// two bytes where the signature would be).
#pragma once

#include <optional>

#include "imagery/dib.h"

namespace tk {

// Core (OS/2) and info headers up to version 5; 1, 4, 8, 16, 24 and 32 bits
// per pixel, bit fields, RLE8 and RLE4, either row order. The signature
// bytes are not looked at. Fails on anything short, absurd or unsupported.
std::optional<Bitmap> ParseBmp(ByteSpan file);

}  // namespace tk
