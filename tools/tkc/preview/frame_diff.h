// What travels to the page when the simulated screen changes: the changed
// rectangles only, each as a PNG.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/bitmap.h"
#include "base/geometry.h"

namespace tkc {

// The square cells the screen is compared in. Smaller cells send fewer
// unchanged pixels and more pictures.
inline constexpr int kFrameCell = 32;

// The parts of `now` that differ from `before`: changed cells, neighbours in
// a row joined into one rectangle, and rectangles of equal span in adjacent
// rows joined again. A change of size changes everything.
std::vector<tk::Rect> ChangedRects(const tk::Bitmap& before, const tk::Bitmap& now,
                                   int cell = kFrameCell);

// A PNG of the part `area` of `bitmap` (clipped to it).
std::string EncodePngArea(const tk::Bitmap& bitmap, const tk::Rect& area);

std::string Base64(std::string_view bytes);

}  // namespace tkc
