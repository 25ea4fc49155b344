// Encoders for the Windows resource files: icon, cursor and bitmap files.
// Every image inside is a bottom-up device-independent bitmap behind a
// 40-byte BITMAPINFOHEADER; icons and cursors append a 1-bit AND mask.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "image.h"

namespace tk::resgen {

using Bytes = std::vector<std::uint8_t>;
using Palette16 = std::array<Rgba, 16>;

// One 32-bit image per size. The AND mask marks the fully transparent pixels,
// so systems without alpha blending still show the right outline.
Bytes EncodeIconFile(const std::vector<Image>& images);

// A monochrome cursor: transparent pixels leave the screen alone, the others
// become black or white by brightness.
Bytes EncodeCursorFile(const Image& image, int hot_x, int hot_y);

// A 4-bit bitmap file with a 16-colour table.
Bytes EncodeBitmapFile(const IndexedImage& image, const Palette16& palette);

}  // namespace tk::resgen
