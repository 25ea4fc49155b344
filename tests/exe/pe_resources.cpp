#include "exe/pe_resources.h"

#include <vector>

namespace tk::pe {
namespace {

class Bytes {
 public:
  explicit Bytes(std::string_view bytes) : bytes_(bytes) {}

  std::uint32_t U16(std::size_t at) const { return Get(at, 2); }
  std::uint32_t U32(std::size_t at) const { return Get(at, 4); }
  std::size_t size() const { return bytes_.size(); }
  std::string_view Slice(std::size_t at, std::size_t length) const {
    Check(at, length);
    return bytes_.substr(at, length);
  }

 private:
  void Check(std::size_t at, std::size_t length) const {
    if (at > bytes_.size() || length > bytes_.size() - at) {
      throw FormatError("read past the end at " + std::to_string(at));
    }
  }
  std::uint32_t Get(std::size_t at, std::size_t length) const {
    Check(at, length);
    std::uint32_t value = 0;
    for (std::size_t i = length; i-- > 0;) {
      value = value << 8 | static_cast<unsigned char>(bytes_[at + i]);
    }
    return value;
  }

  std::string_view bytes_;
};

struct Section {
  std::uint32_t address, size, file_offset;
};

constexpr std::uint32_t kHighBit = 0x80000000;

// The resource directory entry with a numeric id (named entries never match),
// or with any id when `id` is empty. Returns its offset field.
std::optional<std::uint32_t> FindEntry(const Bytes& file, std::size_t root, std::size_t directory,
                                       std::optional<std::uint32_t> id) {
  const std::size_t count = file.U16(root + directory + 12) + file.U16(root + directory + 14);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = root + directory + 16 + 8 * i;
    const std::uint32_t name = file.U32(entry);
    if ((name & kHighBit) == 0 && (!id || name == *id)) return file.U32(entry + 4);
  }
  return std::nullopt;
}

std::string Utf16ToAscii(std::string_view utf16) {
  std::string text;
  for (std::size_t i = 0; i + 1 < utf16.size(); i += 2) {
    const unsigned unit =
        static_cast<unsigned char>(utf16[i]) | static_cast<unsigned char>(utf16[i + 1]) << 8;
    text += unit < 0x80 ? static_cast<char>(unit) : '?';
  }
  return text;
}

std::string Dotted(std::uint32_t high, std::uint32_t low) {
  return std::to_string(high >> 16) + "." + std::to_string(high & 0xFFFF) + "." +
         std::to_string(low >> 16) + "." + std::to_string(low & 0xFFFF);
}

constexpr std::size_t Align4(std::size_t at) {
  return (at + 3) & ~std::size_t{3};
}

// One node of the version resource: a length-prefixed block with a UTF-16
// key, a value, and children up to its length.
struct Block {
  std::string key;
  std::size_t value_at, value_end;  // the value's bytes
  std::size_t children_at, end;
};

Block ReadBlock(const Bytes& data, std::size_t at) {
  Block block;
  const std::size_t length = data.U16(at);
  const std::size_t value_length = data.U16(at + 2);
  const bool text = data.U16(at + 4) == 1;
  if (length < 6) throw FormatError("version block shorter than its header");
  block.end = at + length;
  data.Slice(at, length);  // the whole block is inside the resource
  std::size_t key_end = at + 6;
  while (key_end + 1 < block.end && data.U16(key_end) != 0) key_end += 2;
  block.key = Utf16ToAscii(data.Slice(at + 6, key_end - (at + 6)));
  block.value_at = Align4(key_end + 2);
  block.value_end = std::min(block.end, block.value_at + value_length * (text ? 2 : 1));
  block.children_at = Align4(block.value_end);
  if (block.value_at > block.end) block.value_at = block.value_end = block.children_at = block.end;
  return block;
}

std::vector<Block> Children(const Bytes& data, const Block& parent) {
  std::vector<Block> children;
  for (std::size_t at = parent.children_at; at + 6 <= parent.end;) {
    children.push_back(ReadBlock(data, at));
    if (children.back().end > parent.end) throw FormatError("version block overruns its parent");
    at = Align4(children.back().end);
  }
  return children;
}

}  // namespace

std::optional<std::string> FindResource(std::string_view image, std::uint32_t type,
                                        std::uint32_t id) {
  const Bytes file(image);
  if (image.substr(0, 2) != "MZ") throw FormatError("no MZ header");
  const std::size_t pe = file.U32(0x3C);
  if (file.Slice(pe, 4) != std::string_view("PE\0\0", 4)) throw FormatError("no PE signature");
  const std::size_t coff = pe + 4;
  const std::size_t section_count = file.U16(coff + 2);
  const std::size_t optional_size = file.U16(coff + 16);
  const std::size_t optional = coff + 20;
  const std::uint32_t magic = file.U16(optional);
  const std::size_t directories = optional + (magic == 0x20B ? 112 : magic == 0x10B ? 96 : 0);
  if (directories == optional) throw FormatError("unknown optional header");
  if (file.U32(directories - 4) <= 2) return std::nullopt;  // no resource directory slot
  const std::uint32_t resource_address = file.U32(directories + 2 * 8);
  if (resource_address == 0) return std::nullopt;

  std::vector<Section> sections;
  for (std::size_t i = 0; i < section_count; ++i) {
    const std::size_t header = optional + optional_size + 40 * i;
    sections.push_back({file.U32(header + 12),
                        std::max(file.U32(header + 8), file.U32(header + 16)),
                        file.U32(header + 20)});
  }
  const auto file_offset = [&](std::uint32_t address) -> std::size_t {
    for (const Section& s : sections) {
      if (address >= s.address && address - s.address < s.size) {
        return s.file_offset + (address - s.address);
      }
    }
    throw FormatError("address " + std::to_string(address) + " is in no section");
  };

  // Three levels: type, id, language; each but the last names a subdirectory.
  const std::size_t root = file_offset(resource_address);
  std::size_t directory = 0;
  const std::optional<std::uint32_t> wanted[] = {type, id, std::nullopt};
  for (std::size_t level = 0; level < 3; ++level) {
    const auto entry = FindEntry(file, root, directory, wanted[level]);
    if (!entry) return std::nullopt;
    if (((*entry & kHighBit) != 0) != (level < 2)) throw FormatError("resource tree too shallow");
    directory = *entry & ~kHighBit;
  }
  const std::size_t data_entry = root + directory;
  return std::string(file.Slice(file_offset(file.U32(data_entry)), file.U32(data_entry + 4)));
}

VersionInfo ParseVersionInfo(std::string_view resource) {
  const Bytes data(resource);
  const Block root = ReadBlock(data, 0);
  if (root.key != "VS_VERSION_INFO") throw FormatError("version resource keyed " + root.key);
  if (root.value_end - root.value_at < 52 || data.U32(root.value_at) != 0xFEEF04BD) {
    throw FormatError("no fixed file information");
  }
  VersionInfo info;
  info.file_version = Dotted(data.U32(root.value_at + 8), data.U32(root.value_at + 12));
  info.product_version = Dotted(data.U32(root.value_at + 16), data.U32(root.value_at + 20));
  for (const Block& group : Children(data, root)) {
    if (group.key != "StringFileInfo") continue;
    for (const Block& table : Children(data, group)) {
      for (const Block& value : Children(data, table)) {
        std::string text =
            Utf16ToAscii(data.Slice(value.value_at, value.value_end - value.value_at));
        text.erase(std::min(text.size(), text.find('\0')));
        info.strings[value.key] = text;
      }
    }
  }
  return info;
}

}  // namespace tk::pe
