// Choices (SDS, SEL): lines of text in the balloon, a highlight under the
// pointer, and the chosen one's action.
#pragma once

#include <string>

#include "imagery/layer.h"

namespace tk {

class TMainForm;
struct Highlight;

// The highlight over the hovered choice, while it shows: it inverts what
// the layers below it show there.
class HighlightLayer : public Layer {
 public:
  explicit HighlightLayer(const Highlight& highlight) : highlight_(highlight) {}
  Rect Bounds() const override;
  void Draw(Bitmap& target, const Rect& clip) const override;
  void DrawScaled(Bitmap& target, const Rect& clip, int factor) const override;

 private:
  const Highlight& highlight_;
};

// SDS.
void AddChoice(TMainForm& form, std::string label, std::string text);
// SEL: draws every choice on lines of its own below the text and leaves
// them waiting for a click.
void ShowChoices(TMainForm& form, int highlight_style, bool full_width);
// The pointer over the balloon while choices wait.
void ChoiceHover(TMainForm& form, int x, int y);
// A left press on the balloon while choices wait: runs the chosen action.
void ChoiceClick(TMainForm& form, int x, int y);

}  // namespace tk
