#include "imagery/text_image.h"

#include <algorithm>

#include "base/text.h"
#include "form/main_form.h"
#include "imagery/character_image.h"
#include "imagery/imagery_commands.h"
#include "imagery/number_images.h"
#include "script/command_context.h"

namespace tk {

namespace {

TextFont RendererFont(const TextImageFont& f) {
  return {f.name, f.size, f.bold, f.italic, f.underline, f.strikeout};
}

Bgr ToBgr(std::uint32_t colour) {
  return {static_cast<std::uint8_t>(colour >> 16), static_cast<std::uint8_t>(colour >> 8),
          static_cast<std::uint8_t>(colour)};
}

}  // namespace

// The picture's size comes from the unscaled font, so that it covers the
// same picture pixels at every scale.
Bitmap ComposeTextImage(TextRenderer& text, const TextImageFont& font, std::string_view line,
                        std::uint32_t background, int factor) {
  TextFont renderer_font = RendererFont(font);
  const TextExtent extent = text.MeasureText(renderer_font, line);
  const std::int64_t width = std::int64_t{extent.width} + 1,
                     height = std::int64_t{extent.height} + 1;
  if (!IsSaneImageSize(width, height) || !IsSaneImageSize(width * factor, height * factor)) {
    return Bitmap();
  }
  Bitmap picture(static_cast<int>(width * factor), static_cast<int>(height * factor));
  picture.Fill(ToBgr(background));
  renderer_font.points *= factor;
  if (font.shadow != 0) text.DrawText(picture, factor, factor, renderer_font, line, font.shadow);
  text.DrawText(picture, 0, 0, renderer_font, line, font.colour);
  return picture;
}

void ShowTextImage(TMainForm& form, const std::string& line, int x, int y, const std::string& name,
                   std::uint32_t background) {
  TextRenderer& text = form.platform.Text();
  const Bitmap picture = ComposeTextImage(text, form.numbers.font, line, background);
  const int factor = DrawingFactor(form.platform, form.window);
  Bitmap fine;
  if (factor > 1) fine = ComposeTextImage(text, form.numbers.font, line, background, factor);
  ReplaceImageAnimation(form, name, picture, x, y, std::move(fine), factor);
}

void RunDtsp(CommandContext& c) {
  const std::string line = c.Param();
  const auto x = c.Int();
  if (!x) return;
  const auto y = c.Int();
  if (!y) return;
  const std::string name = ReadImageName(c);
  if (const auto background = c.Int()) {
    ShowTextImage(c.form, line, *x, *y, name, static_cast<std::uint32_t>(*background));
  }
}

}  // namespace tk
