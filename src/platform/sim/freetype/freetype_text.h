// Real glyphs for the simulated desktop: Shift-JIS text drawn through
// FreeType with a Japanese Gothic font, so that screenshots can be read. The
// block font stays the simulated desktop's default, whose metrics tests
// predict; this one is for looking at.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/text.h"

namespace tk {

// The font files text is drawn with: one for the fixed-pitch faces a script
// names ("ＭＳ ゴシック", and any name not known), one for the proportional
// ones ("ＭＳ Ｐゴシック"). Both may be the same file.
struct GothicFontFiles {
  std::string monospaced;
  std::string proportional;
};

// `override_file` for every face when it is given (not null, not empty);
// else the IPA Gothic fonts where the system's packages put them. None when
// no such file is there.
std::optional<GothicFontFiles> FindGothicFonts(const char* override_file);

class FreeTypeText : public TextRenderer {
 public:
  // Null, with `error` saying why, when FreeType cannot open a file.
  static std::unique_ptr<FreeTypeText> Open(const GothicFontFiles& files, std::string& error);
  ~FreeTypeText() override;
  FreeTypeText(const FreeTypeText&) = delete;
  FreeTypeText& operator=(const FreeTypeText&) = delete;

  // A point is 96/72 pixels of em height, as on a display at 100%; a line is
  // the face's ascent and descent high. Bold and italic are made from the
  // regular outlines, as Windows makes them for fonts without such faces.
  TextExtent MeasureText(const TextFont& font, std::string_view text) override;
  // Smoothed: each pixel mixes the colour into the target's own by the
  // glyph's coverage.
  void DrawText(Bitmap& target, int x, int y, const TextFont& font, std::string_view text,
                std::uint32_t colour) override;

 private:
  struct Fonts;
  explicit FreeTypeText(std::unique_ptr<Fonts> fonts);
  std::unique_ptr<Fonts> fonts_;
};

}  // namespace tk
