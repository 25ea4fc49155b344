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

void ShowPromptFrame(TMainForm& form, int frame) {
  form.prompt.shown_frame = frame;
  if (form.child_image) form.child_image->Recompose(PromptRect(form.prompt));
}

void HidePrompt(TMainForm& form) {
  PromptState& prompt = form.prompt;
  prompt.timer.Stop();
  prompt.frame_index = 0;
  if (prompt.shown_frame >= 0) ShowPromptFrame(form, -1);
}

}  // namespace

Rect PromptLayer::Bounds() const {
  return prompt_.shown_frame >= 0 ? PromptRect(prompt_) : Rect{};
}

void PromptLayer::Draw(Bitmap& target, const Rect& clip) const {
  const auto index = static_cast<std::size_t>(prompt_.shown_frame);
  if (index >= prompt_.frames.size()) return;
  const Point at = prompt_.position;
  CopyPixelsMasked(prompt_.frames[index], prompt_.masks[index], clip.left - at.x, clip.top - at.y,
                   target, clip.left, clip.top, clip.Width(), clip.Height());
}

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
    form.ShowError(msg::kImageFileUnopenable, file);
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
  ShowPromptFrame(form, prompt.frame_index);
  prompt.frame_index = prompt.frame_index >= prompt.last_frame ? 0 : prompt.frame_index + 1;
}

bool EndClickWait(TMainForm& form) {
  PromptState& prompt = form.prompt;
  if (!form.speech.click_wait || prompt.shown_frame < 0) return false;
  HidePrompt(form);
  form.speech.click_wait = false;
  return true;
}

void StopPrompt(TMainForm& form) {
  HidePrompt(form);
}

}  // namespace tk
