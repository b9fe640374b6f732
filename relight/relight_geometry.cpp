#include "relight/relight_geometry.h"

#include <algorithm>

namespace vlam {

namespace {

double Ratio(A_long num, A_u_long den) {
  return den == 0 ? 1.0 : static_cast<double>(num) / static_cast<double>(den);
}

A_long Trunc(double v) { return static_cast<A_long>(v); }

}  // namespace

RelightGeometry ComputeRelightGeometry(const PF_InData &in_data) {
  RelightGeometry g;
  g.pixelAspect = Ratio(in_data.pixel_aspect_ratio.num, in_data.pixel_aspect_ratio.den);
  g.downsample = in_data.downsample_x.den == 0 ? 1.0 : static_cast<double>(in_data.downsample_x.den);
  g.scale = 1.0 / g.downsample;
  g.bufferScale = in_data.quality == PF_Quality_HI ? 0.25 : 0.1;
  g.halfWidth = in_data.width * 0.5;
  g.halfHeight = in_data.height * 0.5;
  const A_long squareWidth = Trunc(in_data.width * g.pixelAspect);
  g.bufferWidth = std::max<A_long>(Trunc(Trunc(squareWidth * g.scale) * g.bufferScale), 1);
  g.bufferHeight = std::max<A_long>(Trunc(Trunc(in_data.height * g.scale) * g.bufferScale), 1);
  return g;
}

}  // namespace vlam
