// Integer and string flags: the script's variables.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tk {

struct IntFlag {
  std::string name;
  std::int32_t value = 0;
};

struct StrFlag {
  std::string name;
  std::string text;
};

// Both lists are searched from their first entry; names ignore letter case
// and the first match wins.
struct FlagLists {
  std::vector<IntFlag> ints;
  std::vector<StrFlag> strs;

  IntFlag* FindIntFlag(std::string_view name);
  const IntFlag* FindIntFlag(std::string_view name) const;
  StrFlag* FindStrFlag(std::string_view name);
  const StrFlag* FindStrFlag(std::string_view name) const;
  // An integer flag takes the text as a number (failing, unchanged, when it
  // is not one); else a string flag takes the text. False when neither
  // list has the name.
  bool SetFlagText(std::string_view name, std::string_view text);
  void Clear();
};

}  // namespace tk
