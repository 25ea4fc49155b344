// Anti-aliased painting of shapes given as inside/outside tests.
#pragma once

#include <functional>

#include "image.h"

namespace tk::resgen {

// Coordinates are in pixels; pixel (x, y) covers [x, x+1) x [y, y+1).
using Shape = std::function<bool(double x, double y)>;

// Blends `colour` over the image in proportion to how much of each pixel the
// shape covers, sampled on a 4x4 grid per pixel.
void PaintShape(Image& image, const Shape& shape, Rgba colour);

Shape Ellipse(double cx, double cy, double rx, double ry);
Shape Disc(double cx, double cy, double r);
// A band of the given width along a circle, limited to angles whose sine
// (y grows downwards) is at least `min_sine`: 0 keeps the lower half.
Shape ArcBand(double cx, double cy, double r, double width, double min_sine);
// A thick line segment with round ends.
Shape Capsule(double x0, double y0, double x1, double y1, double radius);
Shape Minus(Shape keep, Shape cut);

}  // namespace tk::resgen
