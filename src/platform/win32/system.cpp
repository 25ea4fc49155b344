// Resource cursors, clock, screen and media device counts.
#include <cstdint>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_platform.h"

namespace tk {

// A bitmap resource is a DIB without its file header; the header put in
// front says "the pixels follow the colour table", as the engine's reader
// understands a zero pixel offset.
std::optional<std::string> Win32Platform::ReadResourceBitmap(const std::string& name,
                                                             std::size_t max_bytes) {
  HRSRC found = FindResourceW(instance_, win32::WideFromSjis(name).c_str(), RT_BITMAP);
  if (found == nullptr) return std::nullopt;
  const DWORD size = SizeofResource(instance_, found);
  HGLOBAL loaded = LoadResource(instance_, found);
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr || size == 0 || size > max_bytes) return std::nullopt;
  constexpr std::size_t kFileHeaderBytes = 14;
  std::string file(kFileHeaderBytes, '\0');
  file[0] = 'B';
  file[1] = 'M';
  const std::uint32_t total = static_cast<std::uint32_t>(kFileHeaderBytes + size);
  for (int i = 0; i < 4; ++i) file[2 + i] = static_cast<char>(total >> (8 * i));
  file.append(static_cast<const char*>(data), size);
  return file;
}

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
