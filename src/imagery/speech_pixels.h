// Pixel operations of speech text: the raster steps that let a glyph, its
// shadow and black (transparent) text-layer pixels combine exactly, and the
// exclusive-or highlight of choices.
#pragma once

#include "base/bitmap.h"

namespace tk {

enum class PixelOp { kAnd, kOr };

// Combines the `width` x `height` area at (sx, sy) of `src` into (dx, dy) of
// `dst` byte by byte, clipped to both pictures.
void CombinePixels(const Bitmap& src, int sx, int sy, Bitmap& dst, int dx, int dy, int width,
                   int height, PixelOp op);

// Every black pixel white, every other one black.
void TurnIntoInkMask(Bitmap& bitmap);

// Copies the pixels of `src` that are not black, clipped to both pictures.
void CopyInk(const Bitmap& src, int sx, int sy, Bitmap& dst, int dx, int dy, int width, int height);

// Inverts the highlight of a choice over `rect` in `target`, within `clip`:
// an outline (dotted or solid by style) and an interior (none, hatched or
// solid). The pattern keeps its place whatever the clip.
// A `factor` above 1 means a target that many times larger, `rect` and
// `clip` staying in picture pixels.
void InvertHighlight(Bitmap& target, const Rect& rect, int style, const Rect& clip, int factor = 1);

}  // namespace tk
