// The game's generator of uniform draws in [0, 1): the same sequence for the same seed on every
// machine, so a seeded simulator run replays exactly.
#pragma once

#include <cstdint>
#include <random>

namespace host {

class UniformRandom {
 public:
  void Seed(std::uint32_t seed) { engine_.seed(seed); }
  double Next() { return static_cast<double>(engine_()) / 4294967296.0; }

 private:
  std::mt19937 engine_{0};
};

}  // namespace host
