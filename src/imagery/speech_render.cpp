#include "imagery/speech_render.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "form/main_form.h"
#include "imagery/child_image_form.h"
#include "imagery/speech_pixels.h"
#include "imagery/speech_state.h"
#include "script/wait.h"

namespace tk {

namespace {

constexpr int kScrollStepPixels = 3;
constexpr std::uint32_t kScrollStepMs = 40;
// A glyph beyond this size cannot be drawn (its scratch would be absurd)
// and only moves the cursor.
constexpr int kMaxGlyphSide = 4096;

int ClampCoordinate(int v) {
  return std::clamp(v, -kMaxSpeechCoordinate, kMaxSpeechCoordinate);
}

TextExtent MeasureSpeech(TMainForm& form, std::string_view text) {
  TextExtent e = form.platform.Text().MeasureText(form.speech.font, text);
  e.width = std::clamp(e.width, 0, kMaxGlyphSide);
  e.height = std::clamp(e.height, 0, kMaxGlyphSide);
  return e;
}

// The part of the text area the balloon has pixels for.
Rect VisibleTextArea(const TMainForm& form) {
  if (!form.child_image) return {};
  return Intersect(form.speech.area, form.child_image->display_bitmap.Bounds());
}

void ShiftLayerUp(Bitmap& layer, int pixels) {
  if (pixels >= layer.height()) {
    layer.Fill({});
    return;
  }
  const auto row_bytes = static_cast<std::size_t>(layer.width()) * 3;
  for (int y = 0; y + pixels < layer.height(); ++y) {
    std::memcpy(layer.Row(y), layer.Row(y + pixels), row_bytes);
  }
  for (int y = layer.height() - pixels; y < layer.height(); ++y) {
    std::memset(layer.Row(y), 0, row_bytes);
  }
}

void ScrollStep(TMainForm& form, int pixels) {
  ShiftLayerUp(form.speech.layer, pixels * form.speech.layer_factor);
  form.child_image->Recompose(VisibleTextArea(form));
}

void AddScroll(SpeechState& sp, int pixels) {
  sp.scroll_total = static_cast<int>(
      std::min<std::int64_t>(std::int64_t{sp.scroll_total} + pixels, kMaxSpeechCoordinate));
  sp.scrolled = true;
}

// After the cursor moved down by `height`: a line that would pass the
// bottom stays where it was and the text moves up instead.
void ScrollIfBelowArea(TMainForm& form, int height) {
  SpeechState& sp = form.speech;
  if (sp.cursor.y + height <= sp.area.bottom) return;
  sp.cursor.y -= height;
  ScrollText(form, height);
  AddScroll(sp, height);
}

// The glyph in the text colour and its shadow one pixel down and right;
// the glyph's own pixels are cleared of shadow first, so that a black
// glyph leaves holes rather than mixing with it.
// On a scaled display the glyph is drawn at the scaled font size into the
// finer layer; the cursor keeps moving by the unscaled font's metrics, so
// the text wraps and scrolls exactly as it does at 100%.
void DrawGlyphIntoLayer(TMainForm& form, std::string_view character, int w, int h, Point at) {
  SpeechState& sp = form.speech;
  TextRenderer& text = form.platform.Text();
  const int f = sp.layer_factor;
  TextFont font = sp.font;
  font.points *= f;
  at = {at.x * f, at.y * f};
  const int sw = (w + 7) * f, sh = (h + 1) * f;
  Bitmap scratch(sw, sh);
  if (sp.shadow_colour != 0) {
    text.DrawText(scratch, 0, 0, font, character, sp.shadow_colour);
    CopyPixels(scratch, 0, 0, sp.layer, at.x + f, at.y + f, sw, sh);
    TurnIntoInkMask(scratch);
    CombinePixels(scratch, 0, 0, sp.layer, at.x, at.y, sw, sh, PixelOp::kAnd);
    scratch.Fill({});
  }
  text.DrawText(scratch, 0, 0, font, character, sp.text_colour);
  CombinePixels(scratch, 0, 0, sp.layer, at.x, at.y, sw, sh, PixelOp::kOr);
}

// A layer of the area's size at `factor`; empty when that is absurd.
void ResetLayer(SpeechState& sp, int factor) {
  const std::int64_t w = std::int64_t{sp.area.Width()} * factor,
                     h = std::int64_t{sp.area.Height()} * factor;
  if (!IsSaneImageSize(w, h) && factor > 1) {
    ResetLayer(sp, 1);  // too large to hold finer: text as at 100%
    return;
  }
  sp.layer_factor = factor;
  if (IsSaneImageSize(w, h)) {
    sp.layer.Reset(static_cast<int>(w), static_cast<int>(h));
  } else {
    sp.layer.Reset(0, 0);
  }
}

// The glyph with its shadow, and the margin its scratch may have reached.
void ShowGlyph(TMainForm& form, int w, int h) {
  if (!form.child_image) return;
  const Point c = form.speech.cursor;
  form.child_image->Recompose({c.x, c.y, c.x + w + 8, c.y + h + 2});
}

}  // namespace

Rect TextLayer::Bounds() const {
  const Rect& a = speech_.area;
  const int f = speech_.layer_factor;
  return {a.left, a.top, a.left + speech_.layer.width() / f, a.top + speech_.layer.height() / f};
}

// A finer layer gives the picture-sized copy one sample per block.
void TextLayer::Draw(Bitmap& target, const Rect& clip) const {
  const Rect& a = speech_.area;
  const int f = speech_.layer_factor;
  if (f == 1) {
    CopyInk(speech_.layer, clip.left - a.left, clip.top - a.top, target, clip.left, clip.top,
            clip.Width(), clip.Height());
    return;
  }
  for (int y = clip.top; y < clip.bottom; ++y) {
    for (int x = clip.left; x < clip.right; ++x) {
      const Bgr ink = speech_.layer.At((x - a.left) * f, (y - a.top) * f);
      if (ink != Bgr{}) target.Set(x, y, ink);
    }
  }
}

void TextLayer::DrawScaled(Bitmap& target, const Rect& clip, int factor) const {
  if (factor != speech_.layer_factor) {
    Layer::DrawScaled(target, clip, factor);
    return;
  }
  const Rect& a = speech_.area;
  CopyInk(speech_.layer, (clip.left - a.left) * factor, (clip.top - a.top) * factor, target,
          clip.left * factor, clip.top * factor, clip.Width() * factor, clip.Height() * factor);
}

int SpeechFactor(const TMainForm& form) {
  const WindowId window = form.child_image ? form.child_image->window : form.window;
  return DrawingFactor(form.platform, window);
}

void FitTextLayer(TMainForm& form) {
  SpeechState& sp = form.speech;
  const int factor = SpeechFactor(form);
  if (factor == sp.layer_factor) return;
  const Bitmap old = std::move(sp.layer);
  const int old_factor = sp.layer_factor;
  ResetLayer(sp, factor);
  for (int y = 0; y < sp.layer.height(); ++y) {
    for (int x = 0; x < sp.layer.width(); ++x) {
      const int ox = x * old_factor / factor, oy = y * old_factor / factor;
      if (ox < old.width() && oy < old.height()) sp.layer.Set(x, y, old.At(ox, oy));
    }
  }
}

void SetTextArea(TMainForm& form, int left, int top, int right, int bottom) {
  SpeechState& sp = form.speech;
  left = ClampCoordinate(left);
  top = ClampCoordinate(top);
  right = ClampCoordinate(right);
  bottom = ClampCoordinate(bottom);
  sp.area = {std::min(left, right), std::min(top, bottom), std::max(left, right),
             std::max(top, bottom)};
  sp.cursor = {sp.area.left, sp.area.top};
  ResetLayer(sp, SpeechFactor(form));
}

void DrawSpeechCharacter(TMainForm& form, std::string_view character) {
  FitTextLayer(form);
  SpeechState& sp = form.speech;
  const TextExtent e = MeasureSpeech(form, character);
  const int w = e.width + 2, h = e.height;
  sp.line_width += w;
  if (sp.line_width > sp.area.Width() - 1) {
    sp.line_width = w;
    sp.widest_x = std::max(sp.widest_x, sp.cursor.x);
    sp.cursor.x = sp.area.left;
    sp.cursor.y += h;
    ScrollIfBelowArea(form, h);
  }
  const Point at{sp.cursor.x - sp.area.left, sp.cursor.y - sp.area.top};
  DrawGlyphIntoLayer(form, character, w, h, at);
  ShowGlyph(form, w, h);
  sp.cursor.x += w;
  if (form.trace) sp.traced_text += character;
}

void SpeechLineFeed(TMainForm& form, char code) {
  SpeechState& sp = form.speech;
  const int h = MeasureSpeech(form, std::string_view(&code, 1)).height;
  sp.line_width = 0;
  sp.cursor.y += h;
  ScrollIfBelowArea(form, h);
}

void SpeechLineBreak(TMainForm& form) {
  SpeechState& sp = form.speech;
  sp.widest_x = std::max(sp.widest_x, sp.cursor.x);
  sp.cursor.x = sp.area.left;
  SpeechLineFeed(form, '\\');
  if (form.trace) sp.traced_text += '\n';
}

// Smooth scrolling pumps messages between its steps like the typing does;
// a press meanwhile (fast-forward) or a close finishes it at once.
void ScrollText(TMainForm& form, int pixels) {
  if (pixels <= 0 || IsEmpty(VisibleTextArea(form))) return;
  SpeechState& sp = form.speech;
  int left = pixels;
  while (left > 0) {
    const bool at_once = sp.delay_ms == 0 || sp.fast_forward;
    const int step = at_once ? left : std::min(kScrollStepPixels, left);
    ScrollStep(form, step);
    left -= step;
    if (left > 0 && WaitFor(form, kScrollStepMs) != WaitEnd::kTimeUp) {
      sp.fast_forward = true;
    }
    if (!form.child_image) return;
  }
}

void ClearTextArea(TMainForm& form) {
  if (!form.child_image) return;
  SpeechState& sp = form.speech;
  sp.layer.Fill({});
  form.child_image->Recompose(VisibleTextArea(form));
  sp.cursor = {sp.area.left, sp.area.top};
  sp.line_width = 0;
}

}  // namespace tk
