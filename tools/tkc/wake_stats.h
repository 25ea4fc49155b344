// `tkc run --stats`: how often the character woke, per timer, so an author
// sees what a character costs while it merely stands there.
#pragma once

#include <cstdint>
#include <map>
#include <ostream>
#include <set>
#include <string>

#include "platform/platform.h"

namespace tk {
class SimPlatform;
class TMainForm;
}  // namespace tk

namespace tkc {

// What each of the form's timers is for, by the id it has now.
std::map<tk::TimerId, std::string> TimerNames(const tk::TMainForm& form);

struct WakeStats {
  std::map<tk::TimerId, std::string> names;  // taken while the form lived
  std::set<tk::TimerId> own;                 // tkc's timers (the end, the inputs): not counted
  std::map<tk::TimerId, std::uint64_t> ticks;
  std::uint64_t input_messages = 0;
  std::uint64_t posted_messages = 0;  // notices: media ends, a new window in front
  std::uint64_t ms = 0;               // virtual time they were counted over
};

// Takes the counts as they stand now.
void CountWakes(const tk::SimPlatform& sim, WakeStats& stats);
void PrintWakeStats(std::ostream& out, const WakeStats& stats);

}  // namespace tkc
