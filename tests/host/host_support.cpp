#include "host_support.h"

#include "host/effect/EffectRunner.h"
#include "host/image/Image.h"
#include "host/render/CompRenderer.h"

#include <AE_Macros.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace vlam::test {

host::HostOptions testHostOptions(const TempDir &dir) {
  host::HostOptions options;
  options.modulePath = VLAM_MODULE_PATH;
  options.settingsPath = dir / "settings.json";
  options.threads = 2;
  return options;
}

host::Layer &openSolidProject(host::Host &host, int width, int height) {
  auto project = std::make_unique<host::Project>();
  host::Composition &comp = project->addComp();
  comp.width = width;
  comp.height = height;
  host::Layer &plate = project->addLayer(comp, "Plate");
  plate.source.color = {0.2, 0.4, 0.6, 1.0};
  host.openProject(std::move(project));
  return plate;
}

std::vector<std::string> stackOf(const host::Layer &layer) {
  std::vector<std::string> names;
  for (const auto &effect : layer.effects) names.push_back(effect->matchName());
  return names;
}

void expectValues(std::initializer_list<Expected> rows) {
  for (const Expected &row : rows) EXPECT_EQ(row.value, row.wanted) << row.what;
}

void expectNear(const host::PixelF &pixel, const host::PixelF &expected, float tolerance) {
  const float got[] = {pixel.alpha, pixel.red, pixel.green, pixel.blue},
              want[] = {expected.alpha, expected.red, expected.green, expected.blue};
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(got[i], want[i], tolerance) << "ARGB " << i;
}

host::EffectInstance &HostTest::apply(host::Layer &layer, const std::string &match) {
  PF_Err err = PF_Err_NONE;
  host::EffectInstance *effect = host.applyEffect(layer, match, &err);
  if (!effect) throw std::runtime_error(match + " not applied: " + std::to_string(err));
  EXPECT_EQ(err, PF_Err_NONE) << match;
  return *effect;
}

std::size_t paramNamed(const host::EffectInstance &effect, const std::string &name) {
  for (std::size_t i = 1; i < effect.paramCount(); ++i)
    if (effect.param(i).name() == name) return i;
  ADD_FAILURE() << "no parameter " << name;
  return 0;
}

host::Image renderFrame(host::Host &host, std::int64_t frame, host::PixelDepth depth, PF_Quality quality,
                        int downsample) {
  host::RenderSettings settings;
  settings.depth = depth;
  settings.quality = quality;
  settings.downsample = downsample;
  host::CompRenderer renderer(host, *host.project().comps[0], settings);
  return renderer.renderFrame(frame);
}

host::WorldView viewOf(host::Image &image) {
  return {image.data(), image.width(), image.height(), static_cast<std::ptrdiff_t>(image.rowBytes()), image.depth()};
}

PF_Err checkoutInputAt(PF_InData *in, void *preRenderExtra, A_long time) {
  auto *x = static_cast<PF_PreRenderExtra *>(preRenderExtra);
  PF_CheckoutResult result{};
  PF_Err err = x->cb->checkout_layer(in->effect_ref, 0, 0, &x->input->output_request, time, in->time_step,
                                     in->time_scale, &result);
  x->output->result_rect = result.result_rect;
  x->output->max_result_rect = result.max_result_rect;
  return err;
}

namespace {

std::array<FakeEffect *, 4> slots{};

template <int N>
PF_Err trampoline(PF_Cmd cmd, PF_InData *in, PF_OutData *out, PF_ParamDef *params[], PF_LayerDef *output, void *extra) {
  // A fake effect that is gone answers nothing.
  return slots[N] ? slots[N]->dispatch(cmd, in, out, params, output, extra) : PF_Err_NONE;
}
constexpr PF_FilterProc kEntries[] = {trampoline<0>, trampoline<1>, trampoline<2>, trampoline<3>};

} // namespace

FakeEffect::FakeEffect(host::Host &host, const std::string &matchName, std::vector<PF_ParamDef> p, Body b)
    : params(std::move(p)), body(std::move(b)), slot_(-1) {
  const auto free = std::find(slots.begin(), slots.end(), nullptr);
  if (free == slots.end()) throw std::runtime_error("too many fake effects");
  *free = this;
  slot_ = static_cast<int>(free - slots.begin());
  host::PiplInfo pipl;
  pipl.kind = host::kPiplKindEffect;
  pipl.name = "Fake " + matchName;
  pipl.matchName = matchName;
  pipl.category = "Tests";
  pipl.entryPoint = "none";
  installed_ = &host.installEffect(pipl, kEntries[slot_]);
}

FakeEffect::~FakeEffect() {
  // Its instances are set down and removed while it can still answer.
  if (host::Host *host = host::Host::currentOrNull()) {
    for (host::EffectInstance *effect : host->project().allEffects())
      if (&effect->installed() == installed_) host->removeEffect(*effect);
    host->runner().globalSetdown(*installed_);
  }
  slots[static_cast<std::size_t>(slot_)] = nullptr;
}

PF_Err FakeEffect::dispatch(PF_Cmd cmd, PF_InData *in, PF_OutData *out, PF_ParamDef *p[], PF_LayerDef *output,
                            void *extra) {
  if (body)
    if (auto result = body(cmd, in, out, p, output, extra)) return *result;
  switch (cmd) {
  case PF_Cmd_GLOBAL_SETUP:
    out->out_flags = outFlags;
    out->out_flags2 = outFlags2;
    return PF_Err_NONE;
  case PF_Cmd_PARAMS_SETUP:
    for (PF_ParamDef &def : params)
      if (PF_Err err = PF_ADD_PARAM(in, -1, &def)) return err;
    out->num_params = static_cast<A_long>(params.size() + 1);
    return PF_Err_NONE;
  case PF_Cmd_SMART_PRE_RENDER: return checkoutInputAt(in, extra, in->current_time);
  case PF_Cmd_SMART_RENDER: {
    auto *x = static_cast<PF_SmartRenderExtra *>(extra);
    PF_EffectWorld *input = nullptr, *outWorld = nullptr;
    PF_Err err = x->cb->checkout_layer_pixels(in->effect_ref, 0, &input);
    if (!err) err = x->cb->checkout_output(in->effect_ref, &outWorld);
    if (!err) err = in->utils->copy(in->effect_ref, input, outWorld, nullptr, nullptr);
    x->cb->checkin_layer_pixels(in->effect_ref, 0);
    return err;
  }
  default: return PF_Err_NONE;
  }
}

PF_ParamDef paramOf(PF_ParamType type, const char *name, A_long id) {
  PF_ParamDef def;
  std::memset(&def, 0, sizeof def);
  def.param_type = type;
  def.uu.id = id;
  std::strncpy(def.name, name, sizeof def.name - 1);
  return def;
}

PF_ParamDef sliderParam(const char *name, A_long id, A_long lo, A_long hi, A_long dflt) {
  PF_ParamDef d = paramOf(PF_Param_SLIDER, name, id);
  d.u.sd.valid_min = d.u.sd.slider_min = lo;
  d.u.sd.valid_max = d.u.sd.slider_max = hi;
  d.u.sd.value = d.u.sd.dephault = dflt;
  return d;
}

PF_ParamDef floatParam(const char *name, A_long id, double lo, double hi, double dflt) {
  PF_ParamDef d = paramOf(PF_Param_FLOAT_SLIDER, name, id);
  d.u.fs_d.valid_min = d.u.fs_d.slider_min = static_cast<PF_FpShort>(lo);
  d.u.fs_d.valid_max = d.u.fs_d.slider_max = static_cast<PF_FpShort>(hi);
  d.u.fs_d.value = dflt;
  d.u.fs_d.dephault = static_cast<PF_FpShort>(dflt);
  return d;
}

PF_ParamDef checkboxParam(const char *name, A_long id, bool dflt) {
  PF_ParamDef d = paramOf(PF_Param_CHECKBOX, name, id);
  d.u.bd.value = d.u.bd.dephault = dflt;
  d.u.bd.u.nameptr = "";
  return d;
}

PF_ParamDef layerParam(const char *name, A_long id) {
  PF_ParamDef d = paramOf(PF_Param_LAYER, name, id);
  d.u.ld.dephault = PF_LayerDefault_NONE;
  return d;
}

InsideEffectCall::InsideEffectCall(host::Host &host, host::Layer &layer, const std::string &matchName,
                                   std::vector<PF_ParamDef> params)
    : host_(host), fake_(host, matchName, std::move(params), [this](PF_Cmd cmd, PF_InData *in, auto...) -> std::optional<PF_Err> {
        if (cmd != PF_Cmd_COMPLETELY_GENERAL) return std::nullopt;
        return body_(in);
      }) {
  effect_ = host.applyEffect(layer, matchName);
  if (!effect_) throw std::runtime_error("the fake effect could not be applied");
}

PF_Err InsideEffectCall::run(Body body, std::int64_t ticks, int downsample) {
  body_ = std::move(body);
  host::CallOptions options;
  options.ticks = ticks;
  options.settings.downsample = downsample;
  return host_.runner().call(effect_->installed(), effect_, PF_Cmd_COMPLETELY_GENERAL, options).err;
}

} // namespace vlam::test
