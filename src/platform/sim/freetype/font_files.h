// Which font file a script's font name is drawn with.
#pragma once

#include <string_view>

namespace tk {

// Whether a font name asks for a proportional face: Windows' Japanese
// fonts mark theirs with a "P" ("ＭＳ Ｐゴシック", "MS PGothic"), and
// "MS UI Gothic" is one too.
bool NamesProportionalFace(std::u32string_view name);

}  // namespace tk
