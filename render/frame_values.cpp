#include "render/frame_values.h"

#include <algorithm>
#include <cmath>

namespace vlam {

namespace {

double RatioOrOne(A_long num, A_u_long den) {
  return den == 0 ? 1.0 : static_cast<double>(num) / static_cast<double>(den);
}

}  // namespace

FrameValues ComputeFrameValues(const PF_InData &in_data) {
  FrameValues v{};
  v.pixelAspect = RatioOrOne(in_data.pixel_aspect_ratio.num, in_data.pixel_aspect_ratio.den);
  const A_u_long den = std::min(in_data.downsample_x.den, in_data.downsample_y.den);
  v.downsample = den == 0 ? 1.0 : 1.0 / static_cast<double>(den);
  v.centreX = in_data.width * 0.5;
  v.centreY = in_data.height * 0.5;
  const double squareWidth = std::floor(in_data.width * v.pixelAspect);
  v.worldWidth = static_cast<A_long>(std::floor(squareWidth * v.downsample));
  v.worldHeight = static_cast<A_long>(std::floor(in_data.height * v.downsample));
  return v;
}

double FrameEvolution(const PF_InData &in_data, double evolutionSpeed) {
  // In 64 bits: the smallest time divided by a step of -1 does not fit 32.
  const long long frame = in_data.time_step == 0 ? 0
                                                  : static_cast<long long>(in_data.current_time) /
                                                        in_data.time_step;
  return evolutionSpeed * static_cast<double>(frame);
}

A_long RenderThreadCount(A_long hostThreads) { return hostThreads < 1 ? -1 : hostThreads; }

}  // namespace vlam
