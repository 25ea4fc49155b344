// The SGD picture format: a small header, a standard 40-byte information
// header, a 256-entry colour table and a device-independent pixel array,
// stored as is or column by column with a run-length code.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "imagery/dib.h"

namespace tk {

inline constexpr std::size_t kSgdHeaderBytes = 28;
inline constexpr std::size_t kSgdInfoHeaderBytes = 40;
inline constexpr std::size_t kSgdColourTableBytes = 1024;
inline constexpr std::size_t kSgdDataOffset =
    kSgdHeaderBytes + kSgdInfoHeaderBytes + kSgdColourTableBytes;

std::optional<Bitmap> ParseSgd(ByteSpan file);

// Decodes a compressed block into `out`, which holds `rows` rows of `stride`
// bytes, column of bytes by column. Returns false when the block ends before
// every byte of `out` is written, leaving the first `rows` rows of `out` in
// no particular state; never reads or writes outside either buffer.
bool DecodeSgdBlock(ByteSpan block, std::size_t stride, std::size_t rows,
                    std::span<std::uint8_t> out);

}  // namespace tk
