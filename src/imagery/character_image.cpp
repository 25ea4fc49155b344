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
    form.ShowError(msg::kImageFileUnopenable, file);
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

// Bottom first: the picture, then the animation list in its order; kept in
// `layers`, which keeps its room from one redraw to the next.
std::span<const Layer* const> MainLayers(const TMainForm& form, const Layer& picture,
                                         std::vector<const Layer*>& layers) {
  layers.clear();
  layers.push_back(&picture);
  for (const auto& animation : form.animations.list) layers.push_back(animation.get());
  return layers;
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
  ComposeLayers(MainLayers(form, picture, form.images.layers), device, area, factor);
}

// The device back buffer at the window's factor. One of a new size starts as
// the back buffer enlarged, with the finer text images drawn again over it.
int FitDeviceBack(TMainForm& form) {
  const Bitmap& back = form.images.back_buffer;
  Bitmap& device = form.images.device_back;
  const int factor = DrawingFactor(form.platform, form.window);
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
  const auto layers = MainLayers(form, picture, form.images.layers);
  ComposeLayers(layers.subspan(1), back, back.Bounds());  // the picture is there
  // The back buffer now is the layers composed, so its enlargement with the
  // finer text images drawn again is the whole device back buffer.
  form.images.device_back = Bitmap();
  form.images.current_name = entry->name;
  ResizeCharacter(form, back.width(), back.height());
  FitDeviceBack(form);
  form.platform.SetWindowRegion(form.window, entry->region);
  if (IsPaletteDisplay(form)) form.platform.RealizePalette(form.window, back.palette);
}

namespace {

// Draws what `area` (inside the back buffer) shows into `target`, a picture
// of the back buffer's size.
void ComposeInto(TMainForm& form, Bitmap& target, const Rect& area) {
  const ImageEntry* current = form.images.Find(form.images.current_name);
  if (current == nullptr) {
    // The shown picture was deleted: what is left to show there is black.
    for (int y = area.top; y < area.bottom; ++y) {
      std::memset(target.Row(y) + static_cast<std::size_t>(area.left) * 3, 0,
                  static_cast<std::size_t>(area.Width()) * 3);
    }
    return;
  }
  // A picture loaded again under the shown name may be smaller than the
  // back buffer: what it does not cover keeps what the back buffer has.
  if (Intersect(area, current->bitmap.Bounds()) != area) {
    CopyPixels(form.images.back_buffer, area.left, area.top, target, area.left, area.top,
               area.Width(), area.Height());
  }
  const PictureLayer picture(current->bitmap);
  ComposeLayers(MainLayers(form, picture, form.images.layers), target, area);
}

// Bytes [first, last) of a row that differ between `a` and `b`; equal rows
// give first == last. With `whole`, any difference is the whole row.
std::pair<std::size_t, std::size_t> Differing(const std::uint8_t* a, const std::uint8_t* b,
                                              std::size_t length, bool whole) {
  if (std::memcmp(a, b, length) == 0) return {0, 0};
  if (whole) return {0, length};
  constexpr std::size_t kWord = sizeof(std::uint64_t);
  const auto word = [](const std::uint8_t* p) {
    std::uint64_t w;
    std::memcpy(&w, p, kWord);
    return w;
  };
  std::size_t first = 0, last = length;
  while (first + kWord <= length && word(a + first) == word(b + first)) first += kWord;
  while (a[first] == b[first]) ++first;
  while (last >= kWord && word(a + last - kWord) == word(b + last - kWord)) last -= kWord;
  while (a[last - 1] == b[last - 1]) --last;
  return {first, last};
}

// Composes `area` into the scratch picture and returns the smallest
// rectangle around its pixels that differ from the back buffer's; with
// `apply`, those rows are copied into the back buffer.
Rect ComposeAndCompare(TMainForm& form, const Rect& area, bool apply) {
  CharacterImages& images = form.images;
  Bitmap& back = images.back_buffer;
  const Rect r = Intersect(area, back.Bounds());
  if (IsEmpty(r)) return {};
  Bitmap& scratch = images.scratch;
  if (scratch.width() != back.width() || scratch.height() != back.height()) {
    scratch.Reset(back.width(), back.height());
  }
  ComposeInto(form, scratch, r);
  Rect changed{r.right, r.bottom, r.left, r.top};
  const auto offset = static_cast<std::size_t>(r.left) * 3;
  const auto length = static_cast<std::size_t>(r.Width()) * 3;
  for (int y = r.top; y < r.bottom; ++y) {
    std::uint8_t* to = back.Row(y) + offset;
    const std::uint8_t* from = scratch.Row(y) + offset;
    // Once the change spans the whole width, only whether a row changed
    // is left to find.
    const bool spans = changed.left == r.left && changed.right == r.right;
    const auto [first, last] = Differing(to, from, length, spans);
    if (first == last) continue;
    changed.left = std::min(changed.left, r.left + static_cast<int>(first / 3));
    changed.right = std::max(changed.right, r.left + static_cast<int>((last + 2) / 3));
    changed.top = std::min(changed.top, y);
    changed.bottom = y + 1;
    if (apply) std::memcpy(to + first, from + first, last - first);
  }
  return IsEmpty(changed) ? Rect{} : changed;
}

}  // namespace

namespace {

// A text image's finer frame can change where its picture-size one does not.
bool FineImageWithin(const TMainForm& form, const Rect& area, int factor) {
  return std::ranges::any_of(form.animations.list, [&](const auto& animation) {
    return animation->running && animation->fine_factor == factor &&
           !IsEmpty(Intersect(animation->Bounds(), area));
  });
}

}  // namespace

// On a scaled display the device back buffer follows: the same layers over
// what changed, at the window's factor.
Rect RecomposeArea(TMainForm& form, const Rect& area) {
  Rect changed = ComposeAndCompare(form, area, true);
  const int factor = FitDeviceBack(form);
  if (factor == 1) return changed;
  if (FineImageWithin(form, area, factor)) {
    changed = Intersect(area, form.images.back_buffer.Bounds());
  }
  if (!IsEmpty(changed)) ComposeDevice(form, changed, factor);
  return changed;
}

bool RecomposingWouldChange(TMainForm& form, const Rect& area) {
  return !IsEmpty(ComposeAndCompare(form, area, false));
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
