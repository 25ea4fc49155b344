// The font `tkc run` draws text with, so that its screenshots can be read.
#pragma once

#include <memory>

#include "platform/text.h"

namespace tkc {

// A Japanese Gothic through FreeType: the file TKC_FONT names, else the IPA
// Gothic fonts the install step puts in place. Null, after a line on
// standard error, when there is none; the simulated desktop's block font
// then stays.
std::unique_ptr<tk::TextRenderer> OpenScreenFont();

}  // namespace tkc
