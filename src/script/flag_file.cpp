#include "script/flag_file.h"

#include "base/messages.h"
#include "base/text.h"
#include "form/main_form.h"
#include "script/command_context.h"
#include "script/encoded_file.h"
#include "script/error_log.h"
#include "script/flags.h"
#include "script/params.h"

namespace tk {

namespace {

constexpr char kIntSection[] = "*FLI";
constexpr char kStrSection[] = "*FLS";
constexpr char kEndOfRecord[] = "*EOF";

// Reads name;value; pairs up to the field `end`, handing each to SetFlagText
// (names that match no flag, and integers that are no number, change
// nothing). False when the line ends first.
bool ApplySection(std::string_view record, std::size_t& pos, std::string_view end,
                  FlagLists& flags) {
  while (pos < record.size()) {
    std::string name;
    pos = ReadRest(record, pos, kFlagNameCapacity, flags, name);
    if (name == end) return true;
    std::string value;
    pos = ReadRest(record, pos, kParamCapacity, flags, value);
    flags.SetFlagText(name, value);
  }
  return false;
}

}  // namespace

std::string FlagRecordLine(const FlagLists& flags) {
  std::string line = std::string(kIntSection) + ";";
  for (const IntFlag& flag : flags.ints) line += flag.name + ";" + std::to_string(flag.value) + ";";
  line += std::string(kStrSection) + ";";
  for (const StrFlag& flag : flags.strs) line += flag.name + ";" + flag.text + ";";
  line += std::string(kEndOfRecord) + ";";
  return line;
}

bool ApplyFlagRecord(std::string_view record, FlagLists& flags) {
  std::string first;
  std::size_t pos = ReadRest(record, 0, kParamCapacity, flags, first);
  return ApplySection(record, pos, kStrSection, flags) &&
         ApplySection(record, pos, kEndOfRecord, flags);
}

bool SaveFlagFile(TMainForm& form, const std::string& file_name) {
  const Lines lines{kFlagFileMarker, FlagRecordLine(form.flags)};
  std::size_t dropped = 0;
  if (!WriteEncodedFile(form.platform, file_name, lines, &dropped)) {
    form.ShowError(msg::kFlagFileUnwritable, file_name);
    return false;
  }
  if (dropped > 0) {
    LogNote(form, "Flag file " + file_name + ": " + std::to_string(dropped) +
                      " form feed or carriage return bytes of string flags cannot be stored and "
                      "were left out");
  }
  return true;
}

// A record that ends before its *EOF field still loads what it names: the
// writer itself makes such records when a text holds a ';' (every later field
// moves by one and *EOF is read as a value), and those files must load.
bool LoadFlagFile(TMainForm& form, const std::string& file_name) {
  Lines lines;
  if (!ReadEncodedFile(form.platform, file_name, lines)) {
    form.ShowError(msg::kFlagFileUnreadable, file_name);
    return false;
  }
  bool marked = false;
  for (const std::string& line : lines) marked = marked || EqualsIgnoreCase(line, kFlagFileMarker);
  if (!marked || lines.size() < 2) {
    form.ShowError(msg::kFlagFileUnrecognised, file_name);
    return false;
  }
  ApplyFlagRecord(lines[1], form.flags);
  return true;
}

std::string ReplaceExtension(std::string_view file_name, std::string_view extension) {
  std::size_t dot = std::string_view::npos;
  for (std::size_t i = 0; i < file_name.size(); ++i) {
    const char c = file_name[i];
    if (IsSjisLeadByte(static_cast<unsigned char>(c))) {
      ++i;  // a trail byte may look like a separator or a dot
    } else if (c == '\\' || c == '/' || c == ':') {
      dot = std::string_view::npos;
    } else if (c == '.') {
      dot = i;
    }
  }
  return std::string(file_name.substr(0, dot)) + std::string(extension);
}

void RunFlagFileLoad(CommandContext& c) {
  LoadFlagFile(c.form, c.Param());
}

void RunFlagFileSave(CommandContext& c) {
  SaveFlagFile(c.form, c.Param());
}

void RunFlagFileDialog(CommandContext& c) {
  const auto mode = c.Int();
  if (!mode) return;
  const std::string extension = c.Param();
  FileDialogRequest request;
  request.save = *mode == 0;
  request.title = c.Param();
  request.filter = std::string(msg::kFlagFileFilterPrefix) + extension + ")|*." + extension;
  request.filter_index = 1;
  request.initial_folder = c.form.platform.ProgramFolder();
  const std::string on_success = c.Param();
  const std::string on_failure = c.Param();

  Platform& platform = c.form.platform;
  bool success = false;
  if (const auto chosen = platform.ShowFileDialog(request)) {
    success = request.save ? SaveFlagFile(c.form, ReplaceExtension(*chosen, "." + extension))
                           : LoadFlagFile(c.form, *chosen);
  }
  platform.SetCurrentDirectory(platform.ProgramFolder());
  const std::string& label = success ? on_success : on_failure;
  if (!label.empty()) c.JumpTo(label);
}

}  // namespace tk
