#include "form/second_beat.h"

#include <algorithm>

namespace tk {

namespace {

constexpr unsigned kSecondMs = 1000;

// Only equality matters: any change of the shown time, a clock set by hand
// by a whole minute included, counts as a turn.
std::int64_t SecondOf(const LocalTime& t) {
  const std::int64_t day = (std::int64_t{t.year} * 13 + t.month) * 32 + t.day;
  return day * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

}  // namespace

void SecondBeat::Create(Platform& platform) {
  platform_ = &platform;
  timer_ = Timer(platform, [this] { Tick(); });
}

void SecondBeat::Listen(Listener who, std::function<void()> on_beat) {
  on_beat_[who] = std::move(on_beat);
}

// Starting to pace looks for the turn at once; a plain beat starts a second
// from now, and one that stops being paced keeps its next wake.
void SecondBeat::Want(Listener who, bool wanted) {
  const bool was_running = AnyWanted(), was_paced = Paced();
  wanted_[who] = wanted;
  if (platform_ == nullptr) return;
  if (!AnyWanted()) {
    timer_.Stop();
  } else if (Paced() && !was_paced) {
    Look(false);
  } else if (!was_running) {
    timer_.Start(kSecondMs);
  }
}

void SecondBeat::Release() {
  timer_.Release();
  platform_ = nullptr;
  wanted_ = {};
  on_beat_ = {};
}

bool SecondBeat::AnyWanted() const {
  return std::ranges::any_of(wanted_, [](bool w) { return w; });
}

bool SecondBeat::Look(bool in_tick) {
  const std::int64_t second = SecondOf(platform_->Now());
  const bool turned = second != last_second_;
  last_second_ = second;
  const unsigned delay = pacer_.Wake(ticks_.Extend(platform_->TickCount()), turned);
  if (!in_tick || !SecondPacer::Keeps(timer_.interval(), delay)) timer_.Start(delay);
  return turned;
}

// The next wake is set before anyone hears the beat: an event's action may
// run a while, and a beat during it must still come on time.
void SecondBeat::Tick() {
  if (!AnyWanted()) {
    timer_.Stop();
    return;
  }
  if (Paced()) {
    if (!Look(true)) return;
  } else if (timer_.interval() != kSecondMs) {
    timer_.Start(kSecondMs);
  }
  for (int who = 0; who < kListenerCount; ++who) {
    if (!wanted_[who]) continue;  // a listener before may have changed that
    const std::function<void()> on_beat = on_beat_[who];
    if (on_beat) on_beat();
  }
}

}  // namespace tk
