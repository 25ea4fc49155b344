// Digit strips and the pictures composed from them; the script's number
// pictures.
#include <algorithm>
#include <vector>

#include "form/main_form.h"
#include "imagery/animation.h"
#include "imagery/image_file.h"
#include "imagery/image_region.h"
#include "imagery/number_images.h"

namespace tk {

namespace {

constexpr std::size_t kMaxNumberCells = 128;

int NumberCell(char c) {
  if (c == ' ') return 10;
  if (c == '-') return 11;
  // Any other byte picks the cell its distance from '0' names, as digits
  // do; cells past the strip's last show blank.
  const int cell = static_cast<unsigned char>(c) - '0';
  return cell >= 0 && cell < kNumberCells ? cell : kBlankCell;
}

std::string PadToField(const std::string& text, int width) {
  const std::size_t field =
      std::min<std::size_t>(width < 0 ? static_cast<std::size_t>(-static_cast<std::int64_t>(width))
                                      : static_cast<std::size_t>(width),
                            kMaxNumberCells);
  const std::string spaces(field - std::min(field, text.size()), ' ');
  const std::string padded = width < 0 ? text + spaces : spaces + text;
  return padded.substr(0, kMaxNumberCells);
}

}  // namespace

Bitmap ComposeCells(const Bitmap& strip, int cell_count, std::span<const int> cells) {
  const int cell_width = cell_count > 0 ? strip.width() / cell_count : 0;
  const int height = strip.height();
  const auto width = static_cast<std::int64_t>(cell_width) * std::ssize(cells);
  if (width == 0 || height == 0 || !IsSaneImageSize(width, height)) return Bitmap();
  Bitmap picture(static_cast<int>(width), height);
  picture.Fill(KeyColour(strip));
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const int cell = cells[i];
    if (cell < 0 || cell >= cell_count) continue;
    CopyPixels(strip, cell * cell_width, 0, picture, static_cast<int>(i) * cell_width, 0,
               cell_width, height);
  }
  return picture;
}

// A clock's next second usually fits where the last one was: redrawn in
// place, only the digits that changed reach the window.
void ReplaceImageAnimation(TMainForm& form, const std::string& name, const Bitmap& picture, int x,
                           int y, Bitmap fine, int fine_factor) {
  const auto take_fine = [&](Animation& animation) {
    animation.fine_frame = Bitmap();
    animation.fine_mask = Bitmap();
    animation.fine_factor = 0;
    if (fine.empty()) return;
    if (!animation.masks.empty()) MakeFrameMask(fine, animation.fine_mask);
    animation.fine_frame = std::move(fine);
    animation.fine_factor = fine_factor;
  };
  if (!picture.empty()) {
    if (Animation* still = ReplaceableStill(form, name, picture, x, y)) {
      take_fine(*still);
      RedrawAnimation(form, *still);
      return;
    }
  }
  DeleteAnimations(form, name);
  if (picture.empty()) return;
  Animation& animation = AppendStillAnimation(form, name, picture, x, y);
  take_fine(animation);
  RedrawAnimation(form, animation);
}

bool LoadDigitStrip(TMainForm& form, Bitmap& strip, const std::string& file) {
  Bitmap loaded;
  if (!LoadImageFile(form.platform, loaded, file)) {
    form.ShowError(msg::kImageFileUnopenable, file);
    return false;
  }
  strip = std::move(loaded);
  return true;
}

void LoadNumberStrip(TMainForm& form, const std::string& file) {
  LoadDigitStrip(form, form.numbers.number_strip, file);
}

void ReleaseNumberStrip(TMainForm& form) {
  form.numbers.number_strip = Bitmap();
}

void ShowNumberImage(TMainForm& form, const std::string& text, int x, int y,
                     const std::string& name, int width) {
  const Bitmap& strip = form.numbers.number_strip;
  if (strip.empty()) return;
  std::vector<int> cells;
  for (char c : PadToField(text, width)) cells.push_back(NumberCell(c));
  ReplaceImageAnimation(form, name, ComposeCells(strip, kNumberCells, cells), x, y);
}

}  // namespace tk
