// 3x3 double matrix for 2D placement: translation in row 2, scale on the
// diagonal.
#pragma once

namespace vlam {

struct Matrix3 {
  double m[9];

  double& At(int row, int col) { return m[3 * row + col]; }
  double At(int row, int col) const { return m[3 * row + col]; }

  static Matrix3 Identity() {
    Matrix3 r{};
    r.m[0] = r.m[4] = r.m[8] = 1.0;
    return r;
  }
  void SetTranslation(double tx, double ty) {
    At(2, 0) = tx;
    At(2, 1) = ty;
  }
  void SetScale(double sx, double sy) {
    At(0, 0) = sx;
    At(1, 1) = sy;
  }
};

}  // namespace vlam
