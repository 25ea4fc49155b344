// One wake a second shared by everything that wants one: the clock image
// redraws, the front window is looked at and the events are checked on the
// same wake instead of each on a timer of its own. While the clock image
// shows, the beat falls just after each turn of the local second, which a
// pacer finds; otherwise a plain second apart, which costs no looking for
// the turn. The timer runs only while a listener wants the beat.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "form/second_pacer.h"
#include "platform/timer.h"

namespace tk {

class SecondBeat {
 public:
  // In the order they hear a beat: the clock shows the new second and the
  // character steps aside before an event's action may hold the program up.
  enum Listener { kClockImage, kFrontWindow, kEvents, kListenerCount };

  // Makes the timer; until then no one hears anything.
  void Create(Platform& platform);
  // `on_beat` runs on each beat while `who` wants it.
  void Listen(Listener who, std::function<void()> on_beat);
  // The timer runs while any listener wants the beat.
  void Want(Listener who, bool wanted);
  bool Wanted(Listener who) const { return wanted_[who]; }
  // Gives the timer back and forgets the listeners; nothing wakes after.
  void Release();

  const Timer& timer() const { return timer_; }

 private:
  void Tick();
  // Only the clock image cares where the second turns.
  bool Paced() const { return wanted_[kClockImage]; }
  bool AnyWanted() const;
  // Looks at the clock and sets the timer for the next look; true when the
  // second turned since the last look. Within a tick a timer already set
  // for about that long is left to run.
  bool Look(bool in_tick);

  Platform* platform_ = nullptr;
  Timer timer_;
  SecondPacer pacer_;
  MonotonicTicks ticks_;
  std::int64_t last_second_ = -1;  // the second of the last look, counted from year 0
  std::array<bool, kListenerCount> wanted_{};
  std::array<std::function<void()>, kListenerCount> on_beat_;
};

}  // namespace tk
