#include "imagery/character_image.h"

#include <algorithm>

#include "app/main_form.h"
#include "app/messages.h"
#include "imagery/animation.h"
#include "imagery/image_file.h"
#include "imagery/image_region.h"
#include "motion/mover.h"
#include "script/text.h"

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
    form.ShowError(msg::kImageFileUnopenable);
    return false;
  }
  ImageEntry entry;
  entry.name = BoundedText::Cut(name, kImageNameCapacity);
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

void CentreOnScreen(TMainForm& form, const Bitmap& picture) {
  MoveCharacterTo(form, (std::int64_t{form.platform.ScreenWidth()} - picture.width()) / 2,
                  (std::int64_t{form.platform.ScreenHeight()} - picture.height()) / 2);
}

}  // namespace

void ShowCharacterImage(TMainForm& form, const std::string& name) {
  const ImageEntry* entry = form.images.Find(BoundedText::Cut(name, kImageNameCapacity));
  if (entry == nullptr) return;
  if (form.shell.centre_on_first_image) {
    form.shell.centre_on_first_image = false;
    CentreOnScreen(form, entry->bitmap);
  }
  Bitmap& back = form.images.back_buffer;
  back = entry->bitmap;  // size, pixels and palette
  ResizeCharacter(form, entry->bitmap.width(), entry->bitmap.height());
  form.platform.SetWindowRegion(form.window, entry->region);
  if (IsPaletteDisplay(form)) form.platform.RealizePalette(form.window, back.palette);
  form.images.current_name = entry->name;
  for (const auto& animation : form.animations.list) RedrawArea(form, animation->Bounds());
  PresentArea(form, back.Bounds());
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
  CopyPixels(current->bitmap, r.left, r.top, back, r.left, r.top, r.Width(), r.Height());
  for (const auto& animation : form.animations.list) {
    if (!animation->running || IsEmpty(Intersect(animation->Bounds(), r))) continue;
    DrawCurrentFrame(*animation, back, r);
  }
}

void PresentArea(TMainForm& form, const Rect& area) {
  const Rect r = Intersect(area, form.images.back_buffer.Bounds());
  if (!IsEmpty(r)) form.platform.PresentBitmap(form.window, form.images.back_buffer, r);
}

}  // namespace tk
