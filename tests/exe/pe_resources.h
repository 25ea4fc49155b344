// Reads resources out of a Windows executable's bytes, so that tests on any
// machine can check what the built program carries.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tk::pe {

// A file that is not a well-formed executable, or a resource that is cut short.
struct FormatError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

inline constexpr std::uint32_t kTypeVersion = 16;
inline constexpr std::uint32_t kTypeManifest = 24;

// The bytes of the resource with numeric type and id, in its first language;
// nothing if the executable has no such resource.
std::optional<std::string> FindResource(std::string_view image, std::uint32_t type,
                                        std::uint32_t id);

struct VersionInfo {
  std::string file_version;                    // from the fixed part, "major.minor.patch.build"
  std::string product_version;                 // likewise
  std::map<std::string, std::string> strings;  // every string table's values, ASCII
};

VersionInfo ParseVersionInfo(std::string_view resource);

}  // namespace tk::pe
