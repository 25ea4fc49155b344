// Measuring and drawing Shift-JIS text in a named font: a service of its own
// beside Platform.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tk {

class Bitmap;

struct TextFont {
  std::string name;  // Shift-JIS, as the script names it
  int points = 9;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  bool operator==(const TextFont&) const = default;
};

struct TextExtent {
  int width = 0;   // advance of the whole text
  int height = 0;  // height of one line
  bool operator==(const TextExtent&) const = default;
};

class TextRenderer {
 public:
  virtual ~TextRenderer() = default;
  // The advance and line height of `text`, one line of Shift-JIS bytes; a
  // lone lead byte at the end counts as one character.
  virtual TextExtent MeasureText(const TextFont& font, std::string_view text) = 0;
  // Draws `text` with the top-left corner of its first cell at (x, y), in
  // `colour` (0x00BBGGRR); the background stays as it is, and nothing outside
  // `target` is touched.
  virtual void DrawText(Bitmap& target, int x, int y, const TextFont& font, std::string_view text,
                        std::uint32_t colour) = 0;
};

}  // namespace tk
