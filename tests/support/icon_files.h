// Smallest cursor and icon files the loaders accept: one directory entry
// whose image lies inside the file.
#pragma once

#include <cstdint>
#include <string>

namespace tk::testing {

inline std::string IconDirectoryBytes(std::uint16_t type) {
  std::string s(22 + 40, '\0');
  auto put = [&](std::size_t at, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
  };
  put(2, type, 2);
  put(4, 1, 2);
  put(6, 32, 1);
  put(7, 32, 1);
  put(14, 40, 4);  // image size
  put(18, 22, 4);  // image offset
  put(22, 40, 4);
  return s;
}
inline std::string CursorFileBytes() {
  return IconDirectoryBytes(2);
}
inline std::string IconFileBytes() {
  return IconDirectoryBytes(1);
}

}  // namespace tk::testing
