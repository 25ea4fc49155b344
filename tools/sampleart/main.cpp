// tksampleart: paints the sample character's pictures and makes its
// greeting sound. The figure, the balloon and the about picture are stored
// as BMP files, the strips as compressed SGD files, so that the sample
// exercises both readers; its tray icon and the cursor over its head are
// icon and cursor files.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "base/bmp_writer.h"
#include "formats.h"
#include "paint.h"
#include "sgd_encoder.h"

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
constexpr Bgr kBlush{150, 150, 250};

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

// Two shoes peeking out under the coat, toes pointing `facing` (-1 left,
// 0 front, 1 right). A stride moves one foot ahead and the other back; a
// lift raises a foot. (dx, dy) is where the figure's corner is in `b`.
constexpr Bgr kShoe{40, 40, 70};
struct Stride {
  int facing = 0, left_lift = 0, right_lift = 0, reach = 0;
};
void Shoes(Bitmap& b, Stride s, int dx = 0, int dy = 0) {
  const double step = s.facing == 0 ? 0 : s.reach * s.facing;
  const struct {
    double x;
    int lift;
  } feet[] = {{60.0 + step, s.left_lift}, {100.0 - step, s.right_lift}};
  for (const auto& foot : feet)
    Ellipse(b, foot.x + 3 * s.facing + dx, 185.0 - foot.lift + dy, s.facing == 0 ? 10 : 13, 6.5,
            kShoe, 1.5);
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
  Shoes(b, {});
  FillShape(b, kMouth,
            [](double x, double y) { return std::abs(x - 80) < 8 && std::abs(y - 110) < 2; });
  return b;
}

// 20 frames of 50 x 20: open seventeen times, then half, closed, half. At
// 150 ms a frame the eyes blink every three seconds, and the timer sleeps
// through the open stretch.
Bitmap EyeStrip() {
  constexpr int kFrames = 20, kOpen = 17;
  const double blink[] = {0.5, 0, 0.5};
  Bitmap strip(kFrames * 50, 20);
  for (int f = 0; f < kFrames; ++f) {
    Bitmap frame(50, 20);
    frame.Fill(kSkin);
    Eyes(frame, 0, 0, f < kOpen ? 1.0 : blink[f - kOpen]);
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

// A strip whose frames are the figure's own pixels around (left, top), each
// with something painted over it. Frame 0 is left as the figure is, so the
// script can put the figure back with it; the strips are drawn opaque.
struct Patch {
  int left, top, width, height;
};

Bitmap PatchStrip(Patch p, const std::vector<std::function<void(Bitmap&)>>& overlays) {
  const Bitmap figure = Figure();
  const int frames = static_cast<int>(overlays.size()) + 1;
  Bitmap strip(frames * p.width, p.height);
  for (int f = 0; f < frames; ++f) {
    Bitmap frame(p.width, p.height);
    tk::CopyPixels(figure, p.left, p.top, frame, 0, 0, p.width, p.height);
    if (f > 0) overlays[static_cast<std::size_t>(f - 1)](frame);
    tk::CopyPixels(frame, 0, 0, strip, f * p.width, 0, p.width, p.height);
  }
  return strip;
}

// The face, from just left of the eyes to just below the mouth.
constexpr Patch kFace{50, 66, 60, 52};

// An eye shut with a smile: an arch, open downwards.
void ArchEye(Bitmap& b, double cx, double cy) {
  FillShape(b, kEye, [=](double x, double y) {
    const double r = std::hypot(x - cx, y - cy - 3);
    return y < cy + 3 && r > 4.6 && r < 7.2;
  });
}

void Smile(Bitmap& b, double cx, double cy, double radius) {
  FillShape(b, kMouth, [=](double x, double y) {
    const double r = std::hypot(x - cx, y - cy);
    return y > cy + 1 && r > radius - 2.6 && r < radius;
  });
}

// Skin over the open eyes and the closed mouth of the figure.
void ClearFace(Bitmap& b) {
  FillShape(b, kSkin, [](double x, double y) { return y > 2 && y < 22 && x > 5 && x < 56; });
  FillShape(b, kSkin,
            [](double x, double y) { return std::abs(x - 30) < 10 && std::abs(y - 44) < 4; });
}

// Frames: the figure's face, delighted (both eyes shut, a wide smile,
// blushing), winking.
Bitmap FaceStrip() {
  const double left_eye = 67 - kFace.left, right_eye = 93 - kFace.left, eye_y = 78 - kFace.top;
  auto blush = [](Bitmap& b) {
    Ellipse(b, 8, 32, 6, 3.5, kBlush, 0);
    Ellipse(b, 52, 32, 6, 3.5, kBlush, 0);
  };
  return PatchStrip(kFace, {[=](Bitmap& b) {
                              ClearFace(b);
                              ArchEye(b, left_eye, eye_y);
                              ArchEye(b, right_eye, eye_y);
                              blush(b);
                              Smile(b, 30, 36, 11);
                            },
                            [=](Bitmap& b) {
                              ClearFace(b);
                              Eyes(b, 55 - kFace.left, 68 - kFace.top, 1.0);
                              // The left one of the open pair shuts.
                              FillShape(b, kSkin, [=](double x, double y) {
                                return std::abs(x - left_eye) < 7.5 && std::abs(y - eye_y) < 9.5;
                              });
                              ArchEye(b, left_eye, eye_y);
                              blush(b);
                              Smile(b, 30, 38, 8);
                            }});
}

// Under the coat, where the shoes step while the character walks.
constexpr Patch kFeet{44, 172, 72, 22};

// Frames: standing, then the two steps of walking toward `facing`.
Bitmap StepStrip(int facing) {
  auto step = [=](Stride stride) {
    return [=](Bitmap& b) {
      // Coat over the standing shoes, inside the figure's outline.
      FillShape(b, kCoat, [](double x, double y) {
        const double u = (x + kFeet.left - 80) / 55, v = (y + kFeet.top - 150) / 45;
        return u * u + v * v <= 1.0;
      });
      Shoes(b, stride, -kFeet.left, -kFeet.top);
    };
  };
  return PatchStrip(kFeet, {step({facing, 4, 0, 3}), step({facing, 0, 4, -3})});
}

// The right side of the coat, where a hand waves.
constexpr Patch kWaveArea{100, 124, 44, 44};

// Frames: the coat without a hand, then a hand rising and swinging.
Bitmap WaveStrip() {
  auto hand = [](double cx, double cy) {
    return [=](Bitmap& b) {
      Ellipse(b, cx, cy, 7, 7.5, kSkin, 2);
      // Three fingers drawn as dark lines across the top of the hand.
      FillShape(b, kOutline, [=](double x, double y) {
        return y < cy - 1 && y > cy - 6 &&
               (std::abs(x - cx + 3) < 0.6 || std::abs(x - cx) < 0.6 || std::abs(x - cx - 3) < 0.6);
      });
    };
  };
  return PatchStrip(kWaveArea, {hand(18, 28), hand(22, 20), hand(27, 22), hand(22, 20)});
}

// The cursor over the head: a heart, black rim, white inside.
constexpr int kPatHotX = 16, kPatHotY = 16;
tk::resgen::Image PatCursor() {
  auto heart = [](double grow) -> tk::resgen::Shape {
    return [=](double x, double y) {
      const double u = x - 16, v = y - 16;
      const bool lobes = std::hypot(u + 6, v + 4) < 7 + grow || std::hypot(u - 6, v + 4) < 7 + grow;
      const bool point = v > -4 - grow && v < 13 + grow && std::abs(u) < (13 + grow - v) * 0.95;
      return lobes || point;
    };
  };
  tk::resgen::Image image(32, 32, tk::resgen::kTransparent);
  tk::resgen::PaintShape(image, heart(0), tk::resgen::kBlack);
  tk::resgen::PaintShape(image, heart(-2), tk::resgen::kWhite);
  return image;
}

// The tray icon: the character's head, ears and all, at `size` pixels.
tk::resgen::Image TrayIcon(int size) {
  const double s = size / 32.0;
  const tk::resgen::Rgba outline{30, 30, 40, 255}, skin{250, 215, 170, 255},
      coat{40, 110, 200, 255}, eye{30, 40, 60, 255}, mouth{200, 60, 70, 255};
  tk::resgen::Image image(size, size, tk::resgen::kTransparent);
  tk::resgen::PaintShape(image, tk::resgen::Ellipse(16 * s, 31 * s, 13 * s, 8 * s), outline);
  tk::resgen::PaintShape(image, tk::resgen::Ellipse(16 * s, 31 * s, 11.5 * s, 6.5 * s), coat);
  for (double ear : {5.0, 27.0}) {
    tk::resgen::PaintShape(image, tk::resgen::Ellipse(ear * s, 7 * s, 4.5 * s, 5.5 * s), outline);
    tk::resgen::PaintShape(image, tk::resgen::Ellipse(ear * s, 7 * s, 3.2 * s, 4.2 * s), skin);
  }
  tk::resgen::PaintShape(image, tk::resgen::Ellipse(16 * s, 15 * s, 14 * s, 12.5 * s), outline);
  tk::resgen::PaintShape(image, tk::resgen::Ellipse(16 * s, 15 * s, 12.6 * s, 11.1 * s), skin);
  for (double x : {11.0, 21.0})
    tk::resgen::PaintShape(image, tk::resgen::Ellipse(x * s, 14 * s, 1.8 * s, 2.6 * s), eye);
  tk::resgen::PaintShape(image, tk::resgen::ArcBand(16 * s, 17 * s, 4 * s, 1.6 * s, 0.4), mouth);
  return image;
}

// The clock's strip: the digits 0 to 9 and a colon, light on a dark plate,
// each glyph 3 x 5 pixels in a 5 x 9 cell.
constexpr int kClockCellWidth = 5, kClockCellHeight = 9;
Bitmap ClockDigitStrip() {
  static constexpr const char* kGlyphs[11][5] = {
      {"###", "#.#", "#.#", "#.#", "###"}, {".#.", "##.", ".#.", ".#.", "###"},
      {"###", "..#", "###", "#..", "###"}, {"###", "..#", "###", "..#", "###"},
      {"#.#", "#.#", "###", "..#", "..#"}, {"###", "#..", "###", "..#", "###"},
      {"###", "#..", "###", "#.#", "###"}, {"###", "..#", ".#.", ".#.", ".#."},
      {"###", "#.#", "###", "#.#", "###"}, {"###", "#.#", "###", "..#", "###"},
      {"...", ".#.", "...", ".#.", "..."},
  };
  Bitmap strip(11 * kClockCellWidth, kClockCellHeight);
  strip.Fill(kOutline);
  for (int cell = 0; cell < 11; ++cell)
    for (int row = 0; row < 5; ++row)
      for (int col = 0; col < 3; ++col)
        if (kGlyphs[cell][row][col] == '#')
          strip.Set(cell * kClockCellWidth + 1 + col, 2 + row, kWhite);
  return strip;
}

// The about box's background: a pale sky with the character peeking in at
// the bottom corners, on either side of the button. The box's text is
// drawn over the middle.
Bitmap AboutPicture() {
  Bitmap b(240, 140);
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x) {
      const double t = y / 139.0;
      b.Set(x, y,
            Bgr{static_cast<std::uint8_t>(250 - 10 * t), static_cast<std::uint8_t>(245 - 25 * t),
                static_cast<std::uint8_t>(235 - 55 * t)});
    }
  for (const double cx : {28.0, 212.0}) {
    Ellipse(b, cx, 150, 24, 26, kSkin, 2);
    for (const double ex : {cx - 8, cx + 8}) Ellipse(b, ex, 140, 2.5, 3.5, kEye, 0);
  }
  return b;
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

// The greeting's sound: three rising sine notes, a major chord's C, E and
// G, each with a quick attack, a soft decay and a little of its octave, as
// 16-bit mono samples in a RIFF wave file. It lasts 1.3 s, long enough for
// the mouth (a frame every 400 ms) to open once and close again.
std::string GreetingWave() {
  constexpr int kRate = 22050;
  constexpr double kPi = 3.14159265358979323846;
  struct Note {
    double hertz, seconds;
  };
  std::vector<std::int16_t> samples;
  for (const Note note : {Note{523.25, 0.3}, Note{659.25, 0.3}, Note{783.99, 0.7}}) {
    const int count = static_cast<int>(note.seconds * kRate);
    for (int i = 0; i < count; ++i) {
      const double t = static_cast<double>(i) / kRate;
      const double envelope = std::min(1.0, t / 0.01) * std::exp(-t * 6);
      const double wave =
          std::sin(2 * kPi * note.hertz * t) + 0.25 * std::sin(4 * kPi * note.hertz * t);
      samples.push_back(static_cast<std::int16_t>(9000 * envelope * wave));
    }
  }
  std::string out;
  auto put = [&out](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
  };
  const auto data_bytes = static_cast<std::uint32_t>(samples.size() * 2);
  out += "RIFF";
  put(36 + data_bytes, 4);
  out += "WAVEfmt ";
  put(16, 4);
  put(1, 2);  // PCM
  put(1, 2);  // mono
  put(kRate, 4);
  put(kRate * 2, 4);  // bytes a second
  put(2, 2);          // bytes a sample
  put(16, 2);         // bits a sample
  out += "data";
  put(data_bytes, 4);
  for (const std::int16_t sample : samples) put(static_cast<std::uint16_t>(sample), 2);
  return out;
}

bool Write(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

bool Write(const std::string& path, const tk::resgen::Bytes& bytes) {
  return Write(path, std::string(bytes.begin(), bytes.end()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tksampleart OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string dir = std::string(argv[1]) + "/";
  const bool ok =
      Write(dir + "body.bmp", tk::EncodeBmp24(Figure())) &&
      Write(dir + "balloon.bmp", tk::EncodeBmp24(Balloon())) &&
      Write(dir + "eyes.sgd", tk::EncodeSgd24(EyeStrip(), true)) &&
      Write(dir + "mouth.sgd", tk::EncodeSgd24(MouthStrip(), true)) &&
      Write(dir + "face.sgd", tk::EncodeSgd24(FaceStrip(), true)) &&
      Write(dir + "wave.sgd", tk::EncodeSgd24(WaveStrip(), true)) &&
      Write(dir + "walkleft.sgd", tk::EncodeSgd24(StepStrip(-1), true)) &&
      Write(dir + "walkfront.sgd", tk::EncodeSgd24(StepStrip(0), true)) &&
      Write(dir + "walkright.sgd", tk::EncodeSgd24(StepStrip(1), true)) &&
      Write(dir + "about.bmp", tk::EncodeBmp24(AboutPicture())) &&
      Write(dir + "clock.bmp", tk::EncodeBmp24(ClockDigitStrip())) &&
      Write(dir + "sample.ico", tk::resgen::EncodeIconFile({TrayIcon(32), TrayIcon(16)})) &&
      Write(dir + "pat.cur", tk::resgen::EncodeCursorFile(PatCursor(), kPatHotX, kPatHotY)) &&
      Write(dir + "hello.wav", GreetingWave());
  if (!ok) std::fprintf(stderr, "tksampleart: cannot write into %s\n", argv[1]);
  return ok ? 0 : 1;
}
