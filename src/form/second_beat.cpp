#include "form/second_beat.h"

#include <algorithm>

namespace tk {

namespace {

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

void SecondBeat::Listen(Listener who, std::function<void()> on_turn) {
  on_turn_[who] = std::move(on_turn);
}

void SecondBeat::Want(Listener who, bool wanted) {
  const bool was_running = AnyWanted();
  wanted_[who] = wanted;
  if (platform_ == nullptr) return;
  if (!AnyWanted()) {
    timer_.Stop();
  } else if (!was_running) {
    Look();
  }
}

void SecondBeat::Release() {
  timer_.Release();
  wanted_ = {};
  on_turn_ = {};
}

bool SecondBeat::AnyWanted() const {
  return std::ranges::any_of(wanted_, [](bool w) { return w; });
}

bool SecondBeat::Look() {
  const std::int64_t second = SecondOf(platform_->Now());
  const bool turned = second != last_second_;
  last_second_ = second;
  timer_.Start(pacer_.Wake(ticks_.Extend(platform_->TickCount()), turned));
  return turned;
}

// The next wake is set before anyone hears the turn: an event's action may
// run a while, and a turn during it must still be heard on time.
void SecondBeat::Tick() {
  if (!AnyWanted()) {
    timer_.Stop();
    return;
  }
  if (!Look()) return;
  for (int who = 0; who < kListenerCount; ++who) {
    if (!wanted_[who]) continue;  // a listener before may have changed that
    const std::function<void()> on_turn = on_turn_[who];
    if (on_turn) on_turn();
  }
}

}  // namespace tk
