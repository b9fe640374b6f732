#include <gtest/gtest.h>

#include <cmath>

#include "frame/matrix4.h"
#include "frame/vec3f.h"

namespace vlam {
namespace {

// Standard right-handed rotations of column vectors, written out here
// independently of the builders under test.
Matrix4 Rx(double p) {
  Matrix4 m = Matrix4::Identity();
  m.At(1, 1) = std::cos(p);
  m.At(1, 2) = -std::sin(p);
  m.At(2, 1) = std::sin(p);
  m.At(2, 2) = std::cos(p);
  return m;
}
Matrix4 Ry(double p) {
  Matrix4 m = Matrix4::Identity();
  m.At(0, 0) = std::cos(p);
  m.At(0, 2) = std::sin(p);
  m.At(2, 0) = -std::sin(p);
  m.At(2, 2) = std::cos(p);
  return m;
}
Matrix4 Rz(double p) {
  Matrix4 m = Matrix4::Identity();
  m.At(0, 0) = std::cos(p);
  m.At(0, 1) = -std::sin(p);
  m.At(1, 0) = std::sin(p);
  m.At(1, 1) = std::cos(p);
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

TEST(Matrix4, SingleAngleRotationsAreTheAxisRotations) {
  ExpectNear(Rotation(0.7, 0, 0), Rx(0.7));
  ExpectNear(Rotation(0, -1.1, 0), Ry(-1.1));
  ExpectNear(Rotation(0, 0, 2.3), Rz(2.3));
}

TEST(Matrix4, ThreeAngleRotationTurnsAboutXThenZThenY) {
  const double a = 0.3, b = -0.8, c = 1.4;
  // Ry(b)·Rz(c)·Rx(a) by the product: Rx applies first.
  const Matrix4 expected = Matrix4::Product(Matrix4::Product(Rx(a), Rz(c)), Ry(b));
  ExpectNear(Rotation(a, b, c), expected);
}

TEST(Matrix4, ProductWithIdentityAndOrderOfApplication) {
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

TEST(Matrix4, AxisBuildersRotateTheOtherWay) {
  Matrix4 x = Matrix4::Identity();
  x.SetRotationX(0.6);
  ExpectNear(x, Rx(-0.6));
  Matrix4 z = Matrix4::Identity();
  z.SetRotationZ(0.6);
  ExpectNear(z, Rz(-0.6));
  // Row 3 stays (0, 0, 0, 1) and translation untouched.
  EXPECT_EQ(z.At(3, 3), 1.0);
  EXPECT_EQ(z.At(0, 3), 0.0);
}

TEST(Vec3f, TransformUsesColumnThreeAndNoDivision) {
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
}

TEST(Vec3f, RotateAboutPivotKeepsXAndTheDistanceToThePivot) {
  Vec3f pivot;
  pivot.Set(0, 1, 1);
  Vec3f v;
  v.Set(7, 2, 1);  // one unit along +y from the pivot
  v.RotateAboutPivot(pivot, M_PI / 2);
  EXPECT_FLOAT_EQ(v.x, 7.0f);
  EXPECT_NEAR(v.y, 1.0f, 1e-6);
  EXPECT_NEAR(v.z, 2.0f, 1e-6);  // turned onto +z
}

}  // namespace
}  // namespace vlam
