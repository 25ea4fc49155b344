#include "imagery/child_image_form.h"

#include <algorithm>
#include <cstdint>

#include "form/main_form.h"
#include "form/mover.h"
#include "imagery/character_image.h"
#include "imagery/prompt_state.h"
#include "imagery/speech.h"
#include "imagery/speech_choices.h"
#include "imagery/speech_prompt.h"
#include "imagery/speech_render.h"
#include "imagery/speech_state.h"

namespace tk {

TChildImageForm::TChildImageForm(TMainForm& owner) : owner_(owner) {}

TChildImageForm::~TChildImageForm() {
  FormClose();
}

void TChildImageForm::FormCreate() {
  window = owner_.platform.CreateWindow(WindowKind::kChild, this);
  display_bitmap = Bitmap();
  clean_bitmap = Bitmap();
}

void TChildImageForm::FormClose() {
  if (window == kNoWindow) return;
  owner_.platform.DestroyWindow(window);
  window = kNoWindow;
}

void TChildImageForm::ShowPicture(const Bitmap& picture, const Region& region, int x, int y) {
  offset_x = x;
  offset_y = y;
  display_bitmap = picture;
  clean_bitmap = picture;
  device_bitmap = Bitmap();
  PlaceChildImage(owner_);  // sized to the picture
  owner_.platform.SetWindowRegion(window, region);
  if (IsPaletteDisplay(owner_)) owner_.platform.RealizePalette(window, display_bitmap.palette);
  FitDeviceBitmap();
  Present(display_bitmap.Bounds());
  ShowChildWindow(owner_);
}

void TChildImageForm::Present(const Rect& area) {
  PresentAt(area, FitDeviceBitmap());
}

void TChildImageForm::PresentAt(const Rect& area, int factor) {
  const Rect r = Intersect(area, display_bitmap.Bounds());
  if (IsEmpty(r)) return;
  if (factor > 1) {
    owner_.platform.PresentScaledBitmap(window, device_bitmap, Scaled(r, factor));
  } else {
    owner_.platform.PresentBitmap(window, display_bitmap, r);
  }
}

void TChildImageForm::ComposeDevice(const Rect& area, int factor) {
  const PictureLayer picture(clean_bitmap);
  const TextLayer text(owner_.speech);
  const HighlightLayer highlight(owner_.speech.highlight);
  const PromptLayer prompt(owner_.prompt);
  const Layer* layers[] = {&picture, &text, &highlight, &prompt};
  ComposeLayers(layers, factor == 1 ? display_bitmap : device_bitmap, area, factor);
}

int TChildImageForm::FitDeviceBitmap() {
  const int factor = DrawingFactor(owner_.platform, window);
  const std::int64_t w = std::int64_t{display_bitmap.width()} * factor,
                     h = std::int64_t{display_bitmap.height()} * factor;
  if (factor == 1 || !IsSaneImageSize(w, h)) {
    device_bitmap = Bitmap();
    return 1;
  }
  if (device_bitmap.width() != w || device_bitmap.height() != h) {
    device_bitmap.Reset(static_cast<int>(w), static_cast<int>(h));
    EnlargePixels(display_bitmap, nullptr, 0, 0, device_bitmap, 0, 0, display_bitmap.width(),
                  display_bitmap.height(), factor);
  }
  return factor;
}

void TChildImageForm::Recompose(const Rect& area) {
  FitTextLayer(owner_);
  ComposeDevice(area, 1);
  const int factor = FitDeviceBitmap();
  if (factor > 1) ComposeDevice(area, factor);
  PresentAt(area, factor);
}

// A repaint composes the whole picture again, so whatever happened to the
// display bitmap or the screen since, the window shows what its layers say.
void TChildImageForm::OnEraseBackground() {
  if (IsPaletteDisplay(owner_)) owner_.platform.RealizePalette(window, display_bitmap.palette);
  Recompose(display_bitmap.Bounds());
}

void TChildImageForm::OnPaletteChanged() {
  if (IsPaletteDisplay(owner_)) owner_.platform.InvalidateWindow(window);
}

void TChildImageForm::KeepOnTop() {
  if (owner_.shell.modes.topmost) SetCharacterTopmost(owner_, true);
}

// In move mode a press starts a drag of the character (the grab point is in
// the balloon's own coordinates, which move along with it). Otherwise it
// answers the speech: a shown prompt ends its wait on any button; a left
// press picks a waiting choice or hurries the typing.
void TChildImageForm::FormMouseDown(MouseButton button, int x, int y) {
  KeepOnTop();
  if (owner_.shell.modes.move) {
    owner_.FormMouseDown(button, x, y);
    return;
  }
  if (!owner_.CanStartAction(ActionTrigger::kChildWindow)) return;
  if (EndClickWait(owner_)) return;
  if (button != MouseButton::kLeft) return;
  if (owner_.speech.choice_waiting && !owner_.speech.showing) {
    ChoiceClick(owner_, x, y);
  } else if (owner_.speech.showing) {
    owner_.speech.fast_forward = true;
  }
}

void TChildImageForm::OnMouseMove(int x, int y) {
  if (owner_.shell.modes.move) {
    owner_.FormMouseMove(x, y);
    return;
  }
  if (owner_.speech.choice_waiting && owner_.CanStartAction(ActionTrigger::kChoiceHover)) {
    ChoiceHover(owner_, x, y);
  }
}

void TChildImageForm::OnMouseUp(MouseButton button, int x, int y) {
  if (owner_.shell.modes.move && button == MouseButton::kLeft) {
    owner_.FormMouseUp(button, x, y);
  }
  if (button == MouseButton::kRight) owner_.OpenPopupMenu();
}

void ShowChildImage(TMainForm& form, const std::string& name, int x, int y) {
  const ImageEntry* entry = form.images.Find(name);
  if (entry == nullptr) return;
  if (!form.child_image) {
    form.child_image = std::make_unique<TChildImageForm>(form);
    form.child_image->FormCreate();
  }
  form.child_image->ShowPicture(entry->bitmap, entry->region, x, y);
  ClearTextArea(form);
  if (form.shell.modes.topmost) SetCharacterTopmost(form, true);
}

void CloseChildImage(TMainForm& form) {
  if (form.child_image) {
    ClearTextArea(form);
    form.child_image->FormClose();
    form.child_image.reset();
  }
  form.speech.cursor = {form.speech.area.left, form.speech.area.top};
}

}  // namespace tk
