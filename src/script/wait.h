// Waiting inside a command: messages keep being handled (timers, clicks,
// paints) while the command waits for its condition.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace tk {

class TMainForm;

enum class WaitEnd {
  kDone,     // the condition holds
  kTimeUp,   // the time passed first
  kClosed,   // the window closed meanwhile
  kStopped,  // every run was told to stop
};

// Pumps messages until `done` holds, the window closes, every run is
// stopped, or `max_ms` pass (never, without a time). `done` is asked before
// the first wait, so a condition that already holds returns at once.
WaitEnd WaitUntil(TMainForm& form, const std::function<bool()>& done,
                  std::optional<std::uint32_t> max_ms = std::nullopt);

// Lets `ms` pass while messages are handled.
WaitEnd WaitFor(TMainForm& form, std::uint32_t ms);

}  // namespace tk
