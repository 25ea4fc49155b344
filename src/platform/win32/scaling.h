// Picture pixels and device pixels. The engine speaks in picture pixels
// whatever the display; each monitor keeps its corner where the system puts
// it, and inside it every picture pixel is a factor x factor block of device
// pixels, the monitor's whole scale factor.
#pragma once

#include <vector>

#include "platform/platform.h"
#include "platform/win32/win32_api.h"

namespace tk::win32 {

struct MonitorFrame {
  HMONITOR handle = nullptr;
  Rect device;       // the monitor in device pixels
  Rect device_work;  // its work area in device pixels
  int scale_percent = 100;
  int factor = 1;

  Point ToLogical(POINT device_point) const;
  POINT ToDevice(Point logical) const;
  Rect ToLogical(const Rect& device_rect) const;
  Rect ToDevice(const Rect& logical) const;
  Monitor Logical() const;
};

// Every monitor, the primary first; never empty.
std::vector<MonitorFrame> ReadMonitorFrames();

// The frame whose monitor, in picture pixels, holds most of `logical`.
const MonitorFrame& FrameForLogical(const std::vector<MonitorFrame>& frames, const Rect& logical);
// The frame of the monitor nearest to a device point.
const MonitorFrame& FrameForDevice(const std::vector<MonitorFrame>& frames, POINT device_point);

// Nearest-neighbour enlargement of `area` of `bitmap` by `factor`, as rows
// padded for a DIB; `stride` receives the bytes of one row.
std::vector<std::uint8_t> EnlargedRows(const Bitmap& bitmap, const Rect& area, int factor,
                                       LONG& stride);

}  // namespace tk::win32
