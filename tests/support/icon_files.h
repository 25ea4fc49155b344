// Small cursor and icon files the system loads: one 32 x 32 two-colour
// image, its colour bits and its mask.
#pragma once

#include <cstdint>
#include <string>

namespace tk::testing {

inline std::string IconDirectoryBytes(std::uint16_t type) {
  constexpr int kSide = 32;
  constexpr int kMaskBytes = kSide / 8 * kSide;
  constexpr int kImageBytes = 40 + 2 * 4 + 2 * kMaskBytes;
  std::string s(22 + kImageBytes, '\0');
  auto put = [&](std::size_t at, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
  };
  put(2, type, 2);
  put(4, 1, 2);
  put(6, kSide, 1);
  put(7, kSide, 1);
  put(8, 2, 1);                   // colours
  put(10, type == 1 ? 1 : 0, 2);  // planes, or the hot spot's x
  put(12, type == 1 ? 1 : 0, 2);  // bits per pixel, or the hot spot's y
  put(14, kImageBytes, 4);
  put(18, 22, 4);  // image offset
  put(22, 40, 4);  // the image's header: size, width, height of colour and mask
  put(26, kSide, 4);
  put(30, 2 * kSide, 4);
  put(34, 1, 2);  // planes
  put(36, 1, 2);  // bits per pixel
  put(42, 2 * kMaskBytes, 4);
  put(66, 0xFFFFFF, 4);  // palette: black, white
  return s;
}
inline std::string CursorFileBytes() {
  return IconDirectoryBytes(2);
}
inline std::string IconFileBytes() {
  return IconDirectoryBytes(1);
}

}  // namespace tk::testing
