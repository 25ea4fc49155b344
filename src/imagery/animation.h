// Animations: strips of frames cut from one picture, stepped by a timer of
// their own and drawn over the character picture in list order.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/bitmap.h"
#include "imagery/layer.h"
#include "platform/timer.h"

namespace tk {

class TMainForm;

enum class PlayMode { kRandom = 0, kLoop = 1, kOnce = 2 };

// A layer of the main window: while running, its current frame.
struct Animation : Layer {
  std::string name;
  int left = 0;
  int top = 0;
  int frame_count = 0;
  int play_mode = 0;  // PlayMode; other values keep the frame
  int sound_tie = 0;  // 0 none, 1 wave, 2 MIDI, 3 CD
  int end_frame = 0;
  bool sound_ended = false;
  bool running = false;
  int frame_width = 0;
  int frame_height = 0;
  std::vector<Bitmap> frames;
  std::vector<Bitmap> masks;  // one per frame when the strip is transparent
  // A still picture drawn again at a scaled display's size (a text image):
  // shown instead of its blocks where the window has that factor.
  Bitmap fine_frame;
  Bitmap fine_mask;  // when the frame has a mask
  int fine_factor = 0;
  Timer timer;  // steps the frames; runs only while it has frames to show
  int current_frame = -1;
  unsigned interval_ms = 1;  // between frames, as made
  // Per frame, the first frame with the same pixels: frames that share it
  // show the same picture.
  std::vector<int> pictures;
  // Frames the timer's next wake steps: more than one while the frames
  // before it show the picture shown now, so that the ticks between would
  // change nothing (animation_pace.cpp).
  unsigned ahead = 1;
  std::uint32_t last_step = 0;  // tick count of the latest step, or of the start
  bool woken = false;           // its timer is set for the next tick only

  Rect Bounds() const override { return {left, top, left + frame_width, top + frame_height}; }
  void Draw(Bitmap& target, const Rect& clip) const override;
  void DrawScaled(Bitmap& target, const Rect& clip, int factor) const override;
};

struct Animations {
  // Owned one by one so that each timer can keep a pointer to its own.
  // Drawn in this order over the picture.
  std::vector<std::unique_ptr<Animation>> list;
  bool transparency = false;  // ACR: strips made from now on carry masks
  // Whether a timer may sleep over frames that show the same picture; off,
  // every frame is a wake, which a run can be compared against.
  bool sleep_over_same_frames = true;
};

// ACS. False (after the message box) when the picture does not load.
bool CreateAnimation(TMainForm& form, const std::string& file, const std::string& name,
                     int frame_count, int left, int top, int interval_ms);
// A ready-made picture as an animation of one frame, appended running and
// showing it; nothing is redrawn. Its frame count stays 0, so ACE on any
// frame hides it until whoever made it replaces it.
Animation& AppendStillAnimation(TMainForm& form, const std::string& name, const Bitmap& picture,
                                int left, int top);
// Where the only animation of that name is the last in the list and has
// the picture's place and size, it takes the picture as AppendStillAnimation
// would have made it, in place; nothing is redrawn. Null otherwise.
Animation* ReplaceableStill(TMainForm& form, const std::string& name, const Bitmap& picture,
                            int left, int top);
void StartAnimations(TMainForm& form, const std::string& name, int play_mode, int sound_tie,
                     int end_frame);                                       // ACB
void StopAnimations(TMainForm& form, const std::string& name, int frame);  // ACE
void DeleteAnimations(TMainForm& form, const std::string& name);           // ACD
void ReleaseAnimations(TMainForm& form);  // at close: nothing redrawn

// The timer handler.
void StepAnimation(TMainForm& form, Animation& animation);

// The frame the next tick shows after `frame`, for the modes whose frames
// follow from the current one (not random); none when that tick ends a
// once-through play instead.
std::optional<int> FollowingFrame(const Animation& animation, int frame);

// Notes which frames show the same picture.
void NoteSamePictures(Animation& animation);
// At a wake that steps `steps` frames: where the step lies on the beat of
// the animation's ticks. A wake later than planned by less than a tick is
// still that tick, so the beat does not drift.
void NoteStep(TMainForm& form, Animation& animation, unsigned steps);
// After a step: sets the timer to wake at the next tick that changes the
// picture (or ends the play), where nothing can observe the ticks between.
void PaceAnimation(TMainForm& form, Animation& animation);
// The back buffer in `area` was drawn on, or what composes it changed,
// without recomposing it there: a ticking animation over it would put the
// composition back at its next tick, so any sleeping there wakes at that
// tick.
void WakeAnimationsOver(TMainForm& form, const Rect& area);
// Recomposes and shows the animation's own rectangle, with whatever else
// shows there.
void RedrawAnimation(TMainForm& form, const Animation& animation);

// Draws the current frame, clipped to `clip`; nothing before the first tick.
// With a `factor` above 1, onto a target that many times larger.
void DrawCurrentFrame(const Animation& animation, Bitmap& target, const Rect& clip, int factor = 1);

// Whether a sound of that kind plays and is not paused; the sound player
// answers (src/sound).
bool IsSoundKindPlaying(const TMainForm& form, int kind);

// A sound of kind `tie` ended: the animations tied to it stop on their end
// frame at their next tick.
void EndSoundTiedAnimations(TMainForm& form, int tie);
// The user switched sound off or on: tied animations wait with their sound
// and go on with it.
void PauseOrResumeSoundTiedAnimations(TMainForm& form, bool sound_on);

}  // namespace tk
