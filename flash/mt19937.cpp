#include "flash/mt19937.h"

namespace vlam {

namespace {
constexpr int kShift = 397;
constexpr uint32_t kTwist = 0x9908b0dfu;
constexpr uint32_t kUpper = 0x80000000u;
constexpr uint32_t kLower = 0x7fffffffu;
}  // namespace

void Mt19937::Seed(uint32_t seed) {
  state_[0] = seed;
  for (int i = 1; i < kWords; ++i) {
    const uint32_t prev = state_[i - 1];
    state_[i] = 1812433253u * (prev ^ (prev >> 30)) + static_cast<uint32_t>(i);
  }
  index_ = kWords;
}

void Mt19937::Twist() {
  for (int i = 0; i < kWords; ++i) {
    const uint32_t y = (state_[i] & kUpper) | (state_[(i + 1) % kWords] & kLower);
    uint32_t next = state_[(i + kShift) % kWords] ^ (y >> 1);
    if (y & 1u) next ^= kTwist;
    state_[i] = next;
  }
  index_ = 0;
}

uint32_t Mt19937::Next() {
  if (index_ >= kWords) Twist();
  uint32_t y = state_[index_++];
  y ^= y >> 11;
  y ^= (y << 7) & 0x9d2c5680u;
  y ^= (y << 15) & 0xefc60000u;
  y ^= y >> 18;
  return y;
}

}  // namespace vlam
