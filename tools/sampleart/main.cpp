// tksampleart: paints the sample character's pictures. The figure and the
// balloon are stored as BMP files, the eye and mouth strips as compressed
// SGD files, so that the sample exercises both readers.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>

#include "imagery/bmp_writer.h"
#include "imagery/sgd.h"

namespace {

using tk::Bgr;
using tk::Bitmap;

constexpr Bgr kKey{255, 0, 255};  // magenta: cut out of the window
constexpr Bgr kOutline{40, 30, 30};
constexpr Bgr kSkin{170, 215, 250};
constexpr Bgr kCoat{200, 110, 40};
constexpr Bgr kEye{60, 40, 30};
constexpr Bgr kWhite{255, 255, 255};
constexpr Bgr kMouth{70, 60, 200};

// Paints `colour` wherever `inside(x, y)` holds.
void FillShape(Bitmap& b, Bgr colour, const std::function<bool(double, double)>& inside) {
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x)
      if (inside(x + 0.5, y + 0.5)) b.Set(x, y, colour);
}

// An ellipse with a dark rim of `rim` pixels.
void Ellipse(Bitmap& b, double cx, double cy, double rx, double ry, Bgr fill, double rim) {
  auto within = [=](double grow) {
    return [=](double x, double y) {
      const double dx = (x - cx) / (rx + grow), dy = (y - cy) / (ry + grow);
      return dx * dx + dy * dy <= 1.0;
    };
  };
  if (rim > 0) FillShape(b, kOutline, within(0));
  FillShape(b, fill, within(-rim));
}

void Eyes(Bitmap& b, int left, int top, double openness) {
  for (const double cx : {left + 12.0, left + 38.0}) {
    if (openness > 0.1) {
      Ellipse(b, cx, top + 10, 6, 8 * openness, kEye, 0);
      Ellipse(b, cx + 2, top + 10 - 3 * openness, 1.6, 1.6 * openness, kWhite, 0);
    } else {
      FillShape(b, kEye, [=](double x, double y) {
        return std::abs(x - cx) < 7 && std::abs(y - top - 11) < 1.2;
      });
    }
  }
}

Bitmap Figure() {
  Bitmap b(160, 200);
  b.Fill(kKey);
  Ellipse(b, 80, 150, 58, 48, kCoat, 3);  // body
  Ellipse(b, 80, 78, 62, 58, kSkin, 3);   // head
  Ellipse(b, 30, 40, 14, 18, kSkin, 3);   // ears
  Ellipse(b, 130, 40, 14, 18, kSkin, 3);
  Ellipse(b, 80, 78, 59, 55, kSkin, 0);  // the head covers the ears' inner rims
  Eyes(b, 55, 68, 1.0);                  // eyes open, as the strip's first frame
  FillShape(b, kMouth,
            [](double x, double y) { return std::abs(x - 80) < 8 && std::abs(y - 110) < 2; });
  return b;
}

// 8 frames of 50 x 20: open five times, then half, closed, half.
Bitmap EyeStrip() {
  const double openness[] = {1, 1, 1, 1, 1, 0.5, 0, 0.5};
  Bitmap strip(8 * 50, 20);
  for (int f = 0; f < 8; ++f) {
    Bitmap frame(50, 20);
    frame.Fill(kSkin);
    Eyes(frame, 0, 0, openness[f]);
    tk::CopyPixels(frame, 0, 0, strip, f * 50, 0, 50, 20);
  }
  return strip;
}

// Two frames of 24 x 12: a closed and an open mouth.
Bitmap MouthStrip() {
  Bitmap strip(48, 12);
  strip.Fill(kSkin);
  FillShape(strip, kMouth,
            [](double x, double y) { return std::abs(x - 12) < 8 && std::abs(y - 6) < 2; });
  Ellipse(strip, 36, 6, 7, 5, kMouth, 0);
  return strip;
}

Bitmap Balloon() {
  Bitmap b(150, 90);
  b.Fill(kKey);
  auto rounded = [](double grow) {
    return [=](double x, double y) {
      const double cx = std::clamp(x, 22.0, 128.0), cy = std::clamp(y, 22.0, 52.0);
      return std::hypot(x - cx, y - cy) <= 18 + grow;
    };
  };
  FillShape(b, kOutline, rounded(0));
  // The tail points down-left, toward the figure.
  FillShape(b, kOutline, [](double x, double y) {
    return y > 60 && y < 88 && x > 14 + (y - 60) * 0.2 && x < 44 - (y - 60) * 1.0;
  });
  FillShape(b, kWhite, rounded(-3));
  FillShape(b, kWhite, [](double x, double y) {
    return y > 60 && y < 84 && x > 19 + (y - 60) * 0.2 && x < 39 - (y - 60) * 1.0;
  });
  return b;
}

bool Write(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tksampleart OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string dir = std::string(argv[1]) + "/";
  const bool ok = Write(dir + "body.bmp", tk::EncodeBmp24(Figure())) &&
                  Write(dir + "balloon.bmp", tk::EncodeBmp24(Balloon())) &&
                  Write(dir + "eyes.sgd", tk::EncodeSgd24(EyeStrip(), true)) &&
                  Write(dir + "mouth.sgd", tk::EncodeSgd24(MouthStrip(), true));
  if (!ok) std::fprintf(stderr, "tksampleart: cannot write into %s\n", argv[1]);
  return ok ? 0 : 1;
}
