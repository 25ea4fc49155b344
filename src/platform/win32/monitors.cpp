// The monitors of the desktop in picture pixels, each with its work area and
// scale; read once and again whenever the displays or their scales change.
#include <vector>

#include "platform/win32/win32_platform.h"

namespace tk {

const std::vector<win32::MonitorFrame>& Win32Platform::Frames() const {
  if (frames_.empty()) frames_ = win32::ReadMonitorFrames();
  return frames_;
}

void Win32Platform::ForgetMonitors() {
  frames_.clear();
}

std::vector<Monitor> Win32Platform::Monitors() const {
  std::vector<Monitor> monitors;
  for (const win32::MonitorFrame& frame : Frames()) monitors.push_back(frame.Logical());
  return monitors;
}

int Win32Platform::ScreenWidth() const {
  return Frames().front().Logical().bounds.Width();
}

int Win32Platform::ScreenHeight() const {
  return Frames().front().Logical().bounds.Height();
}

}  // namespace tk
