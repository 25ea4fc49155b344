#include "script/flags.h"

#include "base/text.h"

namespace tk {

template <typename Flag>
void FlagList<Flag>::push_back(Flag flag) {
  first_.try_emplace(flag.name, flags_.size());
  flags_.push_back(std::move(flag));
  ++version_;
}

template <typename Flag>
Flag* FlagList<Flag>::Find(std::string_view name) {
  const auto it = first_.find(name);
  return it == first_.end() ? nullptr : &flags_[it->second];
}

template <typename Flag>
const Flag* FlagList<Flag>::Find(std::string_view name) const {
  return const_cast<FlagList*>(this)->Find(name);
}

template class FlagList<IntFlag>;
template class FlagList<StrFlag>;

FoundFlags FlagLists::FindFlags(std::string_view name) {
  IntFlag* int_flag = FindIntFlag(name);
  return {int_flag, int_flag ? nullptr : FindStrFlag(name)};
}

bool FlagLists::SetFlagText(std::string_view name, std::string_view text) {
  return SetFlagText(FindFlags(name), text);
}

bool FlagLists::SetFlagText(FoundFlags flags, std::string_view text) {
  if (flags.int_flag != nullptr) {
    const auto value = ParseInt32(text);
    if (!value) return false;
    flags.int_flag->value = *value;
    return true;
  }
  if (flags.str_flag != nullptr) {
    flags.str_flag->text = text;
    return true;
  }
  return false;
}

void FlagLists::Clear() {
  ints.clear();
  strs.clear();
}

}  // namespace tk
