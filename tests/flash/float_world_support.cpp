#include "float_world_support.h"

#include <cstring>

namespace vlam {

FloatWorld::FloatWorld(A_long width, A_long height, A_long padPixels, float alpha)
    : storage_(static_cast<size_t>((width + padPixels) * height), PF_PixelFloat{alpha, 0, 0, 0}),
      stride_(width + padPixels),
      alpha_(alpha) {
  world_.data = reinterpret_cast<PF_PixelPtr>(storage_.data());
  world_.rowbytes = stride_ * static_cast<A_long>(sizeof(PF_PixelFloat));
  world_.width = width;
  world_.height = height;
  world_.world_flags = PF_WorldFlag_DEEP | PF_WorldFlag_WRITEABLE;
}

PF_PixelFloat& FloatWorld::At(A_long x, A_long y) { return storage_[y * stride_ + x]; }
const PF_PixelFloat& FloatWorld::At(A_long x, A_long y) const { return storage_[y * stride_ + x]; }

double FloatWorld::SumRgb() const {
  double s = 0;
  for (A_long y = 0; y < world_.height; ++y)
    for (A_long x = 0; x < world_.width; ++x) s += At(x, y).red + At(x, y).green + At(x, y).blue;
  return s;
}

bool FloatWorld::AlphaUntouched() const {
  for (const PF_PixelFloat& p : storage_)
    if (p.alpha != alpha_) return false;
  return true;
}

std::vector<unsigned char> FloatWorld::Bytes() const {
  std::vector<unsigned char> out;
  const size_t row = static_cast<size_t>(world_.width) * sizeof(PF_PixelFloat);
  out.resize(row * world_.height);
  for (A_long y = 0; y < world_.height; ++y) std::memcpy(&out[y * row], &At(0, y), row);
  return out;
}
}  // namespace vlam
