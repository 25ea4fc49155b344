// Flag files: the values of every declared flag in one encoded record line.
#pragma once

#include <string>
#include <string_view>

namespace tk {

class TMainForm;
struct CommandContext;
struct FlagLists;

inline constexpr char kFlagFileMarker[] = "*TKFlagFile";

// *FLI;name;value;...*FLS;name;text;...*EOF;
std::string FlagRecordLine(const FlagLists& flags);

// Applies a record line to `flags` as the loader does, up to its *EOF field
// or the end of the line. False when the line ended first.
bool ApplyFlagRecord(std::string_view record, FlagLists& flags);

// Each shows its own message box on failure.
bool SaveFlagFile(TMainForm& form, const std::string& file_name);
bool LoadFlagFile(TMainForm& form, const std::string& file_name);

// The file name with its extension (from its last '.' after the last folder
// separator) replaced by `extension`, which includes the dot.
std::string ReplaceExtension(std::string_view file_name, std::string_view extension);

void RunFlagFileLoad(CommandContext& context);
void RunFlagFileSave(CommandContext& context);
void RunFlagFileDialog(CommandContext& context);

}  // namespace tk
