#include "frame/vec3f.h"

#include <cmath>

#include "frame/matrix4.h"

namespace vlam {

void Vec3f::RotateAboutPivot(const Vec3f& pivot, double theta) {
  const double s = std::sin(theta), c = std::cos(theta);
  const double u = static_cast<double>(y) - pivot.y;
  const double v = static_cast<double>(z) - pivot.z;
  y = static_cast<float>(u * c - v * s + pivot.y);
  z = static_cast<float>(v * c + u * s + pivot.z);
}

void Vec3f::Transform(const Matrix4& m) {
  const double px = x, py = y, pz = z;
  x = static_cast<float>(m.m[0] * px + m.m[1] * py + m.m[2] * pz + m.m[3]);
  y = static_cast<float>(m.m[4] * px + m.m[5] * py + m.m[6] * pz + m.m[7]);
  z = static_cast<float>(m.m[8] * px + m.m[9] * py + m.m[10] * pz + m.m[11]);
}

}  // namespace vlam
