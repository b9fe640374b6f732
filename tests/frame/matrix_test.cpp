#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <utility>

#include "frame/matrix4.h"
#include "frame/vec3f.h"

namespace vlam {
namespace {

// Standard right-handed rotation of column vectors about axis 0 (x), 1 (y)
// or 2 (z), written out here independently of the builders under test.
Matrix4 R(int axis, double p) {
  Matrix4 m = Matrix4::Identity();
  const int i = (axis + 1) % 3, j = (axis + 2) % 3;
  m.At(i, i) = m.At(j, j) = std::cos(p);
  m.At(i, j) = -std::sin(p);
  m.At(j, i) = std::sin(p);
  return m;
}

void ExpectNear(const Matrix4& a, const Matrix4& b, double tol = 1e-12) {
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(a.m[i], b.m[i], tol) << "entry " << i;
}

Matrix4 Rotation(double a, double b, double c) {
  Matrix4 m = Matrix4::Identity();
  m.SetRotation(a, b, c);
  return m;
}

TEST(Matrix4, RotationBuildersProductsAndOrderOfApplication) {
  const double a = 0.3, b = -0.8, c = 1.4;
  Matrix4 x = Matrix4::Identity();
  x.SetRotationX(0.6);
  Matrix4 z = Matrix4::Identity();
  z.SetRotationZ(0.6);
  const std::pair<Matrix4, Matrix4> cases[] = {
      {Rotation(0.7, 0, 0), R(0, 0.7)},
      {Rotation(0, -1.1, 0), R(1, -1.1)},
      {Rotation(0, 0, 2.3), R(2, 2.3)},
      // Three angles turn about x, then z, then y: Ry(b)·Rz(c)·Rx(a).
      {Rotation(a, b, c), Matrix4::Product(Matrix4::Product(R(0, a), R(2, c)), R(1, b))},
      // The single-axis builders turn the other way.
      {x, R(0, -0.6)},
      {z, R(2, -0.6)},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    ExpectNear(cases[i].first, cases[i].second);
  }
  const Matrix4 r = Rotation(0.2, 0.5, -0.4);
  ExpectNear(Matrix4::Product(r, Matrix4::Identity()), r, 0);
  ExpectNear(Matrix4::Product(Matrix4::Identity(), r), r, 0);

  // Product(R, P): rotate first, then move.
  Matrix4 p = Matrix4::Identity();
  p.SetTranslation(10, 20, 30);
  Matrix4 rz = Matrix4::Identity();
  rz.SetRotationZ(-M_PI / 2);  // Rz(+90°): x axis onto y axis
  Vec3f v;
  v.Set(1, 0, 0);
  v.Transform(Matrix4::Product(rz, p));
  EXPECT_NEAR(v.x, 10.0f, 1e-5);
  EXPECT_NEAR(v.y, 21.0f, 1e-5);
  EXPECT_NEAR(v.z, 30.0f, 1e-5);
}

TEST(Vec3f, TransformUsesColumnThreeAndNoDivisionRotateAboutPivot) {
  Matrix4 m = Matrix4::Identity();
  m.At(0, 1) = 2.0;
  m.SetTranslation(1, -2, 3);
  m.At(3, 3) = 5.0;  // ignored by the point transform
  Vec3f v;
  v.Set(1, 2, 3);
  v.Transform(m);
  EXPECT_FLOAT_EQ(v.x, 6.0f);
  EXPECT_FLOAT_EQ(v.y, 0.0f);
  EXPECT_FLOAT_EQ(v.z, 6.0f);
  // Rotating about a pivot keeps x and the distance to the pivot.
  Vec3f pivot;
  pivot.Set(0, 1, 1);
  v.Set(7, 2, 1);  // one unit along +y from the pivot
  v.RotateAboutPivot(pivot, M_PI / 2);
  EXPECT_FLOAT_EQ(v.x, 7.0f);
  EXPECT_NEAR(v.y, 1.0f, 1e-6);
  EXPECT_NEAR(v.z, 2.0f, 1e-6);  // turned onto +z
}

}  // namespace
}  // namespace vlam
