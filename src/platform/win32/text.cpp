// Text through GDI: the script's Shift-JIS converted explicitly, the font
// named by the script, drawn over the target's own pixels so that smoothed
// edges blend with what lies beneath.
#include <algorithm>
#include <climits>
#include <cstring>

#include "base/bitmap.h"
#include "platform/win32/gdi_text.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_platform.h"

namespace tk {

namespace {

// The program does not scale for the display (yet): a point is 96/72 pixels.
int PixelHeight(int points) {
  return -MulDiv(std::clamp(points, 1, 1000), 96, 72);
}

HFONT CreateTextFont(const TextFont& font) {
  const std::wstring face = win32::WideFromSjis(font.name);
  LOGFONTW wanted_font{};
  wanted_font.lfHeight = PixelHeight(font.points);
  wanted_font.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  wanted_font.lfItalic = font.italic;
  wanted_font.lfUnderline = font.underline;
  wanted_font.lfStrikeOut = font.strikeout;
  wanted_font.lfCharSet = SHIFTJIS_CHARSET;
  wcsncpy(wanted_font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  return CreateFontIndirectW(&wanted_font);
}

// A memory drawing surface with the font selected, released with it.
class FontSurface {
 public:
  explicit FontSurface(const TextFont& font)
      : dc_(CreateCompatibleDC(nullptr)), font_(CreateTextFont(font)) {
    if (dc_ && font_) old_font_ = SelectObject(dc_, font_);
  }
  ~FontSurface() {
    if (dc_ && old_font_) SelectObject(dc_, old_font_);
    if (font_) DeleteObject(font_);
    if (dc_) DeleteDC(dc_);
  }
  FontSurface(const FontSurface&) = delete;
  FontSurface& operator=(const FontSurface&) = delete;
  HDC dc() const { return dc_; }
  bool ok() const { return dc_ && font_; }

 private:
  HDC dc_;
  HFONT font_;
  HGDIOBJ old_font_ = nullptr;
};

TextExtent Measure(HDC dc, const std::wstring& wide) {
  SIZE size{};
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  if (!wide.empty()) GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  return {static_cast<int>(size.cx), static_cast<int>(metrics.tmHeight)};
}

// Italic overhangs its advance; a little margin keeps its tail. Far ends are
// held in range: a text starting near the largest int lies outside.
Rect TextBox(int x, int y, const TextExtent& extent) {
  const auto end = [](int from, int length) {
    return static_cast<int>(std::min<long long>(static_cast<long long>(from) + length, INT_MAX));
  };
  return {x, y, end(x, extent.width + extent.height / 2), end(y, extent.height)};
}

// A DIB section holding a copy of `area` of a bitmap, top row first.
class AreaCopy {
 public:
  AreaCopy(HDC dc, const Bitmap& source, const Rect& area) : area_(area) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = area.Width();
    info.bmiHeader.biHeight = -area.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dib_ = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    rows_ = static_cast<std::uint8_t*>(bits);
    if (!ok()) return;
    for (int row = 0; row < area_.Height(); ++row) {
      std::memcpy(CopyRow(row), source.Row(area_.top + row) + Left(), RowBytes());
    }
  }
  ~AreaCopy() {
    if (dib_) DeleteObject(dib_);
  }
  AreaCopy(const AreaCopy&) = delete;
  AreaCopy& operator=(const AreaCopy&) = delete;
  bool ok() const { return dib_ && rows_; }
  HBITMAP dib() const { return dib_; }
  void CopyBack(Bitmap& target) const {
    for (int row = 0; row < area_.Height(); ++row) {
      std::memcpy(target.Row(area_.top + row) + Left(), CopyRow(row), RowBytes());
    }
  }

 private:
  // DIB rows are padded to whole 32-bit words.
  std::uint8_t* CopyRow(int row) const {
    return rows_ + static_cast<std::size_t>(row) * ((RowBytes() + 3) & ~std::size_t{3});
  }
  std::size_t Left() const { return static_cast<std::size_t>(area_.left) * 3; }
  std::size_t RowBytes() const { return static_cast<std::size_t>(area_.Width()) * 3; }

  Rect area_;
  HBITMAP dib_ = nullptr;
  std::uint8_t* rows_ = nullptr;
};

}  // namespace

TextExtent win32::GdiText::MeasureText(const TextFont& font, std::string_view text) {
  FontSurface surface(font);
  if (!surface.ok()) return {};
  return Measure(surface.dc(), win32::WideFromSjis(text));
}

// The part of the target the text covers goes into a DIB section, the text
// is drawn there, and the result comes back.
void win32::GdiText::DrawText(Bitmap& target, int x, int y, const TextFont& font,
                              std::string_view text, std::uint32_t colour) {
  FontSurface surface(font);
  if (!surface.ok() || text.empty()) return;
  const std::wstring wide = win32::WideFromSjis(text);
  const Rect area = Intersect(TextBox(x, y, Measure(surface.dc(), wide)), target.Bounds());
  if (IsEmpty(area)) return;
  AreaCopy copy(surface.dc(), target, area);
  if (!copy.ok()) return;
  const HGDIOBJ old_bitmap = SelectObject(surface.dc(), copy.dib());
  SetBkMode(surface.dc(), TRANSPARENT);
  SetTextColor(surface.dc(), static_cast<COLORREF>(colour & 0x00FFFFFF));
  TextOutW(surface.dc(), x - area.left, y - area.top, wide.c_str(), static_cast<int>(wide.size()));
  GdiFlush();
  SelectObject(surface.dc(), old_bitmap);
  copy.CopyBack(target);
}

TextExtent Win32Platform::MeasureText(const TextFont& font, std::string_view text) {
  return win32::GdiText().MeasureText(font, text);
}

void Win32Platform::DrawText(Bitmap& target, int x, int y, const TextFont& font,
                             std::string_view text, std::uint32_t colour) {
  win32::GdiText().DrawText(target, x, y, font, text, colour);
}

}  // namespace tk
