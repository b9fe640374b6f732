#include "fake_host_support.h"

#include <algorithm>
#include <cstring>
#include <random>
#include <thread>

#include "AE_EffectCBSuites.h"
#include "AE_GeneralPlug.h"

namespace vlam::testing {
namespace {

FakeHost* g_current = nullptr;

// Pixels have this many spare pixels at the end of each row, so code that
// assumes rows are exactly width pixels long shows up.
constexpr A_long kRowPadPixels = 3;

}  // namespace

A_Matrix4 DefaultCameraMatrix(double width, double height, double zoom) {
  A_Matrix4 m{};
  for (int i = 0; i < 4; ++i) m.mat[i][i] = 1.0;
  m.mat[3][0] = width * 0.5;
  m.mat[3][1] = height * 0.5;
  m.mat[3][2] = -zoom;
  return m;
}

size_t PixelBytes(PF_PixelFormat format) {
  if (format == PF_PixelFormat_ARGB128) return 16;
  if (format == PF_PixelFormat_ARGB64) return 8;
  return 4;
}

struct FakeHostCallbacks {
  static SPErr Acquire(const char* name, A_long version, const void** suite) {
    static const PF_WorldSuite2 worlds{NewWorld, DisposeWorld, GetPixelFormat};
    static const PF_FillMatteSuite2 fills{Fill8, Fill16, FillFloat, nullptr, nullptr, nullptr, nullptr};
    static const AEGP_IterateSuite1 iterate{NumThreads, IterateGeneric};
    FakeHost* host = g_current;
    *suite = nullptr;
    if (host->refused_.count(name)) return kSPSuiteNotFoundError;
    const std::string n(name);
    if (n == kPFWorldSuite && version == kPFWorldSuiteVersion2) *suite = &worlds;
    if (n == kPFFillMatteSuite && version == kPFFillMatteSuiteVersion2) *suite = &fills;
    if (n == kAEGPIterateSuite && version == kAEGPIterateSuiteVersion1) *suite = &iterate;
    if (!*suite) return kSPSuiteNotFoundError;
    ++host->openSuites_;
    return kSPNoError;
  }
  static SPErr Release(const char*, A_long) {
    --g_current->openSuites_;
    return kSPNoError;
  }

  static PF_Err NewWorld(PF_ProgPtr, A_long w, A_long h, PF_Boolean, PF_PixelFormat format,
                         PF_EffectWorld* world) {
    FakeHost* host = g_current;
    if (host->newWorldError_ != PF_Err_NONE) return host->newWorldError_;
    if (w <= 0 || h <= 0) return PF_Err_BAD_CALLBACK_PARAM;
    const size_t px = PixelBytes(format);
    const A_long rowbytes = static_cast<A_long>((w + kRowPadPixels) * px);
    FakeHost::Allocation a{std::vector<unsigned char>(static_cast<size_t>(rowbytes) * h, 0), format};
    *world = PF_EffectWorld{};
    world->data = reinterpret_cast<PF_PixelPtr>(a.bytes.data());
    world->rowbytes = rowbytes;
    world->width = w;
    world->height = h;
    world->world_flags = PF_WorldFlag_WRITEABLE | (px > 4 ? A_long{PF_WorldFlag_DEEP} : A_long{0});
    host->worlds_.emplace(world->data, std::move(a));
    return PF_Err_NONE;
  }
  static PF_Err DisposeWorld(PF_ProgPtr, PF_EffectWorld* world) {
    if (g_current->worlds_.erase(world->data) == 0) return PF_Err_BAD_CALLBACK_PARAM;
    world->data = nullptr;
    return PF_Err_NONE;
  }
  static PF_Err GetPixelFormat(const PF_EffectWorld* world, PF_PixelFormat* format) {
    *format = g_current->FormatOf(*world);
    return PF_Err_NONE;
  }

  template <class Pixel>
  static PF_Err FillWith(const Pixel& c, const PF_Rect* r, PF_EffectWorld* w) {
    const PF_Rect all{0, 0, w->width, w->height};
    const PF_Rect& g = r ? *r : all;
    for (A_long y = std::max(0, g.top); y < std::min(w->height, g.bottom); ++y) {
      Pixel* row = reinterpret_cast<Pixel*>(reinterpret_cast<char*>(w->data) + y * w->rowbytes);
      for (A_long x = std::max(0, g.left); x < std::min(w->width, g.right); ++x) row[x] = c;
    }
    return PF_Err_NONE;
  }
  static PF_Err Fill8(PF_ProgPtr, const PF_Pixel* c, const PF_Rect* r, PF_EffectWorld* w) {
    return FillWith(*c, r, w);
  }
  static PF_Err Fill16(PF_ProgPtr, const PF_Pixel16* c, const PF_Rect* r, PF_EffectWorld* w) {
    return FillWith(*c, r, w);
  }
  static PF_Err FillFloat(PF_ProgPtr, const PF_PixelFloat* c, const PF_Rect* r, PF_EffectWorld* w) {
    return FillWith(*c, r, w);
  }

  // Same-size rectangles copy bytes; different sizes resample to the
  // nearest source pixel.
  static PF_Err Copy(PF_ProgPtr, PF_EffectWorld* src, PF_EffectWorld* dst, PF_Rect* sr,
                     PF_Rect* dr) {
    const PF_Rect sAll{0, 0, src->width, src->height}, dAll{0, 0, dst->width, dst->height};
    const PF_Rect& s = sr ? *sr : sAll;
    const PF_Rect& d = dr ? *dr : dAll;
    const size_t px = PixelBytes(g_current->FormatOf(*dst));
    const A_long sw = s.right - s.left, sh = s.bottom - s.top;
    const A_long dw = d.right - d.left, dh = d.bottom - d.top;
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return PF_Err_BAD_CALLBACK_PARAM;
    for (A_long y = 0; y < dh; ++y) {
      const A_long sy = s.top + y * sh / dh;
      for (A_long x = 0; x < dw; ++x) {
        const A_long sx = s.left + x * sw / dw;
        std::memcpy(reinterpret_cast<char*>(dst->data) + (d.top + y) * dst->rowbytes + (d.left + x) * px,
                    reinterpret_cast<const char*>(src->data) + sy * src->rowbytes + sx * px, px);
      }
    }
    return PF_Err_NONE;
  }

  static A_Err NumThreads(A_long *threads) {
    *threads = g_current->threads_;
    return A_Err_NONE;
  }

  static A_Err IterateGeneric(A_long iterations, void* refcon,
                              A_Err (*fn)(void*, A_long, A_long, A_long)) {
    FakeHost* host = g_current;
    ++host->iterateCalls_;
    if (iterations <= 0) return host->iterateError_;
    std::vector<A_long> order(static_cast<size_t>(iterations));
    for (A_long i = 0; i < iterations; ++i) order[static_cast<size_t>(i)] = i;
    std::mt19937 rng(host->shuffleSeed_ + static_cast<uint32_t>(host->iterateCalls_));
    std::shuffle(order.begin(), order.end(), rng);
    std::atomic<size_t> next{0};
    std::vector<A_Err> errors(static_cast<size_t>(iterations), A_Err_NONE);
    const A_long threads = std::max<A_long>(1, std::min(host->threads_, iterations));
    auto worker = [&](A_long thread) {
      for (size_t k; (k = next.fetch_add(1)) < order.size();) {
        const A_long i = order[k];
        errors[static_cast<size_t>(i)] = fn(refcon, thread, i, iterations);
      }
    };
    std::vector<std::thread> pool;
    for (A_long t = 1; t < threads; ++t) pool.emplace_back(worker, t);
    worker(0);
    for (std::thread& t : pool) t.join();
    for (A_Err e : errors)
      if (e != A_Err_NONE) return e;
    return host->iterateError_;
  }
};

FakeHost::FakeHost() : previous_(g_current) {
  g_current = this;
  basic_.AcquireSuite = FakeHostCallbacks::Acquire;
  basic_.ReleaseSuite = FakeHostCallbacks::Release;
  utils_.copy = FakeHostCallbacks::Copy;
  in_data_.pica_basicP = &basic_;
  in_data_.utils = &utils_;
  in_data_.effect_ref = reinterpret_cast<PF_ProgPtr>(this);
  in_data_.quality = PF_Quality_HI;
}

FakeHost::~FakeHost() { g_current = previous_; }

FakeHost* FakeHost::Current() { return g_current; }

PF_PixelFormat FakeHost::FormatOf(const PF_EffectWorld& w) const {
  auto it = worlds_.find(w.data);
  return it == worlds_.end() ? static_cast<PF_PixelFormat>(PF_PixelFormat_ARGB128) : it->second.format;
}

}  // namespace vlam::testing
