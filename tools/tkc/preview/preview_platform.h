// The simulated desktop as the preview runs it: time passes at the pace of
// the clock on the wall (or faster, or not at all), and wherever the program
// would take messages the preview's own work gets its turn.
#pragma once

#include <cstdint>
#include <string>

#include "platform/sim/sim_platform.h"

namespace tkc {

class PreviewPlatform : public tk::SimPlatform {
 public:
  // Whoever keeps the pace: told at every point the program takes messages
  // how far virtual time would go, it returns how far it may go now (no
  // further than asked; less when something came that must be seen first),
  // having slept as long as the pace asks. `inputs`: whether the program
  // takes input at this point.
  class Pacer {
   public:
    virtual ~Pacer() = default;
    virtual std::uint64_t Pace(std::uint64_t target_ms, bool inputs) = 0;
  };

  PreviewPlatform(const std::string& folder, Pacer& pacer)
      : SimPlatform(folder, folder), pacer_(pacer) {}

  // The longest stretch of virtual time the idle loop sleeps through at
  // once, so that the pacer looks around now and then even when nothing of
  // the character's is due.
  static constexpr std::uint64_t kLongestSleepMs = 1000;

  // Runs until Quit: each turn up to the next thing due.
  void RunMessageLoop() override;
  // A command that waits: each pump is a millisecond, each wait up to the
  // next thing due, both at the pacer's pace.
  void ProcessPendingMessages() override;
  void WaitForMessages(std::uint32_t max_ms) override;

 private:
  // Paces up to `target_ms`; how far time may now move on from where it is.
  std::uint64_t PacedStep(std::uint64_t target_ms);

  Pacer& pacer_;
};

}  // namespace tkc
