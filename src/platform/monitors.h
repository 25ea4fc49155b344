// Which monitor a window stands on.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace tk {

// The monitor holding most of `window`; when none holds any of it, the one
// nearest to it; the primary one among equals. `monitors` is never empty.
const Monitor& MonitorOf(const std::vector<Monitor>& monitors, const Rect& window);

// Whether a window's corner at (x, y) lies on a monitor, its right and
// bottom edges counted in: such a window shows at least its corner pixel's
// row or column, or touches the edge where the user can reach it.
bool CornerOnAMonitor(const std::vector<Monitor>& monitors, std::int64_t x, std::int64_t y);

// The whole factor a monitor of `scale_percent` enlarges pictures by, so
// each picture pixel becomes a square block and pixel art keeps hard edges:
// the nearest whole number, halves going up (125% draws at 1, 150% and 175%
// at 2, 250% at 3); never below 1.
int WholeScaleFactor(int scale_percent);

}  // namespace tk
