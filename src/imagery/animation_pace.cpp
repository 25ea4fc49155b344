// An animation's timer sleeps over the frames that show the picture shown
// now (a blink's open eyes, say) and wakes at the tick that changes it, then
// steps every frame the ticks between would have. It does so only where
// nothing could tell the ticks between from none: a random play draws from
// the generator on every tick, and a play tied to a sound stops at the first
// tick after the sound ends, so those tick as they always did. A tick also
// recomposes the animation's rectangle; where the back buffer there stops
// matching the composition, a sleeping animation wakes at its next tick to
// do so (WakeAnimationsOver).
#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "form/main_form.h"
#include "imagery/animation.h"
#include "imagery/character_image.h"

namespace tk {

namespace {

// Longer sleeps gain nothing; a wake a minute keeps every sum small.
constexpr unsigned kLongestSleepMs = 60'000;

// What the platform's timer runs at.
unsigned TickMs(const Animation& a) {
  return std::max(a.interval_ms, kMinimumTimerMs);
}

int PictureOf(const Animation& a, int frame) {
  if (frame < 0 || frame >= static_cast<int>(a.pictures.size())) return -1;
  return a.pictures[static_cast<std::size_t>(frame)];
}

bool SamePixels(const Animation& a, std::size_t i, std::size_t j) {
  if (a.frames[i].Bytes() != a.frames[j].Bytes()) return false;
  return a.masks.empty() || a.masks[i].Bytes() == a.masks[j].Bytes();
}

bool MaySleep(const TMainForm& form, const Animation& a) {
  return form.animations.sleep_over_same_frames && a.sound_tie == 0 &&
         a.play_mode != static_cast<int>(PlayMode::kRandom) && a.timer.running();
}

// How many ticks from now, at most `limit`, until one shows another picture
// or ends the play.
unsigned TicksToChange(const Animation& a, unsigned limit) {
  const int shown = PictureOf(a, a.current_frame);
  int frame = a.current_frame;
  for (unsigned ticks = 1; ticks < limit; ++ticks) {
    const std::optional<int> next = FollowingFrame(a, frame);
    if (!next || PictureOf(a, *next) != shown) return ticks;
    frame = *next;
  }
  return limit;
}

}  // namespace

// Frames are only compared in full when their hashes agree, so a strip of
// many frames that differ late in their pixels costs one pass.
void NoteSamePictures(Animation& a) {
  if (a.frames.size() <= 1) {
    a.pictures.assign(a.frames.size(), 0);
    return;
  }
  std::unordered_map<std::size_t, std::vector<std::size_t>> firsts;
  a.pictures.assign(a.frames.size(), 0);
  for (std::size_t i = 0; i < a.frames.size(); ++i) {
    const std::vector<std::uint8_t>& bytes = a.frames[i].Bytes();
    auto& same_hash = firsts[std::hash<std::string_view>{}(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()))];
    const auto first =
        std::ranges::find_if(same_hash, [&](std::size_t j) { return SamePixels(a, j, i); });
    if (first != same_hash.end()) {
      a.pictures[i] = static_cast<int>(*first);
    } else {
      a.pictures[i] = static_cast<int>(i);
      same_hash.push_back(i);
    }
  }
}

void NoteStep(TMainForm& form, Animation& a, unsigned steps) {
  const std::uint32_t now = form.platform.TickCount();
  const std::uint32_t planned = a.last_step + steps * TickMs(a);
  a.last_step = now - planned < TickMs(a) ? planned : now;
}

// A timer that keeps its interval keeps its own beat, and one set anew
// starts from now. One woken for a single tick may have come late, by as
// much as the platform's shortest interval: its next interval is cut by as
// much, so that the beat stays where a ticking timer's would be.
void PaceAnimation(TMainForm& form, Animation& a) {
  if (!a.timer.running()) return;
  const unsigned tick = TickMs(a);
  a.ahead = MaySleep(form, a) ? TicksToChange(a, std::max(kLongestSleepMs / tick, 1u)) : 1;
  const unsigned interval = a.ahead == 1 ? a.interval_ms : a.ahead * tick;
  const bool woken = std::exchange(a.woken, false);
  if (!woken && a.timer.interval() == interval) return;
  const std::uint32_t late = woken ? form.platform.TickCount() - a.last_step : 0;
  a.timer.Start(interval - std::min(late, interval - 1));
}

// Only a sleeper whose next tick would change its rectangle wakes. The tick
// a ticking timer would make next lies on its beat from the latest step; one
// closer than the platform's shortest interval comes that much late.
void WakeAnimationsOver(TMainForm& form, const Rect& area) {
  const std::uint32_t now = form.platform.TickCount();
  for (const auto& animation : form.animations.list) {
    Animation& a = *animation;
    if (a.ahead <= 1 || !a.timer.running() || IsEmpty(Intersect(a.Bounds(), area))) continue;
    const unsigned tick = TickMs(a);
    const std::uint32_t since = now - a.last_step;
    const unsigned next = since / tick + 1;
    if (next >= a.ahead || !RecomposingWouldChange(form, a.Bounds())) continue;
    a.ahead = next;
    a.woken = true;
    a.timer.Start(next * tick - since);
  }
}

}  // namespace tk
