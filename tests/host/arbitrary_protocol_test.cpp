// The arbitrary-data callback as the host drives it, seen from an effect of
// the test's own: which functions come when, and that the stored value is
// never the handle an effect may change.
#include "host/effect/EffectRunner.h"
#include "host/project/ArbitraryValue.h"
#include "host/scene/ArbitraryJson.h"
#include "host/scene/SceneFile.h"
#include "host_support.h"

#include <map>

using namespace vlam;
using vlam::test::FakeEffect;
using vlam::test::TempDir;

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
      case PF_Arbitrary_FLAT_SIZE_FUNC: *x->u.flat_size_func_params.flat_data_sizePLu = sizeof(A_long); break;
      case PF_Arbitrary_FLATTEN_FUNC:
        std::memcpy(x->u.flatten_func_params.flat_dataPV, &valueOf(x->u.flatten_func_params.arbH), sizeof(A_long));
        break;
      case PF_Arbitrary_UNFLATTEN_FUNC: {
        A_long v = 0;
        if (x->u.unflatten_func_params.buf_sizeLu == sizeof v) std::memcpy(&v, x->u.unflatten_func_params.flat_dataPV, sizeof v);
        *x->u.unflatten_func_params.arbPH = make(v);
        break;
      }
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

TEST(ArbitraryProtocol, DefaultsCopiesCheckoutsAndChangesGoThroughTheCallback) {
  TempDir dir;
  host::Host host(test::testHostOptions(dir));
  host::Layer &plate = test::openSolidProject(host);
  CountingArbEffect effect(host);
  const std::size_t baseline = host.handles().liveCount();

  host::EffectInstance *instance = host.applyEffect(plate, "arb");
  ASSERT_NE(instance, nullptr);
  EXPECT_EQ(effect.calls[PF_Arbitrary_NEW_FUNC], 1) << "no default given: the host asks for one";
  EXPECT_EQ(effect.calls[PF_Arbitrary_COPY_FUNC], 1) << "the instance gets a copy of the default";
  const PF_Handle stored = instance->streams[1].staticValue().arb->handle();
  EXPECT_EQ(CountingArbEffect::valueOf(stored), 7);

  const int disposedBefore = effect.calls[PF_Arbitrary_DISPOSE_FUNC];
  host::CallOptions options;
  EXPECT_EQ(host.runner().call(instance->installed(), instance, PF_Cmd_COMPLETELY_GENERAL, options).err, PF_Err_NONE);
  EXPECT_EQ(effect.seenAtCheckout, 7);
  EXPECT_EQ(CountingArbEffect::valueOf(stored), 7) << "the effect changed only its copy";
  // Copies for the parameter array and for the checkout, both given back.
  EXPECT_EQ(effect.calls[PF_Arbitrary_DISPOSE_FUNC] - disposedBefore, 2);

  EXPECT_EQ(host.runner().call(instance->installed(), instance, PF_Cmd_USER_CHANGED_PARAM, options).err,
            PF_Err_NONE);
  const PF_Handle changed = instance->streams[1].staticValue().arb->handle();
  EXPECT_EQ(CountingArbEffect::valueOf(changed), 107) << "a changed value is taken";

  // Saving flattens; loading unflattens.
  host::saveScene(host.project(), dir / "saved.json");
  EXPECT_GE(effect.calls[PF_Arbitrary_FLATTEN_FUNC], 1);
  host.openProject(host::readScene(host, dir / "saved.json"));
  EXPECT_GE(effect.calls[PF_Arbitrary_UNFLATTEN_FUNC], 1);
  host::EffectInstance &loaded = *host.project().comps[0]->layers[0]->effects[0];
  EXPECT_EQ(CountingArbEffect::valueOf(loaded.streams[1].staticValue().arb->handle()), 107);

  test::openSolidProject(host);
  host.runner().globalSetdown(effect.fake->installed());
  EXPECT_EQ(host.handles().liveCount(), baseline) << "every value and copy was disposed";
  EXPECT_EQ(host.handles().badHandleCalls(), 0u);
}

TEST(ArbitraryProtocol, AValueThatCannotBeCopiedFailsTheCallInsteadOfArrivingEmpty) {
  TempDir dir;
  host::Host host(test::testHostOptions(dir));
  host::Layer &plate = test::openSolidProject(host);
  CountingArbEffect effect(host);
  host::EffectInstance *instance = host.applyEffect(plate, "arb");
  ASSERT_NE(instance, nullptr);
  const std::size_t live = host.handles().liveCount();
  // 0: the parameter array's copy fails, the effect is not called; 1: the
  // checkout's copy fails and the effect gets the error.
  for (int copies : {0, 1}) {
    effect.copiesLeft = copies;
    effect.seenAtCheckout = -1;
    host::CallOptions options;
    EXPECT_EQ(host.runner().call(instance->installed(), instance, PF_Cmd_COMPLETELY_GENERAL, options).err,
              PF_Err_OUT_OF_MEMORY)
        << copies;
    EXPECT_EQ(effect.seenAtCheckout, -1) << copies;
    EXPECT_EQ(host.handles().liveCount(), live) << copies << ": the copies made were given back";
  }
}

} // namespace
