// Pixels to windows: presenting an engine Bitmap and realising palettes.
#include <cstring>
#include <vector>

#include "base/bitmap.h"
#include "platform/win32/win32_platform.h"

namespace tk {

namespace {

// The engine keeps rows unpadded; a DIB wants each row on a 32-bit boundary.
std::vector<std::uint8_t> PaddedRows(const Bitmap& bitmap, const Rect& area, LONG& stride) {
  stride = (area.Width() * 3 + 3) & ~3;
  std::vector<std::uint8_t> rows(static_cast<std::size_t>(stride) * area.Height());
  for (int y = 0; y < area.Height(); ++y) {
    std::memcpy(&rows[static_cast<std::size_t>(stride) * y],
                bitmap.Row(area.top + y) + area.left * 3,
                static_cast<std::size_t>(area.Width()) * 3);
  }
  return rows;
}

}  // namespace

// Puts DIB rows on the window's client area at `r` (device pixels).
void Win32Platform::BlitRows(HWND hwnd, const std::vector<std::uint8_t>& rows, const Rect& r) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = r.Width();
  info.bmiHeader.biHeight = -r.Height();  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  HDC dc = GetDC(hwnd);
  if (dc == nullptr) return;
  HPALETTE previous = nullptr;
  if (const auto found = palettes_.find(hwnd); found != palettes_.end()) {
    previous = SelectPalette(dc, found->second, FALSE);
    ::RealizePalette(dc);
  }
  SetDIBitsToDevice(dc, r.left, r.top, static_cast<DWORD>(r.Width()),
                    static_cast<DWORD>(r.Height()), 0, 0, 0, static_cast<UINT>(r.Height()),
                    rows.data(), &info, DIB_RGB_COLORS);
  // The window keeps its DC: a palette left selected in it could not be
  // deleted when the next one replaces it.
  if (previous != nullptr) SelectPalette(dc, previous, FALSE);
  ReleaseDC(hwnd, dc);
}

// On a scaled monitor each picture pixel goes out as a block of device
// pixels: pixel art keeps its hard edges.
void Win32Platform::PresentBitmap(WindowId id, const Bitmap& bitmap, const Rect& area) {
  const WindowRecord* record = RecordOf(id);
  const Rect picture_area = Intersect(area, bitmap.Bounds());
  if (record == nullptr || IsEmpty(picture_area)) return;
  const int k = record->factor;
  LONG stride = 0;
  const std::vector<std::uint8_t> rows = k == 1
                                             ? PaddedRows(bitmap, picture_area, stride)
                                             : win32::EnlargedRows(bitmap, picture_area, k, stride);
  BlitRows(record->hwnd, rows, Scaled(picture_area, k));
}

int Win32Platform::WindowScale(WindowId id) const {
  const WindowRecord* record = RecordOf(id);
  return record != nullptr ? record->factor : 1;
}

void Win32Platform::PresentScaledBitmap(WindowId id, const Bitmap& bitmap, const Rect& area) {
  const WindowRecord* record = RecordOf(id);
  const Rect device_area = Intersect(area, bitmap.Bounds());
  if (record == nullptr || IsEmpty(device_area)) return;
  LONG stride = 0;
  BlitRows(record->hwnd, PaddedRows(bitmap, device_area, stride), device_area);
}

void Win32Platform::RealizePalette(WindowId id, const std::vector<std::uint32_t>& colours) {
  HWND hwnd = WindowHandle(id);
  if (hwnd == nullptr || colours.empty()) return;
  const std::size_t count = std::min<std::size_t>(colours.size(), 256);
  std::vector<std::uint8_t> storage(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
  auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = static_cast<WORD>(count);
  for (std::size_t i = 0; i < count; ++i) {
    palette->palPalEntry[i] = {static_cast<BYTE>(colours[i] >> 16),
                               static_cast<BYTE>(colours[i] >> 8), static_cast<BYTE>(colours[i]),
                               0};
  }
  HPALETTE created = CreatePalette(palette);
  if (created == nullptr) return;
  HDC dc = GetDC(hwnd);
  if (dc != nullptr) {
    SelectPalette(dc, created, FALSE);
    ::RealizePalette(dc);
    SelectPalette(dc, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
    ReleaseDC(hwnd, dc);
  }
  ForgetPalette(hwnd);
  palettes_[hwnd] = created;
}

void Win32Platform::ForgetPalette(HWND hwnd) {
  if (const auto found = palettes_.find(hwnd); found != palettes_.end()) {
    DeleteObject(found->second);
    palettes_.erase(found);
  }
}

void Win32Platform::InvalidateWindow(WindowId id) {
  if (HWND hwnd = WindowHandle(id)) InvalidateRect(hwnd, nullptr, TRUE);
}

}  // namespace tk
