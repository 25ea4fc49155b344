#include "imagery/dib.h"

#include <algorithm>
#include <bit>

namespace tk {

namespace {

Bgr FromTable(const ColourTable& colours, std::size_t index) {
  if (index >= colours.size()) return {};
  const std::uint32_t c = colours[index];
  return {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8),
          static_cast<std::uint8_t>(c >> 16)};
}

// One channel under a bit-field mask, scaled to eight bits (only the eight
// highest bits of a wider field count).
std::uint8_t Channel(std::uint32_t value, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const int width = std::popcount(mask >> shift);
  const int bits = std::min(width, 8);
  const std::uint32_t v = ((value & mask) >> shift) >> (width - bits);
  const std::uint32_t full = (1u << bits) - 1;
  return static_cast<std::uint8_t>((v * 255 + full / 2) / full);
}

std::array<std::uint32_t, 3> MasksFor(const DibFormat& f) {
  if (f.compression == kDibBitFields) return f.masks;
  if (f.bits_per_pixel == 16) return {0x7C00, 0x03E0, 0x001F};
  return {0xFF0000, 0x00FF00, 0x0000FF};
}

std::uint32_t ReadLe(const std::uint8_t* p, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

void ConvertRow(const DibFormat& f, const ColourTable& colours, const std::uint8_t* src,
                Bitmap& out, int y) {
  const int width = out.width();
  const int bpp = f.bits_per_pixel;
  if (bpp <= 8) {
    const int per_byte = 8 / bpp;
    const unsigned mask = (1u << bpp) - 1;
    for (int x = 0; x < width; ++x) {
      const int shift = 8 - bpp * (x % per_byte + 1);
      out.Set(x, y, FromTable(colours, (src[x / per_byte] >> shift) & mask));
    }
  } else if (bpp == 24) {
    for (int x = 0; x < width; ++x) out.Set(x, y, {src[x * 3], src[x * 3 + 1], src[x * 3 + 2]});
  } else {
    const auto masks = MasksFor(f);
    const int bytes = bpp / 8;
    for (int x = 0; x < width; ++x) {
      const std::uint32_t v = ReadLe(src + x * bytes, bytes);
      out.Set(x, y, {Channel(v, masks[2]), Channel(v, masks[1]), Channel(v, masks[0])});
    }
  }
}

}  // namespace

bool IsSupportedDib(const DibFormat& f) {
  const std::int64_t height = f.height < 0 ? -f.height : f.height;
  if (!IsSaneImageSize(f.width, height)) return false;
  switch (f.compression) {
    case kDibRgb:
      return f.bits_per_pixel == 1 || f.bits_per_pixel == 4 || f.bits_per_pixel == 8 ||
             f.bits_per_pixel == 16 || f.bits_per_pixel == 24 || f.bits_per_pixel == 32;
    case kDibBitFields:
      return f.bits_per_pixel == 16 || f.bits_per_pixel == 32;
    case kDibRle8:
      return f.bits_per_pixel == 8 && f.height > 0;
    case kDibRle4:
      return f.bits_per_pixel == 4 && f.height > 0;
    default:
      return false;
  }
}

std::optional<Bitmap> ConvertDib(const DibFormat& f, const ColourTable& colours, ByteSpan pixels) {
  if (!IsSupportedDib(f) || f.compression == kDibRle8 || f.compression == kDibRle4) return {};
  const int width = static_cast<int>(f.width);
  const int height = static_cast<int>(f.height < 0 ? -f.height : f.height);
  const std::int64_t stride = DibStride(f.width, f.bits_per_pixel);
  if (static_cast<std::int64_t>(pixels.size()) < stride * height) return {};
  Bitmap out(width, height);
  for (int row = 0; row < height; ++row) {
    const int y = f.height < 0 ? row : height - 1 - row;
    ConvertRow(f, colours, pixels.data() + stride * row, out, y);
  }
  return out;
}

namespace {

// Walks RLE codes; pixels are palette indices written bottom row first.
class RleDecoder {
 public:
  RleDecoder(const DibFormat& f, const ColourTable& colours, ByteSpan data)
      : colours_(colours),
        data_(data),
        four_bit_(f.compression == kDibRle4),
        out_(static_cast<int>(f.width), static_cast<int>(f.height)) {}

  std::optional<Bitmap> Run() {
    while (pos_ < data_.size()) {
      if (pos_ + 2 > data_.size()) return {};
      const std::uint8_t count = data_[pos_], value = data_[pos_ + 1];
      pos_ += 2;
      if (count > 0) {
        Repeat(count, value);
      } else if (!Escape(value)) {
        return {};
      }
      if (done_) break;
    }
    return std::move(out_);
  }

 private:
  void Put(unsigned index) {
    if (x_ >= out_.width() || row_ >= out_.height()) return;  // clipped
    out_.Set(x_, out_.height() - 1 - row_, FromTable(colours_, index));
    ++x_;
  }
  void Repeat(int count, std::uint8_t value) {
    for (int i = 0; i < count; ++i) Put(four_bit_ ? (i % 2 ? value & 0x0F : value >> 4) : value);
  }
  bool Escape(std::uint8_t code) {
    switch (code) {
      case 0:  // end of line
        x_ = 0;
        NextRows(1);
        return true;
      case 1:  // end of picture
        done_ = true;
        return true;
      case 2:  // move right and up
        if (pos_ + 2 > data_.size()) return false;
        x_ = std::min(x_ + data_[pos_], out_.width());
        NextRows(data_[pos_ + 1]);
        pos_ += 2;
        return true;
      default:
        return Literal(code);
    }
  }
  // Nothing can be drawn above the top row, so the picture ends there.
  void NextRows(int rows) {
    row_ = std::min(row_ + rows, out_.height());
    if (row_ == out_.height()) done_ = true;
  }
  // `count` indices stored as they are, padded to a whole 16-bit word.
  bool Literal(int count) {
    const std::size_t bytes = four_bit_ ? (count + 1) / 2 : count;
    const std::size_t padded = (bytes + 1) & ~std::size_t{1};
    if (pos_ + padded > data_.size()) return false;
    for (int i = 0; i < count; ++i) {
      const std::uint8_t b = data_[pos_ + (four_bit_ ? i / 2 : i)];
      Put(four_bit_ ? (i % 2 ? b & 0x0F : b >> 4) : b);
    }
    pos_ += padded;
    return true;
  }

  const ColourTable& colours_;
  ByteSpan data_;
  bool four_bit_;
  Bitmap out_;
  std::size_t pos_ = 0;
  int x_ = 0;
  int row_ = 0;
  bool done_ = false;
};

}  // namespace

std::optional<Bitmap> DecodeRleDib(const DibFormat& f, const ColourTable& colours, ByteSpan data) {
  if (!IsSupportedDib(f) || (f.compression != kDibRle8 && f.compression != kDibRle4)) return {};
  return RleDecoder(f, colours, data).Run();
}

}  // namespace tk
