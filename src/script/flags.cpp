#include "script/flags.h"

#include <algorithm>

#include "script/text.h"

namespace tk {

namespace {

template <typename List>
auto FindByName(List& list, std::string_view name) {
  return std::find_if(list.begin(), list.end(),
                      [&](const auto& flag) { return EqualsIgnoreCase(flag.name, name); });
}

template <typename List>
auto* PointerOrNull(List& list, std::string_view name) {
  const auto it = FindByName(list, name);
  return it == list.end() ? nullptr : &*it;
}

}  // namespace

IntFlag* FlagLists::FindIntFlag(std::string_view name) {
  return PointerOrNull(ints, name);
}
const IntFlag* FlagLists::FindIntFlag(std::string_view name) const {
  return PointerOrNull(ints, name);
}
StrFlag* FlagLists::FindStrFlag(std::string_view name) {
  return PointerOrNull(strs, name);
}
const StrFlag* FlagLists::FindStrFlag(std::string_view name) const {
  return PointerOrNull(strs, name);
}

bool FlagLists::SetFlagText(std::string_view name, std::string_view text) {
  if (IntFlag* flag = FindIntFlag(name)) {
    const auto value = ParseInt32(text);
    if (!value) return false;
    flag->value = *value;
    return true;
  }
  if (StrFlag* flag = FindStrFlag(name)) {
    flag->text = text;
    return true;
  }
  return false;
}

void FlagLists::Clear() {
  ints.clear();
  strs.clear();
}

}  // namespace tk
