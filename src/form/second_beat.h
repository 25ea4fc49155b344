// One wake a second, just after the local clock's second turns, shared by
// everything that follows the clock: the clock image redraws and the events
// are checked on the same wake instead of each on a timer of its own. The
// pacer finds where the turn falls; the timer runs only while a listener
// wants the beat.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "form/second_pacer.h"
#include "platform/timer.h"

namespace tk {

class SecondBeat {
 public:
  // In the order they hear a turn: the clock shows the new second before an
  // event's action may hold the program up.
  enum Listener { kClockImage, kEvents, kListenerCount };

  // Makes the timer; until then no one hears anything.
  void Create(Platform& platform);
  // `on_turn` runs on each turn while `who` wants the beat.
  void Listen(Listener who, std::function<void()> on_turn);
  // The timer runs while any listener wants the beat. Wanting it from a
  // standstill looks at the clock at once, so the first turn after is heard.
  void Want(Listener who, bool wanted);
  bool Wanted(Listener who) const { return wanted_[who]; }
  // Gives the timer back and forgets the listeners.
  void Release();

  const Timer& timer() const { return timer_; }

 private:
  void Tick();
  // Looks at the clock and sets the timer for the next look; true when the
  // second turned since the last look.
  bool Look();
  bool AnyWanted() const;

  Platform* platform_ = nullptr;
  Timer timer_;
  SecondPacer pacer_;
  MonotonicTicks ticks_;
  std::int64_t last_second_ = -1;  // the second of the last look, counted from year 0
  std::array<bool, kListenerCount> wanted_{};
  std::array<std::function<void()>, kListenerCount> on_turn_;
};

}  // namespace tk
