// The prompt mark that blinks while speech waits for a click, and MPS.
#pragma once

#include <string>

#include "imagery/layer.h"

namespace tk {

class TMainForm;
struct PromptState;

// The prompt mark on the frame the balloon shows, through its mask.
class PromptLayer : public Layer {
 public:
  explicit PromptLayer(const PromptState& prompt) : prompt_(prompt) {}
  Rect Bounds() const override;
  void Draw(Bitmap& target, const Rect& clip) const override;

 private:
  const PromptState& prompt_;
};

// The program's own strip: four frames, at the balloon's corner, 200 ms.
void LoadDefaultPrompt(TMainForm& form);
// MPS. False (after the message box) when the picture does not load.
bool SetPromptMark(TMainForm& form, const std::string& file, int frames, int x, int y,
                   int interval_ms);
// Lets the mark blink while a click is awaited; a running mark goes on.
void StartPrompt(TMainForm& form);
// The prompt timer's handler.
void StepPrompt(TMainForm& form);
// Ends a click-wait whose mark has shown, taking the mark away. False
// while no mark has been drawn yet.
bool EndClickWait(TMainForm& form);
// Stops and takes away the mark of a speech cut short.
void StopPrompt(TMainForm& form);

}  // namespace tk
