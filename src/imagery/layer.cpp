#include "imagery/layer.h"

namespace tk {

void Layer::DrawScaled(Bitmap& target, const Rect& clip, int factor) const {
  if (!IsSaneImageSize(clip.right, clip.bottom)) return;
  Bitmap small(clip.right, clip.bottom);
  for (int y = clip.top; y < clip.bottom; ++y)
    for (int x = clip.left; x < clip.right; ++x) small.Set(x, y, target.At(x * factor, y * factor));
  const Bitmap before = small;
  Draw(small, clip);
  for (int y = clip.top; y < clip.bottom; ++y) {
    for (int x = clip.left; x < clip.right; ++x) {
      if (small.At(x, y) != before.At(x, y))
        EnlargePixels(small, nullptr, x, y, target, x, y, 1, 1, factor);
    }
  }
}

void PictureLayer::Draw(Bitmap& target, const Rect& clip) const {
  CopyPixels(picture_, clip.left, clip.top, target, clip.left, clip.top, clip.Width(),
             clip.Height());
}

void PictureLayer::DrawScaled(Bitmap& target, const Rect& clip, int factor) const {
  EnlargePixels(picture_, nullptr, clip.left, clip.top, target, clip.left, clip.top, clip.Width(),
                clip.Height(), factor);
}

void ComposeLayers(std::span<const Layer* const> layers, Bitmap& target, const Rect& area,
                   int factor) {
  if (factor < 1) return;
  const Rect picture_bounds{0, 0, target.width() / factor, target.height() / factor};
  const Rect inside = Intersect(area, picture_bounds);
  for (const Layer* layer : layers) {
    const Rect clip = Intersect(layer->Bounds(), inside);
    if (IsEmpty(clip)) continue;
    if (factor == 1) {
      layer->Draw(target, clip);
    } else {
      layer->DrawScaled(target, clip, factor);
    }
  }
}

}  // namespace tk
