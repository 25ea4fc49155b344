#include "imagery/speech_prompt.h"

#include <algorithm>
#include <cstdint>

#include "base/messages.h"
#include "base/text.h"
#include "form/main_form.h"
#include "imagery/bmp_reader.h"
#include "imagery/child_image_form.h"
#include "imagery/image_file.h"
#include "imagery/image_region.h"
#include "imagery/prompt_state.h"
#include "imagery/speech_state.h"

namespace tk {

namespace {

constexpr unsigned kDefaultPromptIntervalMs = 200;
constexpr int kDefaultPromptFrames = 4;
// Prompt bitmaps of the program are a few hundred bytes.
constexpr std::size_t kMaxResourceBitmapBytes = 1 << 20;

// Frames of picture width / frames (at least one pixel) from the left, each
// with a mask from its own top-left pixel.
void CutPromptStrip(PromptState& prompt, const Bitmap& picture, int frames) {
  prompt.frames.clear();
  prompt.masks.clear();
  const int width = std::max(picture.width() / std::max(frames, 1), 1);
  for (int x = 0; x < picture.width(); x += width) {
    Bitmap frame(width, picture.height());
    CopyPixels(picture, x, 0, frame, 0, 0, width, picture.height());
    Bitmap mask;
    MakeFrameMask(frame, mask);
    prompt.frames.push_back(std::move(frame));
    prompt.masks.push_back(std::move(mask));
  }
}

void PlacePrompt(TMainForm& form, int x, int y, int interval_ms) {
  form.prompt.position = {x, y};
  form.prompt.timer.SetInterval(static_cast<unsigned>(std::max(interval_ms, 1)));
}

Rect PromptRect(const PromptState& prompt) {
  if (prompt.frames.empty()) return {};
  const Bitmap& f = prompt.frames.front();
  const Point p = prompt.position;
  return {p.x, p.y,
          static_cast<int>(std::min<std::int64_t>(std::int64_t{p.x} + f.width(), INT32_MAX)),
          static_cast<int>(std::min<std::int64_t>(std::int64_t{p.y} + f.height(), INT32_MAX))};
}

void RestoreUnderPrompt(TMainForm& form) {
  PromptState& prompt = form.prompt;
  if (!prompt.saved || !form.child_image) return;
  const Rect r = PromptRect(prompt);
  CopyPixels(*prompt.saved, 0, 0, form.child_image->display_bitmap, r.left, r.top, r.Width(),
             r.Height());
  form.child_image->Present(r);
}

}  // namespace

void LoadDefaultPrompt(TMainForm& form) {
  PlacePrompt(form, 0, 0, kDefaultPromptIntervalMs);
  form.prompt.last_frame = kDefaultPromptFrames - 1;
  const auto bytes =
      form.platform.ReadResourceBitmap(msg::kPromptStripResource, kMaxResourceBitmapBytes);
  if (!bytes) return;
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes->data());
  if (const auto picture = ParseBmp(ByteSpan(data, bytes->size()))) {
    CutPromptStrip(form.prompt, *picture, kDefaultPromptFrames);
  }
}

bool SetPromptMark(TMainForm& form, const std::string& file, int frames, int x, int y,
                   int interval_ms) {
  if (file.empty()) {
    PlacePrompt(form, x, y, interval_ms);
    return true;
  }
  if (EqualsIgnoreCase(file, "DEFAULT")) {
    LoadDefaultPrompt(form);
    PlacePrompt(form, x, y, interval_ms);
    return true;
  }
  Bitmap picture;
  if (!LoadImageFile(form.platform, picture, file)) {
    form.ShowError(msg::kImageFileUnopenable);
    return false;
  }
  PlacePrompt(form, x, y, interval_ms);
  form.prompt.last_frame = std::max(frames, INT32_MIN + 1) - 1;
  CutPromptStrip(form.prompt, picture, frames);
  return true;
}

void StartPrompt(TMainForm& form) {
  if (!form.prompt.timer.running()) form.prompt.timer.Start();
}

void StepPrompt(TMainForm& form) {
  PromptState& prompt = form.prompt;
  if (!form.child_image || !form.speech.click_wait) {
    prompt.timer.Stop();
    return;
  }
  TChildImageForm& child = *form.child_image;
  const Rect r = PromptRect(prompt);
  if (!prompt.saved) {
    prompt.saved.emplace(r.Width(), r.Height());
    CopyPixels(child.display_bitmap, r.left, r.top, *prompt.saved, 0, 0, r.Width(), r.Height());
  }
  CopyPixels(*prompt.saved, 0, 0, child.display_bitmap, r.left, r.top, r.Width(), r.Height());
  const auto index = static_cast<std::size_t>(prompt.frame_index);
  if (index < prompt.frames.size()) {
    CopyPixelsMasked(prompt.frames[index], prompt.masks[index], 0, 0, child.display_bitmap, r.left,
                     r.top, r.Width(), r.Height());
  }
  child.Present(r);
  prompt.frame_index = prompt.frame_index >= prompt.last_frame ? 0 : prompt.frame_index + 1;
}

bool EndClickWait(TMainForm& form) {
  PromptState& prompt = form.prompt;
  if (!form.speech.click_wait || !prompt.saved) return false;
  prompt.timer.Stop();
  prompt.frame_index = 0;
  RestoreUnderPrompt(form);
  prompt.saved.reset();
  form.speech.click_wait = false;
  return true;
}

void StopPrompt(TMainForm& form) {
  form.prompt.timer.Stop();
  form.prompt.frame_index = 0;
  form.prompt.saved.reset();
}

}  // namespace tk
