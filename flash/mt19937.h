// The standard 32-bit Mersenne Twister, used to seed noise permutations.
#pragma once

#include <cstdint>

namespace vlam {

class Mt19937 {
 public:
  explicit Mt19937(uint32_t seed = 5489u) { Seed(seed); }

  void Seed(uint32_t seed);
  uint32_t Next();
  // The top 31 bits of the next output.
  uint32_t NextHalf() { return Next() >> 1; }
  // A real in [0, 1) from the next output.
  double NextReal() { return Next() * 2.3283064370807974e-10; }

 private:
  void Twist();

  static constexpr int kWords = 624;
  uint32_t state_[kWords];
  int index_ = kWords;
};

}  // namespace vlam
