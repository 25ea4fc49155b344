// The SGD block format's decoding rule taken literally, one byte at a time,
// so that the fast decoder can be checked against it.
#pragma once

#include <cstdint>
#include <vector>

#include "imagery/sgd.h"

namespace tk {

inline bool ReferenceDecode(ByteSpan block, std::size_t stride, std::size_t rows,
                            std::vector<std::uint8_t>& out) {
  std::size_t pos = 0, row = 0, column = 0;
  const auto put = [&](std::uint8_t value) {
    out[row * stride + column] = value;
    if (++row == rows) row = 0, ++column;
  };
  while (column < stride) {
    if (pos + 2 > block.size()) return false;
    const unsigned control = block[pos] | block[pos + 1] << 8;
    pos += 2;
    for (int bit = 15; bit >= 0 && column < stride; --bit) {
      const bool run = control & (1u << bit);
      if (pos + (run ? 2 : 1) > block.size()) return false;
      const std::size_t count = run ? block[pos] + std::size_t{1} : 1;
      const std::uint8_t value = block[pos + (run ? 1 : 0)];
      pos += run ? 2 : 1;
      for (std::size_t i = 0; i < count && column < stride; ++i) put(value);
    }
  }
  return true;
}

}  // namespace tk
