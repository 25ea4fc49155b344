#include "platform/win32/region.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace tk::win32 {
namespace {

RECT ToRect(const Rect& r) {
  return RECT{r.left, r.top, r.right, r.bottom};
}

RECT Bounds(const std::vector<RECT>& rects) {
  RECT bounds = rects.front();
  for (const RECT& r : rects) {
    bounds.left = std::min(bounds.left, r.left);
    bounds.top = std::min(bounds.top, r.top);
    bounds.right = std::max(bounds.right, r.right);
    bounds.bottom = std::max(bounds.bottom, r.bottom);
  }
  return bounds;
}

}  // namespace

HRGN CreateRegionFromRects(const Region& rects) {
  std::vector<RECT> kept;
  kept.reserve(rects.size());
  for (const Rect& r : rects) {
    if (r.Width() > 0 && r.Height() > 0) kept.push_back(ToRect(r));
  }
  if (kept.empty()) return CreateRectRgn(0, 0, 0, 0);

  const std::size_t rect_bytes = kept.size() * sizeof(RECT);
  std::vector<unsigned char> buffer(sizeof(RGNDATAHEADER) + rect_bytes);
  RGNDATAHEADER header{};
  header.dwSize = sizeof(RGNDATAHEADER);
  header.iType = RDH_RECTANGLES;
  header.nCount = static_cast<DWORD>(kept.size());
  header.nRgnSize = static_cast<DWORD>(rect_bytes);
  header.rcBound = Bounds(kept);
  std::memcpy(buffer.data(), &header, sizeof header);
  std::memcpy(buffer.data() + sizeof header, kept.data(), rect_bytes);
  return ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()),
                         reinterpret_cast<const RGNDATA*>(buffer.data()));
}

}  // namespace tk::win32
