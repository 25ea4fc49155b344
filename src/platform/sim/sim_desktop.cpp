// The desktop's other windows and the z-order all windows share.
#include <algorithm>
#include <utility>

#include "platform/sim/sim_platform.h"

namespace tk {

WindowId SimPlatform::OpenForeignWindow(const ForeignWindow& window) {
  const WindowId id = next_window_++;
  foreign_windows_[id] = window;
  std::vector<WindowId>& order = window.frame == kNoWindow ? z_order_ : documents_;
  order.insert(order.begin(), id);
  if (window.frame == kNoWindow && window.visible) SetForeground(id);
  return id;
}

void SimPlatform::MoveForeignWindow(WindowId id, const Rect& bounds) {
  if (auto it = foreign_windows_.find(id); it != foreign_windows_.end()) it->second.bounds = bounds;
}

void SimPlatform::BringToFront(std::vector<WindowId>& order, WindowId id) {
  const auto it = std::find(order.begin(), order.end(), id);
  if (it != order.end()) std::rotate(order.begin(), it, it + 1);
}

void SimPlatform::RaiseWindow(WindowId id) {
  const auto it = foreign_windows_.find(id);
  const bool document = it != foreign_windows_.end() && it->second.frame != kNoWindow;
  BringToFront(document ? documents_ : z_order_, id);
  if (!document) SetForeground(id);
}

void SimPlatform::CloseForeignWindow(WindowId id) {
  if (foreign_windows_.erase(id) == 0) return;
  std::erase(z_order_, id);
  std::erase(documents_, id);
  std::vector<WindowId> documents;
  for (const auto& [child, window] : foreign_windows_) {
    if (window.frame == id) documents.push_back(child);
  }
  for (const WindowId child : documents) CloseForeignWindow(child);
  if (foreground_ != id) return;
  WindowId next = kNoWindow;
  for (const WindowId other : ZOrder()) {
    const auto it = foreign_windows_.find(other);
    if (it != foreign_windows_.end() && it->second.visible) {
      next = other;
      break;
    }
  }
  SetForeground(next);
}

// The notice is posted, as the system's is, and finds whoever watches when
// it arrives.
void SimPlatform::SetForeground(WindowId id) {
  if (foreground_ == id) return;
  foreground_ = id;
  if (front_watcher_) {
    PostAt(now_ms_, [this] {
      if (front_watcher_) front_watcher_();
    });
  }
}

bool SimPlatform::IsTopmostWindow(WindowId id) const {
  if (const Window* own = FindWindow(id)) return own->topmost;
  const auto it = foreign_windows_.find(id);
  return it != foreign_windows_.end() && it->second.topmost;
}

std::vector<WindowId> SimPlatform::ZOrder() const {
  std::vector<WindowId> order;
  for (const bool topmost_band : {true, false}) {
    for (const WindowId id : z_order_) {
      if (IsTopmostWindow(id) == topmost_band) order.push_back(id);
    }
  }
  return order;
}

// The program's own windows have no minimize box, as on the real desktop.
std::optional<DesktopWindow> SimPlatform::DescribeWindow(WindowId id) const {
  const auto handle = static_cast<DesktopWindowHandle>(id);
  if (const Window* own = FindWindow(id)) {
    return DesktopWindow{handle, own->title, own->visible, false, false, false, own->bounds};
  }
  const auto it = foreign_windows_.find(id);
  if (it == foreign_windows_.end()) return std::nullopt;
  const ForeignWindow& w = it->second;
  const bool document = w.frame != kNoWindow;
  return DesktopWindow{handle, w.title, w.visible, w.minimize_box, document, document, w.bounds};
}

// Each window is described as the walk reaches it: the visitor may open,
// move or close windows on the way.
void SimPlatform::VisitTopLevelWindows(const DesktopWindowVisitor& visit) {
  for (const WindowId id : ZOrder()) {
    const auto window = DescribeWindow(id);
    if (window && !visit(*window)) return;
  }
}

void SimPlatform::VisitDescendants(DesktopWindowHandle parent, const DesktopWindowVisitor& visit) {
  const std::vector<WindowId> order = documents_;
  for (const WindowId id : order) {
    const auto it = foreign_windows_.find(id);
    if (it == foreign_windows_.end() ||
        static_cast<DesktopWindowHandle>(it->second.frame) != parent)
      continue;
    const auto window = DescribeWindow(id);
    if (window && !visit(*window)) return;
  }
}

std::optional<Rect> SimPlatform::ForeignFrontWindowBounds() {
  const auto it = foreign_windows_.find(foreground_);
  if (it == foreign_windows_.end() || it->second.shell) return std::nullopt;
  const auto window = DescribeWindow(foreground_);
  if (!window) return std::nullopt;
  return window->bounds;
}

bool SimPlatform::NoticeFrontWindowChanges(std::function<void()> on_change) {
  front_watcher_ = front_window_notices ? std::move(on_change) : nullptr;
  return front_window_notices || !on_change;
}

std::optional<Rect> SimPlatform::WindowRect(DesktopWindowHandle handle) {
  const auto window = DescribeWindow(static_cast<WindowId>(handle));
  if (!window) return std::nullopt;
  return window->bounds;
}

}  // namespace tk
