// Integer and string flags: the script's variables.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/text.h"

namespace tk {

struct IntFlag {
  std::string name;
  std::int32_t value = 0;
};

struct StrFlag {
  std::string name;
  std::string text;
};

// Flags in declaration order. Names ignore letter case and the first flag of
// a name wins; an index of each name's first flag keeps lookups from walking
// the list on every command. A flag's name never changes once it is added.
template <typename Flag>
class FlagList {
 public:
  void push_back(Flag flag);
  void clear() {
    flags_.clear();
    first_.clear();
    ++version_;
  }
  // Changes whenever a flag is added or the list cleared: a lookup made at
  // one version names the same flag, at the same place, for as long as the
  // version stays.
  std::uint64_t version() const { return version_; }
  std::size_t size() const { return flags_.size(); }
  bool empty() const { return flags_.empty(); }
  Flag& operator[](std::size_t i) { return flags_[i]; }
  const Flag& operator[](std::size_t i) const { return flags_[i]; }
  Flag& back() { return flags_.back(); }
  auto begin() { return flags_.begin(); }
  auto end() { return flags_.end(); }
  auto begin() const { return flags_.begin(); }
  auto end() const { return flags_.end(); }

  Flag* Find(std::string_view name);
  const Flag* Find(std::string_view name) const;

 private:
  std::vector<Flag> flags_;
  std::unordered_map<std::string, std::size_t, IgnoreCaseHash, IgnoreCaseEqual> first_;
  std::uint64_t version_ = 0;
};

// The flags of one name. Commands that take either kind take the integer
// flag when there is one, so the string flag is looked for only without it.
struct FoundFlags {
  IntFlag* int_flag = nullptr;
  StrFlag* str_flag = nullptr;  // null whenever int_flag is not
};

struct FlagLists {
  FlagList<IntFlag> ints;
  FlagList<StrFlag> strs;

  IntFlag* FindIntFlag(std::string_view name) { return ints.Find(name); }
  const IntFlag* FindIntFlag(std::string_view name) const { return ints.Find(name); }
  StrFlag* FindStrFlag(std::string_view name) { return strs.Find(name); }
  const StrFlag* FindStrFlag(std::string_view name) const { return strs.Find(name); }
  FoundFlags FindFlags(std::string_view name);
  // An integer flag takes the text as a number (failing, unchanged, when it
  // is not one); else a string flag takes the text. False when neither
  // list has the name.
  bool SetFlagText(std::string_view name, std::string_view text);
  static bool SetFlagText(FoundFlags flags, std::string_view text);
  void Clear();
};

extern template class FlagList<IntFlag>;
extern template class FlagList<StrFlag>;

}  // namespace tk
