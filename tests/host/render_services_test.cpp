// What the host gives effects while rendering: layer parameters checked out
// (own layer: its source; another layer: rendered with its effects at the
// asked time), the effect-to-effect call, plug-in ids, and the abort check.
#include "host/HostError.h"
#include "host/effect/EffectRunner.h"
#include "host_support.h"

#include <AE_GeneralPlug.h>
#include <AE_Macros.h>

#include <cstring>

using namespace vlam;
using namespace vlam::test;
using vlam::test::TempDir;

namespace {

struct Seen {
  A_long width = -1, height = -1;
  int red = -1;
  PF_Err err = -1;
};

Seen seenOf(const PF_EffectWorld *w, PF_Err err) {
  Seen s;
  s.err = err;
  if (w && w->data) {
    s.width = w->width;
    s.height = w->height;
    s.red = reinterpret_cast<const PF_Pixel8 *>(w->data)->red;
  } else if (w) {
    s.width = s.height = 0;
  }
  return s;
}

// Fills its output with red = 10 x the frame it renders.
std::optional<PF_Err> paintByTime(PF_Cmd cmd, PF_InData *in, PF_OutData *, PF_ParamDef *[], PF_LayerDef *, void *extra) {
  if (cmd != PF_Cmd_SMART_RENDER) return std::nullopt;
  auto *x = static_cast<PF_SmartRenderExtra *>(extra);
  PF_EffectWorld *out = nullptr;
  if (PF_Err err = x->cb->checkout_output(in->effect_ref, &out)) return err;
  const PF_Pixel color{255, static_cast<A_u_char>(10 * in->current_time / in->time_step), 0, 0};
  return in->utils->fill(in->effect_ref, &color, nullptr, out);
}

class RenderServices : public ::testing::Test {
protected:
  TempDir dir;
  host::Host host{test::testHostOptions(dir)};
  host::Layer *plate = nullptr;
  host::Layer *other = nullptr;

  // "Plate" 64 x 48 (red 0.2) above "Other" 20 x 10.
  void openTwoLayers() {
    auto project = std::make_unique<host::Project>();
    host::Composition &comp = project->addComp();
    comp.width = 64;
    comp.height = 48;
    plate = &project->addLayer(comp, "Plate");
    plate->width = 64;
    plate->height = 48;
    plate->source.color = {0.2, 0.4, 0.6, 1.0};
    other = &project->addLayer(comp, "Other");
    other->width = 20;
    other->height = 10;
    host.openProject(std::move(project));
  }
  host::EffectInstance &apply(host::Layer &layer, const std::string &match) {
    return test::applyOrThrow(host, layer, match);
  }
  host::Image render(std::int64_t frame, int downsample = 1) {
    return test::renderFrame(host, frame, host::PixelDepth::Bits8, PF_Quality_HI, downsample);
  }
};

TEST_F(RenderServices, LayerParamsGiveTheOwnSourceOrTheOtherLayerRenderedAtTheAskedTime) {
  Seen input, smart, checkedOut;
  A_long askFrame = 10;
  FakeEffect painter(host, "painter", {}, paintByTime);
  FakeEffect reader(host, "reader", {layerParam("Matte", 1)},
                    [&](PF_Cmd cmd, PF_InData *in, PF_OutData *out, PF_ParamDef *[], PF_LayerDef *,
                        void *extra) -> std::optional<PF_Err> {
                      if (cmd == PF_Cmd_SMART_PRE_RENDER) {
                        auto *x = static_cast<PF_PreRenderExtra *>(extra);
                        PF_CheckoutResult r{};
                        PF_Err err = x->cb->checkout_layer(in->effect_ref, 0, 0, &x->input->output_request,
                                                           in->current_time, in->time_step, in->time_scale, &r);
                        x->output->result_rect = r.result_rect;
                        x->output->max_result_rect = r.max_result_rect;
                        if (!err)
                          err = x->cb->checkout_layer(in->effect_ref, 1, 1, &x->input->output_request,
                                                      in->current_time, in->time_step, in->time_scale, &r);
                        return err;
                      }
                      if (cmd == PF_Cmd_SMART_RENDER) {
                        auto *x = static_cast<PF_SmartRenderExtra *>(extra);
                        PF_EffectWorld *in0 = nullptr, *matte = nullptr, *output = nullptr;
                        PF_Err err = x->cb->checkout_layer_pixels(in->effect_ref, 0, &in0);
                        input = seenOf(in0, err);
                        err = x->cb->checkout_layer_pixels(in->effect_ref, 1, &matte);
                        smart = seenOf(matte, err);
                        PF_ParamDef def{};
                        err = PF_CHECKOUT_PARAM(in, 1, askFrame * in->time_step, in->time_step, in->time_scale, &def);
                        checkedOut = seenOf(&def.u.ld, err);
                        PF_CHECKIN_PARAM(in, &def);
                        x->cb->checkin_layer_pixels(in->effect_ref, 1);
                        if (!(err = x->cb->checkout_output(in->effect_ref, &output)))
                          err = in->utils->copy(in->effect_ref, in0, output, nullptr, nullptr);
                        x->cb->checkin_layer_pixels(in->effect_ref, 0);
                        return err;
                      }
                      if (cmd == PF_Cmd_COMPLETELY_GENERAL) {
                        PF_ParamDef def{};
                        PF_Err err = PF_CHECKOUT_PARAM(in, 1, askFrame * in->time_step, in->time_step,
                                                       in->time_scale, &def);
                        checkedOut = seenOf(&def.u.ld, err);
                        PF_CHECKIN_PARAM(in, &def);
                        (void)out;
                        return PF_Err_NONE;
                      }
                      return std::nullopt;
                    });
  openTwoLayers();
  apply(*plate, "painter");
  host::EffectInstance &matteUser = apply(*plate, "reader");
  apply(*other, "painter");

  // Another layer: with its effects, at the frame asked for, at its own size.
  matteUser.streams[1].setStaticValue(host::ParamValue::scalar(other->id()));
  render(3);
  EXPECT_EQ(input.red, 30) << "the input comes through the painter above";
  EXPECT_EQ(smart.width, 20);
  EXPECT_EQ(smart.height, 10);
  EXPECT_EQ(smart.red, 30);
  EXPECT_EQ(checkedOut.err, PF_Err_NONE);
  EXPECT_EQ(checkedOut.width, 20);
  EXPECT_EQ(checkedOut.red, 100) << "rendered at frame 10";

  // Downsampled: the other layer at the reduced size.
  render(3, 2);
  EXPECT_EQ(smart.width, 10);
  EXPECT_EQ(smart.height, 5);
  EXPECT_EQ(checkedOut.width, 10);

  // The own layer: its source, before the painter.
  matteUser.streams[1].setStaticValue(host::ParamValue::scalar(plate->id()));
  render(3);
  EXPECT_EQ(smart.width, 64);
  EXPECT_EQ(smart.red, 51);
  EXPECT_EQ(checkedOut.width, 64);
  EXPECT_EQ(checkedOut.red, 51);
  EXPECT_EQ(input.red, 30);

  // An empty parameter: no pixels, no error.
  matteUser.streams[1].setStaticValue(host::ParamValue::scalar(0));
  render(3);
  EXPECT_EQ(smart.err, PF_Err_NONE);
  EXPECT_EQ(smart.width, -1) << "no buffer";
  EXPECT_EQ(checkedOut.err, PF_Err_NONE);
  EXPECT_EQ(checkedOut.width, 0) << "a layer without pixels";

  // Outside a render the host renders the layer for the checkout.
  matteUser.streams[1].setStaticValue(host::ParamValue::scalar(other->id()));
  askFrame = 7;
  ASSERT_EQ(host.runner().call(matteUser.installed(), &matteUser, PF_Cmd_COMPLETELY_GENERAL).err, PF_Err_NONE);
  EXPECT_EQ(checkedOut.width, 20);
  EXPECT_EQ(checkedOut.red, 70);

  EXPECT_EQ(host.worlds().liveCount(), 0u) << "every checkout was forgotten";
  EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
}

TEST_F(RenderServices, EffectCallGenericCallsTheOtherEffectWithItsOwnDataAtTheGivenTime) {
  int globalTag = 0, sequenceTag = 0;
  struct Call {
    A_long time = -1;
    A_u_long scale = 0;
    double slider = -1, checkedOut = -1;
    void *global = nullptr, *sequence = nullptr, *extra = nullptr;
  };
  std::vector<Call> calls;
  FakeEffect callee(host, "callee", {floatParam("A", 1, 0, 100, 0)},
                    [&](PF_Cmd cmd, PF_InData *in, PF_OutData *out, PF_ParamDef *params[], PF_LayerDef *,
                        void *extra) -> std::optional<PF_Err> {
                      if (cmd == PF_Cmd_GLOBAL_SETUP) {
                        out->global_data = reinterpret_cast<PF_Handle>(&globalTag);
                        out->out_flags2 = PF_OutFlag2_SUPPORTS_SMART_RENDER;
                        return PF_Err_NONE;
                      }
                      if (cmd == PF_Cmd_SEQUENCE_SETUP) {
                        out->sequence_data = reinterpret_cast<PF_Handle>(&sequenceTag);
                        return PF_Err_NONE;
                      }
                      if (cmd != PF_Cmd_COMPLETELY_GENERAL) return std::nullopt;
                      Call c;
                      c.time = in->current_time;
                      c.scale = in->time_scale;
                      c.slider = params[1]->u.fs_d.value;
                      PF_ParamDef def{};
                      if (!PF_CHECKOUT_PARAM(in, 1, in->current_time, in->time_step, in->time_scale, &def))
                        c.checkedOut = def.u.fs_d.value;
                      PF_CHECKIN_PARAM(in, &def);
                      c.global = in->global_data;
                      c.sequence = in->sequence_data;
                      c.extra = extra;
                      calls.push_back(c);
                      return PF_Err_NONE;
                    });
  host::Layer &layer = test::openSolidProject(host);
  host::EffectInstance &effect = apply(layer, "callee");
  effect.streams[1].setKey({0, host::ParamValue::scalar(0), host::Interpolation::Linear});
  effect.streams[1].setKey({20, host::ParamValue::scalar(100), host::Interpolation::Linear});

  const auto *suite = test::acquire<AEGP_EffectSuite3>(host, kAEGPEffectSuite, 3);
  ASSERT_NE(suite, nullptr);
  AEGP_EffectRefH ref = nullptr;
  ASSERT_EQ(suite->AEGP_GetLayerEffectByIndex(0, reinterpret_cast<AEGP_LayerH>(&layer), 0, &ref), A_Err_NONE);
  int block[4] = {};
  const A_Time frame5{5, 24}, frame5AtAnotherScale{25, 120};
  EXPECT_EQ(suite->AEGP_EffectCallGeneric(0, ref, &frame5, PF_Cmd_COMPLETELY_GENERAL, block), A_Err_NONE);
  EXPECT_EQ(suite->AEGP_EffectCallGeneric(0, ref, &frame5AtAnotherScale, PF_Cmd_COMPLETELY_GENERAL, block),
            A_Err_NONE);
  ASSERT_EQ(calls.size(), 2u);
  for (const Call &c : calls) {
    EXPECT_EQ(c.time, 5);
    EXPECT_EQ(c.scale, 24u);
    EXPECT_DOUBLE_EQ(c.slider, 25.0) << "parameters at the given time";
    EXPECT_DOUBLE_EQ(c.checkedOut, 25.0);
    EXPECT_EQ(c.global, &globalTag);
    EXPECT_EQ(c.sequence, &sequenceTag);
    EXPECT_EQ(c.extra, block);
  }
  // Only the effect-to-effect command, only real references and times.
  const A_Time noScale{5, 0};
  EXPECT_EQ(suite->AEGP_EffectCallGeneric(0, ref, &frame5, PF_Cmd_RENDER, block), A_Err_PARAMETER);
  EXPECT_EQ(suite->AEGP_EffectCallGeneric(0, ref, &noScale, PF_Cmd_COMPLETELY_GENERAL, block), A_Err_PARAMETER);
  EXPECT_EQ(suite->AEGP_EffectCallGeneric(0, reinterpret_cast<AEGP_EffectRefH>(&block), &frame5,
                                          PF_Cmd_COMPLETELY_GENERAL, block),
            A_Err_PARAMETER);
  EXPECT_EQ(calls.size(), 2u);
  EXPECT_EQ(suite->AEGP_DisposeEffect(ref), A_Err_NONE);
}

TEST_F(RenderServices, RegisteringGivesEachCallerItsOwnPluginId) {
  const auto *utility = test::acquire<AEGP_UtilitySuite5>(host, kAEGPUtilitySuite, kAEGPUtilitySuiteVersion5);
  ASSERT_NE(utility, nullptr);
  AEGP_PluginID a = 0, b = 0;
  ASSERT_EQ(utility->AEGP_RegisterWithAEGP(nullptr, "first", &a), A_Err_NONE);
  ASSERT_EQ(utility->AEGP_RegisterWithAEGP(nullptr, "second", &b), A_Err_NONE);
  EXPECT_NE(a, 0);
  EXPECT_NE(a, b);
  for (const host::GeneralPlugin &plugin : host.generalPlugins()) {
    EXPECT_NE(plugin.id, a);
    EXPECT_NE(plugin.id, b);
  }
  EXPECT_EQ(utility->AEGP_RegisterWithAEGP(nullptr, "third", nullptr), A_Err_PARAMETER);

  // The Render effect keeps the id it registered for in its global data.
  host::InstalledEffect *render = host.findInstalled("zk_Vlam");
  ASSERT_NE(render, nullptr);
  ASSERT_EQ(host.runner().ensureReady(*render), PF_Err_NONE);
  ASSERT_NE(render->globalData, nullptr);
  A_u_long renderId = 0;
  std::memcpy(&renderId, *render->globalData, sizeof renderId);
  EXPECT_NE(renderId, 0u);
  EXPECT_NE(renderId, static_cast<A_u_long>(a));
  EXPECT_NE(renderId, static_cast<A_u_long>(b));
}

TEST_F(RenderServices, AbortCheckStopsTheRenderOnceCancelled) {
  std::vector<PF_Err> answers;
  FakeEffect stopper(host, "stopper", {},
                     [&](PF_Cmd cmd, PF_InData *in, PF_OutData *, PF_ParamDef *[], PF_LayerDef *,
                         void *) -> std::optional<PF_Err> {
                       if (cmd != PF_Cmd_SMART_RENDER) return std::nullopt;
                       answers.push_back(in->inter.abort(in->effect_ref));
                       host.cancelRequested = true; // Ctrl-C while the effect works
                       answers.push_back(in->inter.abort(in->effect_ref));
                       return answers.back();
                     });
  host::Layer &layer = test::openSolidProject(host, 16, 8);
  apply(layer, "stopper");
  EXPECT_THROW(render(0), host::HostError);
  EXPECT_EQ(answers, (std::vector<PF_Err>{PF_Err_NONE, PF_Interrupt_CANCEL}));
  // Once cancelled, the next frame stops before any effect runs.
  EXPECT_THROW(render(1), host::HostError);
  EXPECT_EQ(answers.size(), 2u);
  host.cancelRequested = false;
  EXPECT_EQ(host.worlds().liveCount(), 0u);
}

} // namespace
