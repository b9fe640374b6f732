// How the host calls effects: the records it fills, parameter checkout at a
// time, values written back, setup errors, containment of misbehaving effects.
#include "host/HostError.h"
#include "host/scene/SceneFile.h"
#include "host/ui/EffectPanel.h"
#include "host/ui/UiEvents.h"
#include "host_support.h"

#include <map>
#include <set>

#include <AE_EffectSuites.h>
#include <AE_GeneralPlug.h>
#include <AE_Macros.h>

using namespace vlam;
using namespace vlam::test;

namespace {

using EffectCalls = test::HostTest;

struct Seen {
  A_long width = -1, height = -1;
  int red = -1;
  PF_Err err = -1;
};

// What a world shows: no world, or its size and first red.
Seen seenOf(const PF_EffectWorld *w, PF_Err err) {
  if (!w) return {-1, -1, -1, err};
  return {w->width, w->height, reinterpret_cast<const PF_Pixel8 *>(w->data)->red, err};
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

TEST_F(EffectCalls, InDataDescribesTheLayerTheTimeAndTheRender) {
  PF_InData seen{}, setup{};
  FakeEffect fake(host, "fake", {sliderParam("A", 1, 0, 10, 5)}, [&](PF_Cmd cmd, PF_InData *in, auto...) {
    if (cmd == PF_Cmd_COMPLETELY_GENERAL) seen = *in;
    if (cmd == PF_Cmd_GLOBAL_SETUP) setup = *in;
    return std::optional<PF_Err>{};
  });
  host::Layer &plate = test::openSolidProject(host, 40, 30);
  plate.pixelAspect = {2, 1};
  host::Composition &comp = *host.project().comps[0];
  comp.frameRate = {30000, 1001};
  comp.motionBlur = true;
  comp.shutterAngle = 90;
  host::EffectInstance &effect = apply(plate, "fake");
  host::CallOptions options;
  options.ticks = comp.ticksOfFrame(7);
  options.settings.downsample = 2;
  options.settings.quality = PF_Quality_LO;
  ASSERT_EQ(host.runner().call(effect.installed(), &effect, PF_Cmd_COMPLETELY_GENERAL, options).err, PF_Err_NONE);
  // A quarter turn of shutter is a quarter of a frame, opened a quarter frame
  // early at -90 degrees; global setup has no layer: square pixels.
  expectValues({{"major", seen.version.major, 13}, {"minor", seen.version.minor, 14},
                {"time scale", seen.time_scale, 30000}, {"time step", seen.time_step, 1001},
                {"time", seen.current_time, 7 * 1001}, {"total time", seen.total_time, 48 * 1001},
                {"width", seen.width, 40}, {"height", seen.height, 30}, {"downsample x", seen.downsample_x.den, 2},
                {"downsample y", seen.downsample_y.den, 2}, {"extent", seen.extent_hint.right, 20},
                {"aspect", seen.pixel_aspect_ratio.num, 2}, {"setup aspect", setup.pixel_aspect_ratio.num, 1},
                {"setup aspect den", setup.pixel_aspect_ratio.den, 1}, {"quality", seen.quality, PF_Quality_LO},
                {"shutter angle", seen.shutter_angle, 1 << 14}, {"shutter phase", seen.shutter_phase, -(1 << 14)},
                {"params", seen.num_params, 2}});
  EXPECT_NE(seen.pica_basicP, nullptr);
  comp.motionBlur = false;
  call(effect, PF_Cmd_COMPLETELY_GENERAL);
  EXPECT_EQ(seen.shutter_angle, 0) << "no shutter without motion blur";
}

// Checkout interpolates keys at the asked time; bad indices, times and
// references are refused.
TEST_F(EffectCalls, CheckoutInterpolatesKeysAtTheAskedTimeAndRefusesBadRequests) {
  InsideEffectCall inside(host, test::openSolidProject(host), "fake",
                          {sliderParam("S", 1, 0, 1000, 0), checkboxParam("C", 2, false)});
  host::EffectInstance &effect = inside.effect();
  effect.streams[1].setKey({24, host::ParamValue::scalar(100), host::Interpolation::Linear});
  effect.streams[1].setKey({48, host::ParamValue::scalar(200), host::Interpolation::Hold});
  effect.streams[1].setKey({72, host::ParamValue::scalar(900), host::Interpolation::Linear});
  effect.streams[2].setKey({24, host::ParamValue::scalar(1), host::Interpolation::Linear});
  effect.streams[2].setKey({48, host::ParamValue::scalar(0), host::Interpolation::Linear});
  // Frames 0, 30 (one second), 36; then 60 at another time scale (2.5 s); then 71.
  const std::pair<A_long, A_u_long> times[] = {{0, 24}, {30, 24}, {36, 24}, {5, 2}, {71, 24}};
  std::vector<std::pair<A_long, A_long>> reads; // slider, checkbox
  std::vector<PF_Err> errors;
  ASSERT_EQ(inside.run([&](PF_InData *in) {
    for (auto [t, scale] : times) {
      PF_ParamDef s{}, c{};
      PF_Err err = PF_CHECKOUT_PARAM(in, 1, t, 1, scale, &s);
      if (!err) err = PF_CHECKOUT_PARAM(in, 2, t, 1, scale, &c);
      EXPECT_EQ(err, PF_Err_NONE);
      reads.emplace_back(s.u.sd.value, c.u.bd.value);
      PF_CHECKIN_PARAM(in, &s);
      PF_CHECKIN_PARAM(in, &c);
    }
    PF_ParamDef def{};
    errors = {PF_CHECKOUT_PARAM(in, 3, 0, 1, 24, &def), PF_CHECKOUT_PARAM(in, -1, 0, 1, 24, &def),
              PF_CHECKOUT_PARAM(in, 1, 0, 1, 0, &def),
              in->inter.checkout_param(reinterpret_cast<PF_ProgPtr>(&def), 1, 0, 1, 24, &def),
              PF_ADD_PARAM(in, -1, &def)};
    return PF_Err_NONE;
  }), PF_Err_NONE);
  // Hold after frame 48; checkboxes never blend.
  EXPECT_EQ(reads, (std::vector<std::pair<A_long, A_long>>{{100, 1}, {125, 1}, {150, 1}, {200, 0}, {200, 0}}));
  EXPECT_EQ(errors, (std::vector<PF_Err>{PF_Err_INVALID_INDEX, PF_Err_INVALID_INDEX, PF_Err_BAD_CALLBACK_PARAM,
                                         PF_Err_BAD_CALLBACK_PARAM, PF_Err_INVALID_CALLBACK}));
  EXPECT_TRUE(host.messages.empty()) << "every checkout was checked in";
}

// Values are taken back after PF_Cmd_USER_CHANGED_PARAM and after click,
// drag and key events only, and only where the effect flagged them.
TEST_F(EffectCalls, ValuesAnEffectChangesAreKeptOnlyWhenFlaggedAndAllowed) {
  FakeEffect fake(host, "fake", {sliderParam("S", 1, 0, 10, 3), floatParam("F", 2, 0, 1, 0.5)},
                  [&](PF_Cmd cmd, PF_InData *, PF_OutData *, PF_ParamDef *params[], auto...) -> std::optional<PF_Err> {
                    if (!params || cmd == PF_Cmd_SMART_PRE_RENDER || cmd == PF_Cmd_SMART_RENDER) return std::nullopt;
                    EXPECT_EQ(params[1]->uu.change_flags, 0) << "the host clears change flags before the call";
                    params[1]->u.sd.value = 99; // clamped to the valid range
                    params[1]->uu.change_flags = PF_ChangeFlag_CHANGED_VALUE;
                    params[2]->u.fs_d.value = 0.25; // not flagged: ignored
                    return PF_Err_NONE;
                  });
  const struct Case {
    PF_Cmd cmd;
    PF_EventType event;
    bool kept;
  } cases[] = {{PF_Cmd_USER_CHANGED_PARAM, PF_Event_NEW_CONTEXT, true}, {PF_Cmd_EVENT, PF_Event_DO_CLICK, true},
               {PF_Cmd_EVENT, PF_Event_DRAG, true}, {PF_Cmd_EVENT, PF_Event_KEYDOWN, true},
               {PF_Cmd_EVENT, PF_Event_DRAW, false}, {PF_Cmd_EVENT, PF_Event_ADJUST_CURSOR, false},
               {PF_Cmd_DO_DIALOG, PF_Event_NEW_CONTEXT, false},
               {PF_Cmd_UPDATE_PARAMS_UI, PF_Event_NEW_CONTEXT, false}};
  host::Layer &plate = test::openSolidProject(host);
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << "command " << c.cmd << ", event " << c.event);
    host::EffectInstance &effect = apply(plate, "fake");
    PF_EventExtra event{};
    event.e_type = c.event;
    ASSERT_EQ(call(effect, c.cmd, 0, &event).err, PF_Err_NONE);
    EXPECT_EQ(effect.streams[1].staticValue().number[0], c.kept ? 10 : 3);
    EXPECT_EQ(effect.streams[2].staticValue().number[0], 0.5);
  }
}

// PF_Cmd_UPDATE_PARAMS_UI goes to an effect that set
// PF_OutFlag_SEND_UPDATE_PARAMS_UI or supervises a parameter, whenever the
// host brings controls up to date, and to no other effect (after a user's
// change, the tool's click and set tests see it).
TEST_F(EffectCalls, UpdateParamsUiAndEventsGoOnlyToEffectsThatAskForThem) {
  const struct Case {
    const char *match;
    bool flag, supervise;
  } cases[] = {{"flagged", true, false}, {"supervising", false, true}, {"plain", false, false}};
  std::map<std::string, int> updates;
  std::vector<std::unique_ptr<FakeEffect>> fakes;
  for (const Case &c : cases) {
    PF_ParamDef slider = sliderParam("S", 1, 0, 10, 3);
    if (c.supervise) slider.flags |= PF_ParamFlag_SUPERVISE;
    fakes.push_back(std::make_unique<FakeEffect>(
        host, c.match, std::vector<PF_ParamDef>{slider},
        [&updates, c](PF_Cmd cmd, auto...) -> std::optional<PF_Err> {
          if (cmd == PF_Cmd_UPDATE_PARAMS_UI) ++updates[c.match];
          return std::nullopt;
        }));
    if (c.flag) fakes.back()->outFlags |= PF_OutFlag_SEND_UPDATE_PARAMS_UI;
  }
  host::Layer &plate = test::openSolidProject(host);
  for (const Case &c : cases) apply(plate, c.match);
  const std::map<std::string, int> once{{"flagged", 1}, {"supervising", 1}};
  EXPECT_EQ(updates, once) << "when applied";
  updates.clear();
  for (const auto &effect : plate.effects) host::EffectPanel(host, *effect, 0);
  EXPECT_EQ(updates, once) << "when the panel is shown";
  updates.clear();
  host.openProject(host::parseScene(host, host::writeScene(host.project()), dir / "s.json"));
  EXPECT_EQ(updates, once) << "when the scene is opened";
  // Custom UI the effect registered (and flagged at global setup, as the
  // module does) gets events.
  int events = 0;
  FakeEffect fake(host, "ui", {}, [&](PF_Cmd cmd, PF_InData *in, PF_OutData *out, auto...) {
    if (cmd == PF_Cmd_EVENT) ++events;
    if (cmd != PF_Cmd_PARAMS_SETUP) return std::optional<PF_Err>{};
    PF_CustomUIInfo ui{};
    ui.events = PF_CustomEFlag_EFFECT | PF_CustomEFlag_COMP;
    out->num_params = 1;
    return std::optional<PF_Err>{in->inter.register_ui(in->effect_ref, &ui)};
  });
  fake.outFlags |= PF_OutFlag_CUSTOM_UI;
  host::Layer &layer = test::openSolidProject(host);
  host::EffectInstance &effect = apply(layer, "ui");
  host::UiContext context(PF_Window_COMP, layer);
  PF_EventExtra extra{};
  extra.e_type = PF_Event_DRAW;
  EXPECT_TRUE(host::sendUiEvent(host, effect, 0, context, extra).sent);
  EXPECT_TRUE(host::takesEvents(effect, PF_Window_EFFECT));
  EXPECT_EQ(events, 1);
}


// Effects deep- and float-colour aware, as the module's all are, get worlds
// at the frame's depth, and their results come back at it. A result
// rectangle empty in either direction renders nothing: the effect's output is
// transparent and it is not asked to render.
TEST_F(EffectCalls, EffectsRenderAtTheFramesDepthAndNotAtAllWhenEmpty) {
  using host::PixelDepth;
  const struct Case {
    PixelDepth frame;
    short seen;
    std::optional<PF_LRect> result = std::nullopt; // the effect's, if not its input's
  } cases[] = {{PixelDepth::Float32, 32}, {PixelDepth::Bits16, 16}, {PixelDepth::Bits8, 8},
               {PixelDepth::Bits8, 8, PF_LRect{0, 0, 0, 4}},
               {PixelDepth::Bits8, 8, PF_LRect{0, 0, 4, 0}}};
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    const std::string match = "fake" + std::to_string(&c - cases);
    short seen = 0;
    int renders = 0;
    std::optional<host::PixelDepth> inputDepth;
    FakeEffect fake(host, match, {}, [&](PF_Cmd cmd, PF_InData *in, PF_OutData *, PF_ParamDef **, PF_LayerDef *,
                                          void *extra) -> std::optional<PF_Err> {
      if (cmd == PF_Cmd_SMART_PRE_RENDER) {
        auto *x = static_cast<PF_PreRenderExtra *>(extra);
        seen = x->input->bitdepth;
        if (!c.result) return std::nullopt;
        x->output->result_rect = *c.result;
        return PF_Err_NONE;
      }
      if (cmd == PF_Cmd_SMART_RENDER) {
        ++renders;
        PF_EffectWorld *input = nullptr;
        static_cast<PF_SmartRenderExtra *>(extra)->cb->checkout_layer_pixels(in->effect_ref, 0, &input);
        inputDepth = host.worlds().depthOf(input);
      }
      return std::nullopt;
    });
    host::Layer &plate = test::openSolidProject(host, 4, 4);
    plate.source.color = {0.5, 0.25, 1, 1};
    apply(plate, match);
    const host::Image frame = test::renderFrame(host, 0, c.frame);
    EXPECT_EQ(seen, c.seen);
    EXPECT_EQ(frame.depth(), c.frame);
    if (c.result) {
      EXPECT_EQ(renders, 0);
      EXPECT_EQ(frame.pixel(2, 2).alpha, 0.0f);
      continue;
    }
    EXPECT_EQ(inputDepth, host::pixelDepthFromBits(c.seen)) << "the input world as well";
    expectNear(frame.pixel(2, 2), {1, 0.5f, 0.25f, 1}, 1 / 255.0f); // the plate, through the effect
  }
}

// UI flags and hidden streams an effect sets are stored per instance; bad
// arguments to the stream and layer calls are refused and change nothing; a
// layer parameter's stream reads back the id of the layer it names.
TEST_F(EffectCalls, StreamAndUiCallsActOnTheirOwnInstanceAndRefuseBadArguments) {
  host::Layer &plate = test::openSolidProject(host);
  FakeEffect fake(
      host, "fake", {sliderParam("S", 1, 0, 10, 3), sliderParam("T", 2, 0, 10, 3), layerParam("L", 3)},
      [&](PF_Cmd cmd, PF_InData *in, PF_OutData *, PF_ParamDef *params[], auto...) -> std::optional<PF_Err> {
        if (cmd != PF_Cmd_UPDATE_PARAMS_UI) return std::nullopt;
        auto *utils = suite<PF_ParamUtilsSuite3>(kPFParamUtilsSuite, 3);
        auto *pf = suite<AEGP_PFInterfaceSuite1>(kAEGPPFInterfaceSuite, 1);
        auto *streams = suite<AEGP_StreamSuite3>(kAEGPStreamSuite, 8);
        auto *dynamic = suite<AEGP_DynamicStreamSuite3>(kAEGPDynamicStreamSuite, 3);
        auto *effects = suite<AEGP_EffectSuite3>(kAEGPEffectSuite, 3);
        auto *layers = suite<AEGP_LayerSuite7>(kAEGPLayerSuite, kAEGPLayerSuiteVersion7);
        PF_ParamDef def = *params[1];
        def.ui_flags = PF_PUI_DISABLED;
        EXPECT_EQ(utils->PF_UpdateParamUI(in->effect_ref, 1, &def), PF_Err_NONE);
        AEGP_EffectRefH self = nullptr;
        AEGP_StreamRefH hidden = nullptr, layerStream = nullptr;
        AEGP_LayerH layer = nullptr;
        AEGP_CompH comp = nullptr;
        EXPECT_EQ(pf->AEGP_GetNewEffectForEffect(0, in->effect_ref, &self), A_Err_NONE);
        EXPECT_EQ(streams->AEGP_GetNewEffectStreamByIndex(0, self, 2, nullptr), A_Err_PARAMETER);
        EXPECT_EQ(streams->AEGP_GetNewEffectStreamByIndex(0, self, 2, &hidden), A_Err_NONE);
        // Exactly one flag a plug-in may change is accepted.
        for (AEGP_DynStreamFlags flag : {AEGP_DynStreamFlags{0}, AEGP_DynStreamFlags{AEGP_DynStreamFlag_HIDDEN |
                                                                                      AEGP_DynStreamFlag_DISABLED}})
          EXPECT_EQ(dynamic->AEGP_SetDynamicStreamFlag(hidden, flag, false, true), A_Err_PARAMETER) << flag;
        EXPECT_EQ(dynamic->AEGP_SetDynamicStreamFlag(hidden, AEGP_DynStreamFlag_HIDDEN, false, true), A_Err_NONE);
        EXPECT_EQ(streams->AEGP_GetNewEffectStreamByIndex(0, self, 3, &layerStream), A_Err_NONE);
        AEGP_StreamValue2 value{};
        const A_Time zero{0, 24};
        EXPECT_EQ(streams->AEGP_GetNewStreamValue(0, layerStream, AEGP_LTimeMode_LayerTime, &zero, false, &value),
                  A_Err_NONE);
        EXPECT_EQ(value.val.layer_id, static_cast<AEGP_LayerIDVal>(plate.id()));
        EXPECT_EQ(pf->AEGP_GetEffectLayer(in->effect_ref, &layer), A_Err_NONE);
        EXPECT_EQ(layers->AEGP_GetLayerParentComp(layer, &comp), A_Err_NONE);
        EXPECT_EQ(comp, reinterpret_cast<AEGP_CompH>(host.project().comps[0].get()));
        for (AEGP_StreamRefH stream : {hidden, layerStream})
          if (stream) streams->AEGP_DisposeStream(stream);
        if (self) effects->AEGP_DisposeEffect(self);
        return PF_Err_NONE;
      });
  host::EffectInstance &a = apply(plate, "fake");
  host::EffectInstance &b = apply(plate, "fake");
  a.streams[3].setStaticValue(host::ParamValue::scalar(plate.id()));
  ASSERT_EQ(call(a, PF_Cmd_UPDATE_PARAMS_UI).err, PF_Err_NONE);
  EXPECT_EQ(a.ui[1].uiFlags, PF_PUI_DISABLED);
  EXPECT_EQ(a.ui[2].streamFlags, static_cast<A_u_long>(AEGP_DynStreamFlag_HIDDEN)) << "the refused flags set none";
  EXPECT_EQ(b.ui[1].uiFlags, 0);
  EXPECT_EQ(b.ui[2].streamFlags, 0u);
}

TEST_F(EffectCalls, SetupErrorsAndExceptionsAreContainedAndDisagreementsReported) {
  bool throwNow = false;
  FakeEffect liar(host, "liar", {sliderParam("S", 1, 0, 10, 3)},
                  [&](PF_Cmd cmd, PF_InData *in, PF_OutData *out, auto...) -> std::optional<PF_Err> {
                    if (cmd == PF_Cmd_PARAMS_SETUP) {
                      PF_ParamDef def = sliderParam("S", 1, 0, 10, 3);
                      PF_ADD_PARAM(in, -1, &def);
                      out->num_params = 5; // claims more than it added
                      return PF_Err_NONE;
                    }
                    return std::nullopt;
                  });
  FakeEffect thrower(host, "thrower", {}, [&](PF_Cmd cmd, auto...) -> std::optional<PF_Err> {
    if (cmd == PF_Cmd_SEQUENCE_SETUP && throwNow) throw std::runtime_error("boom");
    return std::nullopt;
  });
  host::Layer &plate = test::openSolidProject(host);
  PF_Err err = PF_Err_NONE;
  EXPECT_EQ(host.applyEffect(plate, "liar", &err), nullptr);
  EXPECT_EQ(err, PF_Err_INTERNAL_STRUCT_DAMAGED);
  throwNow = true;
  EXPECT_EQ(host.applyEffect(plate, "thrower", &err), nullptr);
  EXPECT_EQ(err, PF_Err_INTERNAL_STRUCT_DAMAGED);
  EXPECT_TRUE(plate.effects.empty());
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_NE(host.messages[1].text.find("exception"), std::string::npos);
  // Global setup words that disagree with the property list are reported.
  FakeEffect fake(host, "fake");
  fake.installed().pipl.outFlags = PF_OutFlag_DEEP_COLOR_AWARE | PF_OutFlag_SEND_UPDATE_PARAMS_UI;
  fake.installed().pipl.outFlags2 = PF_OutFlag2_SUPPORTS_SMART_RENDER | PF_OutFlag2_FLOAT_COLOR_AWARE;
  fake.installed().pipl.effectVersion = 0x00081E01;
  host.messages.clear();
  ASSERT_EQ(host.runner().ensureReady(fake.installed()), PF_Err_NONE);
  ASSERT_EQ(host.messages.size(), 2u) << "out-flags2 agree";
  EXPECT_EQ(host.messages[0].text, "global setup and property list disagree on out-flags: 0x02000000 against 0x06000000");
  EXPECT_EQ(host.messages[1].text, "global setup and property list disagree on the version: 0x00000000 against 0x00081E01");
}

// The copy between rectangles that differ (resampled as the pixel copy tests
// pin) refuses bad rectangles; a failure injected into the host's world
// creation reaches the effect; every world is given back.
TEST_F(EffectCalls, CopyResamplesAndInjectedFailuresReachTheEffect) {
  InsideEffectCall inside(host, test::openSolidProject(host), "fake");
  EXPECT_EQ(inside.run([&](PF_InData *in) {
    PF_EffectWorld src{}, dst{};
    if (PF_Err err = in->utils->new_world(in->effect_ref, 2, 1, PF_WorldFlag_DEEP, &src)) return err;
    if (PF_Err err = in->utils->new_world(in->effect_ref, 4, 1, PF_WorldFlag_DEEP, &dst)) return err;
    PF_Err err = in->utils->copy(in->effect_ref, &src, &dst, nullptr, nullptr);
    PF_Rect bad{3, 0, 1, 1};
    EXPECT_NE(in->utils->copy(in->effect_ref, &src, &dst, &bad, nullptr), PF_Err_NONE);
    in->utils->dispose_world(in->effect_ref, &src);
    in->utils->dispose_world(in->effect_ref, &dst);
    EXPECT_NE(in->utils->dispose_world(in->effect_ref, &dst), PF_Err_NONE) << "already disposed";
    // The largest side accepted, and one more.
    PF_EffectWorld wide{};
    EXPECT_EQ(in->utils->new_world(in->effect_ref, host::kMaxImageSide, 1, 0, &wide), PF_Err_NONE);
    in->utils->dispose_world(in->effect_ref, &wide);
    EXPECT_NE(in->utils->new_world(in->effect_ref, 1, host::kMaxImageSide + 1, 0, &wide), PF_Err_NONE);
    return err;
  }), PF_Err_NONE);

  PF_Err seen = PF_Err_NONE;
  host.monitor().failCall("PF_NewWorld", 2, PF_Err_OUT_OF_MEMORY);
  inside.run([&](PF_InData *in) {
    auto *worlds = suite<PF_WorldSuite2>(kPFWorldSuite, 2);
    PF_EffectWorld w{};
    for (int i = 0; i < 3; ++i) {
      PF_Err err = worlds->PF_NewWorld(in->effect_ref, 4, 4, true, PF_PixelFormat_ARGB128, &w);
      if (err) seen = err;
      else worlds->PF_DisposeWorld(in->effect_ref, &w);
    }
    return PF_Err_NONE;
  });
  EXPECT_EQ(seen, PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(host.monitor().callCount("PF_NewWorld"), 3);
}

// What the host gives effects while rendering: layer parameters checked out
// (own layer: its source; another layer: rendered with its effects; the
// module checks them out in smart renders only, at the frame's time), the
// effect-to-effect call, plug-in ids, and the abort check.

using RenderServices = test::HostTest;

TEST_F(RenderServices, LayerParamsGiveTheOwnSourceOrTheOtherLayerRenderedWithItsEffects) {
  Seen input, smart;
  FakeEffect painter(host, "painter", {}, paintByTime);
  FakeEffect reader(host, "reader", {layerParam("Matte", 1)},
                    [&](PF_Cmd cmd, PF_InData *in, PF_OutData *, PF_ParamDef *[], PF_LayerDef *,
                        void *extra) -> std::optional<PF_Err> {
                      if (cmd == PF_Cmd_SMART_PRE_RENDER) {
                        auto *x = static_cast<PF_PreRenderExtra *>(extra);
                        PF_CheckoutResult r{};
                        PF_Err err = test::checkoutInputAt(in, extra, in->current_time);
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
                        x->cb->checkin_layer_pixels(in->effect_ref, 1);
                        if (!(err = x->cb->checkout_output(in->effect_ref, &output)))
                          err = in->utils->copy(in->effect_ref, in0, output, nullptr, nullptr);
                        x->cb->checkin_layer_pixels(in->effect_ref, 0);
                        return err;
                      }
                      return std::nullopt;
                    });
  // "Plate" 64 x 48 (red 0.2) above "Other" 20 x 10.
  host::Layer *plate = &test::openSolidProject(host);
  host::Layer *other = &host.project().addLayer(*host.project().comps[0], "Other");
  other->width = 20;
  other->height = 10;
  apply(*plate, "painter");
  host::EffectInstance &matteUser = apply(*plate, "reader");
  apply(*other, "painter");

  const struct {
    const char *what;
    double layer;
    int downsample;
    Seen smart; // width, height, red, error
  } steps[] = {
      // Another layer: with its effects (frame 3), at its own size.
      {"another layer", double(other->id()), 1, {20, 10, 30, 0}},
      {"downsampled", double(other->id()), 2, {10, 5, 30, 0}},
      // The own layer: its source, before the painter.
      {"own layer", double(plate->id()), 1, {64, 48, 51, 0}},
      // An empty parameter: no buffer, and no error.
      {"none", 0, 1, {-1, -1, -1, 0}}};
  for (const auto &step : steps) {
    SCOPED_TRACE(step.what);
    matteUser.streams[1].setStaticValue(host::ParamValue::scalar(step.layer));
    test::renderFrame(host, 3, host::PixelDepth::Bits8, PF_Quality_HI, step.downsample);
    EXPECT_EQ(input.red, 30) << "the input comes through the painter above";
    const Seen &want = step.smart;
    expectValues({{"width", smart.width, want.width}, {"height", smart.height, want.height},
                  {"red", smart.red, want.red}, {"error", smart.err, want.err}});
  }
  EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
}

TEST_F(RenderServices, EffectCallGenericCallsTheOtherEffectWithItsOwnDataAtTheGivenTime) {
  int globalTag = 0, sequenceTag = 0, calls = 0;
  int block[4] = {};
  // Every call at frame 5 (24 fps), the slider's value there in the parameters.
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
                      ++calls;
                      test::expectValues({{"time", in->current_time, 5},
                                          {"scale", in->time_scale, 24},
                                          {"slider", params[1]->u.fs_d.value, 25}});
                      EXPECT_EQ(in->global_data, reinterpret_cast<PF_Handle>(&globalTag));
                      EXPECT_EQ(in->sequence_data, reinterpret_cast<PF_Handle>(&sequenceTag));
                      EXPECT_EQ(extra, block);
                      return PF_Err_NONE;
                    });
  host::Layer &layer = test::openSolidProject(host);
  host::EffectInstance &effect = apply(layer, "callee");
  effect.streams[1].setKey({0, host::ParamValue::scalar(0), host::Interpolation::Linear});
  effect.streams[1].setKey({20, host::ParamValue::scalar(100), host::Interpolation::Linear});

  const auto *effects = suite<AEGP_EffectSuite3>(kAEGPEffectSuite, 3);
  ASSERT_NE(effects, nullptr);
  AEGP_EffectRefH ref = nullptr;
  ASSERT_EQ(effects->AEGP_GetLayerEffectByIndex(0, reinterpret_cast<AEGP_LayerH>(&layer), 0, &ref), A_Err_NONE);
  AEGP_InstalledEffectKey key = AEGP_InstalledEffectKey_NONE;
  ASSERT_EQ(effects->AEGP_GetInstalledKeyFromLayerEffect(ref, &key), A_Err_NONE);
  EXPECT_EQ(key, effect.installed().key);
  const A_Time frame5{5, 24}, frame5AtAnotherScale{25, 120};
  EXPECT_EQ(effects->AEGP_EffectCallGeneric(0, ref, &frame5, PF_Cmd_COMPLETELY_GENERAL, block), A_Err_NONE);
  EXPECT_EQ(effects->AEGP_EffectCallGeneric(0, ref, &frame5AtAnotherScale, PF_Cmd_COMPLETELY_GENERAL, block),
            A_Err_NONE);
  EXPECT_EQ(calls, 2);
  // Only the effect-to-effect command, only real references and times.
  const A_Time noScale{5, 0};
  EXPECT_EQ(effects->AEGP_EffectCallGeneric(0, ref, &frame5, PF_Cmd_RENDER, block), A_Err_PARAMETER);
  EXPECT_EQ(effects->AEGP_EffectCallGeneric(0, ref, &noScale, PF_Cmd_COMPLETELY_GENERAL, block), A_Err_PARAMETER);
  EXPECT_EQ(effects->AEGP_EffectCallGeneric(0, reinterpret_cast<AEGP_EffectRefH>(&block), &frame5,
                                            PF_Cmd_COMPLETELY_GENERAL, block),
            A_Err_PARAMETER);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(effects->AEGP_DisposeEffect(ref), A_Err_NONE);
}

TEST_F(RenderServices, RegisteringGivesEachCallerItsOwnPluginId) {
  const auto *utility = suite<AEGP_UtilitySuite5>(kAEGPUtilitySuite, kAEGPUtilitySuiteVersion5);
  ASSERT_NE(utility, nullptr);
  AEGP_PluginID a = 0, b = 0;
  ASSERT_EQ(utility->AEGP_RegisterWithAEGP(nullptr, "first", &a), A_Err_NONE);
  ASSERT_EQ(utility->AEGP_RegisterWithAEGP(nullptr, "second", &b), A_Err_NONE);
  EXPECT_EQ(utility->AEGP_RegisterWithAEGP(nullptr, "third", nullptr), A_Err_PARAMETER);
  // Every id differs from every other (the utility plug-in's too), and none is 0.
  std::set<A_u_long> ids{0, static_cast<A_u_long>(a), static_cast<A_u_long>(b)};
  for (const host::GeneralPlugin &plugin : host.generalPlugins()) ids.insert(static_cast<A_u_long>(plugin.id));
  EXPECT_EQ(ids.size(), 3 + host.generalPlugins().size());
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
  EXPECT_THROW(test::renderFrame(host, 0), host::HostError);
  EXPECT_EQ(answers, (std::vector<PF_Err>{PF_Err_NONE, PF_Interrupt_CANCEL}));
  // Once cancelled, the next frame stops before any effect runs.
  EXPECT_THROW(test::renderFrame(host, 1), host::HostError);
  EXPECT_EQ(answers.size(), 2u);
  host.cancelRequested = false;
}

} // namespace
