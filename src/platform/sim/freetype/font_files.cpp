#include "platform/sim/freetype/font_files.h"

#include <filesystem>
#include <initializer_list>
#include <string>

#include "platform/sim/freetype/freetype_text.h"

namespace tk {

namespace {

// Debian's fonts-ipafont-gothic, and the system's choice of Japanese Gothic.
constexpr const char* kMonospacedFiles[] = {
    "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
    "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf",
};
constexpr const char* kProportionalFiles[] = {
    "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf",
};

template <std::size_t N>
std::string FirstPresent(const char* const (&paths)[N]) {
  for (const char* path : paths) {
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error)) return path;
  }
  return {};
}

char32_t AsciiLower(char32_t c) {
  return c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c;
}

}  // namespace

std::optional<GothicFontFiles> FindGothicFonts(const char* override_file) {
  if (override_file != nullptr && *override_file != '\0')
    return GothicFontFiles{override_file, override_file};
  const std::string monospaced = FirstPresent(kMonospacedFiles);
  const std::string proportional = FirstPresent(kProportionalFiles);
  if (monospaced.empty() && proportional.empty()) return std::nullopt;
  return GothicFontFiles{monospaced.empty() ? proportional : monospaced,
                         proportional.empty() ? monospaced : proportional};
}

bool NamesProportionalFace(std::u32string_view name) {
  constexpr char32_t kFullWidthP = U'\uFF30';
  if (name.find(kFullWidthP) != std::u32string_view::npos) return true;
  std::u32string lower(name);
  for (char32_t& c : lower) c = AsciiLower(c);
  for (const std::u32string_view marked : {U"pgothic", U"pmincho", U"ui gothic"}) {
    if (lower.find(marked) != std::u32string::npos) return true;
  }
  return false;
}

}  // namespace tk
