#include "platform/sim/freetype/freetype_text.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <climits>
#include <cmath>

#include "base/bitmap.h"
#include "platform/sim/freetype/font_files.h"
#include "platform/sim/freetype/sjis_chars.h"

namespace tk {

namespace {

// Windows' MulDiv(points, 96, 72), rounded half away from zero. Points are
// clamped as everywhere else, which also bounds the largest glyph FreeType
// is asked to render to 1334 pixels.
int PixelEm(int points) {
  return (std::clamp(points, 1, 1000) * 96 + 36) / 72;
}

// Small text is hinted to whole pixels and drawn crisp, as Windows draws
// the small sizes of its Japanese fonts from hand-made bitmaps; larger text
// is smoothed. Smoothed edges would grow dark in a speech balloon, where any
// pixel a glyph touches becomes ink.
constexpr int kLargestCrispEm = 20;

bool Crisp(int em) {
  return em <= kLargestCrispEm;
}

// The slant of a made italic, about 12 degrees (FreeType's own oblique).
constexpr FT_Fixed kItalicShear = 0x0366A;

// A made bold is this much wider, in 26.6 pixels: whole pixels, so that
// advances stay whole, and at least one, as Windows widens a small bold.
FT_Pos BoldStrength(int em) {
  return std::max(1, (em + 12) / 24) * 64;
}

// The rows of a line, from its top, in whole pixels.
struct LineMetrics {
  int ascent = 0;  // where the baseline is
  int height = 0;
  int underline_top = 0, underline_rows = 1;
  int strikeout_top = 0, strikeout_rows = 1;
};

int Scale(long units, int em, int units_per_em) {
  return static_cast<int>(std::lround(static_cast<double>(units) * em / units_per_em));
}

// A stroke `rows` thick whose top is `top`, kept inside the line as the
// block font keeps its underline.
int InsideLine(int top, int rows, int height) {
  return std::clamp(top, 0, std::max(0, height - rows));
}

LineMetrics MetricsOf(FT_Face face, int em) {
  const int units = std::max<int>(face->units_per_EM, 1);
  LineMetrics m;
  m.ascent = Scale(face->ascender, em, units);
  m.height = std::max(1, m.ascent + Scale(-face->descender, em, units));
  // FreeType gives the middle of the underline; it lies below the baseline.
  m.underline_rows = std::max(1, Scale(face->underline_thickness, em, units));
  const int underline_middle = m.ascent - Scale(face->underline_position, em, units);
  m.underline_top = InsideLine(underline_middle - m.underline_rows / 2, m.underline_rows, m.height);
  // The OS/2 table gives the top of the strikeout above the baseline.
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const bool has_os2 = os2 != nullptr && os2->version != 0xFFFF && os2->yStrikeoutSize > 0;
  const long strikeout_position = has_os2 ? os2->yStrikeoutPosition : face->ascender * 3 / 10;
  const long strikeout_size = has_os2 ? os2->yStrikeoutSize : face->underline_thickness;
  m.strikeout_rows = std::max(1, Scale(strikeout_size, em, units));
  m.strikeout_top =
      InsideLine(m.ascent - Scale(strikeout_position, em, units), m.strikeout_rows, m.height);
  return m;
}

// Loads the glyph of `c` into the face's slot, made bold and italic as
// `font` asks. False when FreeType cannot load it.
bool LoadGlyph(FT_Face face, char32_t c, const TextFont& font, int em) {
  const FT_Int32 target = Crisp(em) ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL;
  if (FT_Load_Char(face, c, target | FT_LOAD_NO_BITMAP) != 0) return false;
  FT_GlyphSlot slot = face->glyph;
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return true;
  if (font.bold) {
    // Widened on both sides, then moved so that the left edge stays.
    const FT_Pos strength = BoldStrength(em);
    FT_Outline_EmboldenXY(&slot->outline, strength, 0);
    FT_Outline_Translate(&slot->outline, strength / 2, 0);
    slot->advance.x += strength;
  }
  if (font.italic) {
    FT_Matrix shear{0x10000, kItalicShear, 0, 0x10000};
    FT_Outline_Transform(&slot->outline, &shear);
  }
  return true;
}

// Calls `glyph(pen)` with each character's glyph loaded, `pen` its origin's
// distance from the text's start; returns the whole advance.
template <typename Glyph>
long long WalkGlyphs(FT_Face face, const TextFont& font, const std::u32string& chars,
                     Glyph&& glyph) {
  const int em = PixelEm(font.points);
  long long pen = 0;
  for (const char32_t c : chars) {
    if (!LoadGlyph(face, c, font, em)) continue;
    glyph(pen);
    pen += (face->glyph->advance.x + 32) >> 6;
  }
  return pen;
}

Bgr ColourOf(std::uint32_t colour) {
  return {static_cast<std::uint8_t>(colour >> 16), static_cast<std::uint8_t>(colour >> 8),
          static_cast<std::uint8_t>(colour)};
}

std::uint8_t Mix(std::uint8_t under, std::uint8_t over, int coverage) {
  return static_cast<std::uint8_t>((under * (255 - coverage) + over * coverage + 127) / 255);
}

// A rectangle of the target in 64-bit coordinates, clipped to it; far-off
// text stays far off instead of wrapping around.
struct Span {
  long long left, top, right, bottom;
  Span ClippedTo(const Bitmap& target) const {
    return {std::max(left, 0LL), std::max(top, 0LL), std::min<long long>(right, target.width()),
            std::min<long long>(bottom, target.height())};
  }
  bool Empty() const { return left >= right || top >= bottom; }
};

// How much of the pixel the rendered glyph covers, 0 to 255.
int Coverage(const FT_Bitmap& glyph, const unsigned char* row, long long x) {
  if (glyph.pixel_mode == FT_PIXEL_MODE_MONO) return (row[x / 8] & (0x80 >> (x % 8))) ? 255 : 0;
  return row[x];
}

// The rendered glyph's coverage mixes `colour` into the target, its top-left
// pixel at (left, top).
void Blend(Bitmap& target, const FT_Bitmap& glyph, long long left, long long top, Bgr colour) {
  const bool known =
      glyph.pixel_mode == FT_PIXEL_MODE_GRAY || glyph.pixel_mode == FT_PIXEL_MODE_MONO;
  if (!known || glyph.pitch < 0) return;
  const Span area = Span{left, top, left + glyph.width, top + glyph.rows}.ClippedTo(target);
  for (long long y = area.top; y < area.bottom; ++y) {
    const unsigned char* row = glyph.buffer + (y - top) * glyph.pitch;
    for (long long x = area.left; x < area.right; ++x) {
      const int a = Coverage(glyph, row, x - left);
      if (a == 0) continue;
      const Bgr under = target.At(static_cast<int>(x), static_cast<int>(y));
      target.Set(static_cast<int>(x), static_cast<int>(y),
                 {Mix(under.b, colour.b, a), Mix(under.g, colour.g, a), Mix(under.r, colour.r, a)});
    }
  }
}

// Renders the loaded glyph only when its outline reaches into the target.
void DrawGlyph(Bitmap& target, FT_GlyphSlot slot, bool crisp, long long origin_x,
               long long baseline, Bgr colour) {
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return;
  FT_BBox box;
  FT_Outline_Get_CBox(&slot->outline, &box);
  const Span reach{origin_x + (box.xMin >> 6), baseline - ((box.yMax + 63) >> 6),
                   origin_x + ((box.xMax + 63) >> 6), baseline - (box.yMin >> 6)};
  if (reach.ClippedTo(target).Empty()) return;
  if (FT_Render_Glyph(slot, crisp ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) return;
  Blend(target, slot->bitmap, origin_x + slot->bitmap_left, baseline - slot->bitmap_top, colour);
}

void FillRows(Bitmap& target, long long left, long long right, long long top, int rows,
              Bgr colour) {
  const Span area = Span{left, top, right, top + rows}.ClippedTo(target);
  for (long long y = area.top; y < area.bottom; ++y) {
    for (long long x = area.left; x < area.right; ++x)
      target.Set(static_cast<int>(x), static_cast<int>(y), colour);
  }
}

}  // namespace

struct FreeTypeText::Fonts {
  FT_Library library = nullptr;
  FT_Face faces[2] = {};  // monospaced, proportional
  int ems[2] = {};        // the pixel size each face is set to
  SjisDecoder decoder;

  ~Fonts() {
    for (FT_Face face : faces) {
      if (face) FT_Done_Face(face);
    }
    if (library) FT_Done_FreeType(library);
  }

  // The face `font` names, set to its size; null when FreeType refuses it.
  FT_Face Sized(const TextFont& font) {
    const int which = NamesProportionalFace(decoder.Decode(font.name)) ? 1 : 0;
    const int em = PixelEm(font.points);
    if (ems[which] != em) {
      if (FT_Set_Pixel_Sizes(faces[which], 0, static_cast<FT_UInt>(em)) != 0) return nullptr;
      ems[which] = em;
    }
    return faces[which];
  }
};

std::unique_ptr<FreeTypeText> FreeTypeText::Open(const GothicFontFiles& files, std::string& error) {
  auto fonts = std::make_unique<Fonts>();
  if (!fonts->decoder.ok()) {
    error = "the system cannot convert Shift-JIS (CP932) text";
    return nullptr;
  }
  if (FT_Init_FreeType(&fonts->library) != 0) {
    error = "FreeType cannot start";
    return nullptr;
  }
  const std::string* paths[2] = {&files.monospaced, &files.proportional};
  for (int i = 0; i < 2; ++i) {
    FT_Face& face = fonts->faces[i];
    if (FT_New_Face(fonts->library, paths[i]->c_str(), 0, &face) != 0) {
      error = "FreeType cannot read " + *paths[i] + " as a font";
      return nullptr;
    }
    if (!FT_IS_SCALABLE(face) || FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0) {
      error = *paths[i] + " is not a scalable font with Unicode characters";
      return nullptr;
    }
  }
  return std::unique_ptr<FreeTypeText>(new FreeTypeText(std::move(fonts)));
}

FreeTypeText::FreeTypeText(std::unique_ptr<Fonts> fonts) : fonts_(std::move(fonts)) {}

FreeTypeText::~FreeTypeText() = default;

TextExtent FreeTypeText::MeasureText(const TextFont& font, std::string_view text) {
  const FT_Face face = fonts_->Sized(font);
  if (face == nullptr) return {};
  const long long width = WalkGlyphs(face, font, fonts_->decoder.Decode(text), [](long long) {});
  return {static_cast<int>(std::min<long long>(width, INT_MAX)),
          MetricsOf(face, PixelEm(font.points)).height};
}

void FreeTypeText::DrawText(Bitmap& target, int x, int y, const TextFont& font,
                            std::string_view text, std::uint32_t colour) {
  const FT_Face face = fonts_->Sized(font);
  if (face == nullptr || target.empty() || text.empty()) return;
  const int em = PixelEm(font.points);
  const LineMetrics m = MetricsOf(face, em);
  const Bgr bgr = ColourOf(colour);
  const long long baseline = static_cast<long long>(y) + m.ascent;
  const long long width = WalkGlyphs(face, font, fonts_->decoder.Decode(text), [&](long long pen) {
    DrawGlyph(target, face->glyph, Crisp(em), x + pen, baseline, bgr);
  });
  const long long left = x, top = y;
  if (font.underline)
    FillRows(target, left, left + width, top + m.underline_top, m.underline_rows, bgr);
  if (font.strikeout)
    FillRows(target, left, left + width, top + m.strikeout_top, m.strikeout_rows, bgr);
}

}  // namespace tk
