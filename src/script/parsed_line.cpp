#include "script/parsed_line.h"

#include <utility>

#include "base/text.h"
#include "script/command_index.h"
#include "script/runner.h"

namespace tk {

void FlagLookup::LookUp(FlagLists& flags, std::string_view name) {
  found_ = flags.FindFlags(name);
  int_version_ = flags.ints.version();
  str_version_ = flags.strs.version();
}

std::string ParsedParam::Value(FlagLists& flags) {
  if (!flag_reference) return text;
  const FoundFlags found =
      lookup.Find(flags, std::string_view(text).substr(kFlagReferenceNameStart));
  return FlagValueText(found.int_flag, found.str_flag, text, capacity);
}

void ParsedLine::FindCommand(std::string_view line, const CommandIndex& commands) {
  entry_ = &commands.Find(CommandName(line, params_start_));
  commands_ = &commands;
}

std::size_t ParsedLine::FindOrRead(std::string_view line, std::size_t pos, ParamMode mode,
                                   std::size_t capacity) {
  for (std::size_t place = 0; place < params_.size(); ++place) {
    if (params_[place].Answers(pos, mode, capacity)) return place;
  }
  if (params_.size() >= kMaxParams) return kNotKept;
  if (params_.empty()) params_.reserve(kUsualParams);
  ParsedParam& param = params_.emplace_back();
  param.pos = pos;
  param.mode = mode;
  param.capacity = capacity;
  param.next = ReadParamText(line, pos, capacity, mode, param.text);
  param.flag_reference = IsFlagReference(param.text);
  if (!param.flag_reference) param.number = ParseInt32(param.text);
  return params_.size() - 1;
}

}  // namespace tk
