// The flag-init block: the only place flags come from.
#include "base/text.h"
#include "form/main_form.h"
#include "script/error_log.h"
#include "script/flag_commands.h"
#include "script/flags.h"
#include "script/params.h"
#include "script/script_lines.h"

namespace tk {

namespace {

constexpr char kBeginInitFlags[] = "_BeginInitFlags:";
// Unlike every other label, the end line matches only as written.
constexpr char kEndInitFlags[] = "_EndInitFlags:";

void DeclareFlag(TMainForm& form, std::string_view line, std::size_t line_index) {
  std::string type;
  std::size_t pos = ReadParam(line, 0, kParamCapacity, ParamMode::kColon, form.flags, type);
  const bool is_int = EqualsIgnoreCase(type, "int");
  if (!is_int && !EqualsIgnoreCase(type, "str")) return;

  // The flag exists before its value is read, so the value's flag
  // substitution already sees it.
  std::string name;
  pos = ReadParam(line, pos, kFlagNameCapacity, ParamMode::kPlain, form.flags, name);
  if (is_int) {
    form.flags.ints.push_back({name, 0});
  } else {
    form.flags.strs.push_back({name, {}});
  }
  std::string value;
  ReadRest(line, pos, kParamCapacity, form.flags, value);
  if (!is_int) {
    form.flags.strs.back().text = std::move(value);
    return;
  }
  if (value.empty()) return;
  if (const auto number = ParseInt32(value)) {
    form.flags.ints.back().value = *number;
  } else {
    LogScriptError(form, name, "FlagInitError", ErrorKind::kParameter,
                   static_cast<long long>(line_index));
  }
}

}  // namespace

void DeclareInitFlags(TMainForm& form) {
  const auto begin = form.script.Find(kBeginInitFlags);
  if (!begin) return;
  for (std::size_t i = *begin + 1; i < form.script.Size(); ++i) {
    const std::string& line = form.script[i];
    if (line == kEndInitFlags) break;
    DeclareFlag(form, line, i);
  }
}

}  // namespace tk
