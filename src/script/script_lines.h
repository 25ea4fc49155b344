// The script line list: loaded once at start-up, never changed afterwards
// (until it is cleared as the window closes).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "script/encoded_file.h"
#include "script/parsed_line.h"

namespace tk {

// The lines as one load gave them, with what the runner keeps of each line
// once it has run. A run holds on to the script it runs, so that neither
// the lines nor their parsed forms go while one of its commands executes,
// even when the lines are replaced or cleared meanwhile.
struct LoadedScript {
  Lines lines;
  std::vector<std::unique_ptr<ParsedLine>> parsed;  // a slot a line, filled on first use

  ParsedLine& Parsed(std::size_t index) {
    if (!parsed[index]) parsed[index] = std::make_unique<ParsedLine>();
    return *parsed[index];
  }
};

class ScriptLines {
 public:
  // Replaces the lines and rebuilds the whole-line index.
  void Assign(Lines lines);
  void Clear();

  std::size_t Size() const { return script_->lines.size(); }
  const std::string& operator[](std::size_t index) const { return script_->lines[index]; }
  const Lines& All() const { return script_->lines; }
  // The lines as they are now; never null.
  const std::shared_ptr<LoadedScript>& Shared() const { return script_; }

  // Index of the first line equal to `whole_line`, ignoring letter case.
  // Jumps happen constantly while the script never changes, so the index of
  // every distinct line is built once instead of scanning on each search.
  std::optional<std::size_t> Find(std::string_view whole_line) const;
  // The same search for an action label given without its colon.
  std::optional<std::size_t> FindLabel(std::string_view label) const;

 private:
  std::shared_ptr<LoadedScript> script_ = std::make_shared<LoadedScript>();
  std::unordered_map<std::string, std::size_t> first_index_;
};

}  // namespace tk
