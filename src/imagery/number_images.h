// The text-image font and the one-frame animations that show the script's
// number and text pictures.
#pragma once

#include <cstdint>
#include <string>

#include "app/messages.h"
#include "imagery/bitmap.h"

namespace tk {

class TMainForm;

// The font of the script's text images.
struct TextImageFont {
  std::string name = msg::kFormFontName;
  int size = 10;
  std::uint32_t colour = 0x800000;  // 0x00BBGGRR
  std::uint32_t shadow = 0;         // 0: no shadow
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
};

struct NumberImages {
  TextImageFont font;
};

// Shows `picture` at (x, y) as the one-frame animation `name`, in place of
// every animation of that name; an empty picture only removes them.
void ReplaceImageAnimation(TMainForm& form, const std::string& name, const Bitmap& picture, int x,
                           int y);

}  // namespace tk
