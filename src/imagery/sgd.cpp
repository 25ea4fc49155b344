#include "imagery/sgd.h"

#include <algorithm>
#include <cstring>

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

// Output side of the decoder: bytes go down one column of the array and then
// on to the top of the next.
class ColumnWriter {
 public:
  ColumnWriter(std::span<std::uint8_t> out, std::size_t stride, std::size_t rows)
      : out_(out), stride_(stride), rows_(rows) {}

  bool Full() const { return column_ >= stride_; }

  void Write(std::uint8_t value, std::size_t count) {
    while (count > 0 && !Full()) {
      const std::size_t here = std::min(count, rows_ - row_);
      std::uint8_t* p = out_.data() + row_ * stride_ + column_;
      for (std::size_t i = 0; i < here; ++i, p += stride_) *p = value;
      row_ += here;
      count -= here;
      if (row_ == rows_) {
        row_ = 0;
        ++column_;
      }
    }
  }

 private:
  std::span<std::uint8_t> out_;
  std::size_t stride_;
  std::size_t rows_;
  std::size_t row_ = 0;
  std::size_t column_ = 0;
};

}  // namespace

bool DecodeSgdBlock(ByteSpan block, std::size_t stride, std::size_t rows,
                    std::span<std::uint8_t> out) {
  if (stride == 0 || rows == 0 || out.size() / stride < rows) return stride == 0 || rows == 0;
  ColumnWriter writer(out, stride, rows);
  std::size_t pos = 0;
  while (!writer.Full()) {
    if (pos + 2 > block.size()) return false;
    const unsigned control = block[pos] | block[pos + 1] << 8;
    pos += 2;
    for (int bit = 15; bit >= 0 && !writer.Full(); --bit) {
      if (control & (1u << bit)) {
        if (pos + 2 > block.size()) return false;
        writer.Write(block[pos + 1], std::size_t{block[pos]} + 1);
        pos += 2;
      } else {
        if (pos + 1 > block.size()) return false;
        writer.Write(block[pos], 1);
        pos += 1;
      }
    }
  }
  return true;
}

std::vector<std::uint8_t> EncodeSgdBlock(ByteSpan array, std::size_t stride, std::size_t rows) {
  std::vector<std::uint8_t> column_order;
  column_order.reserve(stride * rows);
  for (std::size_t c = 0; c < stride; ++c) {
    for (std::size_t r = 0; r < rows; ++r) column_order.push_back(array[r * stride + c]);
  }
  std::vector<std::uint8_t> out;
  std::size_t control_at = 0;
  int items = 16;
  for (std::size_t i = 0; i < column_order.size();) {
    if (items == 16) {
      control_at = out.size();
      out.insert(out.end(), {0, 0});
      items = 0;
    }
    std::size_t run = 1;
    while (run < 256 && i + run < column_order.size() && column_order[i + run] == column_order[i]) {
      ++run;
    }
    if (run >= 2) {
      const unsigned bit = 1u << (15 - items);
      out[control_at] |= static_cast<std::uint8_t>(bit);
      out[control_at + 1] |= static_cast<std::uint8_t>(bit >> 8);
      out.push_back(static_cast<std::uint8_t>(run - 1));
    } else {
      run = 1;
    }
    out.push_back(column_order[i]);
    i += run;
    ++items;
  }
  return out;
}

namespace {

void PutU32(std::string& s, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
}

}  // namespace

std::string MakeSgdFile(ByteSpan info_header, ByteSpan colour_table, ByteSpan pixel_array,
                        bool compressed) {
  std::string file(kSgdDataOffset, '\0');
  std::memcpy(file.data(), kSignature, 4);
  file[4] = compressed ? 1 : 0;
  std::memcpy(file.data() + kSgdHeaderBytes, info_header.data(),
              std::min(info_header.size(), kSgdInfoHeaderBytes));
  std::memcpy(file.data() + kSgdHeaderBytes + kSgdInfoHeaderBytes, colour_table.data(),
              std::min(colour_table.size(), kSgdColourTableBytes));
  PutU32(file, 8, static_cast<std::uint32_t>(kSgdDataOffset));
  // The array's start and end as a writer that knows its memory would store them.
  PutU32(file, 16, static_cast<std::uint32_t>(0x1000 + pixel_array.size()));
  PutU32(file, 24, 0x1000);
  std::vector<std::uint8_t> block;
  if (compressed) {
    const ByteReader header(info_header);
    const std::int32_t width = header.I32(4).value_or(0);
    const std::int32_t height = header.I32(8).value_or(0);
    const int bpp = header.U16(14).value_or(0);
    const std::size_t stride = static_cast<std::size_t>(DibStride(width, bpp));
    const std::size_t rows = static_cast<std::size_t>(height < 0 ? -std::int64_t{height} : height);
    block = EncodeSgdBlock(pixel_array, stride, rows);
    pixel_array = block;
  }
  PutU32(file, 12, static_cast<std::uint32_t>(pixel_array.size()));
  file.append(reinterpret_cast<const char*>(pixel_array.data()), pixel_array.size());
  return file;
}

std::string EncodeSgd24(const Bitmap& bitmap, bool compressed) {
  std::string info(kSgdInfoHeaderBytes, '\0');
  PutU32(info, 0, kSgdInfoHeaderBytes);
  PutU32(info, 4, static_cast<std::uint32_t>(bitmap.width()));
  PutU32(info, 8, static_cast<std::uint32_t>(bitmap.height()));
  info[12] = 1;
  info[14] = 24;
  const std::size_t stride = static_cast<std::size_t>(DibStride(bitmap.width(), 24));
  std::vector<std::uint8_t> array(stride * static_cast<std::size_t>(bitmap.height()), 0);
  for (int y = 0; y < bitmap.height(); ++y) {
    std::memcpy(&array[stride * static_cast<std::size_t>(bitmap.height() - 1 - y)], bitmap.Row(y),
                static_cast<std::size_t>(bitmap.width()) * 3);
  }
  const std::vector<std::uint8_t> table(kSgdColourTableBytes, 0);
  const auto* info_bytes = reinterpret_cast<const std::uint8_t*>(info.data());
  return MakeSgdFile({info_bytes, info.size()}, table, array, compressed);
}

}  // namespace tk
