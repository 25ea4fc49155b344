// Window shapes: the engine's rectangle list becomes one GDI region.
#pragma once

#include "platform/platform.h"
#include "platform/win32/win32_api.h"

namespace tk::win32 {

// Builds the region in a single ExtCreateRegion call, since combining
// thousands of rectangles one by one is slow. An empty list gives an empty
// region. Returns nullptr if GDI refuses; the caller owns the result.
HRGN CreateRegionFromRects(const Region& rects);

}  // namespace tk::win32
