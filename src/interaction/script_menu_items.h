// The script's own popup-menu items (PMS, PMD, PMA) and choosing one.
#pragma once

#include <string>

namespace tk {

class TMainForm;

void AddScriptMenuItem(TMainForm& form, const std::string& caption, const std::string& label);
// An empty caption deletes every item; otherwise items equal in caption and
// label, byte for byte.
void DeleteScriptMenuItems(TMainForm& form, const std::string& caption, const std::string& label);
// Runs the label of the first item with that number; false when none has it.
bool ChooseScriptMenuItem(TMainForm& form, int number);

}  // namespace tk
