#include "platform/win32/scaling.h"

#include <algorithm>
#include <cstring>

#include "base/bitmap.h"
#include "platform/monitors.h"

namespace tk::win32 {

namespace {

// Division rounding toward minus infinity, so a pixel left of a monitor's
// corner stays left of it.
int FloorDiv(int value, int by) {
  const int q = value / by;
  return (value % by != 0 && value < 0) ? q - 1 : q;
}

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

BOOL CALLBACK AddFrame(HMONITOR monitor, HDC, LPRECT, LPARAM all) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  auto& frames = *reinterpret_cast<std::vector<MonitorFrame>*>(all);
  const int scale = ScalePercent(monitor);
  const MonitorFrame frame{monitor, FromRect(info.rcMonitor), FromRect(info.rcWork), scale,
                           WholeScaleFactor(scale)};
  if (info.dwFlags & MONITORINFOF_PRIMARY) {
    frames.insert(frames.begin(), frame);
  } else {
    frames.push_back(frame);
  }
  return TRUE;
}

}  // namespace

Point MonitorFrame::ToLogical(POINT p) const {
  return {device.left + FloorDiv(p.x - device.left, factor),
          device.top + FloorDiv(p.y - device.top, factor)};
}

POINT MonitorFrame::ToDevice(Point p) const {
  return {device.left + (p.x - device.left) * factor, device.top + (p.y - device.top) * factor};
}

Rect MonitorFrame::ToLogical(const Rect& r) const {
  const Point corner = ToLogical(POINT{r.left, r.top});
  return {corner.x, corner.y, corner.x + r.Width() / factor, corner.y + r.Height() / factor};
}

Rect MonitorFrame::ToDevice(const Rect& r) const {
  const POINT corner = ToDevice(Point{r.left, r.top});
  return {corner.x, corner.y, corner.x + r.Width() * factor, corner.y + r.Height() * factor};
}

Monitor MonitorFrame::Logical() const {
  return {ToLogical(device), ToLogical(device_work), scale_percent};
}

std::vector<MonitorFrame> ReadMonitorFrames() {
  std::vector<MonitorFrame> frames;
  EnumDisplayMonitors(nullptr, nullptr, AddFrame, reinterpret_cast<LPARAM>(&frames));
  if (frames.empty()) {
    const Rect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    frames.push_back({nullptr, screen, screen, 100, 1});
  }
  return frames;
}

const MonitorFrame& FrameForLogical(const std::vector<MonitorFrame>& frames, const Rect& logical) {
  std::vector<Monitor> monitors;
  monitors.reserve(frames.size());
  for (const MonitorFrame& f : frames) monitors.push_back(f.Logical());
  const Monitor& chosen = MonitorOf(monitors, logical);
  return frames[static_cast<std::size_t>(&chosen - monitors.data())];
}

// The frames already say which monitor holds a point: asking the system
// costs Wine three calls to its server, each time.
const MonitorFrame& FrameForDevice(const std::vector<MonitorFrame>& frames, POINT device_point) {
  for (const MonitorFrame& f : frames) {
    const Rect& d = f.device;
    if (device_point.x >= d.left && device_point.x < d.right && device_point.y >= d.top &&
        device_point.y < d.bottom) {
      return f;
    }
  }
  const HMONITOR monitor = MonitorFromPoint(device_point, MONITOR_DEFAULTTONEAREST);
  for (const MonitorFrame& f : frames) {
    if (f.handle == monitor) return f;
  }
  return frames.front();
}

std::vector<std::uint8_t> EnlargedRows(const Bitmap& bitmap, const Rect& area, int factor,
                                       LONG& stride) {
  const int width = area.Width() * factor;
  stride = (width * 3 + 3) & ~3;
  std::vector<std::uint8_t> rows(static_cast<std::size_t>(stride) * area.Height() * factor);
  for (int y = 0; y < area.Height(); ++y) {
    std::uint8_t* first = &rows[static_cast<std::size_t>(stride) * y * factor];
    const std::uint8_t* source = bitmap.Row(area.top + y) + area.left * 3;
    for (int x = 0; x < area.Width(); ++x) {
      for (int copy = 0; copy < factor; ++copy) {
        std::memcpy(first + (x * factor + copy) * 3, source + x * 3, 3);
      }
    }
    for (int copy = 1; copy < factor; ++copy) {
      std::memcpy(first + static_cast<std::size_t>(stride) * copy, first,
                  static_cast<std::size_t>(stride));
    }
  }
  return rows;
}

}  // namespace tk::win32
