// How the host calls effects: the records it fills, parameter checkout at a
// time, values written back, setup errors, containment of misbehaving effects.
#include "host/effect/EffectRunner.h"
#include "host/effect/UserEdits.h"
#include "host/project/ParamCodec.h"
#include "host/scene/SceneFile.h"
#include "host/ui/EffectPanel.h"
#include "host/ui/UiEvents.h"
#include "host_support.h"

#include <map>

#include <AE_EffectSuites.h>
#include <AE_GeneralPlug.h>
#include <AE_Macros.h>

using namespace vlam;
using namespace vlam::test;
using vlam::test::TempDir;

namespace {

class EffectCalls : public ::testing::Test {
protected:
  TempDir dir;
  std::unique_ptr<host::Host> host = std::make_unique<host::Host>(test::testHostOptions(dir));

  host::EffectInstance &apply(host::Layer &layer, const std::string &match) {
    return test::applyOrThrow(*host, layer, match);
  }
  host::CallResult call(host::EffectInstance &effect, PF_Cmd cmd, std::int64_t ticks = 0) {
    host::CallOptions options;
    options.ticks = ticks;
    return host->runner().call(effect.installed(), &effect, cmd, options);
  }
};

TEST_F(EffectCalls, InDataDescribesTheLayerTheTimeAndTheRender) {
  PF_InData seen{};
  FakeEffect fake(*host, "fake", {sliderParam("A", 1, 0, 10, 5)}, [&](PF_Cmd cmd, PF_InData *in, auto...) {
    if (cmd == PF_Cmd_COMPLETELY_GENERAL) seen = *in;
    return std::optional<PF_Err>{};
  });
  host::Layer &plate = test::openSolidProject(*host, 40, 30);
  plate.pixelAspect = {2, 1};
  host::Composition &comp = *host->project().comps[0];
  comp.frameRate = {30000, 1001};
  comp.motionBlur = true;
  comp.shutterAngle = 90;
  host::EffectInstance &effect = apply(plate, "fake");
  host::CallOptions options;
  options.ticks = comp.ticksOfFrame(7);
  options.settings.downsample = 2;
  options.settings.quality = PF_Quality_LO;
  ASSERT_EQ(host->runner().call(effect.installed(), &effect, PF_Cmd_COMPLETELY_GENERAL, options).err, PF_Err_NONE);
  EXPECT_EQ(seen.version.major, 13);
  EXPECT_EQ(seen.version.minor, 14);
  EXPECT_EQ(seen.time_scale, 30000u);
  EXPECT_EQ(seen.time_step, 1001);
  EXPECT_EQ(seen.current_time, 7 * 1001);
  EXPECT_EQ(seen.total_time, 48 * 1001);
  EXPECT_EQ(seen.width, 40);
  EXPECT_EQ(seen.height, 30);
  EXPECT_EQ(seen.downsample_x.den, 2u);
  EXPECT_EQ(seen.downsample_y.den, 2u);
  EXPECT_EQ(seen.extent_hint.right, 20);
  EXPECT_EQ(seen.pixel_aspect_ratio.num, 2);
  EXPECT_EQ(seen.quality, PF_Quality_LO);
  EXPECT_EQ(seen.shutter_angle, 1 << 14) << "a quarter turn is a quarter of a frame";
  EXPECT_EQ(seen.shutter_phase, -(1 << 14)) << "-90 degrees opens a quarter frame early";
  EXPECT_EQ(seen.num_params, 2);
  EXPECT_NE(seen.pica_basicP, nullptr);
  comp.motionBlur = false;
  call(effect, PF_Cmd_COMPLETELY_GENERAL);
  EXPECT_EQ(seen.shutter_angle, 0) << "no shutter without motion blur";
}

TEST_F(EffectCalls, CheckoutInterpolatesKeysAtTheAskedTime) {
  struct Read {
    A_long slider;
    PF_Boolean check;
    PF_Err err;
  };
  std::vector<std::pair<A_long, A_u_long>> times; // what_time, time_scale
  std::vector<Read> reads;
  FakeEffect fake(*host, "fake", {sliderParam("S", 1, 0, 1000, 0), checkboxParam("C", 2, false)},
                  [&](PF_Cmd cmd, PF_InData *in, auto...) -> std::optional<PF_Err> {
                    if (cmd != PF_Cmd_COMPLETELY_GENERAL) return std::nullopt;
                    for (auto [t, scale] : times) {
                      PF_ParamDef s{}, c{};
                      PF_Err err = PF_CHECKOUT_PARAM(in, 1, t, 1, scale, &s);
                      if (!err) err = PF_CHECKOUT_PARAM(in, 2, t, 1, scale, &c);
                      reads.push_back({s.u.sd.value, static_cast<PF_Boolean>(c.u.bd.value), err});
                      PF_CHECKIN_PARAM(in, &s);
                      PF_CHECKIN_PARAM(in, &c);
                    }
                    return PF_Err_NONE;
                  });
  host::Layer &plate = test::openSolidProject(*host);
  host::EffectInstance &effect = apply(plate, "fake");
  effect.streams[1].setKey({24, host::ParamValue::scalar(100), host::Interpolation::Linear});
  effect.streams[1].setKey({48, host::ParamValue::scalar(200), host::Interpolation::Hold});
  effect.streams[1].setKey({72, host::ParamValue::scalar(900), host::Interpolation::Linear});
  effect.streams[2].setKey({24, host::ParamValue::scalar(1), host::Interpolation::Linear});
  effect.streams[2].setKey({48, host::ParamValue::scalar(0), host::Interpolation::Linear});
  // Frames 0, 30 (one second), 36; then 60 at another time scale (2.5 s); then 71.
  times = {{0, 24}, {30, 24}, {36, 24}, {5, 2}, {71, 24}};
  ASSERT_EQ(call(effect, PF_Cmd_COMPLETELY_GENERAL).err, PF_Err_NONE);
  ASSERT_EQ(reads.size(), 5u);
  EXPECT_EQ(reads[0].slider, 100);
  EXPECT_EQ(reads[1].slider, 125);
  EXPECT_EQ(reads[2].slider, 150);
  EXPECT_EQ(reads[3].slider, 200) << "hold after frame 48";
  EXPECT_EQ(reads[4].slider, 200);
  EXPECT_EQ(reads[1].check, 1) << "checkboxes never blend";
  EXPECT_EQ(reads[3].check, 0);
  EXPECT_TRUE(host->messages.empty()) << "every checkout was checked in";
}

TEST_F(EffectCalls, CheckoutRefusesBadIndexAndForeignReferences) {
  std::vector<PF_Err> errors;
  FakeEffect fake(*host, "fake", {sliderParam("S", 1, 0, 10, 0)},
                  [&](PF_Cmd cmd, PF_InData *in, auto...) -> std::optional<PF_Err> {
                    if (cmd != PF_Cmd_COMPLETELY_GENERAL) return std::nullopt;
                    PF_ParamDef def{};
                    errors.push_back(PF_CHECKOUT_PARAM(in, 2, 0, 1, 24, &def));
                    errors.push_back(PF_CHECKOUT_PARAM(in, -1, 0, 1, 24, &def));
                    errors.push_back(PF_CHECKOUT_PARAM(in, 1, 0, 1, 0, &def));
                    errors.push_back(in->inter.checkout_param(reinterpret_cast<PF_ProgPtr>(&def), 1, 0, 1, 24, &def));
                    errors.push_back(PF_ADD_PARAM(in, -1, &def));
                    return PF_Err_NONE;
                  });
  host::Layer &plate = test::openSolidProject(*host);
  host::EffectInstance &effect = apply(plate, "fake");
  call(effect, PF_Cmd_COMPLETELY_GENERAL);
  EXPECT_EQ(errors, (std::vector<PF_Err>{PF_Err_INVALID_INDEX, PF_Err_INVALID_INDEX, PF_Err_BAD_CALLBACK_PARAM,
                                         PF_Err_BAD_CALLBACK_PARAM, PF_Err_INVALID_CALLBACK}));
}

// Values are taken back after PF_Cmd_USER_CHANGED_PARAM and after click,
// drag and key events only, and only where the effect flagged them.
TEST_F(EffectCalls, ValuesAnEffectChangesAreKeptOnlyWhenFlaggedAndAllowed) {
  FakeEffect fake(*host, "fake", {sliderParam("S", 1, 0, 10, 3), floatParam("F", 2, 0, 1, 0.5)},
                  [&](PF_Cmd cmd, PF_InData *, PF_OutData *, PF_ParamDef *params[], auto...) -> std::optional<PF_Err> {
                    if (!params || cmd == PF_Cmd_SMART_PRE_RENDER || cmd == PF_Cmd_SMART_RENDER) return std::nullopt;
                    EXPECT_EQ(params[1]->uu.change_flags, 0) << "the host clears change flags before the call";
                    params[1]->u.sd.value = 99; // clamped to the valid range
                    params[1]->uu.change_flags = PF_ChangeFlag_CHANGED_VALUE;
                    params[2]->u.fs_d.value = 0.25; // not flagged: ignored
                    return PF_Err_NONE;
                  });
  struct Case {
    PF_Cmd cmd;
    PF_EventType event;
    bool kept;
  };
  const Case cases[] = {{PF_Cmd_USER_CHANGED_PARAM, PF_Event_NEW_CONTEXT, true},
                        {PF_Cmd_EVENT, PF_Event_DO_CLICK, true},
                        {PF_Cmd_EVENT, PF_Event_DRAG, true},
                        {PF_Cmd_EVENT, PF_Event_KEYDOWN, true},
                        {PF_Cmd_EVENT, PF_Event_DRAW, false},
                        {PF_Cmd_EVENT, PF_Event_ADJUST_CURSOR, false},
                        {PF_Cmd_DO_DIALOG, PF_Event_NEW_CONTEXT, false},
                        {PF_Cmd_UPDATE_PARAMS_UI, PF_Event_NEW_CONTEXT, false}};
  host::Layer &plate = test::openSolidProject(*host);
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << "command " << c.cmd << ", event " << c.event);
    host::EffectInstance &effect = apply(plate, "fake");
    PF_EventExtra event{};
    event.e_type = c.event;
    host::CallOptions options;
    options.extra = &event;
    ASSERT_EQ(host->runner().call(effect.installed(), &effect, c.cmd, options).err, PF_Err_NONE);
    EXPECT_EQ(effect.streams[1].staticValue().number[0], c.kept ? 10 : 3);
    EXPECT_EQ(effect.streams[2].staticValue().number[0], 0.5);
  }
}

// PF_Cmd_UPDATE_PARAMS_UI goes to an effect that set
// PF_OutFlag_SEND_UPDATE_PARAMS_UI or supervises a parameter, whenever the
// host brings controls up to date, and to no other effect.
TEST_F(EffectCalls, UpdateParamsUiGoesOnlyToEffectsThatAskForIt) {
  struct Case {
    const char *match;
    bool flag, supervise;
  };
  const Case cases[] = {{"flagged", true, false}, {"supervising", false, true}, {"plain", false, false}};
  std::map<std::string, int> updates;
  std::vector<std::unique_ptr<FakeEffect>> fakes;
  for (const Case &c : cases) {
    PF_ParamDef slider = sliderParam("S", 1, 0, 10, 3);
    if (c.supervise) slider.flags |= PF_ParamFlag_SUPERVISE;
    fakes.push_back(std::make_unique<FakeEffect>(
        *host, c.match, std::vector<PF_ParamDef>{slider},
        [&updates, c](PF_Cmd cmd, PF_InData *, PF_OutData *out, auto...) -> std::optional<PF_Err> {
          if (cmd == PF_Cmd_UPDATE_PARAMS_UI) ++updates[c.match];
          if (cmd != PF_Cmd_GLOBAL_SETUP || !c.flag) return std::nullopt;
          out->out_flags = PF_OutFlag_DEEP_COLOR_AWARE | PF_OutFlag_SEND_UPDATE_PARAMS_UI;
          out->out_flags2 = PF_OutFlag2_SUPPORTS_SMART_RENDER;
          return PF_Err_NONE;
        }));
  }
  host::Layer &plate = test::openSolidProject(*host);
  for (const Case &c : cases) apply(plate, c.match);
  const std::map<std::string, int> once{{"flagged", 1}, {"supervising", 1}};
  EXPECT_EQ(updates, once) << "when applied";
  updates.clear();
  for (const auto &effect : plate.effects) host::userSetParam(*host, *effect, 1, host::ParamValue::scalar(4), 0);
  EXPECT_EQ(updates, once) << "after a user's change";
  updates.clear();
  for (const auto &effect : plate.effects) host::EffectPanel(*host, *effect, 0);
  EXPECT_EQ(updates, once) << "when the panel is shown";
  updates.clear();
  host->openProject(host::parseScene(*host, host::writeScene(host->project()), dir / "s.json"));
  EXPECT_EQ(updates, once) << "when the scene is opened";
}

TEST_F(EffectCalls, GlobalSetupWordsThatDisagreeWithThePropertyListAreReported) {
  FakeEffect fake(*host, "fake");
  fake.installed().pipl.outFlags = PF_OutFlag_DEEP_COLOR_AWARE | PF_OutFlag_SEND_UPDATE_PARAMS_UI;
  fake.installed().pipl.outFlags2 = PF_OutFlag2_SUPPORTS_SMART_RENDER | PF_OutFlag2_FLOAT_COLOR_AWARE;
  fake.installed().pipl.effectVersion = 0x00081E01;
  ASSERT_EQ(host->runner().ensureReady(fake.installed()), PF_Err_NONE);
  ASSERT_EQ(host->messages.size(), 2u) << "out-flags2 agree";
  EXPECT_EQ(host->messages[0].text, "global setup and property list disagree on out-flags: 0x02000000 against 0x06000000");
  EXPECT_EQ(host->messages[1].text, "global setup and property list disagree on the version: 0x00000000 against 0x00081E01");
}

// Custom UI gets events only when the effect set PF_OutFlag_CUSTOM_UI at
// global setup as well as registering it.
TEST_F(EffectCalls, EventsGoOnlyToEffectsWithTheCustomUiFlag) {
  for (const bool flagged : {true, false}) {
    SCOPED_TRACE(flagged ? "flagged" : "not flagged");
    int events = 0;
    const std::string match = flagged ? "flagged" : "plain";
    FakeEffect fake(*host, match, {}, [&](PF_Cmd cmd, PF_InData *in, PF_OutData *out, auto...) -> std::optional<PF_Err> {
      if (cmd == PF_Cmd_EVENT) ++events;
      if (cmd == PF_Cmd_GLOBAL_SETUP) {
        out->out_flags = PF_OutFlag_DEEP_COLOR_AWARE | (flagged ? static_cast<PF_OutFlags>(PF_OutFlag_CUSTOM_UI) : 0);
        out->out_flags2 = PF_OutFlag2_SUPPORTS_SMART_RENDER;
        return PF_Err_NONE;
      }
      if (cmd != PF_Cmd_PARAMS_SETUP) return std::nullopt;
      PF_CustomUIInfo ui{};
      ui.events = PF_CustomEFlag_EFFECT | PF_CustomEFlag_COMP;
      out->num_params = 1;
      return in->inter.register_ui(in->effect_ref, &ui);
    });
    host::Layer &plate = test::openSolidProject(*host);
    host::EffectInstance &effect = apply(plate, match);
    host::UiContext context(PF_Window_COMP, plate);
    PF_EventExtra extra{};
    extra.e_type = PF_Event_DRAW;
    EXPECT_EQ(host::sendUiEvent(*host, effect, 0, context, extra).sent, flagged);
    EXPECT_EQ(host::takesEvents(effect, PF_Window_EFFECT), flagged);
    EXPECT_EQ(events, flagged ? 1 : 0);
  }
}

// Effects get 16-bit worlds only when deep-colour aware and float worlds
// only when float-colour aware; their results come back at the frame's depth.
TEST_F(EffectCalls, EffectsRenderAtTheDeepestDepthTheyDeclared) {
  struct Case {
    PF_OutFlags flags;
    PF_OutFlags2 flags2;
    host::PixelDepth frame;
    short seen;
  };
  const PF_OutFlags2 smart = PF_OutFlag2_SUPPORTS_SMART_RENDER, floating = smart | PF_OutFlag2_FLOAT_COLOR_AWARE;
  const Case cases[] = {{PF_OutFlag_DEEP_COLOR_AWARE, floating, host::PixelDepth::Float32, 32},
                        {PF_OutFlag_DEEP_COLOR_AWARE, smart, host::PixelDepth::Float32, 16},
                        {0, smart, host::PixelDepth::Float32, 8},
                        {0, smart, host::PixelDepth::Bits16, 8},
                        {PF_OutFlag_DEEP_COLOR_AWARE, smart, host::PixelDepth::Bits8, 8}};
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << "frame at " << static_cast<int>(c.frame) << " bits, expected " << c.seen);
    const std::string match = "fake" + std::to_string(&c - cases);
    short seen = 0;
    std::optional<host::PixelDepth> inputDepth;
    FakeEffect fake(*host, match, {}, [&](PF_Cmd cmd, PF_InData *in, PF_OutData *out, PF_ParamDef **, PF_LayerDef *,
                                          void *extra) -> std::optional<PF_Err> {
      if (cmd == PF_Cmd_GLOBAL_SETUP) {
        out->out_flags = c.flags;
        out->out_flags2 = c.flags2;
        return PF_Err_NONE;
      }
      if (cmd == PF_Cmd_SMART_PRE_RENDER) seen = static_cast<PF_PreRenderExtra *>(extra)->input->bitdepth;
      if (cmd == PF_Cmd_SMART_RENDER) {
        PF_EffectWorld *input = nullptr;
        static_cast<PF_SmartRenderExtra *>(extra)->cb->checkout_layer_pixels(in->effect_ref, 0, &input);
        inputDepth = host->worlds().depthOf(input);
      }
      return std::nullopt;
    });
    host::Layer &plate = test::openSolidProject(*host, 4, 4);
    plate.source.color = {0.5, 0.25, 1, 1};
    apply(plate, match);
    const host::Image frame = test::renderFrame(*host, 0, c.frame);
    EXPECT_EQ(seen, c.seen);
    EXPECT_EQ(inputDepth, host::pixelDepthFromBits(c.seen)) << "the input world as well";
    EXPECT_EQ(frame.depth(), c.frame);
    EXPECT_NEAR(frame.pixel(2, 2).red, 0.5f, 1 / 255.0) << "the plate, through the effect";
    EXPECT_NEAR(frame.pixel(2, 2).green, 0.25f, 1 / 255.0);
  }
}

TEST_F(EffectCalls, ParamUiFlagsAndHiddenStreamsAreStoredPerInstance) {
  FakeEffect fake(*host, "fake", {sliderParam("S", 1, 0, 10, 3), sliderParam("T", 2, 0, 10, 3)},
                  [&](PF_Cmd cmd, PF_InData *in, PF_OutData *, PF_ParamDef *params[], auto...) -> std::optional<PF_Err> {
                    if (cmd != PF_Cmd_UPDATE_PARAMS_UI) return std::nullopt;
                    auto *utils = test::acquire<PF_ParamUtilsSuite3>(*host, kPFParamUtilsSuite, 3);
                    auto *pf = test::acquire<AEGP_PFInterfaceSuite1>(*host, kAEGPPFInterfaceSuite, 1);
                    auto *streams = test::acquire<AEGP_StreamSuite3>(*host, kAEGPStreamSuite, 8);
                    auto *dynamic = test::acquire<AEGP_DynamicStreamSuite3>(*host, kAEGPDynamicStreamSuite, 3);
                    auto *effects = test::acquire<AEGP_EffectSuite3>(*host, kAEGPEffectSuite, 3);
                    PF_ParamDef def = *params[1];
                    def.ui_flags = PF_PUI_DISABLED;
                    PF_Err err = utils->PF_UpdateParamUI(in->effect_ref, 1, &def);
                    AEGP_EffectRefH self = nullptr;
                    AEGP_StreamRefH stream = nullptr;
                    if (!err) err = pf->AEGP_GetNewEffectForEffect(0, in->effect_ref, &self);
                    if (!err) err = streams->AEGP_GetNewEffectStreamByIndex(0, self, 2, &stream);
                    if (!err) err = dynamic->AEGP_SetDynamicStreamFlag(stream, AEGP_DynStreamFlag_HIDDEN, false, true);
                    if (stream) streams->AEGP_DisposeStream(stream);
                    if (self) effects->AEGP_DisposeEffect(self);
                    const std::pair<const char *, A_long> acquired[] = {
                        {kPFParamUtilsSuite, 3}, {kAEGPPFInterfaceSuite, 1}, {kAEGPStreamSuite, 8},
                        {kAEGPDynamicStreamSuite, 3}, {kAEGPEffectSuite, 3}};
                    for (auto [name, version] : acquired) host->basicSuite()->ReleaseSuite(name, version);
                    return err;
                  });
  host::Layer &plate = test::openSolidProject(*host);
  host::EffectInstance &a = apply(plate, "fake");
  host::EffectInstance &b = apply(plate, "fake");
  ASSERT_EQ(call(a, PF_Cmd_UPDATE_PARAMS_UI).err, PF_Err_NONE);
  EXPECT_EQ(a.ui[1].uiFlags, PF_PUI_DISABLED);
  EXPECT_EQ(a.ui[2].streamFlags, static_cast<A_u_long>(AEGP_DynStreamFlag_HIDDEN));
  EXPECT_EQ(b.ui[1].uiFlags, 0);
  EXPECT_EQ(b.ui[2].streamFlags, 0u);
  EXPECT_EQ(host->streamRefs().live(), 0u);
  EXPECT_EQ(host->effectRefs().live(), 0u);
}

TEST_F(EffectCalls, SetupErrorsAndExceptionsAreContained) {
  bool throwNow = false;
  FakeEffect liar(*host, "liar", {sliderParam("S", 1, 0, 10, 3)},
                  [&](PF_Cmd cmd, PF_InData *in, PF_OutData *out, auto...) -> std::optional<PF_Err> {
                    if (cmd == PF_Cmd_PARAMS_SETUP) {
                      PF_ParamDef def = sliderParam("S", 1, 0, 10, 3);
                      PF_ADD_PARAM(in, -1, &def);
                      out->num_params = 5; // claims more than it added
                      return PF_Err_NONE;
                    }
                    return std::nullopt;
                  });
  FakeEffect thrower(*host, "thrower", {}, [&](PF_Cmd cmd, auto...) -> std::optional<PF_Err> {
    if (cmd == PF_Cmd_SEQUENCE_SETUP && throwNow) throw std::runtime_error("boom");
    return std::nullopt;
  });
  host::Layer &plate = test::openSolidProject(*host);
  PF_Err err = PF_Err_NONE;
  EXPECT_EQ(host->applyEffect(plate, "liar", &err), nullptr);
  EXPECT_EQ(err, PF_Err_INTERNAL_STRUCT_DAMAGED);
  throwNow = true;
  EXPECT_EQ(host->applyEffect(plate, "thrower", &err), nullptr);
  EXPECT_EQ(err, PF_Err_INTERNAL_STRUCT_DAMAGED);
  EXPECT_TRUE(plate.effects.empty());
  ASSERT_EQ(host->messages.size(), 2u);
  EXPECT_NE(host->messages[1].text.find("exception"), std::string::npos);
}

TEST_F(EffectCalls, CheckoutOfTheInputAtAnotherTimeRendersTheLayerThen) {
  // "painter" fills its output with a grey of (frame / 10); "echo" shows its
  // input as it was two frames earlier.
  FakeEffect painter(*host, "painter", {}, [&](PF_Cmd cmd, PF_InData *in, PF_OutData *, PF_ParamDef **, PF_LayerDef *,
                                               void *extra) -> std::optional<PF_Err> {
    if (cmd != PF_Cmd_SMART_RENDER) return std::nullopt;
    auto *x = static_cast<PF_SmartRenderExtra *>(extra);
    PF_EffectWorld *out = nullptr;
    if (PF_Err err = x->cb->checkout_output(in->effect_ref, &out)) return err;
    const auto grey = static_cast<A_u_char>(in->current_time / in->time_step * 10);
    PF_Pixel color{255, grey, grey, grey};
    return in->utils->fill(in->effect_ref, &color, nullptr, out);
  });
  FakeEffect echo(*host, "echo", {}, [&](PF_Cmd cmd, PF_InData *in, PF_OutData *, PF_ParamDef **, PF_LayerDef *,
                                         void *extra) -> std::optional<PF_Err> {
    if (cmd != PF_Cmd_SMART_PRE_RENDER) return std::nullopt;
    auto *x = static_cast<PF_PreRenderExtra *>(extra);
    PF_CheckoutResult r{};
    PF_Err err = x->cb->checkout_layer(in->effect_ref, 0, 0, &x->input->output_request,
                                       in->current_time - 2 * in->time_step, in->time_step, in->time_scale, &r);
    x->output->result_rect = r.result_rect;
    x->output->max_result_rect = r.max_result_rect;
    return err;
  });
  host::Layer &plate = test::openSolidProject(*host, 8, 8);
  apply(plate, "painter");
  apply(plate, "echo");
  const host::Image frame = test::renderFrame(*host, 10);
  EXPECT_EQ(frame.pixel(4, 4).red, 80 / 255.0f) << "the painter's output at frame 8";
}

TEST_F(EffectCalls, CopyResamplesWhenTheRectanglesDiffer) {
  FakeEffect fake(*host, "fake", {}, [&](PF_Cmd cmd, PF_InData *in, auto...) -> std::optional<PF_Err> {
    if (cmd != PF_Cmd_COMPLETELY_GENERAL) return std::nullopt;
    PF_EffectWorld src{}, dst{};
    if (PF_Err err = in->utils->new_world(in->effect_ref, 2, 1, PF_WorldFlag_DEEP, &src)) return err;
    if (PF_Err err = in->utils->new_world(in->effect_ref, 4, 1, PF_WorldFlag_DEEP, &dst)) return err;
    auto *s = reinterpret_cast<PF_Pixel16 *>(src.data);
    s[0] = {32768, 0, 0, 0};
    s[1] = {32768, 32768, 0, 0};
    PF_Err err = in->utils->copy(in->effect_ref, &src, &dst, nullptr, nullptr);
    auto *d = reinterpret_cast<PF_Pixel16 *>(dst.data);
    // Pixel centres 0.5, 1.5, 2.5, 3.5 land at source 0.25, 0.75, 1.25, 1.75:
    // clamped, a quarter, three quarters, clamped.
    EXPECT_EQ(d[0].red, 0);
    EXPECT_EQ(d[1].red, 8192);
    EXPECT_EQ(d[2].red, 24576);
    EXPECT_EQ(d[3].red, 32768);
    PF_Rect bad{3, 0, 1, 1};
    EXPECT_NE(in->utils->copy(in->effect_ref, &src, &dst, &bad, nullptr), PF_Err_NONE);
    in->utils->dispose_world(in->effect_ref, &src);
    in->utils->dispose_world(in->effect_ref, &dst);
    EXPECT_NE(in->utils->dispose_world(in->effect_ref, &dst), PF_Err_NONE) << "already disposed";
    return err;
  });
  host::Layer &plate = test::openSolidProject(*host);
  host::EffectInstance &effect = apply(plate, "fake");
  EXPECT_EQ(call(effect, PF_Cmd_COMPLETELY_GENERAL).err, PF_Err_NONE);
  EXPECT_EQ(host->worlds().liveCount(), 0u);
}

TEST_F(EffectCalls, InjectedFailureReachesTheEffect) {
  PF_Err seen = PF_Err_NONE;
  FakeEffect fake(*host, "fake", {}, [&](PF_Cmd cmd, PF_InData *in, auto...) -> std::optional<PF_Err> {
    if (cmd != PF_Cmd_COMPLETELY_GENERAL) return std::nullopt;
    auto *worlds = test::acquire<PF_WorldSuite2>(*host, kPFWorldSuite, 2);
    PF_EffectWorld w{};
    for (int i = 0; i < 3; ++i) {
      PF_Err err = worlds->PF_NewWorld(in->effect_ref, 4, 4, true, PF_PixelFormat_ARGB128, &w);
      if (err) seen = err;
      else worlds->PF_DisposeWorld(in->effect_ref, &w);
    }
    host->basicSuite()->ReleaseSuite(kPFWorldSuite, 2);
    return PF_Err_NONE;
  });
  host::Layer &plate = test::openSolidProject(*host);
  host::EffectInstance &effect = apply(plate, "fake");
  host->monitor().failCall("PF_NewWorld", 2, PF_Err_OUT_OF_MEMORY);
  call(effect, PF_Cmd_COMPLETELY_GENERAL);
  EXPECT_EQ(seen, PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(host->monitor().callCount("PF_NewWorld"), 3);
  EXPECT_EQ(host->worlds().liveCount(), 0u);
}

} // namespace
