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

TEST_F(DrawbotObjects, EachKindIsMadeAndReleasedWithItsScope) {
  {
    const vlam::DRAWBOT_PenP pen(&drawbot.supplier, Supplier(), red, 2.5f);
    const vlam::DRAWBOT_BrushP brush(&drawbot.supplier, Supplier(), red);
    const vlam::DRAWBOT_FontP font(&drawbot.supplier, Supplier(), 11.0f);
    const vlam::DRAWBOT_PathP path(&drawbot.supplier, Supplier());
    EXPECT_EQ(drawbot.Live(), 4);
    EXPECT_EQ(drawbot.objects.at(reinterpret_cast<std::intptr_t>(pen.get())).size, 2.5f);
    EXPECT_EQ(drawbot.objects.at(reinterpret_cast<std::intptr_t>(font.get())).kind, "font");
  }
  EXPECT_EQ(drawbot.Live(), 0);
  EXPECT_EQ(drawbot.bad_releases, 0);
  EXPECT_EQ(drawbot.foreign_supplier, 0);
}

TEST_F(DrawbotObjects, AFailedCreationThrowsItsCodeAndHoldsNothing) {
  drawbot.failing["NewPath"] = 12;
  drawbot.scribble_on_failure = true;
  try {
    const vlam::DRAWBOT_PathP path(&drawbot.supplier, Supplier());
    FAIL() << "no exception";
  } catch (const vlam::DRAWBOT_Exception &e) {
    EXPECT_EQ(e.err(), 12);
  }
  EXPECT_EQ(drawbot.bad_releases, 0);  // the scribbled reference is not released
}

TEST_F(DrawbotObjects, ReleaseEmptiesAndReportsFailure) {
  vlam::DRAWBOT_BrushP brush(&drawbot.supplier, Supplier(), red);
  brush.Release();
  EXPECT_EQ(brush.get(), nullptr);
  EXPECT_EQ(drawbot.Live(), 0);
  brush.Release();  // nothing held, nothing released twice
  EXPECT_EQ(drawbot.bad_releases, 0);

  vlam::DRAWBOT_PenP pen(&drawbot.supplier, Supplier(), red, 1.0f);
  drawbot.failing["ReleaseObject"] = 4;
  EXPECT_THROW(pen.Release(), vlam::DRAWBOT_Exception);
  EXPECT_EQ(pen.get(), nullptr);  // not tried again by the destructor
}

TEST_F(DrawbotObjects, ADestructorSwallowsAFailedRelease) {
  drawbot.failing["ReleaseObject"] = 4;
  EXPECT_NO_THROW({ const vlam::DRAWBOT_FontP font(&drawbot.supplier, Supplier(), 9.0f); });
  EXPECT_EQ(drawbot.Live(), 0);  // the release was asked for
}

TEST_F(DrawbotObjects, ResetReleasesTheObjectHeldBefore) {
  vlam::DRAWBOT_PathP path(&drawbot.supplier, Supplier());
  const DRAWBOT_ObjectRef first = path.get();
  DRAWBOT_PathRef second = nullptr;
  drawbot.supplier.NewPath(Supplier(), &second);
  path.Reset(second);
  EXPECT_TRUE(drawbot.objects.at(reinterpret_cast<std::intptr_t>(first)).released);
  EXPECT_EQ(path.get(), second);
  EXPECT_EQ(drawbot.Live(), 1);
}

TEST_F(DrawbotObjects, ADrawingEventTurnsTheExceptionIntoItsCode) {
  drawbot.failing["NewBrush"] = 21;
  const PF_Err err = vlam::RunDrawingEvent([&]() -> PF_Err {
    const vlam::DRAWBOT_PenP pen(&drawbot.supplier, Supplier(), red, 1.0f);
    const vlam::DRAWBOT_BrushP brush(&drawbot.supplier, Supplier(), red);
    return PF_Err_NONE;
  });
  EXPECT_EQ(err, 21);
  EXPECT_EQ(drawbot.Live(), 0);  // the pen made before the failure is released
  EXPECT_EQ(vlam::RunDrawingEvent([] { return PF_Err_OUT_OF_MEMORY; }), PF_Err_OUT_OF_MEMORY);
}

}  // namespace
}  // namespace vlam_test
