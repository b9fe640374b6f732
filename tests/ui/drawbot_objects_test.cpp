// Owned drawing objects and the drawing exception.
#include <gtest/gtest.h>

#include "ui/drawbot_objects.h"
#include "ui/fake_drawbot_support.h"

namespace vlam_test {
namespace {

class DrawbotObjects : public ::testing::Test {
 protected:
  DRAWBOT_SupplierRef Supplier() {
    DRAWBOT_SupplierRef supplier = nullptr;
    drawbot.draw.GetSupplier(FakeDrawbot::DrawRef(), &supplier);
    return supplier;
  }
  FakeDrawbot drawbot;
  const DRAWBOT_ColorRGBA red{1, 0, 0, 1};
};

TEST_F(DrawbotObjects, AFailedCreationIsTheEventsErrorReleaseFailuresThrow) {
  drawbot.failing["NewBrush"] = 21;
  drawbot.scribble_on_failure = true;
  const PF_Err err = vlam::RunDrawingEvent([&]() -> PF_Err {
    const vlam::DRAWBOT_PenP pen(&drawbot.supplier, Supplier(), red, 1.0f);
    const vlam::DRAWBOT_BrushP brush(&drawbot.supplier, Supplier(), red);
    return PF_Err_NONE;
  });
  EXPECT_EQ(err, 21);
  EXPECT_EQ(drawbot.Live(), 0);         // the pen made before is released
  EXPECT_EQ(drawbot.bad_releases, 0);  // the scribbled reference is not

  // Release failures throw, except from a destructor.
  drawbot.failing.clear();
  vlam::DRAWBOT_PenP pen(&drawbot.supplier, Supplier(), red, 1.0f);
  drawbot.failing["ReleaseObject"] = 4;
  EXPECT_THROW(pen.Release(), vlam::DRAWBOT_Exception);
  EXPECT_EQ(pen.get(), nullptr);  // not released twice
  EXPECT_NO_THROW({ const vlam::DRAWBOT_FontP font(&drawbot.supplier, Supplier(), 9.0f); });
  EXPECT_EQ(drawbot.Live(), 0);
  EXPECT_EQ(drawbot.bad_releases, 0);
}

}  // namespace
}  // namespace vlam_test
