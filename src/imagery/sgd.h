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

// The inverse, for the tools and tests: runs of two or more equal bytes
// become count-and-value items, everything else single bytes.
std::vector<std::uint8_t> EncodeSgdBlock(ByteSpan array, std::size_t stride, std::size_t rows);

// A whole file from its parts: a 40-byte information header, a 1024-byte
// colour table and the pixel array it describes.
std::string MakeSgdFile(ByteSpan info_header, ByteSpan colour_table, ByteSpan pixel_array,
                        bool compressed);

// A 24-bit, bottom-up SGD file of `bitmap`.
std::string EncodeSgd24(const Bitmap& bitmap, bool compressed);

}  // namespace tk
