#include "platform/icon_files.h"

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

bool HasKnownDepth(std::uint64_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// An image the system can read: PNG, or a bitmap header with a size, one
// plane, a known depth and room for the colour bits and the mask. The
// system's own reader is not to be trusted with less (Wine divides by an
// image's width).
bool IsReadableImage(std::string_view image) {
  if (image.substr(0, 8) == std::string_view("\x89PNG\r\n\x1a\n", 8)) return true;
  if (image.size() < 40) return false;
  const std::uint64_t header = Le(image, 0, 4);
  const auto width = static_cast<std::int32_t>(Le(image, 4, 4));
  const auto height = static_cast<std::int32_t>(Le(image, 8, 4)) / 2;  // colour and mask
  const std::uint64_t bits = Le(image, 14, 2);
  if (header < 40 || width <= 0 || height <= 0 || Le(image, 12, 2) != 1 || !HasKnownDepth(bits) ||
      Le(image, 16, 4) != 0) {
    return false;
  }
  const std::uint64_t used_colours = Le(image, 32, 4);
  const std::uint64_t palette = bits > 8 ? 0 : used_colours != 0 ? used_colours : 1u << bits;
  const std::uint64_t row = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
  const std::uint64_t mask_row = (static_cast<std::uint64_t>(width) + 31) / 32 * 4;
  return header + palette * 4 + (row + mask_row) * static_cast<std::uint64_t>(height) <=
         image.size();
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
    if (!IsReadableImage(bytes.substr(offset, size))) return false;
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
