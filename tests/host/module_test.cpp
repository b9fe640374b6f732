// The built module in the host: its plug-ins come from the property lists,
// the Render effect brings the module stack through the utility plug-in's
// suite and idle hook, the records the Vlam effects exchange, and the
// effects that carry data only render the layer unchanged.
#include "host/HostError.h"
#include "host/module/ModuleLibrary.h"
#include "host/report/RecordLayouts.h"
#include "host_support.h"

#include <SPSuites.h>
#include <VlamFiringDescription.h>

using namespace vlam;
using vlam::test::TempDir;
using Stack = std::vector<std::string>;
namespace rec = vlam::host::records;

namespace {

// Each property is read by the list reader's own test; here, that the host
// installs what the module's lists name, in their order, and the versions
// the lists declare.
using ModulePlugins = test::HostTest;

TEST_F(ModulePlugins, EffectsComeFromThePropertyListsAndRenderOnAnEmptyLayerGetsTheFullStack) {
  Stack installed;
  for (const auto &effect : host.installedEffects()) {
    installed.push_back(effect->matchName());
    EXPECT_FALSE(effect->globalSetupDone) << "global setup waits for first need";
    // List version 2.0 and effect API version 13.14, major in the low half.
    EXPECT_EQ(effect->pipl.piplVersion, 2u) << effect->matchName();
    EXPECT_EQ(effect->pipl.specVersion, 0x000E000Du) << effect->matchName();
  }
  EXPECT_EQ(installed, (Stack{"zk_Vlam", "zk_VlamMod", "zk_VlamFlash", "zk_VlamInstance",
                              "zk_VlamRelighter"}));
  ASSERT_EQ(host.generalPlugins().size(), 1u);
  EXPECT_EQ(host.generalPlugins()[0].initResult, A_Err_NONE);
  EXPECT_TRUE(host.suites().has("ZK Vlam Utils Suite", 1)) << "added through SP Suites Suite at load";
  EXPECT_EQ(host.idleHooks.size(), 1u);
  EXPECT_EQ(host.suites().outstanding(kSPSuitesSuite, kSPSuitesSuiteVersion), 0) << "released after use";
  // Applying the Render effect brings the module stack through the utility
  // plug-in's suite and idle hook (where the stack places its effects, and
  // which layer of several requests it serves, is checked with the module's tests).
  host::Layer &plate = test::openSolidProject(host);
  PF_Err err = -1;
  ASSERT_NE(host.applyEffect(plate, "zk_Vlam", &err), nullptr);
  EXPECT_EQ(err, PF_Err_NONE);
  EXPECT_EQ(test::stackOf(plate), (Stack{"zk_VlamMod", "zk_VlamFlash", "zk_VlamInstance", "zk_Vlam"}));
  EXPECT_NE(plate.effects[0]->sequenceData, nullptr) << "Module Selector state";
  EXPECT_NE(plate.effects[1]->sequenceData, nullptr) << "Flash Builder state";
  EXPECT_TRUE(host.messages.empty());
  // Closing the project frees both sequence records (the selector has no
  // setdown of its own: the host frees what it leaves) and the builder's two
  // profile curve values.
  const std::size_t live = host.handles().liveCount();
  host.openProject(std::make_unique<host::Project>());
  EXPECT_EQ(host.handles().liveCount(), live - 4);
  EXPECT_EQ(host.handles().badHandleCalls(), 0u);
  // Effects may hold suites from global setup to setdown; after both
  // setdowns nothing is left acquired.
  for (const auto &effect : host.installedEffects()) host.runner().globalSetdown(*effect);
  EXPECT_EQ(host.suites().outstandingTotal(), 0) << "every suite acquired was released";
}

// The utility plug-in reports when it cannot add its suite; a missing or
// foreign module is a clear error.
TEST(ModuleLoading, FailuresAtLoadAreReported) {
  TempDir dir;
  host::HostOptions options = test::testHostOptions(dir);
  options.refusedSuites = {kSPSuitesSuite};
  {
    host::Host host(options);
    EXPECT_NE(host.generalPlugins()[0].initResult, A_Err_NONE);
    EXPECT_FALSE(host.suites().has("ZK Vlam Utils Suite", 1));
    bool reported = false;
    for (const auto &m : host.messages) reported = reported || m.text == "Error initialising zkVlamUtil!";
    EXPECT_TRUE(reported);
    EXPECT_TRUE(host.idleHooks.empty());
  }
  options.modulePath = dir / "nowhere.aex";
  try {
    host::Host host(options);
    ADD_FAILURE() << "loaded a missing module";
  } catch (const host::HostError &e) {
    EXPECT_NE(std::string(e.what()).find("nowhere.aex"), std::string::npos);
  }
  test::writeFile(dir / "junk.aex", "not a shared object");
  options.modulePath = dir / "junk.aex";
  EXPECT_THROW(host::Host{options}, host::HostError);
  EXPECT_EQ(host::Host::currentOrNull(), nullptr) << "a failed start leaves no host behind";
}

// The module's firing description export refuses what it cannot describe
// (that the host's description of the records matches what the module writes
// is checked end to end through inspect).
using FlashRecords = test::HostTest;

TEST_F(FlashRecords, FiringDescriptionRefusesWhatItCannotDescribe) {
  auto describe = reinterpret_cast<VlamDescribeFiringFunc>(host.module().symbol(VlamDescribeFiring_FuncName));
  ASSERT_NE(describe, nullptr);
  std::vector<std::uint8_t> block(rec::kExchangeBlockSize, 0);
  VlamFiringDescription d{};
  const auto slot = [&](A_long i) {
    return describe(block.data(), rec::kExchangeBlockSize, 0, i, &d);
  };
  EXPECT_EQ(describe(nullptr, 0, 0, 0, &d), A_Err_PARAMETER);
  EXPECT_EQ(describe(block.data(), rec::kExchangeBlockSize - 1, 0, 0, &d), A_Err_PARAMETER);
  EXPECT_EQ(describe(block.data(), rec::kExchangeBlockSize, 0, 0, nullptr), A_Err_PARAMETER);
  EXPECT_EQ(slot(0), A_Err_PARAMETER) << "no instances";
  // Damaged counts and slots never reach outside the sixteen slots.
  const std::int32_t count = 1000;
  std::memcpy(block.data() + rec::kInstanceCountOffset, &count, sizeof count);
  EXPECT_EQ(slot(16), A_Err_PARAMETER);
  EXPECT_EQ(slot(-1), A_Err_PARAMETER);
  // An instance whose design index is out of range, or whose design slot is
  // empty, does not fire.
  const std::uint32_t badDesign = 7;
  std::memcpy(block.data() + rec::kInstancesOffset, &badDesign, sizeof badDesign);
  const double on = 0.4;
  std::memcpy(block.data() + rec::kInstancesOffset + rec::kInstanceTriggerLevelOffset, &on, sizeof on);
  for (A_long i : {0, 15}) {
    d.firing = 5;
    EXPECT_EQ(slot(i), A_Err_NONE);
    EXPECT_EQ(d.firing, 0) << i;
  }
}

// Downsampled frames have the reduced size, and layers of another size than
// the plate render (that the module's data-only effects leave the layer
// unchanged is checked end to end, byte for byte, with the tool's renders).
using PassThroughRender = test::HostTest;

TEST_F(PassThroughRender, DownsampledFramesAndLayersOfAnotherSizeRender) {
  host::Layer &plate = test::openSolidProject(host, 64, 47);
  ASSERT_NE(host.applyEffect(plate, "zk_VlamFlash"), nullptr);
  const host::Image half = test::renderFrame(host, 3, host::PixelDepth::Bits8, PF_Quality_HI, 2);
  EXPECT_EQ(half.width(), 32);
  EXPECT_EQ(half.height(), 24);
  EXPECT_NEAR(half.pixel(31, 23).blue, 0.6f, 0.5f / 255);
  // A Render effect whose grain layer, and a Relighter whose matte layer, have
  // another size than the plate render at every depth and downsampling (that
  // the Relighter lights the plate around a firing gun is checked end to end
  // on the built-in scene; that nothing to light passes the input through, with
  // its own tests).
  host::Layer &picture = test::openSolidProject(host, 240, 160);
  host::Layer &grain = host.project().addLayer(*host.project().comps[0], "Grain");
  grain.width = 37;
  grain.height = 91;
  host::EffectInstance &render = apply(picture, "zk_Vlam");
  host::EffectInstance &relighter = apply(picture, "zk_VlamRelighter");
  render.streams[test::paramNamed(render, "Grain Layer")].setStaticValue(host::ParamValue::scalar(grain.id()));
  relighter.streams[test::paramNamed(relighter, "Relight Matte")].setStaticValue(
      host::ParamValue::scalar(grain.id()));
  for (host::PixelDepth depth : {host::PixelDepth::Bits8, host::PixelDepth::Bits16, host::PixelDepth::Float32})
    for (int downsample : {1, 3}) {
      SCOPED_TRACE(std::to_string(static_cast<int>(depth)) + " bits, downsample " + std::to_string(downsample));
      EXPECT_NO_THROW(test::renderFrame(host, 3, depth, PF_Quality_HI, downsample));
    }
  EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
}
} // namespace
