#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace tk {

// `start` moved forward by `seconds`, calendar and day of week included.
LocalTime AddSeconds(const LocalTime& start, std::uint64_t seconds);

}  // namespace tk
