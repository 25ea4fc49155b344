// `tkc run`: a character on the simulated desktop, bounded in virtual and in
// real time, with an exit code that says how the run went.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace tkc {

struct RunOptions {
  std::string folder;
  std::uint64_t seconds = 0;            // how long the character lives, in virtual time
  std::chrono::seconds real_limit{60};  // the most real time the whole run may take
  std::string screenshot;               // a PNG of the screen at the end; empty: none
};

// Exit codes: 0 the character ran and was closed; 1 it could not run (the
// folder, its script, an internal error); 3 a run was stopped by a bound.
inline constexpr int kExitStopped = 3;

int RunCharacter(const RunOptions& options);

}  // namespace tkc
