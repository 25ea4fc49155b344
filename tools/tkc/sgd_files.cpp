#include "sgd_files.h"

#include <iostream>
#include <optional>

#include "base/bmp_writer.h"
#include "console_text.h"
#include "files.h"
#include "imagery/bmp_reader.h"
#include "sgd_encoder.h"

namespace tkc {

namespace {

tk::ByteSpan Bytes(const std::string& file) {
  return {reinterpret_cast<const std::uint8_t*>(file.data()), file.size()};
}

// Reads `path` and hands it to `parse`; a message names what went wrong.
template <typename Parse>
std::optional<tk::Bitmap> ReadPicture(const std::string& path, const char* what, Parse parse) {
  const auto file = ReadAll(path);
  if (!file) {
    Fail("cannot read " + path);
    return std::nullopt;
  }
  auto picture = parse(Bytes(*file));
  if (!picture) Fail(path + " is not a " + what + " picture the program can read");
  return picture;
}

int Write(const std::string& path, const std::string& bytes) {
  return WriteAll(path, bytes) ? 0 : Fail("cannot write " + path);
}

}  // namespace

// The program shows every picture as 24-bit colour, so that is what the
// file holds, whatever the BMP's own depth; compressed, since that is what
// the format is for.
int EncodeSgdFile(const std::string& bmp_path, const std::string& sgd_path) {
  const auto picture = ReadPicture(bmp_path, "BMP", tk::ParseBmp);
  if (!picture) return 1;
  return Write(sgd_path, tk::EncodeSgd24(*picture, true));
}

int DecodeSgdFile(const std::string& sgd_path, const std::string& bmp_path) {
  const auto picture = ReadPicture(sgd_path, "SGD", tk::ParseSgd);
  if (!picture) return 1;
  return Write(bmp_path, tk::EncodeBmp24(*picture));
}

}  // namespace tkc
