// Drawing speech text into the balloon: the text area, its layer of glyphs
// over the clean picture, the cursor, wrapping and scrolling.
#pragma once

#include <string_view>

#include "imagery/layer.h"

namespace tk {

class TMainForm;
struct SpeechState;

// Script coordinates of the text area are kept within this distance of the
// origin, so that cursor sums never overflow.
inline constexpr int kMaxSpeechCoordinate = 1 << 20;

// The glyphs drawn so far, at the text area's corner; black is transparent.
class TextLayer : public Layer {
 public:
  explicit TextLayer(const SpeechState& speech) : speech_(speech) {}
  Rect Bounds() const override;
  void Draw(Bitmap& target, const Rect& clip) const override;
  void DrawScaled(Bitmap& target, const Rect& clip, int factor) const override;

 private:
  const SpeechState& speech_;
};

// Device pixels per picture pixel of the balloon (or, before there is one,
// of the character's window): text is drawn at that size.
int SpeechFactor(const TMainForm& form);
// Brings the text layer to the balloon's factor, keeping what it shows.
void FitTextLayer(TMainForm& form);

// MLS: each pair is ordered; the cursor goes to the corner and the layer
// becomes the area's size, black (nothing at all when the size is absurd).
void SetTextArea(TMainForm& form, int left, int top, int right, int bottom);

// Draws one character (one or two bytes) at the cursor and advances it,
// wrapping before the area's right edge.
void DrawSpeechCharacter(TMainForm& form, std::string_view character);
// The cursor to the next line, scrolling when it would pass the bottom.
// `code` is the letter whose height makes the line.
void SpeechLineFeed(TMainForm& form, char code);
// The "@\" code: back to the left edge, then a line feed.
void SpeechLineBreak(TMainForm& form);

// Moves the text up by `pixels`: at once, or smoothly while the speech
// takes its time.
void ScrollText(TMainForm& form, int pixels);
// Erases the text and puts the cursor at the area's corner.
void ClearTextArea(TMainForm& form);

}  // namespace tk
