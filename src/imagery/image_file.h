// Reading a picture file of any supported kind into a 24-bit Bitmap.
#pragma once

#include <string>

#include "base/bitmap.h"

namespace tk {

class Platform;

// Larger files are refused unread; no picture within kMaxImagePixels needs
// more, even stored as is at 32 bits per pixel.
inline constexpr std::size_t kMaxImageFileBytes = 80u << 20;

// Picks the reader by the name's extension (.SGD, .GDT, .BMP, any letter
// case); other names fail without touching the file. On failure `bitmap` is
// left as it was.
bool LoadImageFile(Platform& platform, Bitmap& bitmap, const std::string& name);
bool LoadSgdFile(Platform& platform, const std::string& name, Bitmap& bitmap);

}  // namespace tk
