// The pixels of the simulated desktop: what windows were shown and the
// screenshot of the whole screen.
#include <algorithm>
#include <climits>
#include <cstdint>

#include "platform/monitors.h"
#include "platform/sim/sim_platform.h"

namespace tk {

// A window that changed size shows black until its owner presents again.
void FitSimSurface(SimPlatform::Window& window) {
  const int width = std::max(window.bounds.Width(), 0);
  const int height = std::max(window.bounds.Height(), 0);
  if (window.surface.width() != width || window.surface.height() != height) {
    window.surface.Reset(width, height);
  }
}

namespace {

// `origin` is the desktop point at the screenshot's corner.
void DrawWindow(const SimPlatform::Window& window, Point origin, Bitmap& screen) {
  const Region whole{window.surface.Bounds()};
  const std::int64_t left = std::int64_t{window.bounds.left} - origin.x;
  const std::int64_t top = std::int64_t{window.bounds.top} - origin.y;
  if (left < INT_MIN / 2 || left > INT_MAX / 2 || top < INT_MIN / 2 || top > INT_MAX / 2) return;
  for (const Rect& r : window.region_set ? window.region : whole) {
    const Rect inside = Intersect(r, window.surface.Bounds());
    if (IsEmpty(inside)) continue;
    CopyPixels(window.surface, inside.left, inside.top, screen,
               static_cast<int>(left) + inside.left, static_cast<int>(top) + inside.top,
               inside.Width(), inside.Height());
  }
}

Rect Span(const std::vector<Monitor>& monitors) {
  Rect all = monitors.front().bounds;
  for (const Monitor& m : monitors) {
    all = {std::min(all.left, m.bounds.left), std::min(all.top, m.bounds.top),
           std::max(all.right, m.bounds.right), std::max(all.bottom, m.bounds.bottom)};
  }
  return all;
}

// In 64 bits: a window may stand anywhere a script put it.
bool Shows(const SimPlatform::Window& window, Point screen) {
  const long long x = static_cast<long long>(screen.x) - window.bounds.left;
  const long long y = static_cast<long long>(screen.y) - window.bounds.top;
  const auto holds = [&](const Rect& r) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
  };
  if (!holds({0, 0, window.bounds.Width(), window.bounds.Height()})) return false;
  if (!window.region_set) return true;
  return std::any_of(window.region.begin(), window.region.end(), holds);
}

}  // namespace

void SimPlatform::PresentBitmap(WindowId id, const Bitmap& bitmap, const Rect& area) {
  const auto it = windows_.find(id);
  if (it == windows_.end()) return;
  Window& window = it->second;
  FitSimSurface(window);
  const Rect r = Intersect(area, bitmap.Bounds());
  if (!IsEmpty(r))
    CopyPixels(bitmap, r.left, r.top, window.surface, r.left, r.top, r.Width(), r.Height());
  ++window.presents;
}

int SimPlatform::WindowScale(WindowId id) const {
  const auto it = windows_.find(id);
  if (it == windows_.end()) return 1;
  return WholeScaleFactor(MonitorOf(Monitors(), it->second.bounds).scale_percent);
}

void SimPlatform::PresentScaledBitmap(WindowId id, const Bitmap& bitmap, const Rect& area) {
  const auto it = windows_.find(id);
  if (it == windows_.end()) return;
  Window& window = it->second;
  FitSimSurface(window);
  const int factor = WindowScale(id);
  const std::int64_t w = std::int64_t{window.surface.width()} * factor,
                     h = std::int64_t{window.surface.height()} * factor;
  if (!IsSaneImageSize(w, h)) return;
  if (window.device_surface.width() != w || window.device_surface.height() != h) {
    window.device_surface.Reset(static_cast<int>(w), static_cast<int>(h));
  }
  const Rect r = Intersect(area, bitmap.Bounds());
  if (IsEmpty(r)) return;
  CopyPixels(bitmap, r.left, r.top, window.device_surface, r.left, r.top, r.Width(), r.Height());
  const Rect picture{r.left / factor, r.top / factor, (r.right + factor - 1) / factor,
                     (r.bottom + factor - 1) / factor};
  for (int y = picture.top; y < std::min(picture.bottom, window.surface.height()); ++y) {
    for (int x = picture.left; x < std::min(picture.right, window.surface.width()); ++x) {
      window.surface.Set(x, y, window.device_surface.At(x * factor, y * factor));
    }
  }
  ++window.device_presents;
}

void SimPlatform::RealizePalette(WindowId id, const std::vector<std::uint32_t>& colours) {
  if (auto it = windows_.find(id); it != windows_.end()) it->second.realized_palette = colours;
}

// Drawn in id order, topmost band last: the last window holding the point
// is the one on top.
WindowId SimPlatform::WindowAt(Point screen) const {
  WindowId found = kNoWindow;
  for (const bool topmost_band : {false, true}) {
    for (const auto& [id, window] : windows_) {
      if (window.visible && window.topmost == topmost_band && Shows(window, screen)) found = id;
    }
  }
  return found;
}

bool SimPlatform::ClickAt(Point screen, MouseButton button) {
  const WindowId id = WindowAt(screen);
  cursor_position = screen;
  if (id == kNoWindow) return false;
  const Rect bounds = WindowBounds(id);
  Click(id, button, screen.x - bounds.left, screen.y - bounds.top);
  return true;
}

bool SimPlatform::MoveMouseTo(Point screen) {
  const WindowId id = WindowAt(screen);
  cursor_position = screen;
  if (id == kNoWindow) return false;
  const Rect bounds = WindowBounds(id);
  MouseMove(id, screen.x - bounds.left, screen.y - bounds.top);
  return true;
}

Bitmap SimPlatform::RenderScreen(Bgr desktop) const {
  const std::vector<Monitor> monitors = Monitors();
  const Rect span = Span(monitors);
  if (!IsSaneImageSize(span.Width(), span.Height())) return Bitmap();
  const Point origin{span.left, span.top};
  Bitmap screen(span.Width(), span.Height());
  for (const Monitor& m : monitors) {
    const Rect& b = m.bounds;
    for (int y = b.top; y < b.bottom; ++y) {
      for (int x = b.left; x < b.right; ++x) screen.Set(x - origin.x, y - origin.y, desktop);
    }
  }
  for (const bool topmost_band : {false, true}) {
    for (const auto& [id, window] : windows_) {
      if (window.visible && window.topmost == topmost_band) DrawWindow(window, origin, screen);
    }
  }
  return screen;
}

std::vector<Monitor> SimPlatform::Monitors() const {
  const Rect primary{0, 0, screen_width, screen_height};
  std::vector<Monitor> all{{primary, primary, primary_scale_percent}};
  all.insert(all.end(), other_monitors.begin(), other_monitors.end());
  return all;
}

}  // namespace tk
