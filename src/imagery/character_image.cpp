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

// The main window's factor on a scaled display; 1 otherwise.
int MainFactor(const TMainForm& form) {
  return std::clamp(form.platform.WindowScale(form.window), 1, kMaxDisplayFactor);
}

// `area` of the device back buffer from the layers, as the back buffer's;
// black where no picture is shown.
void ComposeDevice(TMainForm& form, const Rect& area, int factor) {
  const ImageEntry* current = form.images.Find(form.images.current_name);
  Bitmap& device = form.images.device_back;
  if (current == nullptr) {
    const Bitmap& back = form.images.back_buffer;
    EnlargePixels(back, nullptr, area.left, area.top, device, area.left, area.top, area.Width(),
                  area.Height(), factor);
    return;
  }
  const PictureLayer picture(current->bitmap);
  ComposeLayers(MainLayers(form, picture), device, area, factor);
}

// The device back buffer at the window's factor. One of a new size starts as
// the back buffer enlarged, with the finer text images drawn again over it.
int FitDeviceBack(TMainForm& form) {
  const Bitmap& back = form.images.back_buffer;
  Bitmap& device = form.images.device_back;
  const int factor = MainFactor(form);
  const std::int64_t w = std::int64_t{back.width()} * factor,
                     h = std::int64_t{back.height()} * factor;
  if (factor == 1 || !IsSaneImageSize(w, h)) {
    device = Bitmap();
    return 1;
  }
  if (device.width() == w && device.height() == h) return factor;
  device.Reset(static_cast<int>(w), static_cast<int>(h));
  EnlargePixels(back, nullptr, 0, 0, device, 0, 0, back.width(), back.height(), factor);
  for (const auto& animation : form.animations.list) {
    if (animation->running && animation->fine_factor == factor) {
      ComposeDevice(form, Intersect(animation->Bounds(), back.Bounds()), factor);
    }
  }
  return factor;
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
  // The back buffer now is the layers composed, so its enlargement with the
  // finer text images drawn again is the whole device back buffer.
  form.images.device_back = Bitmap();
  form.images.current_name = entry->name;
  ResizeCharacter(form, back.width(), back.height());
  FitDeviceBack(form);
  form.platform.SetWindowRegion(form.window, entry->region);
  if (IsPaletteDisplay(form)) form.platform.RealizePalette(form.window, back.palette);
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
  } else {
    const PictureLayer picture(current->bitmap);
    ComposeLayers(MainLayers(form, picture), back, r);
  }
  if (const int factor = FitDeviceBack(form); factor > 1) ComposeDevice(form, r, factor);
}

void PresentArea(TMainForm& form, const Rect& area) {
  const Rect r = Intersect(area, form.images.back_buffer.Bounds());
  if (IsEmpty(r)) return;
  if (const int factor = FitDeviceBack(form); factor > 1) {
    form.platform.PresentScaledBitmap(form.window, form.images.device_back, Scaled(r, factor));
  } else {
    form.platform.PresentBitmap(form.window, form.images.back_buffer, r);
  }
}

void DrawOntoDeviceBack(TMainForm& form, const Animation& animation, const Rect& clip) {
  if (const int factor = FitDeviceBack(form); factor > 1) {
    DrawCurrentFrame(animation, form.images.device_back, clip, factor);
  }
}

}  // namespace tk
