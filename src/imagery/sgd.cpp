#include "imagery/sgd.h"

#include <algorithm>
#include <bit>
#include <cstring>

// 16-byte vectors are part of every x86-64 processor; 32-byte ones are used
// when the processor running the program has them.
#if defined(__SSE2__) || defined(_M_X64)
#define TK_SGD_SSE2 1
#include <emmintrin.h>
#else
#define TK_SGD_SSE2 0
#endif
#if TK_SGD_SSE2 && defined(__GNUC__)
#define TK_SGD_AVX2 1
#include <immintrin.h>
#else
#define TK_SGD_AVX2 0
#endif

#include "imagery/byte_reader.h"

namespace tk {

namespace {

constexpr char kSignature[4] = {'S', 'G', 'D', '\0'};

struct SgdHeader {
  bool compressed = false;
  std::uint32_t data_offset = 0;
  std::uint32_t compressed_length = 0;
  std::uint32_t array_length = 0;
  DibFormat format;
};

std::optional<SgdHeader> ReadHeader(const ByteReader& in, ByteSpan file) {
  if (!in.Has(0, kSgdDataOffset) || std::memcmp(file.data(), kSignature, 4) != 0) return {};
  SgdHeader h;
  h.compressed = file[4] != 0;
  h.data_offset = *in.U32(8);
  h.compressed_length = *in.U32(12);
  const std::uint32_t end = *in.U32(16), start = *in.U32(24);
  if (end < start) return {};
  h.array_length = end - start;
  h.format.width = *in.I32(kSgdHeaderBytes + 4);
  h.format.height = *in.I32(kSgdHeaderBytes + 8);
  h.format.bits_per_pixel = *in.U16(kSgdHeaderBytes + 14);
  h.format.compression = *in.U32(kSgdHeaderBytes + 16);
  // With bit fields the masks take the place of the first table entries.
  const std::size_t table = kSgdHeaderBytes + kSgdInfoHeaderBytes;
  h.format.masks = {*in.U32(table), *in.U32(table + 4), *in.U32(table + 8)};
  return h;
}

ColourTable ReadColourTable(ByteSpan file, int bits_per_pixel) {
  ColourTable colours;
  if (bits_per_pixel > 8) return colours;
  const std::size_t table = kSgdHeaderBytes + kSgdInfoHeaderBytes;
  for (std::size_t i = 0; i < 256; ++i) {
    const std::uint8_t* e = &file[table + i * 4];
    colours.push_back(e[0] | e[1] << 8 | e[2] << 16);
  }
  return colours;
}

}  // namespace

std::optional<Bitmap> ParseSgd(ByteSpan file) {
  const ByteReader in(file);
  const auto header = ReadHeader(in, file);
  if (!header) return {};
  const DibFormat& format = header->format;
  if (!IsSupportedDib(format) || format.compression == kDibRle8 || format.compression == kDibRle4) {
    return {};
  }
  // The array is as wide as the conversion reads it; for 8 bits and more
  // that is exactly the byte-count formula of the format, for fewer bits it
  // keeps the packed pixels that a zero-byte row could not.
  const std::size_t stride =
      static_cast<std::size_t>(DibStride(format.width, format.bits_per_pixel));
  const std::size_t rows =
      static_cast<std::size_t>(format.height < 0 ? -format.height : format.height);
  const std::size_t need = stride * rows;
  if (header->array_length < need) return {};
  std::vector<std::uint8_t> decoded;
  ByteSpan pixels;
  if (header->compressed) {
    const auto block = in.Slice(header->data_offset, header->compressed_length);
    if (!block) return {};
    decoded.resize(need);
    if (!DecodeSgdBlock(*block, stride, rows, decoded)) return {};
    pixels = decoded;
  } else {
    const auto stored = in.Slice(header->data_offset, need);
    if (!stored) return {};
    pixels = *stored;
  }
  const ColourTable colours = ReadColourTable(file, format.bits_per_pixel);
  auto bitmap = ConvertDib(format, colours, pixels);
  if (bitmap) bitmap->palette = colours;
  return bitmap;
}

namespace {

// The block lists the array column of bytes by column, but the array is
// stored row by row, so writing each byte where it belongs touches a new
// cache line every time. Instead the bytes are decoded in order into a strip
// of whole columns small enough to stay in cache, and each full strip is then
// turned into rows a 16x16 tile at a time.
constexpr std::size_t kTile = 16;
constexpr std::size_t kStripTargetBytes = 128 * 1024;
constexpr std::size_t kSlack = 64;

// Columns per strip: a multiple of the tile width so that only the last strip
// of the array has a partial tile across, and at least one tile wide however
// tall the picture. Where the strip is wide enough, whole 64-byte cache lines
// of each row are written at once.
std::size_t StripColumns(std::size_t stride, std::size_t rows) {
  const std::size_t fit = kStripTargetBytes / rows;
  const std::size_t columns = fit >= 64 ? fit / 64 * 64 : std::max(kTile, fit / kTile * kTile);
  return std::min(columns, stride);
}

// The vector code below turns 16 columns of a strip into 16 rows with four
// rounds of interleaving, each doubling the width of the units already in
// place. Afterwards row j sits in register j with its four bits reversed.
#if TK_SGD_SSE2
constexpr std::size_t kRowAt[kTile] = {0, 8, 4, 12, 2, 10, 6, 14, 1, 9, 5, 13, 3, 11, 7, 15};

// Rows [r, r + 16) of columns [c0, c1), whose width is a multiple of 16.
void TileBand16(const std::uint8_t* strip, std::size_t c0, std::size_t c1, std::size_t rows,
                std::size_t r, std::uint8_t* out, std::size_t stride) {
  for (std::size_t c = c0; c < c1; c += kTile) {
    __m128i v[kTile], t[kTile];
    for (std::size_t i = 0; i < kTile; ++i) {
      v[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(strip + (c + i) * rows + r));
    }
    for (std::size_t i = 0; i < 8; ++i) {
      t[i] = _mm_unpacklo_epi8(v[2 * i], v[2 * i + 1]);
      t[i + 8] = _mm_unpackhi_epi8(v[2 * i], v[2 * i + 1]);
    }
    for (std::size_t i = 0; i < 8; ++i) {
      v[i] = _mm_unpacklo_epi16(t[2 * i], t[2 * i + 1]);
      v[i + 8] = _mm_unpackhi_epi16(t[2 * i], t[2 * i + 1]);
    }
    for (std::size_t i = 0; i < 8; ++i) {
      t[i] = _mm_unpacklo_epi32(v[2 * i], v[2 * i + 1]);
      t[i + 8] = _mm_unpackhi_epi32(v[2 * i], v[2 * i + 1]);
    }
    for (std::size_t i = 0; i < 8; ++i) {
      v[i] = _mm_unpacklo_epi64(t[2 * i], t[2 * i + 1]);
      v[i + 8] = _mm_unpackhi_epi64(t[2 * i], t[2 * i + 1]);
    }
    for (std::size_t j = 0; j < kTile; ++j) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + (r + j) * stride + c), v[kRowAt[j]]);
    }
  }
}
#endif

#if TK_SGD_AVX2
// As TileBand16 for as many 32-column tiles as fit below c1; returns where
// it stopped. Each register holds a column in its low half and the column
// 16 further on in its high half; the interleaving works on both halves side
// by side, so a register ends up holding 32 bytes of one row.
__attribute__((target("avx2"))) std::size_t TileBand16Wide(const std::uint8_t* strip,
                                                           std::size_t c1, std::size_t rows,
                                                           std::size_t r, std::uint8_t* out,
                                                           std::size_t stride) {
  std::size_t c = 0;
  for (; c + 2 * kTile <= c1; c += 2 * kTile) {
    __m256i v[kTile], t[kTile];
    for (std::size_t i = 0; i < kTile; ++i) {
      const std::uint8_t* low = strip + (c + i) * rows + r;
      v[i] = _mm256_inserti128_si256(
          _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(low))),
          _mm_loadu_si128(reinterpret_cast<const __m128i*>(low + kTile * rows)), 1);
    }
    for (std::size_t i = 0; i < 8; ++i) {
      t[i] = _mm256_unpacklo_epi8(v[2 * i], v[2 * i + 1]);
      t[i + 8] = _mm256_unpackhi_epi8(v[2 * i], v[2 * i + 1]);
    }
    for (std::size_t i = 0; i < 8; ++i) {
      v[i] = _mm256_unpacklo_epi16(t[2 * i], t[2 * i + 1]);
      v[i + 8] = _mm256_unpackhi_epi16(t[2 * i], t[2 * i + 1]);
    }
    for (std::size_t i = 0; i < 8; ++i) {
      t[i] = _mm256_unpacklo_epi32(v[2 * i], v[2 * i + 1]);
      t[i + 8] = _mm256_unpackhi_epi32(v[2 * i], v[2 * i + 1]);
    }
    for (std::size_t i = 0; i < 8; ++i) {
      v[i] = _mm256_unpacklo_epi64(t[2 * i], t[2 * i + 1]);
      v[i + 8] = _mm256_unpackhi_epi64(t[2 * i], t[2 * i + 1]);
    }
    for (std::size_t j = 0; j < kTile; ++j) {
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + (r + j) * stride + c), v[kRowAt[j]]);
    }
  }
  return c;
}

bool HasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
}
#endif

// Rows [r0, r1) of columns [c0, c1), one byte at a time, a column at a time
// so that the strip is read in order.
void CopyColumns(const std::uint8_t* strip, std::size_t rows, std::size_t r0, std::size_t r1,
                 std::size_t c0, std::size_t c1, std::uint8_t* out, std::size_t stride) {
  for (std::size_t c = c0; c < c1; ++c) {
    for (std::size_t j = r0; j < r1; ++j) out[j * stride + c] = strip[c * rows + j];
  }
}

// Copies `columns` columns of `rows` bytes each, stored one after the other
// in `strip`, into rows of `stride` bytes starting at `out`.
void StripToRows(const std::uint8_t* strip, std::size_t columns, std::size_t rows,
                 std::uint8_t* out, std::size_t stride) {
  const std::size_t tiled = TK_SGD_SSE2 ? columns / kTile * kTile : 0;
  std::size_t r = 0;
#if TK_SGD_SSE2
  for (; r + kTile <= rows; r += kTile) {
    std::size_t c = 0;
#if TK_SGD_AVX2
    if (HasAvx2()) c = TileBand16Wide(strip, tiled, rows, r, out, stride);
#endif
    TileBand16(strip, c, tiled, rows, r, out, stride);
  }
#endif
  CopyColumns(strip, rows, 0, r, tiled, columns, out, stride);
  CopyColumns(strip, rows, r, rows, 0, columns, out, stride);
}

}  // namespace

bool DecodeSgdBlock(ByteSpan block, std::size_t stride, std::size_t rows,
                    std::span<std::uint8_t> out) {
  if (stride == 0 || rows == 0) return true;
  if (out.size() / stride < rows) return false;
  const std::size_t strip_columns = StripColumns(stride, rows);
  // The slack lets literal copies and run fills store whole chunks (up to 64
  // bytes past the fill point); what lands there is overwritten by later
  // bytes or never moved out. The strip is no larger than `out`, whose size
  // the caller has already checked.
  std::vector<std::uint8_t> strip(strip_columns * rows + kSlack);

  const std::uint8_t* const in = block.data();
  const std::size_t in_size = block.size();
  std::size_t pos = 0;
  std::size_t column = 0;  // first column of the strip being filled
  std::size_t columns = strip_columns;
  std::uint8_t* fill = strip.data();
  std::uint8_t* strip_end = fill + columns * rows;
  // Moves the full strip into place; false once every column is written.
  const auto next_strip = [&] {
    StripToRows(strip.data(), columns, rows, out.data() + column, stride);
    column += columns;
    if (column == stride) return false;
    columns = std::min(strip_columns, stride - column);
    fill = strip.data();
    strip_end = fill + columns * rows;
    return true;
  };

  for (;;) {
    if (in_size - pos < 2) return false;
    // The items still to come sit in the top bits, first item highest.
    std::uint32_t items = std::uint32_t{in[pos]} << 16 | std::uint32_t{in[pos + 1]} << 24;
    pos += 2;
    // Noisy areas are whole words of one-byte items: one copy, no item loop,
    // when the strip and the block both have room for all sixteen.
    if (items == 0 && in_size - pos >= 16 && strip_end - fill > 16) {
      std::memcpy(fill, in + pos, 16);
      fill += 16;
      pos += 16;
      continue;
    }
    int left = 16;
    while (left > 0) {
      // The one-byte items before the next run are copied together.
      const int singles = std::min(left, std::countl_zero(items));
      if (singles > 0) {
        const std::size_t n =
            std::min(static_cast<std::size_t>(singles), static_cast<std::size_t>(strip_end - fill));
        // Fewer bytes left than the array still needs from these items.
        if (in_size - pos < n) return false;
        if (in_size - pos >= 16) {
          std::memcpy(fill, in + pos, 16);
        } else {
          std::memcpy(fill, in + pos, n);
        }
        fill += n;
        pos += n;
        left -= static_cast<int>(n);
        items <<= n;
        if (fill == strip_end && !next_strip()) return true;
        continue;
      }
      if (in_size - pos < 2) return false;
      std::size_t count = std::size_t{in[pos]} + 1;
      std::uint8_t value[16];
      std::memset(value, in[pos + 1], sizeof value);
      pos += 2;
      --left;
      items <<= 1;
      for (;;) {
        const std::size_t here = std::min(count, static_cast<std::size_t>(strip_end - fill));
        // Most runs are short: four stores whatever the length, with no
        // branch to mispredict, and a loop only for the long ones.
        for (std::size_t i = 0; i < 64; i += 16) std::memcpy(fill + i, value, 16);
        for (std::size_t i = 64; i < here; i += 16) std::memcpy(fill + i, value, 16);
        fill += here;
        count -= here;
        if (fill != strip_end) break;
        // A run may end the array part way through; the rest is ignored.
        if (!next_strip()) return true;
        if (count == 0) break;
      }
    }
  }
}

}  // namespace tk
