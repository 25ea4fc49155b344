// Picture files of every kind the program reads, and the SGD block decoder
// held against the format's rule taken literally.
#include <vector>

#include "base/bitmap.h"
#include "fuzz_support.h"
#include "imagery/image_file.h"
#include "imagery/sgd.h"
#include "support/sgd_reference.h"

namespace {

using tk::fuzz::Broken;

void LoadPicture(std::uint8_t kind, std::string_view file) {
  static const char* const kNames[] = {"p.bmp", "p.gdt", "p.sgd"};
  const std::string name = kNames[kind % 3];
  tk::fuzz::TheFolder().Write(name, file);
  tk::SimPlatform sim(tk::fuzz::TheFolder().Path(), tk::fuzz::TheFolder().Path());
  tk::Bitmap bitmap;
  if (!tk::LoadImageFile(sim, bitmap, name)) return;
  if (!tk::IsSaneImageSize(bitmap.width(), bitmap.height())) Broken("a loaded picture's size");
}

// The first bytes give the array's shape, up to 4096 bytes wide and 256 rows.
void DecodeBlock(tk::ByteSpan input) {
  if (input.size() < 3) return;
  const std::size_t stride = 1 + (input[0] | input[1] << 8) % 4096;
  const std::size_t rows = 1 + input[2];
  const tk::ByteSpan block = input.subspan(3);
  std::vector<std::uint8_t> fast(stride * rows), reference(stride * rows);
  const bool fast_ok = tk::DecodeSgdBlock(block, stride, rows, fast);
  const bool reference_ok = tk::ReferenceDecode(block, stride, rows, reference);
  if (fast_ok != reference_ok) Broken("the block decoders disagree on success");
  if (fast_ok && fast != reference) Broken("the block decoders disagree on bytes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t pick = data[0];
  if (pick % 4 == 3) {
    DecodeBlock(tk::ByteSpan(data + 1, size - 1));
  } else {
    LoadPicture(pick, tk::fuzz::AsText(data + 1, size - 1));
  }
  return 0;
}
