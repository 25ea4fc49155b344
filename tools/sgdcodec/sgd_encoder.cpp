#include "sgd_encoder.h"

#include <algorithm>
#include <cstring>

#include "imagery/byte_reader.h"
#include "imagery/dib.h"

namespace tk {

namespace {

constexpr char kSignature[4] = {'S', 'G', 'D', '\0'};

}  // namespace

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
