#include "script/script_lines.h"

#include "base/text.h"

namespace tk {

void ScriptLines::Assign(Lines lines) {
  script_ = std::make_shared<LoadedScript>();
  script_->lines = std::move(lines);
  script_->parsed.resize(script_->lines.size());
  const Lines& all = script_->lines;
  first_index_.clear();
  first_index_.reserve(all.size());
  for (std::size_t i = 0; i < all.size(); ++i) first_index_.try_emplace(FoldCase(all[i]), i);
}

void ScriptLines::Clear() {
  script_ = std::make_shared<LoadedScript>();
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
