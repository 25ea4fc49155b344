#include "app/icon_files.h"

#include <cstdint>

namespace tk {

namespace {

constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;

std::uint32_t Le(std::string_view bytes, std::size_t at, std::size_t width) {
  std::uint32_t value = 0;
  for (std::size_t i = width; i-- > 0;)
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

bool IsDirectory(std::string_view bytes, std::uint32_t type) {
  if (bytes.size() < kDirectorySize || Le(bytes, 0, 2) != 0 || Le(bytes, 2, 2) != type) {
    return false;
  }
  const std::size_t count = Le(bytes, 4, 2);
  if (count == 0 || bytes.size() < kDirectorySize + count * kEntrySize) return false;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = kDirectorySize + i * kEntrySize;
    const std::uint64_t size = Le(bytes, entry + 8, 4);
    const std::uint64_t offset = Le(bytes, entry + 12, 4);
    if (size == 0 || offset < kDirectorySize + count * kEntrySize || offset + size > bytes.size()) {
      return false;
    }
  }
  return true;
}

bool IsAnimatedCursor(std::string_view bytes) {
  return bytes.size() >= 12 && bytes.substr(0, 4) == "RIFF" && bytes.substr(8, 4) == "ACON" &&
         Le(bytes, 4, 4) + 8ull <= bytes.size();
}

}  // namespace

bool IsIconFile(std::string_view bytes) {
  return bytes.size() <= kMaxIconFileBytes && IsDirectory(bytes, 1);
}

bool IsCursorFile(std::string_view bytes) {
  return bytes.size() <= kMaxIconFileBytes && (IsDirectory(bytes, 2) || IsAnimatedCursor(bytes));
}

}  // namespace tk
