// tk.ini: an INI file read and written by the program itself, so that a
// crash while saving can never leave a half-written file behind.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tk {

inline constexpr char kSettingsFileName[] = "tk.ini";
// A settings file is a few lines; anything larger is not ours to parse.
inline constexpr std::size_t kMaxSettingsBytes = 1u << 20;

class ProfileFile {
 public:
  ProfileFile() = default;
  explicit ProfileFile(std::string_view content);

  // Integer as the private-profile reader gives it: decimal with an optional
  // minus, read up to the first other character; a missing or empty value
  // gives `default_value`.
  int GetInt(std::string_view section, std::string_view key, int default_value) const;
  void Set(std::string_view section, std::string_view key, std::string_view value);
  // CR LF lines; lines that are not ours are kept as they were.
  std::string Serialize() const;

 private:
  std::optional<std::size_t> FindSection(std::string_view section) const;
  std::size_t SectionEnd(std::size_t header) const;
  std::optional<std::size_t> FindKey(std::size_t header, std::string_view key) const;

  std::vector<std::string> lines_;
};

// A screen coordinate is valid when it is not negative and not beyond the
// screen's extent (the extent itself is valid).
bool IsValidPosition(int value, int screen_extent);

}  // namespace tk
