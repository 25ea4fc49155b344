// Text through GDI in the system's own fonts: what the program draws, and
// what the author tool draws into its screenshots on Windows.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/text.h"

namespace tk::win32 {

class GdiText : public TextRenderer {
 public:
  TextExtent MeasureText(const TextFont& font, std::string_view text) override;
  void DrawText(Bitmap& target, int x, int y, const TextFont& font, std::string_view text,
                std::uint32_t colour) override;
};

}  // namespace tk::win32
