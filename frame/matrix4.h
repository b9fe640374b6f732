// 4x4 double matrix, row-major, acting on column vectors (p' = M·p).
#pragma once

#include "A.h"

namespace vlam {

struct Matrix4 {
  double m[16];

  double& At(int row, int col) { return m[4 * row + col]; }
  double At(int row, int col) const { return m[4 * row + col]; }

  static Matrix4 Identity();
  // The host's matrix, stored row by row in the same order.
  static Matrix4 FromHost(const A_Matrix4& host);
  // Y·X: applies X first, then Y.
  static Matrix4 Product(const Matrix4& x, const Matrix4& y);

  // The builders below write only the entries named and expect an identity
  // matrix to start from.
  void SetTranslation(double tx, double ty, double tz);
  // Ry(b)·Rz(c)·Rx(a): about X first, then Z, then Y.
  void SetRotation(double a, double b, double c);
  // Rx(-theta) and Rz(-theta) in the right-handed convention.
  void SetRotationX(double theta);
  void SetRotationZ(double theta);
};

}  // namespace vlam
