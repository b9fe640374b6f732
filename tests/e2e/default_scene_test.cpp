// The built-in scene, rendered small by the tool: guns light up their own
// side of the frame when they fire, and a frame renders the same every time.
#include "e2e_support.h"

#include "host/image/Image.h"
#include "host/io/ImageFiles.h"

#include <gtest/gtest.h>


namespace {

using vlam::host::Image;

// Frames of the built-in scene: the left gun fires on even frames, the right
// one on odd frames, and frame 16 falls in a pause of both.
constexpr int kLeftFires = 2, kRightFires = 17, kNoneFires = 16;

// Mean brightness of a box given in fractions of the frame.
double meanLuma(const Image &image, double x0, double y0, double x1, double y1) {
  double sum = 0;
  int n = 0;
  for (int y = static_cast<int>(y0 * image.height()); y < static_cast<int>(y1 * image.height()); ++y)
    for (int x = static_cast<int>(x0 * image.width()); x < static_cast<int>(x1 * image.width()); ++x, ++n) {
      const vlam::host::PixelF p = image.pixel(x, y);
      sum += 0.299 * p.red + 0.587 * p.green + 0.114 * p.blue;
    }
  return n ? sum / n : 0.0;
}

class DefaultScene : public vlam::test::ToolTest {
protected:
  // One frame at an eighth of full size (240 x 135), float.
  Image render(int frame, const std::string &name) {
    auto r = run({"render", "--frames", std::to_string(frame), "--downsample", "8", "-o",
                                    name + "_####.exr"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04d", frame);
    return vlam::host::readImageFile(dir / (name + "_" + digits + ".exr"), vlam::host::PixelDepth::Float32);
  }
};

TEST_F(DefaultScene, EachGunLightsItsOwnSideOnlyWhenItFires) {
  const Image none = render(kNoneFires, "none");
  const Image left = render(kLeftFires, "left");
  const Image right = render(kRightFires, "right");
  ASSERT_EQ(none.width(), 240);
  ASSERT_EQ(none.height(), 135);
  // The left gun's muzzle sits near (0.31, 0.57) of the frame and fires
  // left; the right one near (0.69, 0.43) and fires right.
  const auto leftBox = [](const Image &i) { return meanLuma(i, 0.18, 0.48, 0.33, 0.66); };
  const auto rightBox = [](const Image &i) { return meanLuma(i, 0.67, 0.34, 0.82, 0.52); };
  EXPECT_GT(leftBox(left), leftBox(none) + 0.2) << "a bright flash left of the left muzzle";
  EXPECT_GT(rightBox(right), rightBox(none) + 0.2) << "a bright flash right of the right muzzle";
  // A flash lights its own side far more than the other gun's side.
  EXPECT_GT(leftBox(left) - leftBox(none), 4 * (rightBox(left) - rightBox(none)));
  EXPECT_GT(rightBox(right) - rightBox(none), 4 * (leftBox(right) - leftBox(none)));
  // The Relighter brightens the plate around a firing gun, beyond the flash.
  EXPECT_GT(meanLuma(left, 0.05, 0.7, 0.3, 0.95), meanLuma(none, 0.05, 0.7, 0.3, 0.95) + 0.005);
}

TEST_F(DefaultScene, AFrameRendersTheSameBytesTwice) {
  const Image first = render(kLeftFires, "first");
  const Image second = render(kLeftFires, "second");
  EXPECT_TRUE(first.samePixels(second));
}

} // namespace
