#include "imagery/animation.h"

#include <algorithm>

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

Animation& AppendStillAnimation(TMainForm& form, const std::string& name, const Bitmap& picture,
                                int left, int top) {
  constexpr unsigned kStillIntervalMs = 1000;
  auto a =
      NewAnimation(form, name, left, top, {picture.width(), picture.height()}, kStillIntervalMs);
  Animation* raw = a.get();
  if (form.animations.transparency) {
    Bitmap mask;
    MakeFrameMask(picture, mask);
    a->masks.push_back(std::move(mask));
  }
  a->frames.push_back(picture);
  a->running = true;
  a->current_frame = 0;
  form.animations.list.push_back(std::move(a));
  return *raw;
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
    a.timer.Start();
  });
}

void StopAnimations(TMainForm& form, const std::string& name, int frame) {
  ForEachNamed(form, name, [&](Animation& a) {
    a.sound_ended = false;
    a.timer.Stop();
    if (frame < 0 || frame >= a.frame_count) {
      a.running = false;
      return;
    }
    // Drawn straight over whatever the back buffer holds there.
    a.current_frame = frame;
    DrawCurrentFrame(a, form.images.back_buffer, a.Bounds());
    DrawOntoDeviceBack(form, a, a.Bounds());
    PresentArea(form, a.Bounds());
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
  switch (static_cast<PlayMode>(a.play_mode)) {
    case PlayMode::kRandom:
      return a.frame_count > 0 ? form.random.Next() % a.frame_count : 0;
    case PlayMode::kLoop:
      return a.current_frame + 1 >= a.frame_count ? 0 : a.current_frame + 1;
    case PlayMode::kOnce:
      if (a.current_frame + 1 >= a.frame_count) {
        a.timer.Stop();
        return a.current_frame;
      }
      return a.current_frame + 1;
  }
  return a.current_frame;
}

}  // namespace

void StepAnimation(TMainForm& form, Animation& a) {
  if (a.sound_tie != 0 && a.sound_ended) {
    a.timer.Stop();
    a.current_frame = a.frame_count > 0 ? a.end_frame % a.frame_count : 0;
    if (a.current_frame < 0) a.current_frame += a.frame_count;
    RedrawAnimation(form, a);
    a.sound_ended = false;
    return;
  }
  a.current_frame = NextFrame(form, a);
  RedrawAnimation(form, a);
  a.sound_ended = false;
}

void RedrawAnimation(TMainForm& form, const Animation& animation) {
  RedrawArea(form, animation.Bounds());
  PresentArea(form, animation.Bounds());
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
