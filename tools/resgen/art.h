// The program's own pictures: application icon, hand cursors, prompt strip.
#pragma once

#include "formats.h"
#include "image.h"

namespace tk::resgen {

// A round, smiling face; `size` is the icon's width and height in pixels.
Image PaintFaceIcon(int size);

inline constexpr int kCursorSize = 32;
inline constexpr int kHandHotX = 14;
inline constexpr int kHandHotY = 16;
// Black outline, white inside, transparent around.
Image PaintOpenHand();
Image PaintClosedHand();

inline constexpr int kPromptFrameSize = 16;
inline constexpr int kPromptFrames = 4;
inline constexpr int kPromptDropPerFrame = 2;
// Palette indices used by the prompt strip.
inline constexpr std::uint8_t kPromptBlack = 0;
inline constexpr std::uint8_t kPromptGreen = 10;
inline constexpr std::uint8_t kPromptCyan = 14;
inline constexpr std::uint8_t kPromptWhite = 15;
// The usual 16 colours; green (index 10) is the strip's see-through key.
const Palette16& StandardPalette();
// Frames side by side; each shows the arrow 2 pixels lower than the last.
IndexedImage PaintPromptStrip();

}  // namespace tk::resgen
