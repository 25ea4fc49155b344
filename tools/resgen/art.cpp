#include "art.h"

#include <algorithm>

#include "paint.h"
#include "platform/prompt_mark.h"

namespace tk::resgen {
namespace {

// The face is designed on a 32-pixel square and scaled to each size.
void PaintFace(Image& image, double s) {
  const Rgba outline{92, 52, 24, 255};
  const Rgba skin{255, 198, 88, 255};
  const Rgba shine{255, 238, 176, 255};
  const Rgba eye{48, 28, 16, 255};
  const Rgba blush{255, 118, 110, 150};
  PaintShape(image, Disc(16 * s, 16.5 * s, 15 * s), outline);
  PaintShape(image, Disc(16 * s, 16.5 * s, 13.4 * s), skin);
  PaintShape(image, Ellipse(11 * s, 8.5 * s, 4.2 * s, 2.4 * s), shine);
  PaintShape(image, Ellipse(7.5 * s, 20 * s, 2.8 * s, 1.7 * s), blush);
  PaintShape(image, Ellipse(24.5 * s, 20 * s, 2.8 * s, 1.7 * s), blush);
  for (double eye_x : {11.0, 21.0}) {
    PaintShape(image, Ellipse(eye_x * s, 15 * s, 2.1 * s, 2.9 * s), eye);
    if (s >= 1) PaintShape(image, Disc((eye_x + 0.7) * s, 13.8 * s, 0.8 * s), kWhite);
  }
  PaintShape(image, ArcBand(16 * s, 17 * s, 4.6 * s, 1.8 * s, 0.45), eye);
}

// The hands are drawn on whole pixels: a mask of the hand, outlined where
// it meets the outside, with lines between the fingers.
using Mask = Grid<std::uint8_t>;

struct Finger {
  int left;  // outline column on the left; the finger is 5 pixels wide
  int top;   // first row
};

void AddFinger(Mask& mask, Finger finger, int bottom) {
  for (int y = finger.top; y <= bottom; ++y) {
    for (int x = finger.left; x < finger.left + 5; ++x) {
      const bool tip_corner = y == finger.top && (x == finger.left || x == finger.left + 4);
      if (!tip_corner) mask.at(x, y) = 1;
    }
  }
}

void AddPalm(Mask& mask, int left, int top, int right, int bottom) {
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      const int from_bottom = bottom - y;
      const int from_side = std::min(x - left, right - x);
      if (from_bottom + from_side >= 2) mask.at(x, y) = 1;
    }
  }
}

void AddThumb(Mask& mask, double x0, double y0, double x1, double y1) {
  const Shape thumb = Capsule(x0, y0, x1, y1, 2.4);
  for (int y = 0; y < mask.height(); ++y) {
    for (int x = 0; x < mask.width(); ++x) {
      if (thumb(x + 0.5, y + 0.5)) mask.at(x, y) = 1;
    }
  }
}

bool IsEdge(const Mask& mask, int x, int y) {
  const int dx[] = {1, -1, 0, 0};
  const int dy[] = {0, 0, 1, -1};
  for (int i = 0; i < 4; ++i) {
    const int nx = x + dx[i];
    const int ny = y + dy[i];
    if (!mask.Contains(nx, ny) || !mask.at(nx, ny)) return true;
  }
  return false;
}

Image OutlinedHand(const Mask& mask) {
  Image image(mask.width(), mask.height(), kTransparent);
  for (int y = 0; y < mask.height(); ++y) {
    for (int x = 0; x < mask.width(); ++x) {
      if (mask.at(x, y)) image.at(x, y) = IsEdge(mask, x, y) ? kBlack : kWhite;
    }
  }
  return image;
}

void VerticalLine(Image& image, int x, int top, int bottom) {
  for (int y = top; y <= bottom; ++y) image.at(x, y) = kBlack;
}

void HorizontalLine(Image& image, int left, int right, int y) {
  for (int x = left; x <= right; ++x) image.at(x, y) = kBlack;
}

constexpr Finger kOpenFingers[] = {{8, 6}, {12, 3}, {16, 4}, {20, 7}};
constexpr Finger kClosedFingers[] = {{8, 11}, {12, 10}, {16, 10}, {20, 11}};

void DrawFingerGaps(Image& image, const Finger (&fingers)[4], int bottom) {
  for (int i = 1; i < 4; ++i) VerticalLine(image, fingers[i].left, fingers[i].top, bottom);
}

}  // namespace

Image PaintFaceIcon(int size) {
  Image image(size, size, kTransparent);
  PaintFace(image, size / 32.0);
  return image;
}

Image PaintOpenHand() {
  Mask mask(kCursorSize, kCursorSize, 0);
  for (Finger f : kOpenFingers) AddFinger(mask, f, 18);
  AddPalm(mask, 8, 14, 24, 28);
  AddThumb(mask, 10, 23, 4.5, 14.5);
  Image image = OutlinedHand(mask);
  DrawFingerGaps(image, kOpenFingers, 15);
  return image;
}

Image PaintClosedHand() {
  Mask mask(kCursorSize, kCursorSize, 0);
  for (Finger f : kClosedFingers) AddFinger(mask, f, 18);
  AddPalm(mask, 8, 14, 24, 28);
  AddThumb(mask, 10, 23, 7, 17.5);
  Image image = OutlinedHand(mask);
  DrawFingerGaps(image, kClosedFingers, 14);
  // The curled fingertips meet the palm along this fold.
  HorizontalLine(image, 10, 23, 14);
  return image;
}

const Palette16& StandardPalette() {
  static const Palette16 palette = {{
      {0, 0, 0, 255},
      {128, 0, 0, 255},
      {0, 128, 0, 255},
      {128, 128, 0, 255},
      {0, 0, 128, 255},
      {128, 0, 128, 255},
      {0, 128, 128, 255},
      {192, 192, 192, 255},
      {128, 128, 128, 255},
      {255, 0, 0, 255},
      {0, 255, 0, 255},
      {255, 255, 0, 255},
      {0, 0, 255, 255},
      {255, 0, 255, 255},
      {0, 255, 255, 255},
      {255, 255, 255, 255},
  }};
  return palette;
}

IndexedImage PaintPromptStrip() {
  static_assert(kPromptFrameSize == tk::kPromptFrameSide && kPromptFrames == tk::kPromptFrameCount);
  IndexedImage strip(kPromptFrameSize * kPromptFrames, kPromptFrameSize, kPromptGreen);
  tk::PaintPromptMark([&](int x, int y, tk::PromptInk ink) {
    strip.at(x, y) = ink == tk::PromptInk::kBlack   ? kPromptBlack
                     : ink == tk::PromptInk::kWhite ? kPromptWhite
                                                    : kPromptCyan;
  });
  return strip;
}

}  // namespace tk::resgen
