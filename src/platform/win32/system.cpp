// Resource cursors, clock, screen and media device counts.
#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_platform.h"

namespace tk {

CursorId Win32Platform::LoadResourceCursor(const std::string& name) {
  HCURSOR cursor = LoadCursorW(instance_, win32::WideFromSjis(name).c_str());
  if (cursor == nullptr) return 0;
  cursors_.push_back(cursor);
  return static_cast<CursorId>(cursors_.size());
}

std::uint32_t Win32Platform::TickCount() const {
  return GetTickCount();
}

LocalTime Win32Platform::Now() const {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  return LocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wDayOfWeek};
}

int Win32Platform::ScreenWidth() const {
  return GetSystemMetrics(SM_CXSCREEN);
}

int Win32Platform::ScreenHeight() const {
  return GetSystemMetrics(SM_CYSCREEN);
}

int Win32Platform::ScreenColorDepth() const {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return 0;
  const int depth = GetDeviceCaps(screen, PLANES) * GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(nullptr, screen);
  return depth;
}

int Win32Platform::WaveOutDeviceCount() const {
  return static_cast<int>(waveOutGetNumDevs());
}

int Win32Platform::MidiOutDeviceCount() const {
  return static_cast<int>(midiOutGetNumDevs());
}

}  // namespace tk
