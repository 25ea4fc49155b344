// What the program's boxes say, in English, for authors who read no Japanese.
#pragma once

#include <string>

namespace tkc {

// The English of one of the program's box texts (Shift-JIS); empty for a
// text the program does not show in a box of its own.
std::string EnglishGloss(const std::string& box_text);

}  // namespace tkc
