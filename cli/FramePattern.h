#pragma once
#include <cstdint>
#include <string>

namespace vlam::cli {

struct FrameRange {
  std::int64_t first = 0;
  std::int64_t last = 0; // inclusive
};

// "A-B" or "N"; frames must lie in [0, duration). Empty text: every frame.
// Throws HostError saying what is wrong.
FrameRange parseFrameRange(const std::string &text, std::int64_t duration);

// The pattern with its run of '#' replaced by the frame number, zero-padded
// to the run's length ("out/f_####.png", 7 -> "out/f_0007.png").
std::string frameFileName(const std::string &pattern, std::int64_t frame);
bool hasFrameField(const std::string &pattern);

} // namespace vlam::cli
