#include "script/script_lines.h"

#include "base/text.h"

namespace tk {

void ScriptLines::Assign(Lines lines) {
  lines_ = std::move(lines);
  first_index_.clear();
  first_index_.reserve(lines_.size());
  for (std::size_t i = 0; i < lines_.size(); ++i) first_index_.try_emplace(FoldCase(lines_[i]), i);
}

void ScriptLines::Clear() {
  lines_.clear();
  first_index_.clear();
}

std::optional<std::size_t> ScriptLines::Find(std::string_view whole_line) const {
  const auto it = first_index_.find(FoldCase(whole_line));
  if (it == first_index_.end()) return std::nullopt;
  return it->second;
}

std::optional<std::size_t> ScriptLines::FindLabel(std::string_view label) const {
  std::string line(label);
  line.push_back(':');
  return Find(line);
}

}  // namespace tk
