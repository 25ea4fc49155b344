#include "app/about_form.h"

#include "base/messages.h"
#include "form/main_form.h"
#include "form/mover.h"
#include "imagery/image_file.h"

namespace tk {

namespace {

// The face of a dialog, shown where no about picture is.
constexpr Bgr kButtonFace{200, 208, 212};

}  // namespace

TAboutForm::TAboutForm(TMainForm& owner) : owner_(owner) {
  window = owner_.platform.CreateWindow(WindowKind::kAbout, this);
}

TAboutForm::~TAboutForm() {
  if (window != kNoWindow) owner_.platform.DestroyWindow(window);
}

void TAboutForm::Show() {
  Platform& platform = owner_.platform;
  const ShellState& shell = owner_.shell;
  platform.SetTopmost(window, true);
  if (shell.about_image != "0" && !bitmap_loaded) {
    Bitmap picture;
    if (LoadImageFile(platform, picture, shell.about_image) && picture.width() > 0 &&
        picture.height() > 0) {
      about_bitmap = std::move(picture);
      bitmap_loaded = true;
      client_width_ = about_bitmap.width();
      client_height_ = about_bitmap.height();
    }
  }
  layout.caption = shell.about_caption;
  layout.label_text = shell.about_text;
  layout.label_color = shell.about_text_color;
  layout.font_name = msg::kFormFontName;
  layout.font_points = 9;
  layout.button_text = msg::kAboutClose;
  layout.client_width = client_width_;
  layout.client_height = client_height_;
  const Rect outer = platform.DialogWindowSize(client_width_, client_height_);
  const Rect main = platform.WindowBounds(owner_.window);
  layout.left = main.left + (main.Width() - outer.Width()) / 2;
  layout.top = main.top + (main.Height() - outer.Height()) / 2;
  const int button_top = client_height_ - kButtonHeight - 4;
  const int button_left = (client_width_ - kButtonWidth) / 2;
  layout.button = {button_left, button_top, button_left + kButtonWidth, button_top + kButtonHeight};
  layout.label = {8, 8, client_width_, button_top - 2};  // width client - 8, height button top - 10
  platform.ShowAboutBox(window, layout);
}

void TAboutForm::FormPaint() {
  if (bitmap_loaded) {
    owner_.platform.PresentBitmap(window, about_bitmap, about_bitmap.Bounds());
    return;
  }
  Bitmap face(client_width_, client_height_);
  face.Fill(kButtonFace);
  owner_.platform.PresentBitmap(window, face, face.Bounds());
}

void TAboutForm::OnCommand(int id) {
  if (id == kAboutButtonCommand) Button1Click();
}

// The picture is read again at the next opening, so a changed one shows.
void TAboutForm::FormClose() {
  Platform& platform = owner_.platform;
  about_bitmap = Bitmap();
  bitmap_loaded = false;
  platform.ShowWindow(window, false);
  platform.SetTopmost(window, false);
  if (owner_.shell.modes.topmost) SetCharacterTopmost(owner_, true);
}

}  // namespace tk
