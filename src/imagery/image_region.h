// Window shapes and transparency masks from the key colour of a picture.
#pragma once

#include "base/bitmap.h"

namespace tk {

// One rectangle per horizontal run of pixels that are not the key colour,
// rows from the top. An all-key picture gives an empty region.
Region BuildImageRegion(const Bitmap& bitmap);

// `mask` becomes the size of `source`: white where the source has its key
// colour, black elsewhere.
void MakeFrameMask(const Bitmap& source, Bitmap& mask);

}  // namespace tk
