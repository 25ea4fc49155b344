// A first look at cursor and icon files before the system is asked to load
// them: they come from the character's folder and may be anything.
#pragma once

#include <cstddef>
#include <string_view>

namespace tk {

// Cursor and icon files are small; anything larger is refused unread.
inline constexpr std::size_t kMaxIconFileBytes = 4u << 20;

// An icon directory (type 1) with at least one image, each lying inside the
// file and readable.
bool IsIconFile(std::string_view bytes);
// A cursor directory (type 2) of the same kind, or an animated cursor (RIFF ACON).
bool IsCursorFile(std::string_view bytes);

}  // namespace tk
