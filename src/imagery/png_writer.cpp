#include "imagery/png_writer.h"

#include <algorithm>
#include <array>
#include <vector>

namespace tk {

namespace {

using Bytes = std::vector<std::uint8_t>;

std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

void PutBe(Bytes& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void AppendChunk(Bytes& png, const char type[5], const Bytes& data) {
  PutBe(png, static_cast<std::uint32_t>(data.size()));
  const std::size_t type_at = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), data.begin(), data.end());
  PutBe(png, Crc32({png.data() + type_at, png.size() - type_at}));
}

// Each row: filter type 0, then red, green, blue.
Bytes RawRows(const Bitmap& bitmap) {
  Bytes raw;
  raw.reserve(static_cast<std::size_t>(bitmap.height()) * (bitmap.width() * 3 + 1));
  for (int y = 0; y < bitmap.height(); ++y) {
    raw.push_back(0);
    for (int x = 0; x < bitmap.width(); ++x) {
      const Bgr c = bitmap.At(x, y);
      raw.insert(raw.end(), {c.r, c.g, c.b});
    }
  }
  return raw;
}

// A zlib stream of stored blocks of at most 65535 bytes each.
Bytes StoredZlib(const Bytes& raw) {
  Bytes z{0x78, 0x01};
  std::size_t at = 0;
  do {
    const std::size_t n = std::min<std::size_t>(raw.size() - at, 65535);
    const bool last = at + n == raw.size();
    z.push_back(last ? 1 : 0);
    z.insert(z.end(), {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                       static_cast<std::uint8_t>(~n), static_cast<std::uint8_t>(~n >> 8)});
    z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
             raw.begin() + static_cast<std::ptrdiff_t>(at + n));
    at += n;
  } while (at < raw.size());
  PutBe(z, Adler32(raw));
  return z;
}

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc) {
  static const auto table = MakeCrcTable();
  crc = ~crc;
  for (std::uint8_t b : bytes) crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

std::uint32_t Adler32(std::span<const std::uint8_t> bytes) {
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : bytes) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

std::string EncodePng(const Bitmap& bitmap) {
  Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  PutBe(header, static_cast<std::uint32_t>(bitmap.width()));
  PutBe(header, static_cast<std::uint32_t>(bitmap.height()));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter, no interlace
  AppendChunk(png, "IHDR", header);
  AppendChunk(png, "IDAT", StoredZlib(RawRows(bitmap)));
  AppendChunk(png, "IEND", {});
  return std::string(png.begin(), png.end());
}

}  // namespace tk
