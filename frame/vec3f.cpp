#include "frame/vec3f.h"

#include <cmath>

namespace vlam {

void Vec3f::RotateAboutPivot(const Vec3f& pivot, double theta) {
  const double s = std::sin(theta), c = std::cos(theta);
  const double u = static_cast<double>(y) - pivot.y;
  const double v = static_cast<double>(z) - pivot.z;
  y = static_cast<float>(u * c - v * s + pivot.y);
  z = static_cast<float>(v * c + u * s + pivot.z);
}

}  // namespace vlam
