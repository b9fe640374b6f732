#include "flash/shape_arb_handlers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "flash/default_curves.h"
#include "frame/fake_handle_host_support.h"

namespace vlam {
namespace {

// Packed record fields are compared as values (+field): gtest takes its
// arguments by reference, which a packed field's alignment does not allow.

ShapeCurve CurveOf(PF_ArbitraryH h) {
  ShapeCurve c;
  std::memcpy(&c, *h, sizeof c);
  return c;
}

std::vector<unsigned char> Flatten(ArbitraryHandler& handler, PF_ArbitraryH value) {
  A_u_long size = 0;
  EXPECT_EQ(handler.FlatSize(value, &size), PF_Err_NONE);
  std::vector<unsigned char> flat(size);
  EXPECT_EQ(handler.Flatten(value, size, flat.data()), PF_Err_NONE);
  return flat;
}

PF_ArbitraryH Unflatten(ArbitraryHandler& handler, const void* bytes, A_u_long size) {
  PF_ArbitraryH value = nullptr;
  EXPECT_EQ(handler.Unflatten(size, bytes, &value), PF_Err_NONE);
  return value;
}

TEST(ShapeArbHandlers, NoHandleNoErrorWhenHostCannotAllocate) {
  FakeHandleHost host;
  MainShapeArbHandler main(host.InData());
  host.failNewHandle = true;
  PF_ArbitraryH value = nullptr;
  EXPECT_EQ(main.NewValue(&value), PF_Err_NONE);
  EXPECT_EQ(value, nullptr);
}

TEST(ShapeArbHandlers, FlattenThenUnflattenIsByteExact) {
  FakeHandleHost host;
  MainShapeArbHandler main(host.InData());
  ShapeCurve edited;
  MakeDefaultMainCurve(edited);
  edited.count = 3;  // points past the count keep their old values
  UpdateShapeSignatures(edited);
  edited.points[4] = ShapePoint{0.123456789, 0.987654321};
  PF_ArbitraryH value = host.MakeHandle(&edited, sizeof edited);

  const std::vector<unsigned char> flat = Flatten(main, value);
  ASSERT_EQ(flat.size(), 532u);
  EXPECT_EQ(std::memcmp(flat.data(), &edited, sizeof edited), 0);
  PF_ArbitraryH back = Unflatten(main, flat.data(), static_cast<A_u_long>(flat.size()));
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(std::memcmp(*back, &edited, sizeof edited), 0);
}

TEST(ShapeArbHandlers, UnflattenMendsDamagedCurve) {
  FakeHandleHost host;
  PetalShapeArbHandler petal(host.InData());
  ShapeCurve damaged;
  MakeDefaultPetalCurve(damaged);
  damaged.count = 40000;
  damaged.capacity = 999;
  damaged.points[2].x = std::numeric_limits<double>::quiet_NaN();
  damaged.points[5].y = -std::numeric_limits<double>::infinity();
  damaged.points[31].x = 7.0;

  PF_ArbitraryH value = Unflatten(petal, &damaged, sizeof damaged);
  ASSERT_NE(value, nullptr);
  const ShapeCurve c = CurveOf(value);
  // Mended as ShapeCurve.MendLeavesSoundRecordsAndClampsDamagedOnes details.
  EXPECT_EQ(c.count, 32);
  EXPECT_EQ(+c.points[2].x, 0.0);
  EXPECT_EQ(+c.points[31].x, 1.0);
}

}  // namespace
}  // namespace vlam
