// The script line list: loaded once at start-up, never changed afterwards.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "script/encoded_file.h"

namespace tk {

class ScriptLines {
 public:
  // Replaces the lines and rebuilds the whole-line index.
  void Assign(Lines lines);
  void Clear();

  std::size_t Size() const { return lines_.size(); }
  const std::string& operator[](std::size_t index) const { return lines_[index]; }
  const Lines& All() const { return lines_; }

  // Index of the first line equal to `whole_line`, ignoring letter case.
  // Jumps happen constantly while the script never changes, so the index of
  // every distinct line is built once instead of scanning on each search.
  std::optional<std::size_t> Find(std::string_view whole_line) const;
  // The same search for an action label given without its colon.
  std::optional<std::size_t> FindLabel(std::string_view label) const;

 private:
  Lines lines_;
  std::unordered_map<std::string, std::size_t> first_index_;
};

}  // namespace tk
