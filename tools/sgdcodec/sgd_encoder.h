// Writing SGD pictures. The program only ever reads them, so the writer lives
// with the tools: tkc turns an author's BMP into one, sampleart paints the
// sample's strips as ones, and the tests make their pictures with it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/bitmap.h"
#include "imagery/sgd.h"

namespace tk {

// The inverse of DecodeSgdBlock: runs of two or more equal bytes become
// count-and-value items, everything else single bytes.
std::vector<std::uint8_t> EncodeSgdBlock(ByteSpan array, std::size_t stride, std::size_t rows);

// A whole file from its parts: a 40-byte information header, a 1024-byte
// colour table and the pixel array it describes.
std::string MakeSgdFile(ByteSpan info_header, ByteSpan colour_table, ByteSpan pixel_array,
                        bool compressed);

// A 24-bit, bottom-up SGD file of `bitmap`.
std::string EncodeSgd24(const Bitmap& bitmap, bool compressed);

}  // namespace tk
