// What the panels beside the screen show of the character: its flags, what
// runs and what it says, its timed events, how often each timer woke it,
// and its windows. Read on the engine thread, as JSON for the page.
#pragma once

#include <nlohmann/json.hpp>

namespace tk {
class SimPlatform;
class TMainForm;
}  // namespace tk

namespace tkc {

nlohmann::json CharacterState(const tk::TMainForm& form, const tk::SimPlatform& sim);

// The program's Shift-JIS text as JSON text, whatever bytes it holds.
nlohmann::json JsonText(const std::string& sjis);

}  // namespace tkc
