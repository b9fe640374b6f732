// The host's pixel operations: transform_world as an effect calls it
// (matrices, resampling quality, transfer modes with opacity, masks, the
// motion blur of several matrices, at every depth); the copy between buffers
// whose rectangles differ; compositing a layer into a new frame.
#include "host/image/PixelOps.h"
#include "host/image/WorldTransform.h"
#include "host_support.h"

#include <cmath>
#include <cstring>
#include <tuple>

using namespace vlam;
using namespace vlam::test;
using host::PixelDepth;
using host::PixelF;

namespace {

PF_FloatMatrix translation(double dx, double dy) {
  PF_FloatMatrix m{};
  m.mat[0][0] = m.mat[1][1] = m.mat[2][2] = 1.0;
  m.mat[2][0] = dx;
  m.mat[2][1] = dy;
  return m;
}

const PF_CompositeMode kCopy{PF_Xfer_COPY, 0, 255, false, 32768};

class WorldTransform : public HostTest {
protected:
  InsideEffectCall call{host, openSolidProject(host, 8, 8), "transformer"};

  // Runs transform_world from inside an effect call, as the module does.
  PF_Err transform(const PF_EffectWorld &src, PF_EffectWorld &dst, std::vector<PF_FloatMatrix> matrices,
                   PF_Quality quality = PF_Quality_HI, const PF_CompositeMode &mode = kCopy,
                   const PF_Rect *rect = nullptr) {
    // Source to destination, without a mask, as the module calls it.
    return call.run([&](PF_InData *in) {
      const auto count = static_cast<A_long>(matrices.size());
      return in->utils->transform_world(in->effect_ref, quality, PF_MF_Alpha_PREMUL, PF_Field_FRAME,
                                        &src, &mode, nullptr, matrices.data(), count, true, rect,
                                        &dst);
    });
  }

  std::shared_ptr<host::Image> world(int w, int h, PixelDepth depth, PF_EffectWorld &out) {
    return host.worlds().create(w, h, depth, out);
  }
  // A source and a destination buffer of one size and depth (those of
  // before are given back).
  PF_EffectWorld s{}, d{};
  std::shared_ptr<host::Image> src, dst;
  void worlds(int w, int h, PixelDepth depth = PixelDepth::Float32) {
    if (src) host.worlds().dispose(s), host.worlds().dispose(d);
    src = world(w, h, depth, s);
    dst = world(w, h, depth, d);
  }
  void TearDown() override {
    if (src) host.worlds().dispose(s), host.worlds().dispose(d);
    HostTest::TearDown();
  }
};

// A picture with a different value in every pixel, alpha included.
void paint(host::Image &image) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      image.setPixel(x, y, {0.5f + 0.5f * ((x + 2 * y) % 3 == 0), 0.03f * x, 0.05f * y, 0.02f * (x * y % 7)});
}

TEST_F(WorldTransform, IdentityReproducesTheSourceExactlyAndWhatCannotBeDoneIsRefused) {
  for (PixelDepth depth : {PixelDepth::Bits8, PixelDepth::Bits16, PixelDepth::Float32})
    for (PF_Quality quality : {PF_Quality_HI, PF_Quality_LO}) {
      SCOPED_TRACE(static_cast<int>(depth));
      worlds(13, 9, depth);
      paint(*src);
      dst->fill({1, 1, 1, 1});
      ASSERT_EQ(transform(s, d, {translation(0, 0)}, quality), PF_Err_NONE);
      EXPECT_TRUE(dst->samePixels(*src));
      // Two equal matrices are no motion: the same picture.
      dst->fill({1, 1, 1, 1});
      ASSERT_EQ(transform(s, d, {translation(0, 0), translation(0, 0)}, quality), PF_Err_NONE);
      EXPECT_TRUE(dst->samePixels(*src));
    }
  // What it cannot do is refused.
  worlds(4, 4);
  PF_FloatMatrix singular{};
  EXPECT_EQ(transform(s, d, {singular}), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(transform(s, d, {}), PF_Err_BAD_CALLBACK_PARAM);
  PF_FloatMatrix notANumber = translation(std::nan(""), 0);
  EXPECT_EQ(transform(s, d, {notANumber}), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(transform(s, d, {translation(0, 0)}, PF_Quality_HI, {PF_Xfer_DIFFERENCE, 0, 255, false, 32768}),
            PF_Err_BAD_CALLBACK_PARAM);
  PF_EffectWorld stranger = d;
  float pixels[16] = {};
  stranger.data = reinterpret_cast<PF_PixelPtr>(pixels);
  EXPECT_EQ(transform(s, stranger, {translation(0, 0)}), PF_Err_BAD_CALLBACK_PARAM);
  const PF_Rect backwards{3, 0, 1, 4};
  EXPECT_EQ(transform(s, d, {translation(0, 0)}, PF_Quality_HI, kCopy, &backwards), PF_Err_BAD_CALLBACK_PARAM);
}

TEST_F(WorldTransform, TranslationMovesPixelsInterpolatingAtHighQuality) {
  worlds(10, 8);
  paint(*src);
  ASSERT_EQ(transform(s, d, {translation(3, -2)}), PF_Err_NONE);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x) {
      const bool covered = x >= 3 && y < 6;
      EXPECT_EQ(dst->pixel(x, y), covered ? src->pixel(x - 3, y + 2) : PixelF{}) << x << "," << y;
    }
  // High quality interpolates where low quality takes the nearest pixel.
  worlds(4, 1);
  for (int x = 0; x < 4; ++x) src->setPixel(x, 0, {1, 0.1f * x, 0, 0});
  ASSERT_EQ(transform(s, d, {translation(0.5, 0)}, PF_Quality_HI), PF_Err_NONE);
  EXPECT_NEAR(dst->pixel(2, 0).red, 0.15f, 1e-6f) << "halfway between source pixels 1 and 2";
  EXPECT_NEAR(dst->pixel(0, 0).alpha, 0.5f, 1e-6f) << "half of it comes from outside the source";
  ASSERT_EQ(transform(s, d, {translation(0.5, 0)}, PF_Quality_LO), PF_Err_NONE);
  const float red = dst->pixel(2, 0).red;
  EXPECT_TRUE(red == 0.1f || red == 0.2f) << red;
  EXPECT_EQ(dst->pixel(1, 0).alpha, 1.0f);
}

TEST_F(WorldTransform, TransferModesApplyTheOpacityAndTheRectangleLimitsWhatIsWritten) {
  for (PixelDepth depth : {PixelDepth::Bits8, PixelDepth::Bits16, PixelDepth::Float32}) {
    SCOPED_TRACE(static_cast<int>(depth));
    worlds(5, 5, depth);
    src->fill({0.2f, 0.2f, 0.4f, 0.0f});
    dst->fill({0.6f, 0.2f, 0.2f, 0.2f});
    const PF_CompositeMode add{PF_Xfer_ADD, 0, 255, false, 32768};
    ASSERT_EQ(transform(s, d, {translation(0, 0)}, PF_Quality_HI, add), PF_Err_NONE);
    const float tolerance = depth == PixelDepth::Bits8 ? 1.0f / 255 : 1e-4f;
    expectNear(dst->pixel(2, 2), {0.8f, 0.4f, 0.6f, 0.2f}, tolerance);
    const PF_CompositeMode halfAdd{PF_Xfer_ADD, 0, 128, false, 16384};
    ASSERT_EQ(transform(s, d, {translation(0, 0)}, PF_Quality_HI, halfAdd), PF_Err_NONE);
    EXPECT_NEAR(dst->pixel(2, 2).red, 0.5f, 2 * tolerance);
  }
  // The destination rectangle limits what is written (the module gives no
  // mask, and only adds at part opacity or copies).
  worlds(6, 6);
  src->fill({1, 1, 1, 1});
  dst->fill({1, 0.5f, 0, 0});
  const PF_Rect rect{1, 2, 4, 3};
  ASSERT_EQ(transform(s, d, {translation(0, 0)}, PF_Quality_HI, kCopy, &rect), PF_Err_NONE);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x)
      EXPECT_EQ(dst->pixel(x, y).red, (x >= 1 && x < 4 && y == 2) ? 1.0f : 0.5f) << x << "," << y;
}

TEST_F(WorldTransform, MatricesSpreadTheSourceAlongTheirPathKeepingItsLightAndAnEvenBackgroundAndZoom) {
  worlds(40, 9);
  src->setPixel(10, 4, {1, 1, 1, 1});
  ASSERT_EQ(transform(s, d, {translation(0, 0), translation(12, 0)}), PF_Err_NONE);
  // The light lies on the row, from x = 10 to x = 22, and nowhere else; all
  // of it is kept.
  double light = 0;
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 40; ++x) {
      const float v = dst->pixel(x, y).red;
      light += v;
      if (y != 4 || x < 10 || x > 22) {
        EXPECT_EQ(v, 0.0f) << x << "," << y;
      }
    }
  EXPECT_NEAR(light, 1.0, 0.02);
  float least = 1, most = 0;
  for (int x = 11; x <= 21; ++x) {
    least = std::min(least, dst->pixel(x, 4).red);
    most = std::max(most, dst->pixel(x, 4).red);
  }
  // An even streak: no steps between the sub-positions.
  EXPECT_NEAR(most, 1.0f / 12, 0.01f);
  EXPECT_GT(least, 0.9f * most);
  // A blur of an even background keeps it; several matrices follow the path.
  worlds(80, 40);
  src->fill({1, 0, 0, 0}); // a cleared flash buffer: opaque black
  src->setPixel(20, 20, {1, 1, 1, 1});
  // There and back again: 0, +8 and 0 pixels.
  ASSERT_EQ(transform(s, d, {translation(0, 0), translation(8, 0), translation(0, 0)}), PF_Err_NONE);
  EXPECT_EQ(dst->pixel(60, 10), (PixelF{1, 0, 0, 0})) << "far from the light: the background, exactly";
  EXPECT_EQ(dst->pixel(20, 30), (PixelF{1, 0, 0, 0}));
  light = 0;
  for (int x = 0; x < 80; ++x) light += dst->pixel(x, 20).red;
  EXPECT_NEAR(light, 1.0, 0.02);
  EXPECT_GT(dst->pixel(24, 20).red, 0.05f);
  EXPECT_EQ(dst->pixel(30, 20).red, 0.0f) << "the path ends 8 pixels on";
  // A light on the first row of a 16-row tile leaves the tile above it even:
  // a background there of any colour still comes out exactly.
  const PixelF grey{1, 0.7f, 0.3f, 0.1f};
  src->fill(grey);
  src->setPixel(40, 16, {1, 1, 1, 1});
  ASSERT_EQ(transform(s, d, {translation(0, 0), translation(5, 0)}), PF_Err_NONE);
  EXPECT_EQ(dst->pixel(40, 8), grey);
  // A zoom blur streaks away from the centre and leaves it sharp.
  worlds(64, 64);
  src->setPixel(32, 32, {1, 1, 1, 1}); // at the zoom centre
  src->setPixel(60, 32, {1, 1, 1, 1}); // 28 pixels from it
  auto scale = [](double k) {
    PF_FloatMatrix m{};
    m.mat[0][0] = m.mat[1][1] = k;
    m.mat[2][2] = 1;
    m.mat[2][0] = m.mat[2][1] = 32.5 - k * 32.5;
    return m;
  };
  ASSERT_EQ(transform(s, d, {scale(0.9), scale(1.0)}), PF_Err_NONE);
  EXPECT_NEAR(dst->pixel(32, 32).red, 1.0f, 1e-3f);
  // The outer point moves from 57.7 to 60.5: its light spreads over about
  // three pixels, less bright in each.
  int lit = 0;
  for (int x = 50; x < 64; ++x) lit += dst->pixel(x, 32).red > 0.05f;
  EXPECT_GE(lit, 3);
  EXPECT_LT(dst->pixel(60, 32).red, 0.5f);
}

// A 2x2 source with red 0, 1 on the top row and 0.5, 0 below, scaled to 4x4:
// output centres land at source 0.25 and 0.75 (clamped to the edge pixels
// outside), so rows and columns mix in quarters.
TEST(PixelCopy, ResamplesBilinearlyAtEveryDepthReadingTheOriginalWithinOneBuffer) {
  for (host::PixelDepth depth : {host::PixelDepth::Bits8, host::PixelDepth::Bits16, host::PixelDepth::Float32}) {
    host::Image src(2, 2, depth), dst(4, 4, depth);
    src.setPixel(0, 0, {1, 0, 0, 0});
    src.setPixel(1, 0, {1, 1, 0, 0});
    src.setPixel(0, 1, {1, 0.5f, 0, 0});
    src.setPixel(1, 1, {1, 0, 0, 0});
    ASSERT_TRUE(host::copyPixels(viewOf(src), nullptr, viewOf(dst), nullptr));
    const float tolerance = depth == host::PixelDepth::Bits8 ? 1.0f / 255 : 1e-4f;
    // (1, 1) reads source (0.25, 0.25): top 0.25, bottom 0.375, mixed 0.28125;
    // (2, 1) reads source (0.75, 0.25): top 0.75, bottom 0.125, mixed 0.59375.
    for (auto [x, y, red] : {std::tuple{0, 0, 0.0f}, {3, 0, 1.0f}, {0, 3, 0.5f}, {3, 3, 0.0f}, {1, 1, 0.28125f},
                             {2, 1, 0.59375f}})
      EXPECT_NEAR(dst.pixel(x, y).red, red, tolerance) << x << "," << y;
    EXPECT_NEAR(dst.pixel(2, 1).alpha, 1.0f, tolerance);
  }
  // Scaling the left half of a row onto the whole row of the same buffer: the
  // right half's pixels are written before the left half's are all read, so
  // reading as it writes would copy already-scaled values.
  host::Image image(4, 1, host::PixelDepth::Float32);
  for (int x = 0; x < 4; ++x) image.setPixel(x, 0, {1, static_cast<float>(x), 0, 0});
  const PF_Rect left{0, 0, 2, 1}, whole{0, 0, 4, 1};
  ASSERT_TRUE(host::copyPixels(viewOf(image), &left, viewOf(image), &whole));
  const float expected[4] = {0.0f, 0.25f, 0.75f, 1.0f};
  for (int x = 0; x < 4; ++x) EXPECT_FLOAT_EQ(image.pixel(x, 0).red, expected[x]) << "pixel " << x;
  // Same-size rectangles whose parts on their buffers do not meet: nothing to
  // copy, which is a success.
  host::Image other(4, 1, host::PixelDepth::Float32);
  const PF_Rect rightOff{2, 0, 6, 1}, leftOff{-2, 0, 2, 1};
  EXPECT_TRUE(host::copyPixels(viewOf(image), &rightOff, viewOf(other), &leftOff));
}


// A new frame is not cleared before the first layer goes onto it, and a layer
// filling the frame becomes the frame in place: both must give what "over"
// onto transparent black gives, for every code (8-bit codes with every
// alpha, 16-bit codes above white, floats with signed zeros and values out
// of range).
TEST(PixelCopy, FirstLayerOfAFrameIsCompositedOntoTransparentBlack) {
  for (host::PixelDepth depth : {host::PixelDepth::Bits8, host::PixelDepth::Bits16, host::PixelDepth::Float32}) {
    host::Image layer(256, 256, depth);
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < 256; ++x) {
        std::byte *p = layer.row(y) + x * host::bytesPerPixel(depth);
        if (depth == host::PixelDepth::Float32) {
          const float values[] = {0.0f, -0.0f, 0.5f, 1.0f, 1.5f, -0.25f, 0.001f, 7.0f};
          const float px[4] = {values[y % 8], values[x % 8], values[(x / 8) % 8], values[(y / 8) % 8]};
          std::memcpy(p, px, sizeof px);
        } else if (depth == host::PixelDepth::Bits16) {
          const std::uint16_t px[4] = {static_cast<std::uint16_t>(y * 257), static_cast<std::uint16_t>(x * 257),
                                       static_cast<std::uint16_t>(x * 128), 0};
          std::memcpy(p, px, sizeof px);
        } else {
          const std::uint8_t px[4] = {static_cast<std::uint8_t>(y), static_cast<std::uint8_t>(x),
                                      static_cast<std::uint8_t>(255 - x), static_cast<std::uint8_t>(x / 2)};
          std::memcpy(p, px, sizeof px);
        }
      }
    host::Image expected(300, 260, depth); // cleared
    host::compositeOver(layer, expected, 30, -4);
    host::Image canvas(300, 260, depth);
    canvas.fill({0.3f, 0.2f, 0.1f, 0.9f}); // what a reused buffer may hold
    host::compositeOverClear(layer, canvas, 30, -4);
    EXPECT_TRUE(canvas.samePixels(expected)) << static_cast<int>(depth) << " bits, layer inside a larger frame";

    host::Image whole(256, 256, depth);
    host::compositeOver(layer, whole, 0, 0);
    host::compositeOntoClear(layer);
    EXPECT_TRUE(layer.samePixels(whole)) << static_cast<int>(depth) << " bits, in place";
  }
}

} // namespace
