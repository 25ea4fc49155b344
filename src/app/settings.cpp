#include "app/settings.h"

#include <algorithm>
#include <climits>

#include "base/text.h"
#include "script/encoded_file.h"

namespace tk {

namespace {

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.size() < 2 || line.front() != '[') return std::nullopt;
  const auto close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

struct KeyValue {
  std::string_view key;
  std::string_view value;
};

std::optional<KeyValue> SplitKeyValue(std::string_view line) {
  const auto eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return KeyValue{Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))};
}

int ParseLeadingInt(std::string_view text) {
  std::size_t i = 0;
  const bool negative = i < text.size() && text[i] == '-';
  if (negative || (i < text.size() && text[i] == '+')) ++i;
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = std::min<long long>(value * 10 + (text[i] - '0'), 1LL << 32);
  }
  value = negative ? -value : value;
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

}  // namespace

ProfileFile::ProfileFile(std::string_view content) : lines_(SplitTextLines(content)) {}

std::optional<std::size_t> ProfileFile::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const auto name = SectionName(lines_[i]);
    if (name && EqualsIgnoreCase(*name, section)) return i;
  }
  return std::nullopt;
}

std::size_t ProfileFile::SectionEnd(std::size_t header) const {
  std::size_t end = header + 1;
  while (end < lines_.size() && !SectionName(lines_[end])) ++end;
  return end;
}

std::optional<std::size_t> ProfileFile::FindKey(std::size_t header, std::string_view key) const {
  const std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    const auto pair = SplitKeyValue(lines_[i]);
    if (pair && EqualsIgnoreCase(pair->key, key)) return i;
  }
  return std::nullopt;
}

int ProfileFile::GetInt(std::string_view section, std::string_view key, int default_value) const {
  const auto header = FindSection(section);
  if (!header) return default_value;
  const auto line = FindKey(*header, key);
  if (!line) return default_value;
  const std::string_view value = SplitKeyValue(lines_[*line])->value;
  return value.empty() ? default_value : ParseLeadingInt(value);
}

void ProfileFile::Set(std::string_view section, std::string_view key, std::string_view value) {
  std::string entry = std::string(key) + "=" + std::string(value);
  auto header = FindSection(section);
  if (!header) {
    lines_.push_back("[" + std::string(section) + "]");
    lines_.push_back(std::move(entry));
    return;
  }
  if (const auto line = FindKey(*header, key)) {
    lines_[*line] = std::move(entry);
    return;
  }
  // After the section's last non-blank line, so blank separators stay put.
  std::size_t insert_at = SectionEnd(*header);
  while (insert_at > *header + 1 && Trim(lines_[insert_at - 1]).empty()) --insert_at;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at), std::move(entry));
}

std::string ProfileFile::Serialize() const {
  return JoinTextLines(lines_);
}

bool IsValidPosition(int value, int screen_extent) {
  return value >= 0 && value <= screen_extent;
}

}  // namespace tk
