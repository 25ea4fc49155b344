// When the simulated windows are painted, by the rules Windows keeps for
// these windows (their class asks for no redraw on resizing): an
// invalidation is painted at the next pump, once; a window that appears,
// and one whose size, shape or band changes, is painted at once, as the
// system erases such a window before the change returns.
#include <algorithm>

#include "platform/sim/sim_platform.h"

namespace tk {

void FitSimSurface(SimPlatform::Window& window);

namespace {

// What of its client area the window shows, in client coordinates.
Region VisibleArea(const SimPlatform::Window& window) {
  const Rect client{0, 0, window.bounds.Width(), window.bounds.Height()};
  Region area;
  for (const Rect& r : window.region_set ? window.region : Region{client}) {
    if (const Rect inside = Intersect(r, client); !IsEmpty(inside)) area.push_back(inside);
  }
  return area;
}

bool RowCovered(const Region& area, int y, int left, int right) {
  std::vector<std::pair<int, int>> spans;
  for (const Rect& r : area) {
    if (y >= r.top && y < r.bottom) spans.emplace_back(r.left, r.right);
  }
  std::sort(spans.begin(), spans.end());
  int covered_to = left;
  for (const auto& [from, to] : spans) {
    if (from > covered_to) break;
    covered_to = std::max(covered_to, to);
  }
  return covered_to >= right;
}

// Whether every pixel of `part` lies in `area`.
bool Covers(const Region& area, const Region& part) {
  for (const Rect& r : part) {
    for (int y = r.top; y < r.bottom; ++y) {
      if (!RowCovered(area, y, r.left, r.right)) return false;
    }
  }
  return true;
}

}  // namespace

void SimPlatform::SetWindowBounds(WindowId id, const Rect& screen_rect) {
  const auto it = windows_.find(id);
  if (it == windows_.end()) return;
  const bool resized = screen_rect.Width() != it->second.bounds.Width() ||
                       screen_rect.Height() != it->second.bounds.Height();
  // A move keeps the window's pixels and whatever was invalid.
  if (!resized) {
    it->second.bounds = screen_rect;
    return;
  }
  Reshape(id, [&](Window& window) { window.bounds = screen_rect; });
}

// A new shape repaints the whole window, whatever it uncovers: a new
// picture reaches the screen through this one paint.
void SimPlatform::SetWindowRegion(WindowId id, const Region& region) {
  Reshape(id, [&](Window& window) {
    window.region = region;
    window.region_set = true;
    if (window.visible) window.needs_paint = true;
  });
}

// Entering or leaving the band, the window goes to the front of the band
// it ends up in, as the system places it.
void SimPlatform::SetTopmost(WindowId id, bool topmost) {
  const auto it = windows_.find(id);
  if (it == windows_.end()) return;
  BringToFront(z_order_, id);
  if (it->second.topmost == topmost) return;
  Reshape(id, [&](Window& window) { window.topmost = topmost; });
}

// A window that appears is wholly invalid; a hidden one keeps nothing to
// paint.
void SimPlatform::ShowWindow(WindowId id, bool visible) {
  const auto it = windows_.find(id);
  if (it == windows_.end()) return;
  Window& window = it->second;
  const bool appears = visible && !window.visible;
  window.visible = visible;
  if (!visible) window.needs_paint = false;
  if (appears && !VisibleArea(window).empty()) PaintNow(id);
}

void SimPlatform::InvalidateWindow(WindowId id) {
  const auto it = windows_.find(id);
  if (it == windows_.end()) return;
  Window& window = it->second;
  if (window.visible && !VisibleArea(window).empty()) window.needs_paint = true;
}

// Area the change uncovers becomes invalid, and what is invalid is painted
// before the change returns.
template <typename Change>
void SimPlatform::Reshape(WindowId id, Change&& change) {
  const auto it = windows_.find(id);
  if (it == windows_.end()) return;
  Window& window = it->second;
  const Region before = VisibleArea(window);
  change(window);
  if (!window.visible) return;
  const Region after = VisibleArea(window);
  if (!Covers(before, after)) window.needs_paint = true;
  if (window.needs_paint && !after.empty()) PaintNow(id);
}

// Erasing is painting here: the window's owner presents in its handler,
// which may destroy the window.
void SimPlatform::PaintNow(WindowId id) {
  const auto it = windows_.find(id);
  if (it == windows_.end()) return;
  Window& window = it->second;
  window.needs_paint = false;
  FitSimSurface(window);
  ++window.paints;
  if (WindowEvents* events = window.events) Dispatch([&] { events->OnEraseBackground(); });
}

// A handler may destroy or invalidate windows, so each is looked up afresh.
void SimPlatform::PaintPendingWindows() {
  std::vector<WindowId> pending;
  for (const auto& [id, window] : windows_) {
    if (window.needs_paint && window.visible) pending.push_back(id);
  }
  for (const WindowId id : pending) {
    const auto it = windows_.find(id);
    if (it != windows_.end() && it->second.needs_paint) PaintNow(id);
  }
}

}  // namespace tk
