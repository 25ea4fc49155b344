#include "imagery/character_image.h"

#include <algorithm>
#include <span>
#include <vector>

#include "base/messages.h"
#include "form/main_form.h"
#include "form/mover.h"
#include "imagery/animation.h"
#include "imagery/image_file.h"
#include "imagery/image_region.h"
#include "imagery/layer.h"

namespace tk {

const ImageEntry* CharacterImages::Find(const std::string& name) const {
  for (const ImageEntry& entry : entries) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

bool IsPaletteDisplay(const TMainForm& form) {
  return form.shell.screen_color_depth <= 8;
}

bool LoadCharacterImage(TMainForm& form, const std::string& file, const std::string& name) {
  Bitmap picture;
  if (!LoadImageFile(form.platform, picture, file)) {
    form.ShowError(msg::kImageFileUnopenable, file);
    return false;
  }
  ImageEntry entry;
  entry.name = name;
  entry.region = BuildImageRegion(picture);
  entry.bitmap = std::move(picture);
  form.images.entries.push_back(std::move(entry));
  return true;
}

void DeleteCharacterImages(TMainForm& form, const std::string& name) {
  auto& entries = form.images.entries;
  if (name.empty()) {
    entries.clear();
    return;
  }
  std::erase_if(entries, [&](const ImageEntry& e) { return e.name == name; });
}

namespace {

// Bottom first: the picture, then the animation list in its order.
std::vector<const Layer*> MainLayers(const TMainForm& form, const Layer& picture) {
  std::vector<const Layer*> layers;
  layers.reserve(form.animations.list.size() + 1);
  layers.push_back(&picture);
  for (const auto& animation : form.animations.list) layers.push_back(animation.get());
  return layers;
}

}  // namespace

// The back buffer is composed whole before the window changes; the region's
// repaint is what puts it on the screen, once.
void ShowCharacterImage(TMainForm& form, const std::string& name) {
  const ImageEntry* entry = form.images.Find(name);
  if (entry == nullptr) return;
  if (form.shell.centre_on_first_image) {
    form.shell.centre_on_first_image = false;
    CentreCharacter(form, entry->bitmap.width(), entry->bitmap.height());
  }
  Bitmap& back = form.images.back_buffer;
  back = entry->bitmap;  // size, pixels and palette
  const PictureLayer picture(entry->bitmap);
  const auto layers = MainLayers(form, picture);
  ComposeLayers(std::span(layers).subspan(1), back, back.Bounds());  // the picture is there
  ResizeCharacter(form, back.width(), back.height());
  form.platform.SetWindowRegion(form.window, entry->region);
  if (IsPaletteDisplay(form)) form.platform.RealizePalette(form.window, back.palette);
  form.images.current_name = entry->name;
}

void RedrawArea(TMainForm& form, const Rect& area) {
  Bitmap& back = form.images.back_buffer;
  const Rect r = Intersect(area, back.Bounds());
  if (IsEmpty(r)) return;
  const ImageEntry* current = form.images.Find(form.images.current_name);
  if (current == nullptr) {
    // The shown picture was deleted: what is left to show there is black.
    Bitmap blank(r.Width(), r.Height());
    CopyPixels(blank, 0, 0, back, r.left, r.top, r.Width(), r.Height());
    return;
  }
  const PictureLayer picture(current->bitmap);
  ComposeLayers(MainLayers(form, picture), back, r);
}

void PresentArea(TMainForm& form, const Rect& area) {
  const Rect r = Intersect(area, form.images.back_buffer.Bounds());
  if (!IsEmpty(r)) form.platform.PresentBitmap(form.window, form.images.back_buffer, r);
}

}  // namespace tk
