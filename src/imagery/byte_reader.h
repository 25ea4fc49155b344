// Little-endian fields read from an untrusted file image; every read is
// checked against the end of the data.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace tk {

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}

  bool Has(std::size_t offset, std::size_t bytes) const {
    return offset <= data_.size() && bytes <= data_.size() - offset;
  }
  std::optional<std::uint32_t> U32(std::size_t offset) const { return Le(offset, 4); }
  std::optional<std::uint16_t> U16(std::size_t offset) const {
    const auto v = Le(offset, 2);
    if (!v) return std::nullopt;
    return static_cast<std::uint16_t>(*v);
  }
  std::optional<std::int32_t> I32(std::size_t offset) const {
    const auto v = Le(offset, 4);
    if (!v) return std::nullopt;
    return static_cast<std::int32_t>(*v);
  }
  // `bytes` from `offset`, or an empty optional when they are not all there.
  std::optional<std::span<const std::uint8_t>> Slice(std::size_t offset, std::size_t bytes) const {
    if (!Has(offset, bytes)) return std::nullopt;
    return data_.subspan(offset, bytes);
  }
  std::size_t size() const { return data_.size(); }

 private:
  std::optional<std::uint32_t> Le(std::size_t offset, int bytes) const {
    if (!Has(offset, static_cast<std::size_t>(bytes))) return std::nullopt;
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | data_[offset + static_cast<std::size_t>(i)];
    return v;
  }

  std::span<const std::uint8_t> data_;
};

}  // namespace tk
