// The per-depth iterate suites: which pixels the pixel function sees, with
// which coordinates and source pixels, and how a cancelled render stops them
// (that the host's pool runs work on several threads at once is checked
// through the AEGP iterate suite, which the module calls).
#include "host_support.h"

#include <atomic>

using namespace vlam;

namespace {

// One depth: its pixel type, buffer depth and suite.
template <class P, class S> struct Depth {
  using Pixel = P;
  using Suite = S;
  host::PixelDepth depth;
  const char *suite;
};
using Depth8 = Depth<PF_Pixel8, PF_Iterate8Suite1>;
using Depth16 = Depth<PF_Pixel16, PF_iterate16Suite1>;
using DepthFloat = Depth<PF_PixelFloat, PF_iterateFloatSuite1>;

template <class Pixel> Pixel *at(const PF_EffectWorld &w, int x, int y) {
  return reinterpret_cast<Pixel *>(reinterpret_cast<char *>(w.data) + static_cast<std::ptrdiff_t>(w.rowbytes) * y) + x;
}

// What the pixel function saw.
struct Visits {
  const PF_EffectWorld *dst = nullptr;
  int width = 0, height = 0;
  std::vector<std::atomic<int>> count;
  std::atomic<int> badOut{0};
  int failRowA = -1, failRowB = -1;
  explicit Visits(const PF_EffectWorld &d)
      : dst(&d), width(d.width), height(d.height), count(static_cast<std::size_t>(d.width * d.height)) {}
};

// Records the visit, checks that `out` is the destination pixel at (x, y),
// writes the source pixel's red and green (its own x and y) plus one.
template <class Pixel> PF_Err visit(void *refcon, A_long x, A_long y, Pixel *in, Pixel *out) {
  Visits &v = *static_cast<Visits *>(refcon);
  if (x < 0 || y < 0 || x >= v.width || y >= v.height) {
    ++v.badOut;
    return PF_Err_NONE;
  }
  ++v.count[static_cast<std::size_t>(y * v.width + x)];
  if (out != at<Pixel>(*v.dst, x, y)) ++v.badOut;
  if (y == v.failRowA && x == 2) return 7;
  if (y == v.failRowB && x == 2) return 9;
  *out = *in;
  out->blue = static_cast<decltype(out->blue)>(in->blue + 1);
  return PF_Err_NONE;
}

class PixelIterate : public test::HostTest {
public:
  using HostTest::host;
  using HostTest::suite;
  PF_InData in{};

  // A buffer whose pixel (x, y) holds red x, green y, blue 10.
  template <class D> PF_EffectWorld source(const D &d, int w, int h) {
    PF_EffectWorld world{};
    host.worlds().create(w, h, d.depth, world);
    using Pixel = typename D::Pixel;
    using Channel = decltype(Pixel::red);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        *at<Pixel>(world, x, y) = {Channel(1), static_cast<Channel>(x), static_cast<Channel>(y), Channel(10)};
    return world;
  }
  PF_EffectWorld blank(host::PixelDepth depth, int w, int h) {
    PF_EffectWorld world{};
    host.worlds().create(w, h, depth, world);
    return world;
  }
};

template <class D> void everyPixelOnce(PixelIterate &t, const D &d) {
  SCOPED_TRACE(d.suite);
  using Pixel = typename D::Pixel;
  const auto *s = t.template suite<typename D::Suite>(d.suite, 1);
  ASSERT_NE(s, nullptr);
  PF_EffectWorld src = t.source(d, 37, 23), dst = t.blank(d.depth, 37, 23);
  Visits v(dst);
  ASSERT_EQ(s->iterate(&t.in, 0, 23, &src, nullptr, &v, visit<Pixel>, &dst), PF_Err_NONE);
  EXPECT_EQ(v.badOut.load(), 0) << "x, y and the output pixel agree";
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 37; ++x) {
      ASSERT_EQ(v.count[static_cast<std::size_t>(y * 37 + x)].load(), 1) << x << "," << y;
      const Pixel p = *at<Pixel>(dst, x, y);
      ASSERT_EQ(p.red, x);
      ASSERT_EQ(p.green, y);
      ASSERT_EQ(p.blue, 11) << "the source pixel at the same place was handed in";
    }
  t.host.worlds().dispose(src);
  t.host.worlds().dispose(dst);
}

TEST_F(PixelIterate, EveryPixelOnceTheOverlappingPixelsOnlyAndErrorsAndCancellationStop) {
  everyPixelOnce(*this, Depth8{host::PixelDepth::Bits8, kPFIterate8Suite});
  everyPixelOnce(*this, Depth16{host::PixelDepth::Bits16, kPFIterate16Suite});
  everyPixelOnce(*this, DepthFloat{host::PixelDepth::Float32, kPFIterateFloatSuite});
  // An origin far outside or a smaller source: only overlapping pixels (the
  // module calls none of these suites: what remains are the reads past a
  // buffer and the refusals); errors and cancellation stop.
  const Depth16 d{host::PixelDepth::Bits16, kPFIterate16Suite};
  const auto *s = suite<PF_iterate16Suite1>(d.suite, 1);
  ASSERT_NE(s, nullptr);
  PF_EffectWorld src = source(d, 20, 10), dst = blank(d.depth, 20, 10);
  Visits none(dst);
  for (const PF_Point far : {PF_Point{INT32_MIN, 0}, PF_Point{0, INT32_MAX}}) {
    ASSERT_EQ(s->iterate_origin(&in, 0, 10, &src, nullptr, &far, &none, visit<PF_Pixel16>, &dst), PF_Err_NONE);
  }
  for (auto &c : none.count) ASSERT_EQ(c.load(), 0);
  // A smaller source without an area: every overlapping pixel only.
  PF_EffectWorld small = source(d, 6, 4);
  Visits overlap(dst);
  ASSERT_EQ(s->iterate(&in, 0, 4, &small, nullptr, &overlap, visit<PF_Pixel16>, &dst), PF_Err_NONE);
  int overlapCount = 0;
  for (auto &c : overlap.count) overlapCount += c.load();
  EXPECT_EQ(overlapCount, 6 * 4);
  EXPECT_EQ(overlap.badOut.load(), 0);

  // A destination with no rows, like one with no columns, leaves nothing to do.
  PF_EffectWorld noRows = dst, noColumns = dst;
  noRows.height = 0;
  noColumns.width = 0;
  for (PF_EffectWorld *empty : {&noRows, &noColumns})
    EXPECT_EQ(s->iterate(&in, 0, 0, nullptr, nullptr, &none, visit<PF_Pixel16>, empty), PF_Err_NONE);

  // A buffer of another depth is refused.
  PF_EffectWorld eight = blank(host::PixelDepth::Bits8, 20, 10);
  EXPECT_EQ(s->iterate(&in, 0, 10, &src, nullptr, &none, visit<PF_Pixel16>, &eight), PF_Err_BAD_CALLBACK_PARAM);
  for (PF_EffectWorld *w : {&src, &dst, &small, &eight}) host.worlds().dispose(*w);
  // Errors and cancellation stop the iteration.
  const DepthFloat f{host::PixelDepth::Float32, kPFIterateFloatSuite};
  const auto *sf = suite<PF_iterateFloatSuite1>(f.suite, 1);
  ASSERT_NE(sf, nullptr);
  src = source(f, 8, 16), dst = blank(f.depth, 8, 16);
  Visits failing(dst);
  failing.failRowA = 11;
  failing.failRowB = 4;
  EXPECT_EQ(sf->iterate(&in, 0, 16, &src, nullptr, &failing, visit<PF_PixelFloat>, &dst), 9)
      << "the error of the first failing row";

  host.cancelRequested = true;
  Visits cancelled(dst);
  EXPECT_EQ(sf->iterate(&in, 0, 16, &src, nullptr, &cancelled, visit<PF_PixelFloat>, &dst), PF_Interrupt_CANCEL);
  int visited = 0;
  for (auto &c : cancelled.count) visited += c.load();
  EXPECT_EQ(visited, 0);
  host.cancelRequested = false;
  host.worlds().dispose(src);
  host.worlds().dispose(dst);
}
} // namespace
