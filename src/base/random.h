// The program-wide pseudo-random generator; seedable so tests repeat.
#pragma once

#include <cstdint>
#include <random>

namespace tk {

class Random {
 public:
  void Seed(std::uint32_t seed) { engine_.seed(seed); }
  // A non-negative integer.
  int Next() { return static_cast<int>(engine_() & 0x7FFFFFFF); }

 private:
  std::mt19937 engine_{1};
};

}  // namespace tk
