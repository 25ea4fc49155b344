#include "imagery/animation.h"

#include <algorithm>
#include <utility>

#include "base/messages.h"
#include "form/main_form.h"
#include "form/mover.h"
#include "imagery/character_image.h"
#include "imagery/image_file.h"
#include "imagery/image_region.h"

namespace tk {

namespace {

// Cuts frame_width-wide frames from the left; a last, narrower remainder
// becomes one more frame whose missing columns are the strip's key colour,
// so that they stay transparent.
void CutFrames(Animation& a, const Bitmap& strip, bool masked) {
  for (int x = 0; x < strip.width(); x += a.frame_width) {
    Bitmap frame(a.frame_width, a.frame_height);
    frame.Fill(KeyColour(strip));
    CopyPixels(strip, x, 0, frame, 0, 0, a.frame_width, a.frame_height);
    if (masked) {
      Bitmap mask;
      MakeFrameMask(frame, mask);
      a.masks.push_back(std::move(mask));
    }
    a.frames.push_back(std::move(frame));
  }
  a.frame_count = static_cast<int>(a.frames.size());
  NoteSamePictures(a);
}

struct FrameSize {
  int width;
  int height;
};

// An animation of `size` frames at (left, top), kept where its right and
// bottom edges still have coordinates, with its timer made and stopped.
std::unique_ptr<Animation> NewAnimation(TMainForm& form, const std::string& name, int left, int top,
                                        FrameSize size, unsigned interval_ms) {
  auto a = std::make_unique<Animation>();
  Animation* raw = a.get();
  a->timer = Timer(form.platform, [&form, raw] { StepAnimation(form, *raw); });
  a->timer.SetInterval(interval_ms);
  a->interval_ms = interval_ms;
  a->name = name;
  a->frame_width = size.width;
  a->frame_height = size.height;
  const Rect at = PlaceRect(left, top, size.width, size.height);
  a->left = at.left;
  a->top = at.top;
  return a;
}

template <typename F>
void ForEachNamed(TMainForm& form, const std::string& name, F&& f) {
  for (const auto& animation : form.animations.list) {
    if (animation->name == name) f(*animation);
  }
}

}  // namespace

bool CreateAnimation(TMainForm& form, const std::string& file, const std::string& name,
                     int frame_count, int left, int top, int interval_ms) {
  Bitmap strip;
  if (!LoadImageFile(form.platform, strip, file)) {
    form.ShowError(msg::kImageFileUnopenable, file);
    return false;
  }
  // More frames than columns would make them zero pixels wide: one column each.
  const int count = std::clamp(frame_count, 1, strip.width());
  // A negative interval would wrap to weeks; it runs as fast as 0 does.
  auto a = NewAnimation(form, name, left, top, {strip.width() / count, strip.height()},
                        interval_ms <= 0 ? 1u : static_cast<unsigned>(interval_ms));
  CutFrames(*a, strip, form.animations.transparency);
  form.animations.list.push_back(std::move(a));
  return true;
}

namespace {

constexpr unsigned kStillIntervalMs = 1000;

// `a` shows `picture` as a still: one frame, running, its timer stopped.
void MakeStill(TMainForm& form, Animation& a, const Bitmap& picture) {
  a.frames.assign(1, picture);
  a.masks.clear();
  if (form.animations.transparency) {
    a.masks.emplace_back();
    MakeFrameMask(picture, a.masks.back());
  }
  NoteSamePictures(a);
  a.frame_count = 0;
  a.play_mode = a.sound_tie = a.end_frame = 0;
  a.sound_ended = false;
  a.running = true;
  a.current_frame = 0;
  a.ahead = 1;
  a.woken = false;
  a.timer.Stop();
  if (a.interval_ms != kStillIntervalMs) {
    a.interval_ms = kStillIntervalMs;
    a.timer.SetInterval(kStillIntervalMs);
  }
}

}  // namespace

Animation& AppendStillAnimation(TMainForm& form, const std::string& name, const Bitmap& picture,
                                int left, int top) {
  auto a =
      NewAnimation(form, name, left, top, {picture.width(), picture.height()}, kStillIntervalMs);
  Animation* raw = a.get();
  MakeStill(form, *a, picture);
  form.animations.list.push_back(std::move(a));
  return *raw;
}

Animation* ReplaceableStill(TMainForm& form, const std::string& name, const Bitmap& picture,
                            int left, int top) {
  const auto& list = form.animations.list;
  if (list.empty() || list.back()->name != name) return nullptr;
  Animation& last = *list.back();
  const auto named = std::ranges::count_if(list, [&](const auto& a) { return a->name == name; });
  if (named != 1 || last.Bounds() != PlaceRect(left, top, picture.width(), picture.height())) {
    return nullptr;
  }
  MakeStill(form, last, picture);
  return &last;
}

void StartAnimations(TMainForm& form, const std::string& name, int play_mode, int sound_tie,
                     int end_frame) {
  ForEachNamed(form, name, [&](Animation& a) {
    if (form.shell.sound_available) {
      if (sound_tie >= 1 && sound_tie <= 3 && !IsSoundKindPlaying(form, sound_tie)) return;
      if (sound_tie <= 3) a.sound_tie = sound_tie;
    }
    a.play_mode = play_mode;
    a.end_frame = end_frame;
    a.running = true;
    a.current_frame = -1;
    a.ahead = 1;
    a.woken = false;
    a.last_step = form.platform.TickCount();
    a.timer.Start(a.interval_ms);
    // Until its first tick it shows nothing.
    WakeAnimationsOver(form, a.Bounds());
  });
}

void StopAnimations(TMainForm& form, const std::string& name, int frame) {
  ForEachNamed(form, name, [&](Animation& a) {
    a.sound_ended = false;
    a.timer.Stop();
    a.ahead = 1;
    a.woken = false;
    if (frame < 0 || frame >= a.frame_count) {
      a.running = false;  // what it showed stays until something redraws there
    } else {
      // Drawn straight over whatever the back buffer holds there.
      a.current_frame = frame;
      DrawCurrentFrame(a, form.images.back_buffer, a.Bounds());
      DrawOntoDeviceBack(form, a, a.Bounds());
      PresentArea(form, a.Bounds());
    }
    WakeAnimationsOver(form, a.Bounds());
  });
}

void DeleteAnimations(TMainForm& form, const std::string& name) {
  auto& list = form.animations.list;
  for (std::size_t i = 0; i < list.size();) {
    Animation& a = *list[i];
    if (!name.empty() && a.name != name) {
      ++i;
      continue;
    }
    a.running = false;
    RedrawAnimation(form, a);  // erases it
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
  }
}

void ReleaseAnimations(TMainForm& form) {
  form.animations.list.clear();
}

namespace {

int NextFrame(TMainForm& form, Animation& a) {
  if (a.play_mode == static_cast<int>(PlayMode::kRandom)) {
    return a.frame_count > 0 ? form.random.Next() % a.frame_count : 0;
  }
  const std::optional<int> next = FollowingFrame(a, a.current_frame);
  if (!next) a.timer.Stop();
  return next.value_or(a.current_frame);
}

}  // namespace

std::optional<int> FollowingFrame(const Animation& a, int frame) {
  switch (static_cast<PlayMode>(a.play_mode)) {
    case PlayMode::kLoop:
      return frame + 1 >= a.frame_count ? 0 : frame + 1;
    case PlayMode::kOnce:
      if (frame + 1 >= a.frame_count) return std::nullopt;
      return frame + 1;
    case PlayMode::kRandom:
      break;
  }
  return frame;
}

// A wake after a sleep steps every frame the ticks between would have.
void StepAnimation(TMainForm& form, Animation& a) {
  const unsigned steps = std::exchange(a.ahead, 1u);
  NoteStep(form, a, steps);
  if (a.sound_tie != 0 && a.sound_ended) {
    a.timer.Stop();
    a.current_frame = a.frame_count > 0 ? a.end_frame % a.frame_count : 0;
    if (a.current_frame < 0) a.current_frame += a.frame_count;
    RedrawAnimation(form, a);
    a.sound_ended = false;
    return;
  }
  for (unsigned i = 0; i < steps && a.timer.running(); ++i) a.current_frame = NextFrame(form, a);
  RedrawAnimation(form, a);
  a.sound_ended = false;
  PaceAnimation(form, a);
}

// Only what changed goes to the window: a tick that shows the same frame
// again presents nothing.
void RedrawAnimation(TMainForm& form, const Animation& animation) {
  PresentArea(form, RecomposeArea(form, animation.Bounds()));
}

void Animation::Draw(Bitmap& target, const Rect& clip) const {
  if (running) DrawCurrentFrame(*this, target, clip);
}

void Animation::DrawScaled(Bitmap& target, const Rect& clip, int factor) const {
  if (running) DrawCurrentFrame(*this, target, clip, factor);
}

void DrawCurrentFrame(const Animation& a, Bitmap& target, const Rect& clip, int factor) {
  if (a.current_frame < 0 || a.current_frame >= static_cast<int>(a.frames.size())) return;
  const Rect r = Intersect(a.Bounds(), clip);
  if (IsEmpty(r)) return;
  const Bitmap& frame = a.frames[static_cast<std::size_t>(a.current_frame)];
  const int sx = r.left - a.left, sy = r.top - a.top;
  if (factor > 1 && a.fine_factor == factor) {
    const Rect d = Scaled(r, factor);
    if (a.masks.empty()) {
      CopyPixels(a.fine_frame, sx * factor, sy * factor, target, d.left, d.top, d.Width(),
                 d.Height());
    } else {
      CopyPixelsMasked(a.fine_frame, a.fine_mask, sx * factor, sy * factor, target, d.left, d.top,
                       d.Width(), d.Height());
    }
  } else if (factor > 1) {
    const Bitmap* mask =
        a.masks.empty() ? nullptr : &a.masks[static_cast<std::size_t>(a.current_frame)];
    EnlargePixels(frame, mask, sx, sy, target, r.left, r.top, r.Width(), r.Height(), factor);
  } else if (a.masks.empty()) {
    CopyPixels(frame, sx, sy, target, r.left, r.top, r.Width(), r.Height());
  } else {
    CopyPixelsMasked(frame, a.masks[static_cast<std::size_t>(a.current_frame)], sx, sy, target,
                     r.left, r.top, r.Width(), r.Height());
  }
}

}  // namespace tk
