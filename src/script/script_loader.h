#pragma once

#include <string>

namespace tk {

class TMainForm;

inline constexpr char kScriptMarker[] = "*TKScriptFile";

// Reads the script, checks its marker, shows the window with an empty shape,
// declares the flags and runs `_FirstAction`. False after a message when the
// script cannot be read or is not a script.
bool LoadScript(TMainForm& form, const std::string& file_name);

}  // namespace tk
