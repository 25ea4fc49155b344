#include "source_stamps.h"

#include <array>
#include <string_view>

#include "base/text.h"

namespace tkc {

namespace fs = std::filesystem;

bool IsWatchedSource(const std::string& name, bool has_text_script, bool has_text_map) {
  if (tk::EqualsIgnoreCase(name, "tk_srt.txt") || tk::EqualsIgnoreCase(name, "tk_map.txt"))
    return true;
  if (tk::EqualsIgnoreCase(name, "tk.srt")) return !has_text_script;
  if (tk::EqualsIgnoreCase(name, "tk.map")) return !has_text_map;
  static constexpr std::array<std::string_view, 9> kMedia{".bmp", ".sgd", ".wav", ".mid", ".midi",
                                                          ".rmi", ".cur", ".ani", ".ico"};
  const std::string extension = fs::path(name).extension().string();
  for (const std::string_view media : kMedia) {
    if (tk::EqualsIgnoreCase(extension, media)) return true;
  }
  return false;
}

SourceStamps StampSources(const fs::path& folder) {
  std::error_code error;
  const bool text_script = fs::is_regular_file(folder / "tk_srt.txt", error);
  const bool text_map = fs::is_regular_file(folder / "tk_map.txt", error);
  SourceStamps stamps;
  fs::directory_iterator it(folder, error);
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (!it->is_regular_file(error) || !IsWatchedSource(name, text_script, text_map)) continue;
    SourceStamp stamp;
    stamp.size = it->file_size(error);
    stamp.changed = it->last_write_time(error);
    if (!error) stamps[name] = stamp;
    error.clear();
  }
  return stamps;
}

}  // namespace tkc
