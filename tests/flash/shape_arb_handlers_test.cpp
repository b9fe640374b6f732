#include "flash/shape_arb_handlers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "flash/default_curves.h"
#include "frame/fake_handle_host_support.h"

namespace vlam {
namespace {

// Packed record fields are compared as values (+field): gtest takes its
// arguments by reference, which a packed field's alignment does not allow.

PF_ArbitraryH Unflatten(ArbitraryHandler& handler, const void* bytes, A_u_long size) {
  PF_ArbitraryH value = nullptr;
  EXPECT_EQ(handler.Unflatten(size, bytes, &value), PF_Err_NONE);
  return value;
}

// The base class flattens byte for byte (ArbitraryHandlerTest); reading a
// sound curve back leaves even the points past its count alone, a damaged
// one is mended; a host that cannot allocate gets no value and no error.
TEST(ShapeArbHandlers, UnflattenKeepsSoundCurvesAndMendsDamagedOnes) {
  FakeHandleHost host;
  PetalShapeArbHandler petal(host.InData());
  ShapeCurve edited;
  MakeDefaultPetalCurve(edited);
  edited.count = 3;
  UpdateShapeSignatures(edited);
  edited.points[4] = ShapePoint{0.123456789, 0.987654321};
  PF_ArbitraryH back = Unflatten(petal, &edited, sizeof edited);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(std::memcmp(*back, &edited, sizeof edited), 0);

  ShapeCurve damaged = edited;
  damaged.count = 40000;
  damaged.capacity = 999;
  damaged.points[2].x = std::numeric_limits<double>::quiet_NaN();
  damaged.points[31].x = 7.0;
  PF_ArbitraryH value = Unflatten(petal, &damaged, sizeof damaged);
  ASSERT_NE(value, nullptr);
  // Mended as ShapeCurve.MendLeavesSoundRecordsAndClampsDamagedOnes details
  // (the mended copy is written back whole).
  EXPECT_EQ(static_cast<const ShapeCurve*>(*value)->count, 32);

  // No handle, no error, when the host cannot allocate.
  MainShapeArbHandler main(host.InData());
  host.failNewHandle = true;
  PF_ArbitraryH none = nullptr;
  EXPECT_EQ(main.NewValue(&none), PF_Err_NONE);
  EXPECT_EQ(none, nullptr);
}

}  // namespace
}  // namespace vlam
