#include "imagery/layer.h"

namespace tk {

void PictureLayer::Draw(Bitmap& target, const Rect& clip) const {
  CopyPixels(picture_, clip.left, clip.top, target, clip.left, clip.top, clip.Width(),
             clip.Height());
}

void ComposeLayers(std::span<const Layer* const> layers, Bitmap& target, const Rect& area) {
  const Rect inside = Intersect(area, target.Bounds());
  for (const Layer* layer : layers) {
    const Rect clip = Intersect(layer->Bounds(), inside);
    if (!IsEmpty(clip)) layer->Draw(target, clip);
  }
}

}  // namespace tk
