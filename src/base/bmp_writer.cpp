#include "base/bmp_writer.h"

#include <cstring>

namespace tk {

namespace {

void Put(std::string& s, std::size_t at, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i)
    s[at + static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i));
}

}  // namespace

std::int64_t DibStride(std::int64_t width, int bits_per_pixel) {
  return (width * bits_per_pixel + 31) / 32 * 4;
}

std::string EncodeBmp24(const Bitmap& bitmap) {
  constexpr std::size_t kHeaders = 14 + 40;
  const std::size_t stride = static_cast<std::size_t>(DibStride(bitmap.width(), 24));
  const std::size_t rows = static_cast<std::size_t>(bitmap.height());
  std::string file(kHeaders + stride * rows, '\0');
  file[0] = 'B';
  file[1] = 'M';
  Put(file, 2, static_cast<std::uint32_t>(file.size()), 4);
  Put(file, 10, kHeaders, 4);
  Put(file, 14, 40, 4);
  Put(file, 18, static_cast<std::uint32_t>(bitmap.width()), 4);
  Put(file, 22, static_cast<std::uint32_t>(bitmap.height()), 4);
  Put(file, 26, 1, 2);
  Put(file, 28, 24, 2);
  Put(file, 34, static_cast<std::uint32_t>(stride * rows), 4);
  for (std::size_t y = 0; y < rows; ++y) {
    std::memcpy(&file[kHeaders + stride * (rows - 1 - y)], bitmap.Row(static_cast<int>(y)),
                static_cast<std::size_t>(bitmap.width()) * 3);
  }
  return file;
}

}  // namespace tk
