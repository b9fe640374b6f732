#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <map>
#include <numbers>
#include <tuple>
#include <vector>

#include "flash/default_curves.h"
#include "flash/flash_volume.h"
#include "flash/shape_curve.h"
#include "render/render_host_support.h"
#include "render/world_buffer.h"

namespace vlam {
namespace {

using vlam_render_test::RenderTestHost;

// A small flash under the host's default camera: the layer plane at depth
// zoom, seen one to one.
class FlashVolumeTest : public ::testing::Test {
 protected:
  static constexpr A_long kWidth = 161;
  static constexpr A_long kHeight = 101;

  void SetUp() override {
    ASSERT_EQ(target.Create(&host.in_data, kWidth, kHeight, PF_PixelFormat_ARGB128, "FLASH_WORLD"),
              PF_Err_NONE);
    ASSERT_EQ(target.Clear(), PF_Err_NONE);
    const double zoom = MakeCompCamera(kWidth, kHeight, 1.0, 1.0, nullptr, false).zoom;
    const Matrix4 hostCamera = Matrix4::FromHost(vlam_render_test::DefaultCameraMatrix(kWidth, kHeight, zoom));
    camera = MakeCompCamera(kWidth, kHeight, 1.0, 1.0, &hostCamera, false);
    table.resize(kRenderDistanceTableSize * kRenderDistanceTableSize);
    FillDistanceTable(table.data(), kRenderDistanceTableSize);
    MakeDefaultMainCurve(profile);
    MakeDefaultPetalCurve(profileB);
    field = NoiseField::MakeSeeded(1234);
    std::tie(field.row, field.baseFreq, field.octaveAmp, field.largeAmp, field.largeFreq) =
        std::tuple(7.0, 0.01, 4.0, 3.0, 0.05);
    sparkNoise = NoiseField::MakeReference(5.0, 1.372490586);

    // Muzzle 40 pixels left of the centre, pointing right and a little down.
    Matrix4 r = Matrix4::Identity();
    r.SetRotation(0.3, 0.2, 0.15);
    Matrix4 p = Matrix4::Identity();
    p.SetTranslation(-40, 0, 0);
    const Matrix4 v = ViewRotation(camera), t = ViewTranslation(camera);
    view = Matrix4::Product(Matrix4::Product(Matrix4::Product(r, t), p), v);

    volume.Reset();
    volume.Init(&target, 1.0, 1);
    volume.SetCamera(&camera);
    volume.SetDistTable(table.data());
    volume.SetGrid(2, 11);
    volume.SetColour(&colour, 1, 0.6);
    volume.SetNoise(&field);
    volume.SetView(view);
    const double weights[4] = {1.0, 5.0, 5.5, 3.45}, freqs[4] = {1.0, 2.3, 6.4, 11.8};
    std::copy_n(weights, 4, volume.octaveWeight);
    std::copy_n(freqs, 4, volume.octaveFreq);
    volume.SetShape(&profile, 0.55f, 60, 24, 3);
    volume.SetFalloff(0.5, 0.6, 0.3, 0.0);
    volume.SetBlend(0.4, &profileB);
    volume.SetAxialStart(8);
  }

  // A view that keeps x and y and puts every point at depth zoom, so the
  // projection is the identity in x and y; `zOnRows` puts z on the rows instead.
  void SeeFlat(bool zOnRows = false) {
    Matrix4 flat = Matrix4::Identity();
    flat.At(2, 2) = 0.0;
    flat.At(2, 3) = camera.zoom;
    if (zOnRows) {
      flat.At(1, 1) = 0.0;
      flat.At(1, 2) = 1.0;
    }
    volume.SetView(flat);
  }
  // A profile that holds `y` from end to end.
  static ShapeCurve Constant(double y) {
    ShapeCurve c{};
    ResetShapeCurve(c, 16);
    AddShapePoint(c, 0, y);
    AddShapePoint(c, 1, y);
    return c;
  }
  // The light a body cell at (x, row) of the flat view shines with at density d:
  // (max(brightness noise, d) + 1) / 2 x d.
  double Shine(double x, double row, double d) const {
    const double nu = std::clamp(field.Noise3(x, row, static_cast<float>(camera.zoom)), 0.0, 1.0);
    return (std::max(nu, d) + 1.0) * 0.5 * d;
  }
  // Clears the buffer and the marks for the next drawing of the same flash.
  void Restart() {
    ASSERT_EQ(target.Clear(), PF_Err_NONE);
    volume.Reset();
    volume.SetView(view);
  }

  // The splats of body iteration `first` of `count`, or with no count those
  // of spark `first`.
  std::vector<Splat> Body(A_long first, A_long count) {
    SplatSlot slot;
    slot.Reset(kWidth, kHeight);
    if (count > 0)
      volume.CollectBodyIteration(first, count, slot);
    else
      volume.CollectSpark(static_cast<A_u_long>(first), slot);
    std::vector<Splat> out;
    for (const Splat& s : slot.splats) out.push_back(s);
    return out;
  }

  std::vector<unsigned char> Bytes() {
    const PF_EffectWorld& w = target.World();
    std::vector<unsigned char> out;
    for (A_long y = 0; y < w.height; ++y) {
      const unsigned char* row = reinterpret_cast<const unsigned char*>(w.data) + y * w.rowbytes;
      out.insert(out.end(), row, row + w.width * sizeof(PF_PixelFloat));
    }
    return out;
  }
  PF_PixelFloat& Px(A_long x, A_long y) {
    PF_EffectWorld& w = target.World();
    return reinterpret_cast<PF_PixelFloat*>(reinterpret_cast<char*>(w.data) + y * w.rowbytes)[x];
  }
  double Light() {
    double s = 0;
    for (A_long y = 0; y < kHeight; ++y)
      for (A_long x = 0; x < kWidth; ++x) s += Px(x, y).red + Px(x, y).green + Px(x, y).blue;
    return s;
  }
  bool AlphaOpaque() {
    for (A_long y = 0; y < kHeight; ++y)
      for (A_long x = 0; x < kWidth; ++x)
        if (Px(x, y).alpha != 1.0f) return false;
    return true;
  }

  RenderTestHost host;
  WorldBuffer target;
  CompCamera camera{};
  Matrix4 view{};
  std::vector<uint16_t> table;
  ShapeCurve profile{}, profileB{};
  NoiseField field{}, sparkNoise{};
  PF_PixelFloat colour{1.0f, 0.9f, 0.5f, 0.2f};
  FlashVolume volume;
};

// Length and diameter grow by up to 0.6 and 0.2 between energy 0.4 and 1
// and shrink towards 0.025 and 0.05 of themselves below 0.4; slice counts
// are truncated and rounded up to even, diameters truncated.
TEST_F(FlashVolumeTest, ShapeSizesAndSharesFollowTheEnergy) {
  const struct { float energy; double L, D; A_long slices, cells; } cases[] = {
      {0.4f, 60, 24, 60, 24},   {0.4f, 251, 7, 252, 7}, {0.4f, 13, 100, 14, 100}, {1.0f, 100, 50, 160, 60},
      {1.2f, 100, 50, 160, 60}, {3.0f, 100, 50, 160, 60}, {0.0f, 100, 50, 2, 2},  // trunc(2.5)
      {0.2f, 100, 50, 52, 26},  // 2.5 + 97.5 x 0.5 and 2.5 + 47.5 x 0.5
      {-1.0f, 1000, 50, 26, 2}};
  for (const auto& [energy, L, D, slices, cells] : cases) {
    volume.SetShape(&profile, energy, L, D, 0);
    EXPECT_EQ(volume.SliceCount(), slices) << energy << " " << L;
    EXPECT_EQ(volume.DiameterCells(), cells) << energy << " " << D;
  }
  EXPECT_EQ(volume.BaseSliceCount(), 26);
  volume.JitterLength(-3.5);
  EXPECT_EQ(volume.SliceCount(), 22);  // trunc(22.5)
  volume.JitterLength(5.0);
  EXPECT_EQ(volume.SliceCount(), 32);  // 31 -> 32
  volume.SetSparks(4, 77.9, 0.1, &colour, 1.0, 0.5, &sparkNoise);
  EXPECT_EQ(volume.SliceCount(), 77);  // not made even

  // The axial start (8 / step 2) shows in TheFirstSliceWorkedOutByHand.
  volume.SetBlend(1.7, &profileB);
  EXPECT_EQ(volume.BlendWeight(), 1.0);
  volume.SetBlend(-0.5, &profileB);
  EXPECT_EQ(volume.BlendWeight(), -0.5);
  // The core's share: the falloff's a up to energy 0.4, half of it from 1.
  for (const auto& [energy, coreA] : {std::pair{5.0f, 0.3}, std::pair{1.0f, 0.3}, std::pair{0.2f, 0.6}}) {
    volume.SetShape(&profile, energy, 10, 10, 0);
    volume.SetFalloff(0.6, 0.8, 0, 0);
    EXPECT_NEAR(volume.CoreA(), coreA, 1e-9) << energy;
  }
  EXPECT_DOUBLE_EQ(volume.CoreMid(), (0.4 * 0.9 + 0.4 * 0.6) * 0.8);
  EXPECT_DOUBLE_EQ(volume.CoreStart(), 0.8 - volume.CoreMid());
}

// Body and spark passes on any number of threads and iterations, in any
// order, give the bytes of one thread drawing in order, at both qualities;
// drawing again adds the same light again; an iterate error draws nothing.
TEST_F(FlashVolumeTest, ParallelPassesGiveTheBytesOfOneThreadInOrder) {
  for (A_u_long quality : {1u, 0u}) {
    Restart();
    volume.Init(&target, 1.0, quality);
    volume.BodySlices(0, volume.BodySliceCount());
    const std::vector<unsigned char> serial = Bytes();
    const std::vector<bool> serialCols = volume.Marks().ColumnBits();
    ASSERT_GT(Light(), 1.0);
    for (A_long threads : {1, 2, 3}) {
      for (A_long iterations : {0, 1, 2, 5, 64}) {  // 0: the host's thread count
        host.host_threads = threads;
        host.shuffleSeed = static_cast<uint32_t>(17 * threads + iterations);
        Restart();
        const int calls = host.Count("IterateGeneric");
        ASSERT_EQ(volume.RunBodyPass(iterations), PF_Err_NONE);
        // Collecting, then drawing unless one thread draws everything.
        EXPECT_EQ(host.Count("IterateGeneric") - calls, std::min(iterations > 0 ? iterations : threads, threads) > 1 ? 2 : 1);
        ASSERT_EQ(Bytes(), serial) << threads << " threads, " << iterations << " iterations";
        ASSERT_EQ(volume.Marks().ColumnBits(), serialCols);
      }
    }
    ASSERT_EQ(volume.RunBodyPass(2), PF_Err_NONE);
    EXPECT_NE(Bytes(), serial);
  }
  EXPECT_TRUE(AlphaOpaque());

  Restart();
  volume.SetSparks(9, 60, 0.2, &colour, 0.02, 0.5, &sparkNoise);
  for (A_u_long i = 0; i < 9; ++i) volume.Spark(i);
  const std::vector<unsigned char> sparks = Bytes();
  const std::vector<bool> sparkCols = volume.Marks().ColumnBits();
  ASSERT_GT(Light(), 0.0);
  EXPECT_NE(std::count(sparkCols.begin(), sparkCols.end(), true), 0);  // sparks mark their columns
  for (A_long threads : {1, 2, 4}) {
    host.host_threads = threads;
    Restart();
    ASSERT_EQ(volume.RunSparkPass(threads), PF_Err_NONE);
    EXPECT_EQ(Bytes(), sparks) << threads;
    EXPECT_EQ(volume.Marks().ColumnBits(), sparkCols) << threads;
  }
  EXPECT_TRUE(AlphaOpaque());

  ASSERT_EQ(target.Clear(), PF_Err_NONE);
  host.Fail("IterateGeneric", A_Err_GENERIC, 1, true);
  EXPECT_EQ(volume.RunBodyPass(2), A_Err_GENERIC);
  EXPECT_EQ(Light(), 0.0);
  EXPECT_EQ(host.registry.outstanding(), 0);
}

// The passes that follow clear and copy only inside the reached rectangle,
// so every pixel a pass changed must lie inside it; it also stays close to
// the changed pixels (within the brushes' one-pixel margin and weight-0 rim).
TEST_F(FlashVolumeTest, ReachedRectangleHoldsEveryChangedPixel) {
  for (A_u_long quality : {1u, 0u}) {
    Restart();
    volume.Init(&target, 1.0, quality);
    EXPECT_LE(volume.ReachedRect().right, volume.ReachedRect().left);
    volume.BarrelPass(6, 4);
    volume.CorePass(5, 10);
    ASSERT_EQ(volume.RunBodyPass(3), PF_Err_NONE);
    volume.SetSparks(20, 40, 0.4, &colour, 0.05, 0.2, &sparkNoise);
    ASSERT_EQ(volume.RunSparkPass(2), PF_Err_NONE);
    const PF_Rect r = volume.ReachedRect();
    A_long x0 = kWidth, y0 = kHeight, x1 = -1, y1 = -1;
    for (A_long y = 0; y < kHeight; ++y)
      for (A_long x = 0; x < kWidth; ++x) {
        const PF_PixelFloat& p = Px(x, y);
        if (p.red == 0.0f && p.green == 0.0f && p.blue == 0.0f) continue;
        ASSERT_TRUE(x >= r.left && x < r.right && y >= r.top && y < r.bottom) << x << "," << y;
        x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
      }
    ASSERT_GE(x1, 0) << "nothing drawn";
    EXPECT_LE(std::max({x0 - r.left, y0 - r.top, r.right - 1 - x1, r.bottom - 1 - y1}), 3);
    EXPECT_LT(r.right - r.left, kWidth);
  }
}

// With the render's distance table a slice only visits the cells whose
// offsets are below its radius; a table that breaks that bound (here in a
// cell far outside this flash) makes it visit every cell. Same splats.
TEST_F(FlashVolumeTest, FarCellsAreSkippedAndEachPetalReadsTheNoise67RowsOn) {
  const std::vector<Splat> skipping = Body(0, 1);
  std::vector<uint16_t> odd = table;
  odd[120 * kRenderDistanceTableSize] = 0;
  volume.SetDistTable(odd.data());
  const std::vector<Splat> everyCell = Body(0, 1);
  ASSERT_GT(skipping.size(), 100u);
  ASSERT_EQ(skipping.size(), everyCell.size());
  EXPECT_EQ(std::memcmp(skipping.data(), everyCell.data(), skipping.size() * sizeof(Splat)), 0);
  volume.SetDistTable(table.data());

  // Each petal reads the displacement noise 67 rows on from the one before:
  // petal i of a field draws what the main shape (index 0) draws 67 i rows on.
  const auto splats = [&](A_u_short index, double row) {
    volume.SetPetalIndex(index);
    field.row = row;
    std::vector<float> out;
    for (const Splat& p : Body(0, 1)) out.insert(out.end(), {float(p.x), float(p.y), float(p.size), p.red});
    return out;
  };
  for (const A_u_short i : {1, 3}) {
    const std::vector<float> petal = splats(i, 7.0);
    EXPECT_EQ(petal, splats(0, 7.0 + 67.0 * i)) << i;
    EXPECT_NE(petal, splats(0, 7.0)) << i;
  }
}

// The cell on the axis draws nothing (diameter 1 with a full profile: the
// slice radius 0.5 rounds to 1 and the axis is the only cell), nor do slices
// whose radius rounds below 1 (0.04 x 12) or that lie before the start.
TEST_F(FlashVolumeTest, AxisCellsThinSlicesAndSlicesBeforeTheStartDrawNothing) {
  const ShapeCurve full = Constant(1), thin = Constant(0.04);
  volume.SetBlend(0.0, nullptr);
  const struct { const ShapeCurve* curve; float energy; double D, start; bool lit; } cases[] = {
      {&full, 0.4f, 1, 0.0, false}, {&full, 0.4f, 3, 0.0, true},  // diameter 3 has cells beside the axis
      {&thin, 0.55f, 24, 0.0, false}, {&profile, 0.55f, 24, 2.5, false},  // begins at t = 1.25
      {&profile, 0.55f, 24, 1.0, true}};                                  // begins at t = 0.5
  for (const auto& [curve, energy, D, start, lit] : cases) {
    Restart();
    volume.SetShape(curve, energy, curve == &full ? 40 : 60, D, 3);
    volume.SetFalloff(0.5, 0.6, 0.3, start);
    volume.BodySlices(0, volume.BodySliceCount());
    EXPECT_EQ(Light() > 0.0, lit) << D << " " << start;
    DirtyRect r{-1, -1, -1, -1, 0, 0};
    volume.DirtyRectangle(r);
    EXPECT_TRUE(lit || r.x0 == -1) << "a dark flash marks nothing: " << D << " " << start;
  }
}

TEST_F(FlashVolumeTest, WithoutDisplacementBodyPointsLieOnTheGrid) {
  // Seen flat; the odd buffer size puts the centre half-way in a pixel, so
  // truncation is robust.
  SeeFlat();
  // 31 slices: slice 3 lies at t = 0.1 exactly.
  volume.SetShape(&profile, 0.4f, 62, 24, 3);
  const A_long N = volume.BodySliceCount(), cx = kWidth / 2, cy = kHeight / 2;
  ASSERT_EQ(N, 31);
  std::vector<float> still, stillEarly;
  const struct { double octave, large; } cases[] = {{0.0, 0.0}, {4.0, 4.0}, {0.0, 0.3}};
  for (const auto& [octave, large] : cases) {
    field.octaveAmp = octave;
    field.largeAmp = large;
    const std::vector<Splat> splats = Body(0, 1);
    ASSERT_FALSE(splats.empty());
    int offGrid = 0, tipRows = 0;
    std::vector<float> drawn, early;
    for (const Splat& s : splats) {
      const A_long x = s.x - cx, y = s.y - cy;
      // x = (slice + axial start) x step, y = a cell row o + a.
      const bool onGrid = x % 2 == 0 && x >= 8 && std::abs(y) <= 12;
      offGrid += onGrid ? 0 : 1;
      drawn.insert(drawn.end(), {float(s.x), float(s.y), float(s.size), s.red});
      // The large scale fades in from t = 0.1 (slice 3) to 0.3: none before.
      if (x / 2 - 4 <= 3) early.insert(early.end(), {float(s.x), float(s.y), float(s.size), s.red});
      // Past the core (t > 0.6) only cells with both offsets on the grid
      // draw: every other row, one parity.
      if (x / 2 - 4 > 0.6 * (N - 1)) tipRows |= 1 << (y & 1);
    }
    if (large == 0.0) {
      EXPECT_EQ(offGrid, 0);
      EXPECT_TRUE(tipRows == 1 || tipRows == 2) << tipRows;
      still = drawn;
      stillEarly = early;
      ASSERT_FALSE(early.empty());
    } else if (octave > 0.0) {
      EXPECT_GT(offGrid, 0);  // the check above does see displacement
    } else {
      // A weak large-scale displacement alone still moves the points, if only
      // by a fraction of a pixel: the brightness noise read where they land shows it.
      EXPECT_NE(drawn, still);
      EXPECT_EQ(early, stillEarly);
    }
  }
}

TEST_F(FlashVolumeTest, SparksRunTheirLengthAlongTheirOwnNoise) {
  EXPECT_EQ(volume.SparkSteps(0), 0);  // no spark noise yet: no steps
  // Steps are the shaped noise times the maximum length, rounded.
  volume.SetSparks(60, 40, 0.2, &colour, 0.02, 0.0, &sparkNoise);
  for (A_u_long i = 0; i < 60; ++i) {
    const double maximum = i % 6 == 0 ? 80.0 : 60.0;
    const double m = sparkNoise.N01(volume.SparkPhase(i) * 456.742593);
    EXPECT_NEAR(volume.SparkSteps(i), m * maximum, 0.5) << i;
  }
  EXPECT_DOUBLE_EQ(volume.SparkPhase(2), 2 * 0.0036499782556742894 + 3.5527031625994696 + 3);

  // A spark whose random turn is cancelled leaves the muzzle along x, wiggled
  // in y and z by its own path noise, 2.75 x the octave amplitude: seen flat
  // with y, then z, on the rows, its last step lands at (S - 1, wiggle) in
  // the colour worked out below.
  const double W = 2.75 * field.octaveAmp;
  for (const bool zOnRows : {false, true}) {
    SeeFlat(zOnRows);
    for (A_u_long i = 0; i < 12; ++i) {
      const double sigma = volume.SparkPhase(i);
      const double turn = sparkNoise.N1(sigma * 246.13579) * 0.0872664625997165;
      volume.SetSparks(12, 40, -turn, &colour, 0.02, 0.0, &sparkNoise);
      const A_long S = volume.SparkSteps(i);
      if (S < 2) continue;
      const NoiseField path = NoiseField::MakeSeeded(static_cast<uint32_t>(sigma * 890.1230412));
      const double k = S - 1.0;
      const double wiggle = zOnRows ? path.Noise3(k * 0.02, 1.0, 1.0) : path.Noise3(k * 0.02, 0.0, 0.0);
      const double X = kWidth * 0.5 + k, Y = kHeight * 0.5 + wiggle * W;
      const std::vector<Splat> splats = Body(static_cast<A_long>(i), 0);
      ASSERT_GE(splats.size(), 1u);
      // The last step splats bilinearly onto the pixels around (X, Y), and
      // no step goes further.
      bool found = false;
      for (std::size_t j = splats.size() > 4 ? splats.size() - 4 : 0; j < splats.size(); ++j)
        found |= std::abs(splats[j].x - X) <= 1.0 && std::abs(splats[j].y - Y) <= 1.0;
      for (const Splat& p : splats) EXPECT_LE(p.x, X + 1.0) << i;
      EXPECT_TRUE(found) << "spark " << i << (zOnRows ? " z" : " y") << ": expected near " << X << ", " << Y
                         << ", last splat at " << splats.back().x << ", " << splats.back().y;
      // Its colour: the base warmed in red by up to 1.75 times, brightened as
      // its fade-in g = 1 - sin(pi / 2S) passes phi0, a noise share of 0.65..0.95.
      const double tau = sparkNoise.N01(sigma * 423.124412);
      const double phi0 = 0.65 + 0.3 * sparkNoise.N01(sigma * 513.2498706);
      const double g = 1.0 - std::sin(std::numbers::pi / (2.0 * S));
      const double alpha = g < phi0 ? 0.0 : (g - phi0) * 100.0 / (1.0 - phi0);
      EXPECT_NEAR(splats.back().red, colour.red * (1.0 + 0.75 * tau) * alpha * 0.02, 1e-5) << i;
      EXPECT_NEAR(splats.back().green, colour.green * alpha * 0.02, 1e-5) << i;
      EXPECT_NEAR(splats.back().blue, colour.blue * alpha * 0.02, 1e-5) << i;
      // Each step from S x phi0 on shares weight 1 among its pixels (up to the
      // 0.01 a neighbour needs before it is used, on each axis).
      double weight = 0.0;
      for (const Splat& p : splats) weight += p.factor;
      const double steps = S - std::floor(S * phi0);
      EXPECT_NEAR(weight, steps, 0.02 * steps) << i;
    }
  }
}

// A stronger falloff only dims. Without displacement every cell splats at a
// fixed pixel whatever its density, so each slice's light is compared pixel
// by pixel. Falloffs at or below zero share the radial falloff, and at -1 the
// tip fade begins past the tip: falloff c leaves each slice before
// t0 = 0.8 - 0.675 c as it is and dims every slice after it.
TEST_F(FlashVolumeTest, AStrongerFalloffOnlyDimsAndTheTipFadeBeginsAtItsPlace) {
  field.octaveAmp = field.largeAmp = 0.0;
  const A_long N = volume.BodySliceCount();
  ASSERT_GT(N, 20);
  using Light = std::map<std::pair<A_long, A_long>, double>;
  const auto slices = [&](double c) {
    volume.SetFalloff(0.5, 0.6, c, 0.0);
    std::vector<Light> out(N);
    for (A_long s = 0; s < N; ++s)
      for (const Splat& p : Body(s, N)) out[s][{p.x, p.y}] += p.red + p.green + p.blue;
    return out;
  };
  const struct { double weaker, stronger; bool sameRadial; } pairs[] = {
      {-1.0, 0.0, true}, {-1.0, -0.12, true}, {-1.0, -0.2, true}, {0.0, 0.5, false}, {0.5, 1.0, false},
      {1.0, 3.0, false}};
  for (const auto& [weaker, stronger, sameRadial] : pairs) {
    const std::vector<Light> ref = slices(weaker), dim = slices(stronger);
    const double t0 = 0.8 - 0.675 * stronger;
    for (A_long s = 0; s < N; ++s) {
      SCOPED_TRACE("falloff " + std::to_string(weaker) + " against " + std::to_string(stronger) + ", slice " +
                   std::to_string(s));
      double refSum = 0.0, dimSum = 0.0;
      for (const auto& [at, light] : ref[s]) refSum += light;
      for (const auto& [at, light] : dim[s]) {
        dimSum += light;
        EXPECT_LE(light, ref[s].count(at) ? ref[s].at(at) : 0.0);
      }
      if (sameRadial && static_cast<double>(s) / (N - 1) < t0) {
        EXPECT_EQ(dim[s], ref[s]);
      } else if (sameRadial && refSum > 0.0) {
        EXPECT_LT(dimSum, refSum);
      }
    }
  }
}

// The core, seen flat: rings k of m, each the cells nearer than n / 2 to the
// axis (21 for n = 5 and 6: distances 0, 1, 1.4, 2 and 2.2; 2.8 and 3 are
// not nearer than 3), each cell one pixel (brush (9 - 6) / 2, truncated) of
// the colour times 0.75 x (1 - k / (m - 1)); a single ring shines at 0.75.
TEST_F(FlashVolumeTest, CoreRingsFadeFromThreeQuartersOfTheColour) {
  SeeFlat();
  volume.SetGrid(2, 9);
  const double colourSum = colour.red + colour.green + colour.blue;
  const struct { A_long n, m; double rings; } cases[] = {{5, 1, 0.75}, {5, 2, 0.75}, {5, 4, 1.5}, {6, 4, 1.5}};
  for (const auto& [n, m, rings] : cases) {
    ASSERT_EQ(target.Clear(), PF_Err_NONE);
    volume.CorePass(n, m);
    EXPECT_NEAR(Light(), colourSum * 21 * rings, 1e-4) << "n " << n << ", " << m << " rings";
  }
}

// The first slice worked out by hand, seen flat and without displacement:
// energy 1 makes the diameter 1.2 x 20 = 24 cells (radius 12), the density
// factor 0.1 and the core weight 1; the profile's 0.16 at the muzzle rounds
// to radius 2, which leaves the 8 cells at distance 1, all in the core
// (its share 0.25 at energy 1: core radius (0.75 + 0.25 / 4) x 2, truncated
// to 1). Each has
// density 1/3 x 0.1; thin as that, it takes 0.6 x (1 - 4 density) of the
// cool colour (green x 0.4, blue x 0.2) and shines at
// (max(brightness noise, density) + 1) / 2 x density.
TEST_F(FlashVolumeTest, TheFirstSliceWorkedOutByHand) {
  field.octaveAmp = field.largeAmp = 0.0;
  SeeFlat();
  volume.SetShape(&profile, 1.0f, 60, 20, 3);
  volume.SetFalloff(0.5, 0.6, 0.3, 0.0);
  const double density = 0.333333333 * 0.1, tau = 0.6 * (1.0 - 4.0 * density);
  int cells = 0;
  for (const Splat& p : Body(0, volume.BodySliceCount())) {
    ++cells;
    const A_long y = p.y - kHeight / 2;  // the cell's row; its column is dropped
    EXPECT_EQ(p.x, kWidth / 2 + 8);  // the axial start
    ASSERT_LE(std::abs(y), 1);
    const double shine = Shine(8.0, y, density);
    EXPECT_NEAR(p.red, colour.red * shine, 1e-6) << y;
    EXPECT_NEAR(p.green, colour.green * (1.0 - 0.6 * tau) * shine, 1e-6) << y;
    EXPECT_NEAR(p.blue, colour.blue * (1.0 - 0.8 * tau) * shine, 1e-6) << y;
  }
  EXPECT_EQ(cells, 8);

  // Past the core (t > 0.6) only cells on the grid draw, at density
  // 1/3 x phi x 0.1 where their radius is below 0.78 of the slice's: on row
  // 1 the brightest splat shows the tip fade phi of u = 1 - (t - t0) / (1 - t0),
  // t0 = 0.5975: 2u^2 below u = 0.5, (4 - 2u) u - 1 above.
  const A_long N = volume.BodySliceCount();
  int checked = 0;
  for (A_long s = N / 2; s < N; ++s) {
    const double t = static_cast<double>(s) / (N - 1), u = 1.0 - (t - 0.5975) / (1.0 - 0.5975);
    const double phi = u < 0.5 ? 2.0 * u * u : (4.0 - 2.0 * u) * u - 1.0;
    const double delta = 0.333333333 * phi * (1.0 - 0.6 * 1.5);
    if (t <= 0.6 || delta <= 0.00625) continue;
    float brightest = 0.0f;
    for (const Splat& p : Body(s, N))
      if (p.y == kHeight / 2 + 1) brightest = std::max(brightest, p.red);
    EXPECT_NEAR(brightest, colour.red * Shine((s + 4) * 2.0, 1.0, delta), 1e-6) << "slice " << s << ", u " << u;
    checked += u < 0.5 ? 1 : 0;
  }
  EXPECT_GE(checked, 2);  // the lower half of the fade was seen

  // Through the core (t from 0.135 to 0.6, falloff share 0.25) the core
  // weight falls linearly from 1 to 1/3. A constant profile of 0.16 keeps the
  // radius at 2, so the eight cells at distance 1 stay in the core while it
  // has shrunk by at most a third (its first half): density weight / 3 x 0.1.
  const ShapeCurve thin = Constant(0.16);
  volume.SetShape(&thin, 1.0f, 60, 20, 3);
  volume.SetBlend(0.0, nullptr);
  checked = 0;
  for (A_long s = 0; s < N; ++s) {
    const double w = (static_cast<double>(s) / (N - 1) - 0.135) / 0.465;
    if (w <= 0.0 || w > 0.5) continue;
    const double density = ((1.0 - w) + w / 3.0) / 3.0 * 0.1;
    for (const Splat& p : Body(s, N)) {
      if (p.y != kHeight / 2 + 1) continue;
      EXPECT_NEAR(p.red, colour.red * Shine((s + 4) * 2.0, 1.0, density), 1e-6) << "slice " << s;
      ++checked;
    }
  }
  EXPECT_GE(checked, 3 * 5);  // three cells on the row in each of several slices
}

TEST_F(FlashVolumeTest, BarrelHidesTheCoreWhenItPointsAtTheCamera) {
  // Pointing straight at the camera: the barrel (behind the muzzle) is
  // nearer than the core and covers it.
  Matrix4 towards{};
  for (const auto& [row, col] : {std::pair{0, 1}, {1, 2}, {2, 0}, {3, 3}})
    towards.At(row, col) = 1.0;
  towards.At(2, 3) = camera.zoom;
  volume.SetView(towards);
  volume.CorePass(5, 10);
  const double open = Light();
  ASSERT_GT(open, 0.0);
  ASSERT_EQ(target.Clear(), PF_Err_NONE);
  volume.BarrelPass(12, 4);
  volume.CorePass(5, 10);
  EXPECT_LT(Light(), open * 0.2);
  // Seen from the front: the three caps are discs (the last one, ring 2,
  // shows) and ring 3 is a tube wall from radius R - 2 = 4 to R = 6 cells, one
  // cell nearer: across the centre row, the cap to 3 pixels out, the wall beyond.
  const DepthBuffer& depth = volume.Depth();
  const float cap = depth.Read(kWidth / 2, kHeight / 2);
  ASSERT_LT(cap, FLT_MAX);
  for (A_long dx = -8; dx <= 8; ++dx) {
    const float expected = std::abs(dx) <= 3 ? cap : (dx >= -6 && dx <= 5) ? cap - 1.0f : FLT_MAX;
    EXPECT_NEAR(depth.Read(kWidth / 2 + dx, kHeight / 2), expected, 1e-3) << dx;
  }
  EXPECT_TRUE(AlphaOpaque());
}

}  // namespace
}  // namespace vlam
