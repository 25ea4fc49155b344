#include "imagery/character_image.h"

#include <algorithm>
#include <cstring>
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

namespace {

// The picture below the animations is found by the shown name at every
// redraw: deleting it leaves black there, and loading that name again brings
// it back, with nothing redrawn at once.
void NoteShownPictureChange(TMainForm& form, bool shown_before) {
  const bool shown = form.images.Find(form.images.current_name) != nullptr;
  if (shown != shown_before) WakeAnimationsOver(form, form.images.back_buffer.Bounds());
}

}  // namespace

bool LoadCharacterImage(TMainForm& form, const std::string& file, const std::string& name) {
  Bitmap picture;
  if (!LoadImageFile(form.platform, picture, file)) {
    form.ShowError(msg::kImageFileUnopenable);
    return false;
  }
  ImageEntry entry;
  entry.name = name;
  entry.region = BuildImageRegion(picture);
  entry.bitmap = std::move(picture);
  const bool shown_before = form.images.Find(form.images.current_name) != nullptr;
  form.images.entries.push_back(std::move(entry));
  NoteShownPictureChange(form, shown_before);
  return true;
}

void DeleteCharacterImages(TMainForm& form, const std::string& name) {
  auto& entries = form.images.entries;
  const bool shown_before = form.images.Find(form.images.current_name) != nullptr;
  if (name.empty()) {
    entries.clear();
  } else {
    std::erase_if(entries, [&](const ImageEntry& e) { return e.name == name; });
  }
  NoteShownPictureChange(form, shown_before);
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

namespace {

// The smallest rectangle around the pixels of `area` in `now` that differ
// from `before`, which holds that area as it was, from its corner.
Rect ChangedWithin(const Bitmap& before, const Bitmap& now, const Rect& area) {
  Rect changed{area.right, area.bottom, area.left, area.top};
  const auto row_bytes = static_cast<std::size_t>(area.Width()) * 3;
  for (int y = area.top; y < area.bottom; ++y) {
    const std::uint8_t* old_row = before.Row(y - area.top);
    const std::uint8_t* new_row = now.Row(y) + static_cast<std::size_t>(area.left) * 3;
    if (std::memcmp(old_row, new_row, row_bytes) == 0) continue;
    std::size_t first = 0, last = row_bytes;
    while (old_row[first] == new_row[first]) ++first;
    while (old_row[last - 1] == new_row[last - 1]) --last;
    changed.left = std::min(changed.left, area.left + static_cast<int>(first / 3));
    changed.right = std::max(changed.right, area.left + static_cast<int>((last + 2) / 3));
    changed.top = std::min(changed.top, y);
    changed.bottom = y + 1;
  }
  return IsEmpty(changed) ? Rect{} : changed;
}

// Recomposes the part of `area` inside the back buffer, keeping what it held
// in `before`.
Rect Recompose(TMainForm& form, const Rect& area, Bitmap& before) {
  const Bitmap& back = form.images.back_buffer;
  const Rect r = Intersect(area, back.Bounds());
  if (IsEmpty(r)) return {};
  before.Reset(r.Width(), r.Height());
  CopyPixels(back, r.left, r.top, before, 0, 0, r.Width(), r.Height());
  RedrawArea(form, r);
  return ChangedWithin(before, back, r);
}

}  // namespace

Rect RecomposeArea(TMainForm& form, const Rect& area) {
  Bitmap before;
  return Recompose(form, area, before);
}

bool RecomposingWouldChange(TMainForm& form, const Rect& area) {
  Bitmap before;
  const Rect changed = Recompose(form, area, before);
  if (IsEmpty(changed)) return false;
  const Rect r = Intersect(area, form.images.back_buffer.Bounds());
  CopyPixels(before, 0, 0, form.images.back_buffer, r.left, r.top, r.Width(), r.Height());
  return true;
}

void PresentArea(TMainForm& form, const Rect& area) {
  const Rect r = Intersect(area, form.images.back_buffer.Bounds());
  if (!IsEmpty(r)) form.platform.PresentBitmap(form.window, form.images.back_buffer, r);
}

}  // namespace tk
