#include <memory>

#include "app/main_form.h"
#include "imagery/animation.h"
#include "imagery/character_image.h"
#include "imagery/image_region.h"
#include "imagery/number_images.h"
#include "motion/mover.h"

namespace tk {

namespace {

// Its frame count stays 0 and its timer never runs: nothing steps a still
// picture, and ACE on any frame hides it.
Animation& AppendStillAnimation(TMainForm& form, const std::string& name, const Bitmap& picture,
                                int left, int top) {
  auto a = std::make_unique<Animation>();
  a->name = name;
  a->frame_width = picture.width();
  a->frame_height = picture.height();
  const Rect at = PlaceRect(left, top, a->frame_width, a->frame_height);
  a->left = at.left;
  a->top = at.top;
  if (form.animations.transparency) {
    Bitmap mask;
    MakeFrameMask(picture, mask);
    a->masks.push_back(std::move(mask));
  }
  a->frames.push_back(picture);
  a->running = true;
  a->current_frame = 0;
  form.animations.list.push_back(std::move(a));
  return *form.animations.list.back();
}

}  // namespace

void ReplaceImageAnimation(TMainForm& form, const std::string& name, const Bitmap& picture, int x,
                           int y) {
  DeleteAnimations(form, name);
  if (picture.empty()) return;
  RedrawAnimation(form, AppendStillAnimation(form, name, picture, x, y));
}

}  // namespace tk
