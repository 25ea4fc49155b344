#include "paint.h"

#include <algorithm>
#include <cmath>

namespace tk::resgen {
namespace {

constexpr int kSamplesPerAxis = 4;

double Coverage(const Shape& shape, int x, int y) {
  int inside = 0;
  for (int sy = 0; sy < kSamplesPerAxis; ++sy) {
    for (int sx = 0; sx < kSamplesPerAxis; ++sx) {
      const double px = x + (sx + 0.5) / kSamplesPerAxis;
      const double py = y + (sy + 0.5) / kSamplesPerAxis;
      inside += shape(px, py) ? 1 : 0;
    }
  }
  return static_cast<double>(inside) / (kSamplesPerAxis * kSamplesPerAxis);
}

// Straight (not premultiplied) alpha, as icon images store it.
Rgba BlendOver(Rgba under, Rgba over, double coverage) {
  const double top = over.a / 255.0 * coverage;
  const double bottom = under.a / 255.0 * (1.0 - top);
  const double alpha = top + bottom;
  if (alpha <= 0.0) return kTransparent;
  auto channel = [&](std::uint8_t o, std::uint8_t u) {
    return static_cast<std::uint8_t>(std::lround((o * top + u * bottom) / alpha));
  };
  return {channel(over.r, under.r), channel(over.g, under.g), channel(over.b, under.b),
          static_cast<std::uint8_t>(std::lround(alpha * 255.0))};
}

}  // namespace

void PaintShape(Image& image, const Shape& shape, Rgba colour) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const double coverage = Coverage(shape, x, y);
      if (coverage > 0.0) image.at(x, y) = BlendOver(image.at(x, y), colour, coverage);
    }
  }
}

Shape Ellipse(double cx, double cy, double rx, double ry) {
  return [=](double x, double y) {
    const double dx = (x - cx) / rx;
    const double dy = (y - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
  };
}

Shape Disc(double cx, double cy, double r) {
  return Ellipse(cx, cy, r, r);
}

Shape ArcBand(double cx, double cy, double r, double width, double min_sine) {
  return [=](double x, double y) {
    const double distance = std::hypot(x - cx, y - cy);
    if (distance == 0.0 || std::abs(distance - r) > width / 2) return false;
    return (y - cy) / distance >= min_sine;
  };
}

Shape Capsule(double x0, double y0, double x1, double y1, double radius) {
  return [=](double x, double y) {
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double length_squared = dx * dx + dy * dy;
    double t = length_squared > 0 ? ((x - x0) * dx + (y - y0) * dy) / length_squared : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(x - (x0 + t * dx), y - (y0 + t * dy)) <= radius;
  };
}

Shape Minus(Shape keep, Shape cut) {
  return [=](double x, double y) { return keep(x, y) && !cut(x, y); };
}

}  // namespace tk::resgen
