// Arbitrary-data parameters: the callback as the host drives it, seen from an
// effect of the test's own; the Flash Builder's profile curves made, copied,
// flattened and unflattened by the effect, saved in their text form and read
// back byte for byte, and untrusted bytes from a scene mended on the way in.
#include "host/HostError.h"
#include "host/project/ArbitraryValue.h"
#include "host/project/ShapeCurveRecord.h"
#include "host/scene/ArbitraryJson.h"
#include "host/scene/HexBytes.h"
#include "host/scene/SceneFile.h"
#include "host_support.h"

#include <map>
#include <cstring>

using namespace vlam;
using vlam::test::FakeEffect;

namespace {

// Values are one A_long in a host handle.
class CountingArbEffect {
public:
  explicit CountingArbEffect(host::Host &host) : host_(host) {
    PF_ParamDef def{};
    def.param_type = PF_Param_ARBITRARY_DATA;
    std::snprintf(def.name, sizeof def.name, "%s", "Blob");
    def.uu.id = 40;
    def.u.arb_d.id = 40;
    def.u.arb_d.refconPV = this;
    fake = std::make_unique<FakeEffect>(host, "arb", std::vector<PF_ParamDef>{def}, [this](auto... a) {
      return body(a...);
    });
  }
  std::map<PF_FunctionSelector, int> calls;
  std::unique_ptr<FakeEffect> fake;
  A_long seenAtCheckout = -1;
  int copiesLeft = -1; // copies that succeed before the next fails; -1 for all

  PF_Handle make(A_long v) {
    auto **h = host_.handles().allocate(sizeof(A_long));
    *static_cast<A_long *>(*h) = v;
    return reinterpret_cast<PF_Handle>(h);
  }
  static A_long &valueOf(PF_Handle h) { return *static_cast<A_long *>(*reinterpret_cast<void **>(h)); }

private:
  std::optional<PF_Err> body(PF_Cmd cmd, PF_InData *in, PF_OutData *, PF_ParamDef *params[], PF_LayerDef *,
                             void *extra) {
    if (cmd == PF_Cmd_ARBITRARY_CALLBACK) {
      auto *x = static_cast<PF_ArbParamsExtra *>(extra);
      if (x->u.new_func_params.refconPV != this || x->id != 40) return PF_Err_BAD_CALLBACK_PARAM;
      ++calls[x->which_function];
      switch (x->which_function) {
      case PF_Arbitrary_NEW_FUNC: *x->u.new_func_params.arbPH = make(7); break;
      case PF_Arbitrary_COPY_FUNC:
        if (copiesLeft == 0) return PF_Err_OUT_OF_MEMORY;
        if (copiesLeft > 0) --copiesLeft;
        *x->u.copy_func_params.dst_arbPH = make(valueOf(x->u.copy_func_params.src_arbH));
        break;
      case PF_Arbitrary_DISPOSE_FUNC: host_.handles().dispose(reinterpret_cast<void **>(x->u.dispose_func_params.arbH)); break;
      default: break;
      }
      return PF_Err_NONE;
    }
    if (cmd == PF_Cmd_COMPLETELY_GENERAL) {
      // Checks the value out, changes its copy, checks it in.
      PF_ParamDef p{};
      if (PF_Err err = PF_CHECKOUT_PARAM(in, 1, in->current_time, in->time_step, in->time_scale, &p)) return err;
      seenAtCheckout = p.u.arb_d.value ? valueOf(p.u.arb_d.value) : -1;
      if (p.u.arb_d.value) valueOf(p.u.arb_d.value) = 1234;
      return PF_CHECKIN_PARAM(in, &p);
    }
    if (cmd == PF_Cmd_USER_CHANGED_PARAM) {
      valueOf(params[1]->u.arb_d.value) += 100;
      params[1]->uu.change_flags = PF_ChangeFlag_CHANGED_VALUE;
      return PF_Err_NONE;
    }
    return std::nullopt;
  }
  host::Host &host_;
};

using ArbitraryProtocol = test::HostTest;

TEST_F(ArbitraryProtocol, DefaultsCopiesCheckoutsAndChangesGoThroughTheCallbackAndFailedCopiesFailTheCall) {
  host::Layer &plate = test::openSolidProject(host);
  CountingArbEffect effect(host);
  const std::size_t baseline = host.handles().liveCount();

  host::EffectInstance *instance = host.applyEffect(plate, "arb");
  ASSERT_NE(instance, nullptr);
  EXPECT_EQ(effect.calls[PF_Arbitrary_NEW_FUNC], 1) << "no default given: the host asks for one";
  EXPECT_EQ(effect.calls[PF_Arbitrary_COPY_FUNC], 1) << "the instance gets a copy of the default";
  const PF_Handle stored = instance->streams[1].staticValue().arb->handle();
  EXPECT_EQ(CountingArbEffect::valueOf(stored), 7);

  // A value that cannot be copied fails the call instead of arriving empty.
  // 0: the parameter array's copy fails, the effect is not called; 1: the
  // checkout's copy fails and the effect gets the error.
  const std::size_t live = host.handles().liveCount();
  for (int copies : {0, 1}) {
    effect.copiesLeft = copies;
    EXPECT_EQ(call(*instance, PF_Cmd_COMPLETELY_GENERAL).err, PF_Err_OUT_OF_MEMORY) << copies;
    EXPECT_EQ(effect.seenAtCheckout, -1) << copies;
    EXPECT_EQ(host.handles().liveCount(), live) << copies << ": the copies made were given back";
  }
  effect.copiesLeft = -1;

  const int disposedBefore = effect.calls[PF_Arbitrary_DISPOSE_FUNC];
  EXPECT_EQ(call(*instance, PF_Cmd_COMPLETELY_GENERAL).err, PF_Err_NONE);
  EXPECT_EQ(effect.seenAtCheckout, 7);
  EXPECT_EQ(CountingArbEffect::valueOf(stored), 7) << "the effect changed only its copy";
  // Copies for the parameter array and for the checkout, both given back.
  EXPECT_EQ(effect.calls[PF_Arbitrary_DISPOSE_FUNC] - disposedBefore, 2);

  EXPECT_EQ(call(*instance, PF_Cmd_USER_CHANGED_PARAM).err, PF_Err_NONE);
  const PF_Handle changed = instance->streams[1].staticValue().arb->handle();
  EXPECT_EQ(CountingArbEffect::valueOf(changed), 107) << "a changed value is taken";

  // (Saving flattens and loading unflattens: the builder's curves below.)
  test::openSolidProject(host);
  host.runner().globalSetdown(effect.fake->installed());
  EXPECT_EQ(host.handles().liveCount(), baseline) << "every value and copy was disposed";
  EXPECT_EQ(host.handles().badHandleCalls(), 0u);
}


// The Flash Builder's curves (their defaults and the copy each instance gets
// are checked with the builder's own tests and the protocol tests above).
class BuilderCurves : public test::HostTest {
protected:

  std::string scene(const std::string &params) {
    return R"({"vlam_scene": 1, "compositions": [{"width": 64, "height": 48, "layers": [
             {"name": "Plate", "solid": [0.1, 0.2, 0.3], "effects": [{"effect": "zk_VlamFlash", "params": {)" +
           params + "}}]}]}]}";
  }
  host::EffectInstance &open(const std::string &text) {
    host.openProject(host::parseScene(host, text, dir / "scene.json"));
    return *host.project().comps[0]->layers[0]->effects[0];
  }
  std::vector<std::uint8_t> bytes(const host::EffectInstance &effect, const std::string &name,
                                  std::int64_t ticks = 0) {
    const std::size_t i = test::paramNamed(effect, name);
    return host::flattenArbitrary(host, effect, i, effect.streams[i].valueAt(ticks, false));
  }
};

TEST_F(BuilderCurves, SavedInTextFormOrFlatReadBackByteForByteAndUntrustedTextClamped) {
  host::EffectInstance &effect = open(scene(R"(
      "Flash Shape Profile": "[x:0; y:0.123456789012345], [x:0.5;y:1],[x:1;y:0]",
      "Petal Shape Profile": "[x:0;y:0.9],[x:0.25;y:0.5],[x:1;y:0]")"));
  const auto main = bytes(effect, "Flash Shape Profile");
  const auto petal = bytes(effect, "Petal Shape Profile");
  const std::string saved = host::writeScene(host.project());
  EXPECT_NE(saved.find("\"Flash Shape Profile\": \"[x:0;y:0.123456789012345],[x:0.5;y:1],[x:1;y:0]\""),
            std::string::npos)
      << saved;
  EXPECT_NE(saved.find("\"Petal Shape Profile\": \"[x:0;y:0.9],[x:0.25;y:0.5],[x:1;y:0]\""), std::string::npos)
      << saved;

  host::EffectInstance &again = open(saved);
  EXPECT_EQ(bytes(again, "Flash Shape Profile"), main);
  EXPECT_EQ(bytes(again, "Petal Shape Profile"), petal);
  EXPECT_EQ(host::writeScene(host.project()), saved);
  // Bytes the text cannot carry (a point left past the count) are saved flat.
  std::string error;
  auto record = *host::shapeCurveFromText("[x:0;y:0.5],[x:1;y:0.25]", 16, error);
  const double stale = 0.75;
  std::memcpy(record.data() + 5 * 16, &stale, sizeof stale);
  host::EffectInstance &flat =
      open(scene(R"("Flash Shape Profile": {"flat": ")" + host::hexText(record.data(), record.size()) + R"("})"));
  EXPECT_EQ(bytes(flat, "Flash Shape Profile"), record);
  const std::string savedFlat = host::writeScene(host.project());
  EXPECT_NE(savedFlat.find("\"flat\""), std::string::npos);
  EXPECT_EQ(bytes(open(savedFlat), "Flash Shape Profile"), record);
  // Untrusted bytes are mended by the builder (as its own tests pin); bytes of
  // another size are not a curve: the parameter gets its default.
  host::EffectInstance &shortBytes = open(scene(R"("Petal Shape Profile": {"flat": "0102"})"));
  const auto fallback = host::readShapeCurve(bytes(shortBytes, "Petal Shape Profile"));
  ASSERT_TRUE(fallback);
  EXPECT_EQ(fallback->count, 8);
  // Curve text is clamped on the way in, and bad text names the place.
  host::EffectInstance &fromText =
      open(scene(R"("Petal Shape Profile": "[x:-1;y:nan],[x:2;y:1e999],[x:0.1;y:0.1],[x:0.2;y:0.2],[x:0.3;y:0.3],)"
                 R"([x:0.4;y:0.4],[x:0.5;y:0.5],[x:0.6;y:0.6],[x:0.7;y:0.7],[x:0.8;y:0.8]")"));
  const auto clamped = host::readShapeCurve(bytes(fromText, "Petal Shape Profile"));
  ASSERT_TRUE(clamped);
  EXPECT_EQ(clamped->count, 8) << "points past the capacity are dropped";
  EXPECT_EQ(host::shapeCurveText(*clamped).substr(0, 24), "[x:0;y:0],[x:1;y:1],[x:0");

  try {
    host::parseScene(host, scene(R"("Flash Shape Profile": "[x:0;y:0.5")"), dir / "bad.json");
    FAIL() << "accepted a broken curve";
  } catch (const host::HostError &e) {
    EXPECT_NE(std::string(e.what()).find("Flash Shape Profile"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("curve text"), std::string::npos) << e.what();
  }
}

TEST_F(BuilderCurves, EveryHandleIsGivenBackWhenTheProjectCloses) {
  open(scene(""));
  test::openSolidProject(host);
  const std::size_t baseline = host.handles().liveCount();
  host::EffectInstance &effect = open(scene(R"("Flash Shape Profile": "[x:0;y:0.5],[x:1;y:0.5]")"));
  host.applyEffect(effect.layer(), "zk_VlamFlash");
  // A call that checks both curves out (the design export).
  std::vector<std::uint8_t> block(2696, 0);
  EXPECT_EQ(call(effect, PF_Cmd_COMPLETELY_GENERAL, 3, block.data()).err, PF_Err_NONE);
  (void)host::writeScene(host.project());
  EXPECT_GT(host.handles().liveCount(), baseline);
  test::openSolidProject(host);
  EXPECT_EQ(host.handles().liveCount(), baseline);
  EXPECT_EQ(host.handles().badHandleCalls(), 0u);
}

} // namespace
