#include "platform/monitors.h"

#include <algorithm>
#include <cstdint>

namespace tk {

namespace {

// In 64 bits: windows stand anywhere a script put them.
std::int64_t Overlap(const Rect& a, const Rect& b) {
  const std::int64_t w = std::int64_t{std::min(a.right, b.right)} - std::max(a.left, b.left);
  const std::int64_t h = std::int64_t{std::min(a.bottom, b.bottom)} - std::max(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

// How far apart along one axis; 0 where the spans meet.
std::int64_t Gap(int low1, int high1, int low2, int high2) {
  if (high1 <= low2) return std::int64_t{low2} - high1;
  if (high2 <= low1) return std::int64_t{low1} - high2;
  return 0;
}

std::int64_t Distance(const Rect& a, const Rect& b) {
  return Gap(a.left, a.right, b.left, b.right) + Gap(a.top, a.bottom, b.top, b.bottom);
}

}  // namespace

const Monitor& MonitorOf(const std::vector<Monitor>& monitors, const Rect& window) {
  const Monitor* best = &monitors.front();
  std::int64_t most = Overlap(best->bounds, window);
  for (const Monitor& m : monitors) {
    const std::int64_t overlap = Overlap(m.bounds, window);
    if (overlap > most) {
      best = &m;
      most = overlap;
    }
  }
  if (most > 0) return *best;
  for (const Monitor& m : monitors) {
    if (Distance(m.bounds, window) < Distance(best->bounds, window)) best = &m;
  }
  return *best;
}

bool CornerOnAMonitor(const std::vector<Monitor>& monitors, std::int64_t x, std::int64_t y) {
  return std::any_of(monitors.begin(), monitors.end(), [&](const Monitor& m) {
    const Rect& b = m.bounds;
    return x >= b.left && x <= b.right && y >= b.top && y <= b.bottom;
  });
}

int WholeScaleFactor(int scale_percent) {
  return std::max(1, (scale_percent + 50) / 100);
}

}  // namespace tk
