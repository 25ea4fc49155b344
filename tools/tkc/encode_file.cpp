#include "encode_file.h"

#include <algorithm>

#include "base/text.h"
#include "files.h"
#include "interaction/clickable_map.h"
#include "script/encoded_file.h"
#include "script/flag_file.h"
#include "script/script_loader.h"

namespace tkc {

namespace {

// Whether the program would take the file for a script, a map or a flag
// file. A script or a map may have its marker on any line; a flag file only
// on its first, since the line after the marker is read as the record.
bool HasMarkerLine(const tk::Lines& lines) {
  if (!lines.empty() && tk::EqualsIgnoreCase(lines.front(), tk::kFlagFileMarker)) return true;
  return std::ranges::any_of(lines, [](const std::string& line) {
    return tk::EqualsIgnoreCase(line, tk::kScriptMarker) ||
           tk::EqualsIgnoreCase(line, tk::kMapMarker);
  });
}

std::string MissingMarkerAdvice(const tk::Lines& lines) {
  std::string advice = std::string("has no marker line, so the program would refuse it; ") +
                       "put one of these on its first line: " + tk::kScriptMarker +
                       " (a script), " + tk::kMapMarker + " (a clickable map), " +
                       tk::kFlagFileMarker + " (a flag file)";
  // Editors that save UTF-8 may put a byte-order mark before the marker.
  if (!lines.empty() && lines.front().starts_with("\xEF\xBB\xBF")) {
    advice += "; the first line starts with a UTF-8 byte-order mark: save the file as Shift-JIS";
  }
  return advice;
}

}  // namespace

std::string EncodeTextFile(const std::string& in, const std::string& out,
                           std::vector<std::string>& warnings) {
  const auto text = ReadAll(in);
  if (!text) return "cannot read " + in;
  const tk::Lines lines = tk::SplitTextLines(*text);
  if (!HasMarkerLine(lines)) return in + " " + MissingMarkerAdvice(lines);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (std::ranges::all_of(lines[i], tk::StorableInLine)) continue;
    warnings.push_back(in + ":" + std::to_string(i + 1) +
                       ": the encoded form cannot hold a form feed; it is left out");
  }
  if (!WriteAll(out, tk::EncodeLines(lines))) return "cannot write " + out;
  return {};
}

}  // namespace tkc
