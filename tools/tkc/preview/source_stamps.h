// Which of a character's files the preview watches, and when they last
// changed: a change of any means encoding again and starting afresh.
#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace tkc {

// Each watched file by name, with its size and time of last change.
struct SourceStamp {
  std::uintmax_t size = 0;
  std::filesystem::file_time_type changed;
  bool operator==(const SourceStamp&) const = default;
};
using SourceStamps = std::map<std::string, SourceStamp>;

// Whether the preview watches the file `name` of a character folder whose
// text script (tk_srt.txt) and text map (tk_map.txt) are or are not there:
// the text forms, else the encoded ones (an author who encodes by hand),
// and every picture, sound, cursor and icon. What the character writes
// itself (tk.ini, its error log, flag files) and the encoded forms the
// preview makes are left alone, or each start would start it again.
bool IsWatchedSource(const std::string& name, bool has_text_script, bool has_text_map);

// The watched files directly in `folder` as they stand now.
SourceStamps StampSources(const std::filesystem::path& folder);

}  // namespace tkc
