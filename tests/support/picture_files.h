// Hand-made picture files for the tests: every header field is spelled out,
// so a test can make a file lie in exactly one way.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tk::testing {

using ByteString = std::string;

inline void PutLe(ByteString& s, std::size_t at, std::uint32_t v, int bytes) {
  if (s.size() < at + bytes) s.resize(at + bytes, '\0');
  for (int i = 0; i < bytes; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
}

struct BmpLayout {
  std::uint32_t header_size = 40;
  std::int32_t width = 1;
  std::int32_t height = 1;
  int bpp = 24;
  std::uint32_t compression = 0;
  std::vector<std::uint32_t> colours{};  // 0x00RRGGBB
  std::uint32_t colours_used = 0;
  std::vector<std::uint32_t> masks{};  // red, green, blue
  ByteString pixels{};                 // the array exactly as stored
};

// A BMP file laid out as the system writes them: file header, information
// header, masks, colour table, pixels; bfOffBits points at the pixels.
inline ByteString MakeBmp(const BmpLayout& layout) {
  ByteString f(14 + layout.header_size, '\0');
  f[0] = 'B';
  f[1] = 'M';
  PutLe(f, 14, layout.header_size, 4);
  if (layout.header_size == 12) {
    PutLe(f, 18, static_cast<std::uint32_t>(layout.width), 2);
    PutLe(f, 20, static_cast<std::uint32_t>(layout.height), 2);
    PutLe(f, 22, 1, 2);
    PutLe(f, 24, static_cast<std::uint32_t>(layout.bpp), 2);
  } else {
    PutLe(f, 18, static_cast<std::uint32_t>(layout.width), 4);
    PutLe(f, 22, static_cast<std::uint32_t>(layout.height), 4);
    PutLe(f, 26, 1, 2);
    PutLe(f, 28, static_cast<std::uint32_t>(layout.bpp), 2);
    PutLe(f, 30, layout.compression, 4);
    PutLe(f, 46, layout.colours_used, 4);
    for (std::size_t i = 0; i < layout.masks.size(); ++i) {
      if (layout.header_size == 40) {
        PutLe(f, f.size(), layout.masks[i], 4);  // after the header
      } else {
        PutLe(f, 54 + 4 * i, layout.masks[i], 4);  // inside it
      }
    }
  }
  const int entry = layout.header_size == 12 ? 3 : 4;
  for (std::uint32_t c : layout.colours) PutLe(f, f.size(), c, entry);
  PutLe(f, 10, static_cast<std::uint32_t>(f.size()), 4);
  f += layout.pixels;
  PutLe(f, 2, static_cast<std::uint32_t>(f.size()), 4);
  return f;
}

// Rows padded to whole 32-bit words, from `row_bytes` each.
inline ByteString Rows(const std::vector<ByteString>& rows) {
  ByteString out;
  for (ByteString r : rows) {
    while (r.size() % 4) r.push_back('\0');
    out += r;
  }
  return out;
}

}  // namespace tk::testing
