// The pixels of the simulated desktop: what windows were shown and the
// screenshot of the whole screen.
#include <algorithm>

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

void DrawWindow(const SimPlatform::Window& window, Bitmap& screen) {
  const Region whole{window.surface.Bounds()};
  for (const Rect& r : window.region_set ? window.region : whole) {
    const Rect inside = Intersect(r, window.surface.Bounds());
    if (IsEmpty(inside)) continue;
    CopyPixels(window.surface, inside.left, inside.top, screen, window.bounds.left + inside.left,
               window.bounds.top + inside.top, inside.Width(), inside.Height());
  }
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

void SimPlatform::RealizePalette(WindowId id, const std::vector<std::uint32_t>& colours) {
  if (auto it = windows_.find(id); it != windows_.end()) it->second.realized_palette = colours;
}

Bitmap SimPlatform::RenderScreen(Bgr desktop) const {
  Bitmap screen(screen_width, screen_height);
  screen.Fill(desktop);
  for (const bool topmost_band : {false, true}) {
    for (const auto& [id, window] : windows_) {
      if (window.visible && window.topmost == topmost_band) DrawWindow(window, screen);
    }
  }
  return screen;
}

}  // namespace tk
