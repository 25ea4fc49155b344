// TAboutForm: the about box, made at its first opening and reused until exit.
#pragma once

#include "base/bitmap.h"
#include "platform/platform.h"

namespace tk {

class TMainForm;

class TAboutForm : public WindowEvents {
 public:
  static constexpr int kDefaultClientWidth = 168;
  static constexpr int kDefaultClientHeight = 108;
  static constexpr int kButtonWidth = 75;
  static constexpr int kButtonHeight = 25;

  explicit TAboutForm(TMainForm& owner);
  ~TAboutForm() override;
  TAboutForm(const TAboutForm&) = delete;
  TAboutForm& operator=(const TAboutForm&) = delete;

  void Show();  // FormShow and the showing itself
  void FormPaint();
  void FormClose();
  void Button1Click() { FormClose(); }

  // WindowEvents
  void OnCommand(int id) override;
  void OnCloseRequest() override { FormClose(); }
  void OnEraseBackground() override { FormPaint(); }

  WindowId window = kNoWindow;
  bool bitmap_loaded = false;
  Bitmap about_bitmap;
  AboutBoxLayout layout;

 private:
  TMainForm& owner_;
  int client_width_ = kDefaultClientWidth;
  int client_height_ = kDefaultClientHeight;
};

}  // namespace tk
