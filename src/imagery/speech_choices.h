// Choices (SDS, SEL): lines of text in the balloon, a highlight under the
// pointer, and the chosen one's action.
#pragma once

#include <string>

namespace tk {

class TMainForm;

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
