// What the runner keeps of a command line once it has run, so that later runs
// neither split its parameters nor look its names up again. Only what the
// line alone decides is kept: a parameter that refers to a flag ("@Fname")
// is substituted on every read, since the flag's value may have changed.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "script/flags.h"
#include "script/params.h"

namespace tk {

class CommandIndex;
struct CommandEntry;

// A parameter a parsed line does not keep.
inline constexpr std::size_t kNotKept = std::numeric_limits<std::size_t>::max();

// One name's flags, looked up again only once a list has changed (a flag
// added or the lists cleared): until then the flags found stay where they
// are.
class FlagLookup {
 public:
  FoundFlags Find(FlagLists& flags, std::string_view name) {
    if (int_version_ != flags.ints.version() || str_version_ != flags.strs.version()) {
      LookUp(flags, name);
    }
    return found_;
  }

 private:
  void LookUp(FlagLists& flags, std::string_view name);

  static constexpr std::uint64_t kNever = std::numeric_limits<std::uint64_t>::max();
  std::uint64_t int_version_ = kNever;
  std::uint64_t str_version_ = kNever;
  FoundFlags found_;
};

// One parameter read: where and how it was read, and what came of it.
struct ParsedParam {
  std::size_t pos = 0;
  ParamMode mode = ParamMode::kPlain;
  std::size_t capacity = 0;
  std::size_t next = 0;                // where the following parameter starts
  std::string text;                    // as the line holds it, before any substitution
  bool flag_reference = false;         // the text is "@Fname", replaced by the flag's value
  std::optional<std::int32_t> number;  // the text as a number; unset for a reference
  FlagLookup lookup;  // the flags of the text, or for a reference of the name in it

  // The text a command sees: the line's own, or the referenced flag's value now.
  std::string Value(FlagLists& flags);
  // Whether this is what a read from `at` in `read_mode` into a buffer of
  // `read_capacity` bytes gives.
  bool Answers(std::size_t at, ParamMode read_mode, std::size_t read_capacity) const {
    return pos == at && mode == read_mode && capacity == read_capacity;
  }
};

class ParsedLine {
 public:
  // The command `line` names in `commands`, found on the first call.
  const CommandEntry& Command(std::string_view line, const CommandIndex& commands) {
    if (commands_ != &commands) FindCommand(line, commands);
    return *entry_;
  }
  // Where the first parameter starts; set by Command.
  std::size_t ParamsStart() const { return params_start_; }
  // The place of the parameter `line` holds at `pos` for a read in `mode`
  // into a buffer of `capacity` bytes, read now when no earlier run read it;
  // kNotKept once the line keeps as many as it may. Commands read their
  // parameters in the same order every time, so the place is first looked
  // for at `likely`.
  std::size_t Find(std::string_view line, std::size_t pos, ParamMode mode, std::size_t capacity,
                   std::size_t likely) {
    if (likely < params_.size() && params_[likely].Answers(pos, mode, capacity)) return likely;
    return FindOrRead(line, pos, mode, capacity);
  }
  // Valid until the next Find on this line, which may add a parameter.
  ParsedParam& At(std::size_t place) { return params_[place]; }

 private:
  void FindCommand(std::string_view line, const CommandIndex& commands);
  std::size_t FindOrRead(std::string_view line, std::size_t pos, ParamMode mode,
                         std::size_t capacity);

  // Commands read a handful of parameters; a line is never read more ways
  // than this, so whatever a hostile line does costs a bounded amount.
  static constexpr std::size_t kMaxParams = 16;
  // Room made at the first parameter: enough for most commands, so that a
  // line's first run seldom moves its parameters.
  static constexpr std::size_t kUsualParams = 4;
  const CommandIndex* commands_ = nullptr;
  const CommandEntry* entry_ = nullptr;
  std::size_t params_start_ = 0;
  std::vector<ParsedParam> params_;
};

}  // namespace tk
