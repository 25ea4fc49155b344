// TChildImageForm: the second shaped window, showing one picture of the
// image list at an offset from the main window (the speech balloon).
#pragma once

#include <string>

#include "base/bitmap.h"
#include "platform/platform.h"

namespace tk {

class TMainForm;

class TChildImageForm : public WindowEvents {
 public:
  explicit TChildImageForm(TMainForm& owner);
  ~TChildImageForm() override;
  TChildImageForm(const TChildImageForm&) = delete;
  TChildImageForm& operator=(const TChildImageForm&) = delete;

  void FormCreate();
  void FormClose();

  // Shows `picture` (with its ready-made `region`) at the offset.
  void ShowPicture(const Bitmap& picture, const Region& region, int offset_x, int offset_y);
  void Present(const Rect& area);
  // Composes `area` of the display bitmap afresh from the balloon's layers,
  // bottom first: the picture, the speech text, the choice highlight and
  // the prompt mark; then shows it.
  void Recompose(const Rect& area);

  // Dragging in move mode; otherwise the clicks of speech text and choices.
  void FormMouseDown(MouseButton button, int x, int y);

  // WindowEvents
  void OnMouseDown(MouseButton button, int x, int y) override { FormMouseDown(button, x, y); }
  void OnMouseMove(int x, int y) override;
  void OnMouseUp(MouseButton button, int x, int y) override;
  void OnEraseBackground() override;
  void OnPaletteChanged() override;

  WindowId window = kNoWindow;
  int offset_x = 0;
  int offset_y = 0;
  Bitmap display_bitmap;  // what the window shows: the layers composed
  Bitmap clean_bitmap;    // the untouched picture, the bottom layer
  // On a scaled display, what the window shows in device pixels: the same
  // layers composed at the window's factor, text drawn at that size.
  Bitmap device_bitmap;

 private:
  // Both windows back into the topmost band when the character stays on top.
  void KeepOnTop();
  // The window's factor, with the device bitmap sized for it (the display
  // bitmap enlarged when it was not); 1 on an unscaled display.
  int FitDeviceBitmap();
  // Present for a device bitmap already fitted to `factor`.
  void PresentAt(const Rect& area, int factor);
  void ComposeDevice(const Rect& area, int factor);

  TMainForm& owner_;
};

// CIP and CIE.
void ShowChildImage(TMainForm& form, const std::string& name, int x, int y);
void CloseChildImage(TMainForm& form);

}  // namespace tk
