#pragma once
#include "host/Host.h"
#include "host/effect/EffectRunner.h"
#include "host/image/Image.h"
#include "host/image/WorldTable.h"
#include "temp_dir_support.h"

#include <AE_EffectCB.h>
#include <AE_EffectCBSuites.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vlam::test {

// Host options for the built module with a private settings file.
host::HostOptions testHostOptions(const TempDir &dir);

// A fresh project: one composition of the given size (24 fps, 48 frames)
// holding one solid layer "Plate"; returns the plate.
host::Layer &openSolidProject(host::Host &host, int width = 64, int height = 48);

// A value the host or an effect gave, named, with the value it should have.
// An empty optional value matches nothing.
struct Expected {
  template <class Got, class Want>
  Expected(const char *name, Got got, Want want) : what(name), value(number(got)), wanted(number(want)) {}
  template <class T> static double number(T v) { return static_cast<double>(v); }
  template <class T> static double number(std::optional<T> v) { return v ? static_cast<double>(*v) : NAN; }
  const char *what;
  double value, wanted;
};
// Checks every row of a table of values (exactly).
void expectValues(std::initializer_list<Expected> rows);

// Checks every channel of a pixel against what it should be, within `tolerance`.
void expectNear(const host::PixelF &pixel, const host::PixelF &expected, float tolerance);

// Match names of a layer's effects, top to bottom.
std::vector<std::string> stackOf(const host::Layer &layer);
// Index of the effect's parameter named `name` (0, and a test failure, if none).
std::size_t paramNamed(const host::EffectInstance &effect, const std::string &name);
// A frame of the project's first composition.
host::Image renderFrame(host::Host &host, std::int64_t frame, host::PixelDepth depth = host::PixelDepth::Bits8,
                        PF_Quality quality = PF_Quality_HI, int downsample = 1);
// An image as the buffer view the pixel operations take.
host::WorldView viewOf(host::Image &image);
// At SMART_PRE_RENDER: checks out the input at `time` and gives its
// rectangles as the effect's result.
PF_Err checkoutInputAt(PF_InData *in, void *preRenderExtra, A_long time);

// Calls an entry point with a suite acquired from the host's basic suite.
template <class Suite> const Suite *acquire(host::Host &host, const char *name, A_long version) {
  const void *suite = nullptr;
  if (host.basicSuite()->AcquireSuite(name, version, &suite) != 0) return nullptr;
  return static_cast<const Suite *>(suite);
}

// An effect written by a test: its commands go to `body`; what the body
// leaves to the default (nullopt) behaves as a minimal smart-render effect
// that answers global setup with `outFlags` and `outFlags2`, adds `params` at
// PARAMS_SETUP and copies its input to its output.
class FakeEffect {
public:
  using Body = std::function<std::optional<PF_Err>(PF_Cmd, PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *,
                                                   void *)>;
  FakeEffect(host::Host &host, const std::string &matchName, std::vector<PF_ParamDef> params = {}, Body body = {});
  ~FakeEffect();
  FakeEffect(const FakeEffect &) = delete;
  FakeEffect &operator=(const FakeEffect &) = delete;

  host::InstalledEffect &installed() { return *installed_; }
  PF_Err dispatch(PF_Cmd cmd, PF_InData *in, PF_OutData *out, PF_ParamDef *params[], PF_LayerDef *output, void *extra);

  std::vector<PF_ParamDef> params;
  Body body;
  PF_OutFlags outFlags = PF_OutFlag_DEEP_COLOR_AWARE;
  PF_OutFlags2 outFlags2 = PF_OutFlag2_SUPPORTS_SMART_RENDER | PF_OutFlag2_FLOAT_COLOR_AWARE;

private:
  int slot_;
  host::InstalledEffect *installed_;
};

// A fake effect applied to `layer` whose PF_Cmd_COMPLETELY_GENERAL runs a
// test's code with the call's in_data: for host services that only answer
// inside a live effect call.
class InsideEffectCall {
public:
  using Body = std::function<PF_Err(PF_InData *)>;
  InsideEffectCall(host::Host &host, host::Layer &layer, const std::string &matchName,
                   std::vector<PF_ParamDef> params = {});
  host::EffectInstance &effect() { return *effect_; }
  // Runs `body` inside a call at `ticks`, downsampled by `downsample`.
  PF_Err run(Body body, std::int64_t ticks = 0, int downsample = 1);

private:
  host::Host &host_;
  Body body_;
  FakeEffect fake_;
  host::EffectInstance *effect_ = nullptr;
};

// A test with its own host: the built module loaded, a private settings file.
class HostTest : public ::testing::Test {
protected:
  TempDir dir;
  host::Host host{testHostOptions(dir)};
  // A suite acquired from the host's basic suite, released when the test ends.
  template <class Suite> const Suite *suite(const char *name, A_long version) {
    acquired.emplace_back(name, version);
    return acquire<Suite>(host, name, version);
  }
  std::vector<std::pair<const char *, A_long>> acquired;
  // Whatever a test did, every suite, reference and buffer it was given is given back.
  void TearDown() override {
    for (auto [name, version] : acquired) host.basicSuite()->ReleaseSuite(name, version);
    EXPECT_EQ(host.effectRefs().live(), 0u);
    EXPECT_EQ(host.streamRefs().live(), 0u);
    EXPECT_EQ(host.maskRefs().live(), 0u);
    EXPECT_EQ(host.checkedOutPaths().live(), 0u);
    EXPECT_EQ(host.worlds().liveCount(), 0u);
  }
  // Applies `match` to `layer`; throws when the host refuses.
  host::EffectInstance &apply(host::Layer &layer, const std::string &match);
  // Calls `effect` with `cmd` at `ticks`, `extra` as the command's extra data.
  host::CallResult call(host::EffectInstance &effect, PF_Cmd cmd, std::int64_t ticks = 0, void *extra = nullptr) {
    host::CallOptions options;
    options.ticks = ticks;
    options.extra = extra;
    return host.runner().call(effect.installed(), &effect, cmd, options);
  }
};

// Parameter definitions for fake effects: any kind with nothing set, and
// the kinds most tests use.
PF_ParamDef paramOf(PF_ParamType type, const char *name, A_long id);
PF_ParamDef sliderParam(const char *name, A_long id, A_long lo, A_long hi, A_long dflt);
PF_ParamDef floatParam(const char *name, A_long id, double lo, double hi, double dflt);
PF_ParamDef checkboxParam(const char *name, A_long id, bool dflt);
PF_ParamDef layerParam(const char *name, A_long id);

} // namespace vlam::test
