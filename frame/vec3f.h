// Three-float vector for points in flash, layer and camera space.
#pragma once

#include "frame/matrix4.h"

namespace vlam {

// Arithmetic is done in doubles; results are stored back as floats, so every
// consumer that places a point with these operations gets the same bits.
struct Vec3f {
  float x;
  float y;
  float z;

  void Zero() { x = y = z = 0.0f; }
  void Set(double px, double py, double pz) {
    x = static_cast<float>(px);
    y = static_cast<float>(py);
    z = static_cast<float>(pz);
  }
  void Scale(double k) {
    x = static_cast<float>(x * k);
    y = static_cast<float>(y * k);
    z = static_cast<float>(z * k);
  }
  // Turns the point about the axis through `pivot` parallel to x by `theta`
  // radians; x is left as it is.
  void RotateAboutPivot(const Vec3f& pivot, double theta);
  // p' = M·p with the translation in column 3; no division by a fourth
  // coordinate. Defined here: the flash passes place every splat with it.
  void Transform(const Matrix4& m) {
    const double px = x, py = y, pz = z;
    x = static_cast<float>(m.m[0] * px + m.m[1] * py + m.m[2] * pz + m.m[3]);
    y = static_cast<float>(m.m[4] * px + m.m[5] * py + m.m[6] * pz + m.m[7]);
    z = static_cast<float>(m.m[8] * px + m.m[9] * py + m.m[10] * pz + m.m[11]);
  }
};

}  // namespace vlam
