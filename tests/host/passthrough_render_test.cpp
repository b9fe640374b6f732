// Flash Builder, Flash Instance and Module Selector carry data and controls
// only: a layer with one of them renders exactly as the layer without it.
#include "host_support.h"

using namespace vlam;
using vlam::test::TempDir;

namespace {

TEST(PassThroughRender, ModuleEffectsAloneLeaveTheLayerUnchangedAtEveryDepth) {
  TempDir dir;
  host::Host host(test::testHostOptions(dir));
  test::writeTestPicture(dir / "picture.png", 37, 23);
  for (const char *match : {"zk_VlamFlash", "zk_VlamInstance", "zk_VlamMod"})
    for (host::PixelDepth depth : {host::PixelDepth::Bits8, host::PixelDepth::Bits16, host::PixelDepth::Float32}) {
      SCOPED_TRACE(std::string(match) + " at " + std::to_string(static_cast<int>(depth)) + " bits");
      host::Layer &plate = test::openImageProject(host, dir / "picture.png");
      const host::Image without = test::renderFrame(host, 3, depth);
      ASSERT_NE(host.applyEffect(plate, match), nullptr);
      ASSERT_EQ(plate.effects.size(), 1u);
      const host::Image with = test::renderFrame(host, 3, depth);
      EXPECT_TRUE(with.samePixels(without));
      // Not trivially equal: the picture has structure and half-transparent pixels.
      EXPECT_NE(without.pixel(3, 4), without.pixel(20, 9));
      EXPECT_LT(without.pixel(0, 0).alpha, 1.0f);
    }
  EXPECT_EQ(host.worlds().liveCount(), 0u) << "every buffer described to an effect was forgotten";
}

TEST(PassThroughRender, DownsampledFramesHaveTheReducedSize) {
  TempDir dir;
  host::Host host(test::testHostOptions(dir));
  host::Layer &plate = test::openSolidProject(host, 64, 47);
  ASSERT_NE(host.applyEffect(plate, "zk_VlamFlash"), nullptr);
  const host::Image half = test::renderFrame(host, 3, host::PixelDepth::Bits8, PF_Quality_HI, 2);
  EXPECT_EQ(half.width(), 32);
  EXPECT_EQ(half.height(), 24);
  const host::PixelF p = half.pixel(31, 23);
  EXPECT_NEAR(p.blue, 0.6f, 0.5f / 255);
}

TEST(PassThroughRender, InactiveEffectsAreSkipped) {
  TempDir dir;
  host::Host host(test::testHostOptions(dir));
  host::Layer &plate = test::openSolidProject(host);
  ASSERT_NE(host.applyEffect(plate, "zk_VlamMod"), nullptr);
  plate.effects[0]->active = false;
  const int before = host.monitor().callCount("checkout_layer");
  test::renderFrame(host, 3);
  EXPECT_EQ(host.monitor().callCount("checkout_layer"), before);
}

} // namespace
