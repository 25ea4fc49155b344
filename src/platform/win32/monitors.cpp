// The monitors of the desktop, each with its work area and scale.
#include <vector>

#include "platform/win32/win32_platform.h"

namespace tk {

namespace {

Rect FromRect(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}

// GetDpiForMonitor lives in shcore.dll from Windows 8.1 on; older systems
// run every monitor at the system scale.
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

GetDpiForMonitorFn DpiQuery() {
  static const GetDpiForMonitorFn query = [] {
    HMODULE shcore = LoadLibraryW(L"shcore.dll");
    return shcore == nullptr ? nullptr
                             : reinterpret_cast<GetDpiForMonitorFn>(reinterpret_cast<void*>(
                                   GetProcAddress(shcore, "GetDpiForMonitor")));
  }();
  return query;
}

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

int ScalePercent(HMONITOR monitor) {
  UINT dpi_x = 0, dpi_y = 0;
  constexpr int kEffectiveDpi = 0;
  const GetDpiForMonitorFn query = DpiQuery();
  const bool known = query != nullptr && SUCCEEDED(query(monitor, kEffectiveDpi, &dpi_x, &dpi_y));
  const int dpi = known && dpi_x > 0 ? static_cast<int>(dpi_x) : SystemDpi();
  return (dpi * 100 + 48) / 96;
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM all) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  auto& monitors = *reinterpret_cast<std::vector<Monitor>*>(all);
  const Monitor m{FromRect(info.rcMonitor), FromRect(info.rcWork), ScalePercent(monitor)};
  if (info.dwFlags & MONITORINFOF_PRIMARY) {
    monitors.insert(monitors.begin(), m);
  } else {
    monitors.push_back(m);
  }
  return TRUE;
}

}  // namespace

std::vector<Monitor> Win32Platform::Monitors() const {
  std::vector<Monitor> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (monitors.empty()) {
    const Rect screen{0, 0, ScreenWidth(), ScreenHeight()};
    monitors.push_back({screen, screen, 100});
  }
  return monitors;
}

}  // namespace tk
