// A window's picture is composed from layers, bottom first: the character
// picture, then the animations (the clock, counter, date and text images are
// animations of one frame, in the same list); in the balloon, its picture,
// the speech text, the choice highlight and the prompt mark. A feature that
// shows something over the picture adds a layer; composing stays the same,
// and no window keeps pixels read back from what it showed.
#pragma once

#include <span>

#include "base/bitmap.h"

namespace tk {

class Layer {
 public:
  virtual ~Layer() = default;
  // The rectangle it may draw on, in the window's client pixels.
  virtual Rect Bounds() const = 0;
  // Draws what it shows now into `target`, changing no pixel outside
  // `clip`, which lies within Bounds().
  virtual void Draw(Bitmap& target, const Rect& clip) const = 0;
  // The same onto a target `factor` times larger than the window's picture
  // (a scaled display); `clip` stays in picture pixels. By default the layer
  // draws at picture size and the pixels it changed grow into blocks; a
  // layer with finer detail (text) draws its own.
  virtual void DrawScaled(Bitmap& target, const Rect& clip, int factor) const;
};

// A picture drawn whole at the client origin, opaque.
class PictureLayer : public Layer {
 public:
  explicit PictureLayer(const Bitmap& picture) : picture_(picture) {}
  Rect Bounds() const override { return picture_.Bounds(); }
  void Draw(Bitmap& target, const Rect& clip) const override;
  void DrawScaled(Bitmap& target, const Rect& clip, int factor) const override;

 private:
  const Bitmap& picture_;
};

// Draws the layers that meet `area` into it, in order, each clipped to it;
// the rest of `target` is left alone. With a `factor` above 1 the target is
// that many times the picture's size and `area` is in picture pixels.
void ComposeLayers(std::span<const Layer* const> layers, Bitmap& target, const Rect& area,
                   int factor = 1);

}  // namespace tk
