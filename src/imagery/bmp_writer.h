// A plain 24-bit bottom-up BMP file, for the tools and tests.
#pragma once

#include <string>

#include "imagery/bitmap.h"

namespace tk {

std::string EncodeBmp24(const Bitmap& bitmap);

}  // namespace tk
