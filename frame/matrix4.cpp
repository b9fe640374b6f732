#include "frame/matrix4.h"

#include <cmath>

namespace vlam {

Matrix4 Matrix4::Identity() {
  Matrix4 r{};
  r.m[0] = r.m[5] = r.m[10] = r.m[15] = 1.0;
  return r;
}

Matrix4 Matrix4::FromHost(const A_Matrix4& host) {
  Matrix4 r;
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 4; ++col) r.At(row, col) = host.mat[row][col];
  return r;
}

Matrix4 Matrix4::Product(const Matrix4& x, const Matrix4& y) {
  Matrix4 r;
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < 4; ++col) {
      double sum = 0.0;
      for (int k = 0; k < 4; ++k) sum += y.At(row, k) * x.At(k, col);
      r.At(row, col) = sum;
    }
  }
  return r;
}

void Matrix4::SetTranslation(double tx, double ty, double tz) {
  At(0, 3) = tx;
  At(1, 3) = ty;
  At(2, 3) = tz;
}

void Matrix4::SetRotation(double a, double b, double c) {
  const double sa = std::sin(a), ca = std::cos(a);
  const double sb = std::sin(b), cb = std::cos(b);
  const double sc = std::sin(c), cc = std::cos(c);
  At(0, 0) = cc * cb;
  At(0, 1) = -cb * sc * ca + sb * sa;
  At(0, 2) = cb * sc * sa + ca * sb;
  At(1, 0) = sc;
  At(1, 1) = cc * ca;
  At(1, 2) = -cc * sa;
  At(2, 0) = -cc * sb;
  At(2, 1) = sc * sb * ca + cb * sa;
  At(2, 2) = -sc * sb * sa + cb * ca;
}

void Matrix4::SetRotationX(double theta) {
  const double s = std::sin(theta), c = std::cos(theta);
  At(1, 1) = c;
  At(1, 2) = s;
  At(2, 1) = -s;
  At(2, 2) = c;
}

void Matrix4::SetRotationZ(double theta) {
  const double s = std::sin(theta), c = std::cos(theta);
  At(0, 0) = c;
  At(0, 1) = s;
  At(1, 0) = -s;
  At(1, 1) = c;
}

}  // namespace vlam
