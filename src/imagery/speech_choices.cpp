#include "imagery/speech_choices.h"

#include <algorithm>

#include "form/main_form.h"
#include "form/trace.h"
#include "imagery/child_image_form.h"
#include "imagery/speech.h"
#include "imagery/speech_pixels.h"
#include "imagery/speech_render.h"
#include "imagery/speech_state.h"
#include "imagery/speech_text.h"
#include "motion/event_commands.h"
#include "script/runner.h"

namespace tk {

namespace {

bool StrictlyInside(const Rect& r, int x, int y) {
  return r.left < x && x < r.right && r.top < y && y < r.bottom;
}

bool InTextArea(const Rect& area, int x, int y) {
  return area.left <= x && x <= area.right && area.top <= y && y <= area.bottom;
}

int ChoiceAt(const TMainForm& form, int x, int y) {
  const auto& choices = form.speech.choices;
  for (std::size_t i = 0; i < choices.size(); ++i) {
    if (StrictlyInside(choices[i].rect, x, y)) return static_cast<int>(i);
  }
  return -1;
}

void RemoveHighlight(TMainForm& form) {
  Highlight& h = form.speech.highlight;
  if (!h.shown) return;
  h.shown = false;
  if (form.child_image) form.child_image->Recompose(h.rect);
}

void ShowHighlight(TMainForm& form, const Rect& rect) {
  RemoveHighlight(form);
  if (!form.child_image) return;
  Highlight& h = form.speech.highlight;
  h.shown = true;
  h.rect = rect;
  form.child_image->Recompose(rect);
}

// Types one choice's text; false when the window closed meanwhile.
bool RenderChoiceText(TMainForm& form, const std::string& text) {
  SpeechState& sp = form.speech;
  sp.line_pos = 0;
  sp.insertion.pending = false;
  do {
    if (sp.insertion.pending) {
      RenderTextStep(form, InsertedFlagValue(form, sp.insertion.name));
    } else {
      RenderTextStep(form, text);
    }
    if (!PauseAfterStep(form)) return false;
  } while (sp.line_pos != 0 || sp.insertion.pending);
  return true;
}

// Text scrolled while this choice was drawn: the earlier rectangles and
// this one's top moved up with it.
void CorrectForScrolling(SpeechState& sp, std::size_t index, Point& start) {
  if (!sp.scrolled) return;
  for (std::size_t i = 0; i < index; ++i) {
    sp.choices[i].rect.top -= sp.scroll_total;
    sp.choices[i].rect.bottom -= sp.scroll_total;
  }
  start.y -= sp.scroll_total;
  sp.scrolled = false;
  sp.scroll_total = 0;
}

bool DrawChoice(TMainForm& form, std::size_t index, bool full_width) {
  SpeechState& sp = form.speech;
  Point start = sp.cursor;
  form.speech.choice_waiting = true;
  ResumeHeldEvents(form);  // waiting choices let events run
  sp.choice_rendering = true;
  // A copy: a close while the text is typed empties the list.
  const std::string text = sp.choices[index].text;
  sp.traced_text.clear();
  const bool finished = RenderChoiceText(form, text);
  sp.choice_rendering = false;
  if (!finished) return false;
  sp.choices[index].shown = std::move(sp.traced_text);
  sp.traced_text.clear();
  const Point end = sp.cursor;
  sp.cursor.x = sp.area.left;
  CorrectForScrolling(sp, index, start);
  Rect rect{start.x, start.y, end.x, end.y};
  if (sp.widest_x != 0) {
    rect.right = sp.widest_x;
    sp.widest_x = 0;
  }
  if (full_width) rect.right = sp.area.right;
  sp.choices[index].rect = rect;
  return true;
}

// Tells the trace the first `count` choices, each where it stands on the
// screen.
void TraceChoices(TMainForm& form, std::size_t count) {
  if (!form.trace) return;
  const auto child = form.ChildWindowPlacement();
  if (!child) return;
  const Rect balloon = form.platform.WindowBounds(child->window);
  std::vector<TracedChoice> traced;
  for (std::size_t i = 0; i < count && i < form.speech.choices.size(); ++i) {
    const Choice& choice = form.speech.choices[i];
    const Rect& r = choice.rect;
    traced.push_back({choice.shown,
                      choice.label,
                      {balloon.left + r.left, balloon.top + r.top, balloon.left + r.right,
                       balloon.top + r.bottom}});
  }
  form.trace->ChoicesShown(traced);
}

}  // namespace

Rect HighlightLayer::Bounds() const {
  return highlight_.shown ? highlight_.rect : Rect{};
}

void HighlightLayer::Draw(Bitmap& target, const Rect& clip) const {
  InvertHighlight(target, highlight_.rect, highlight_.style, clip);
}

void HighlightLayer::DrawScaled(Bitmap& target, const Rect& clip, int factor) const {
  InvertHighlight(target, highlight_.rect, highlight_.style, clip, factor);
}

void AddChoice(TMainForm& form, std::string label, std::string text) {
  form.speech.choices.push_back({{}, std::move(label), std::move(text), {}});
}

void ShowChoices(TMainForm& form, int highlight_style, bool full_width) {
  SpeechState& sp = form.speech;
  if (form.shell.modes.hidden) return;
  if (!BeginSpeechDrawing(form)) {
    sp.fast_forward = false;
    form.speech.showing = false;
    return;
  }
  sp.highlight.style = highlight_style;
  SpeechLineBreak(form);
  sp.line_pos = 0;
  sp.scroll_total = 0;
  sp.widest_x = 0;
  std::size_t drawn = 0;
  while (drawn < sp.choices.size() && DrawChoice(form, drawn, full_width)) ++drawn;
  TraceChoices(form, drawn);
  sp.fast_forward = false;
  form.speech.showing = false;
}

void ChoiceHover(TMainForm& form, int x, int y) {
  Highlight& h = form.speech.highlight;
  const int hovered = InTextArea(form.speech.area, x, y) ? ChoiceAt(form, x, y) : -1;
  if (hovered >= 0 && hovered != h.last_hovered) {
    ShowHighlight(form, form.speech.choices[static_cast<std::size_t>(hovered)].rect);
  } else if (hovered < 0) {
    RemoveHighlight(form);
  }
  h.last_hovered = hovered;
}

void ChoiceClick(TMainForm& form, int x, int y) {
  const int chosen = ChoiceAt(form, x, y);
  if (chosen < 0) return;
  const Choice& choice = form.speech.choices[static_cast<std::size_t>(chosen)];
  const std::string label = choice.label;
  const ActionCause cause{ActionCause::Kind::kChoice, choice.shown};
  form.speech.choice_waiting = false;
  RemoveHighlight(form);
  form.speech.highlight.last_hovered = -1;
  form.speech.choices.clear();
  RunAction(form, label, cause);
}

}  // namespace tk
