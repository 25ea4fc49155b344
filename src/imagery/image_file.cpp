#include "imagery/image_file.h"

#include "base/text.h"
#include "imagery/bmp_reader.h"
#include "imagery/sgd.h"
#include "platform/platform.h"

namespace tk {

namespace {

std::string Extension(const std::string& name) {
  const auto dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : FoldCase(name.substr(dot));
}

ByteSpan AsBytes(const std::string& s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

bool Store(std::optional<Bitmap> parsed, Bitmap& bitmap) {
  if (!parsed) return false;
  bitmap = std::move(*parsed);
  return true;
}

}  // namespace

bool LoadSgdFile(Platform& platform, const std::string& name, Bitmap& bitmap) {
  const auto file = platform.ReadFile(name, kMaxImageFileBytes);
  return file && Store(ParseSgd(AsBytes(*file)), bitmap);
}

bool LoadImageFile(Platform& platform, Bitmap& bitmap, const std::string& name) {
  const std::string extension = Extension(name);
  if (extension == ".SGD") return LoadSgdFile(platform, name, bitmap);
  if (extension != ".GDT" && extension != ".BMP") return false;
  // The BMP reader never looks at the signature, so GDT files, whose first
  // two bytes may hold anything, need no rewriting.
  const auto file = platform.ReadFile(name, kMaxImageFileBytes);
  return file && Store(ParseBmp(AsBytes(*file)), bitmap);
}

}  // namespace tk
