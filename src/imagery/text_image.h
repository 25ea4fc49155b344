// Text the script puts on the character as a picture, in the text-image font.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/bitmap.h"
#include "imagery/number_images.h"

namespace tk {

class TMainForm;
struct CommandContext;

// One line of text on `background`, one pixel larger than the text each way
// so that a shadow one pixel down and right still fits; empty when the text
// would make a picture too large. With a `factor` above 1, the same picture
// that many times larger, its text drawn at that size.
Bitmap ComposeTextImage(TextRenderer& text, const TextImageFont& font, std::string_view line,
                        std::uint32_t background, int factor = 1);

// Shows the text at (x, y) as the one-frame animation `name`.
void ShowTextImage(TMainForm& form, const std::string& line, int x, int y, const std::string& name,
                   std::uint32_t background);

void RunDtsp(CommandContext& context);

}  // namespace tk
