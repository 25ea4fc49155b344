// Speech text and choices: what the balloon shows and how far it has got.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/bitmap.h"
#include "platform/text.h"

namespace tk {

// One offered choice: its place in the balloon once shown, the action it
// runs, and its text up to and including its closing "@E".
struct Choice {
  Rect rect;
  std::string label;
  std::string text;
  std::string shown;  // the text as drawn, kept only for a trace
};

// A flag's value drawn in place of "@F name;".
struct FlagInsertion {
  std::string name;
  bool pending = false;
  std::size_t resume_at = 0;  // the line position after the code
};

struct Highlight {
  int style = 0;
  bool shown = false;
  Rect rect;
  int last_hovered = -1;
};

// Where a bad number in a text code is reported: the speech's label and
// line, or the choosing command's.
struct SpeechErrorSource {
  std::string text;
  std::string label;  // with its colon
  long long line_index = -1;
};

struct SpeechState {
  Rect area;             // child-window pixels
  Bitmap layer;          // the glyphs drawn so far; black shows the balloon
  int layer_factor = 1;  // the layer holds that many device pixels per picture pixel
  Point cursor;          // where the next character goes
  int line_width = 0;
  int widest_x = 0;
  int scroll_total = 0;
  bool scrolled = false;

  TextFont font;
  std::uint32_t text_colour = 0x00800000;  // 0x00BBGGRR
  std::uint32_t shadow_colour = 0;         // 0: no shadow
  std::uint32_t delay_ms = 50;

  // While either is set the balloon belongs to the speech: the mouse
  // handlers and the speech commands keep away from it.
  bool showing = false;         // MSP or SEL is drawing
  bool choice_waiting = false;  // choices are shown and wait for a click
  bool click_wait = false;
  bool fast_forward = false;
  bool choice_rendering = false;

  std::string label;  // with its colon
  std::size_t line_index = 0;
  std::size_t line_pos = 0;  // 0: the next step starts a new line
  FlagInsertion insertion;
  SpeechErrorSource error_source;
  // The characters drawn since the speech or choice began ('\n' for "@\"),
  // kept only for a trace.
  std::string traced_text;

  std::vector<Choice> choices;
  Highlight highlight;
};

}  // namespace tk
