#include "imagery/child_image_form.h"

#include "app/main_form.h"
#include "imagery/character_image.h"
#include "motion/mover.h"

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
  PlaceChildImage(owner_);  // sized to the picture
  owner_.platform.SetWindowRegion(window, region);
  if (IsPaletteDisplay(owner_)) owner_.platform.RealizePalette(window, display_bitmap.palette);
  Present(display_bitmap.Bounds());
  owner_.platform.ShowWindow(window, true);
}

void TChildImageForm::Present(const Rect& area) {
  const Rect r = Intersect(area, display_bitmap.Bounds());
  if (!IsEmpty(r)) owner_.platform.PresentBitmap(window, display_bitmap, r);
}

void TChildImageForm::OnEraseBackground() {
  if (IsPaletteDisplay(owner_)) owner_.platform.RealizePalette(window, display_bitmap.palette);
  Present(display_bitmap.Bounds());
}

void TChildImageForm::OnPaletteChanged() {
  if (IsPaletteDisplay(owner_)) owner_.platform.InvalidateWindow(window);
}

// A press on the balloon keeps both windows in the topmost band when the
// character is meant to stay on top.
void TChildImageForm::FormMouseDown(MouseButton button, int x, int y) {
  if (owner_.PopupMenu1.PmWinMost.checked) {
    owner_.platform.SetTopmost(window, true);
    owner_.platform.SetTopmost(owner_.window, true);
  }
  // A drag from the balloon moves the character; the grab point is in the
  // balloon's own coordinates, which move along with it.
  if (owner_.PopupMenu1.PmMove.checked) owner_.FormMouseDown(button, x, y);
}

void TChildImageForm::OnMouseMove(int x, int y) {
  if (owner_.PopupMenu1.PmMove.checked) owner_.FormMouseMove(x, y);
}

void TChildImageForm::OnMouseUp(MouseButton button, int x, int y) {
  if (owner_.PopupMenu1.PmMove.checked && button == MouseButton::kLeft) {
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
  if (form.PopupMenu1.PmWinMost.checked) {
    form.platform.SetTopmost(form.child_image->window, true);
    form.platform.SetTopmost(form.window, true);
  }
}

void CloseChildImage(TMainForm& form) {
  if (!form.child_image) return;
  form.child_image->FormClose();
  form.child_image.reset();
}

}  // namespace tk
